#include "conversation/status_evaluation.h"

namespace lumera {

StatusEvaluation EvaluateStatus(BoxSession& s) {
  StatusEvaluation r;
  SettingsImage& im = s.Image;
  s.Clear(LinkFlag::TimerWasOff);

  uint32_t present = 0, flags = 0, detail = 0, outputs = 0;
  for (unsigned i = 0; i < 4; ++i) {
    const uint8_t* st = im.InputStatus.Entry(i);
    const uint8_t* info = im.InputInfo.Entry(i);
    r.inputPresent[i] = st[0] != 0;
    if (st[0]) present |= 1u << i;
    if (st[3]) flags |= 1u << i;
    if (st[8]) detail |= 1u << (8 * i);
    if (st[16]) detail |= 1u << (8 * i + 1);
    if (st[24]) detail |= 1u << (8 * i + 2);
    for (std::size_t k : {6u, 14u, 22u, 30u})
      if (ReadU16(st + k) != ReadU16(info + k)) r.changed = true;
  }
  for (unsigned i = 0; i < 4; ++i) {
    r.outputActive[i] = im.OutputStatus.Entry(i)[4] != 0;
    if (r.outputActive[i]) outputs |= 1u << i;
  }

  auto remember = [&r](uint32_t& stored, uint32_t now) {
    if (stored != now) r.changed = true;
    stored = now;
  };
  remember(s.InputPresentMask, present);
  remember(s.InputFlagMask, flags);
  remember(s.OutputMask, outputs);
  remember(s.InputDetailMask, detail);

  if (s.Has(LinkFlag::RereadRequested)) {
    r.changed = true;
    s.Clear(LinkFlag::RereadRequested);
  }
  const unsigned w = s.SelectedWindow;
  if (Get(im.OutputStatus.Entry(w), WindowSetupField::DeepColour) !=
      Get(im.WindowSetup.Entry(w), WindowSetupField::DeepColour))
    r.changed = true;
  if (!r.changed) {
    for (unsigned i = 0; i < 4 && !r.changed; ++i)
      if (Get(im.OutputStatus.Entry(i), WindowSetupField::TimingCode) !=
          Get(im.WindowSetup.Entry(i), WindowSetupField::TimingCode))
        r.changed = true;
  }
  return r;
}

}  // namespace lumera
