#include "conversation/info_page.h"

#include <QGroupBox>
#include <QLabel>
#include <string>

#include "app/main_form.h"
#include "app/radio_group.h"
#include "conversation/input_names.h"
#include "conversation/model_family.h"
#include "pages/timing_table.h"

namespace lumera {

namespace {

constexpr uint32_t kOverlaysOffStep = 2020;

struct GroupSpec {
  const char* name;
  const char* caption;
  const char* res;
  const char* detail;
  const char* resLabel;
  const char* detailLabel;
  int x, y;
};
constexpr GroupSpec kGroups[5] = {
    {"GroupBox2", "Output Mode", "STInfoOutRes", "STInfoOutDetail", "Output timing",
     "Output signal", 8, 8},
    {"GBWin1Info", "WINDOW 1", "STInfoWin1Res", "STInfoWin1Detail", "Window 1 signal",
     "Window 1 signal format", 8, 112},
    {"GBWin2Info", "WINDOW 2", "STInfoWin2Res", "STInfoWin2Detail", "Window 2 signal",
     "Window 2 signal format", 390, 112},
    {"GBWin3Info", "WINDOW 3", "STInfoWin3Res", "STInfoWin3Detail", "Window 3 signal",
     "Window 3 signal format", 8, 216},
    {"GBWin4Info", "WINDOW 4", "STInfoWin4Res", "STInfoWin4Detail", "Window 4 signal",
     "Window 4 signal format", 390, 216},
};
constexpr int kGroupWidth = 370;
constexpr int kGroupHeight = 94;

const char* BitDepthText(uint8_t code) {
  static constexpr const char* kTexts[] = {"6 bits", "8 bits", "10 bits", "12 bits", "16 bits"};
  return code < 5 ? kTexts[code] : "";
}

// "HDR/HDCP/YUV420/10 bits": the signal's flags, colour format and depth.
std::string FormatText(const uint8_t* record, const uint8_t* extra, Family family) {
  std::string text;
  if (family == Family::M) {
    if (Get(record, InputField::Hbr)) text += "HBR/";
  } else if (Get(record, InputField::Hdr)) {
    text += "HDR/";
  }
  if (Get(extra, InputExtraField::Hdcp)) text += "HDCP/";
  const uint8_t colour = Get(record, InputField::ColourFormat);
  text += colour != 0 ? "YUV" : "RGB";
  text += colour == 1 ? "422/" : colour == 3 ? "420/" : "444/";
  text += BitDepthText(Get(extra, InputExtraField::BitDepth));
  return text;
}

}  // namespace

InfoPage::InfoPage(TMainForm& form) : form_(form), page_(form.PageWidget(kPageInformation)) {
  QFont big = page_->font();
  big.setPointSize(big.pointSize() + 3);
  big.setBold(true);
  for (std::size_t i = 0; i < 5; ++i) {
    const GroupSpec& g = kGroups[i];
    auto* box = new QGroupBox(QString::fromLatin1(g.caption), page_);
    box->setObjectName(QString::fromLatin1(g.name));
    box->setGeometry(g.x, g.y, kGroupWidth, kGroupHeight);
    auto* res = new QLabel(QString::fromLatin1(kNothing), box);
    res->setObjectName(QString::fromLatin1(g.res));
    res->setAccessibleName(QString::fromLatin1(g.resLabel));
    res->setFont(big);
    res->setGeometry(12, 24, kGroupWidth - 24, 28);
    auto* detail = new QLabel(QString::fromLatin1(kNothing), box);
    detail->setObjectName(QString::fromLatin1(g.detail));
    detail->setAccessibleName(QString::fromLatin1(g.detailLabel));
    detail->setGeometry(12, 58, kGroupWidth - 24, 22);
    groups_[i] = box;
    res_[i] = res;
    detail_[i] = detail;
  }
}

void InfoPage::Show() {
  RefreshInfoTab();
  BoxSession& s = form_.Session();
  if (s.ModelByte & 0x30) {
    s.ConversationStep = kOverlaysOffStep;
    form_.Builders().SendPattern(0);
  } else {
    s.ConversationStep = 0;
  }
}

void InfoPage::ConfigureForModel() {
  const bool subWindows = FamilyOf(form_.Session().ModelByte) != Family::M;
  for (int i : {3, 4}) {
    Group(i)->setEnabled(subWindows);
    Group(i)->setVisible(subWindows);
  }
}

void InfoPage::RefreshInfoTab() {
  BoxSession& s = form_.Session();
  SettingsImage& im = s.Image;
  const unsigned w = s.SelectedWindow;
  const uint8_t model = s.ModelByte;
  const unsigned t =
      FindTimingButton(model, Get(im.WindowSetup.Entry(w), WindowSetupField::TimingCode));

  // The page shows the latest status reply, and the image keeps it. Only
  // while a box is connected: offline the status blocks are stale or empty,
  // and copying them would overwrite the defaults or a loaded setting file.
  if (s.Connected()) {
    im.InputInfo.bytes = im.InputStatus.bytes;
    im.WindowSetup.bytes = im.OutputStatus.bytes;
  }
  form_.SetInputNames();
  ShowOutputMode(t);

  const uint8_t* setup = im.WindowSetup.Entry(w);
  const uint8_t* layout = im.SubWindowLayout.Entry(w);
  const uint8_t* info = im.InputInfo.Entry(w);
  auto signal = [info](unsigned r) {
    return Get(info + InputField::Record(r), InputField::SignalPresent) != 0;
  };
  auto subInput = [layout](unsigned sub) {
    return Get(layout + SubWindowField::Sub(sub), SubWindowField::Input);
  };
  auto subOrientation = [layout](unsigned sub) {
    return Get(layout + SubWindowField::Sub(sub), SubWindowField::Orientation);
  };
  const uint8_t pipMode = Get(layout, SubWindowField::PipMode);

  SetWindowCaption(1, "RGInput", Get(setup, WindowSetupField::InputCode));
  ShowSignal(0, signal(0), Get(im.PictureSettings.Entry(w), PictureField::Orientation),
             "MAIN V FREQ:");
  SetWindowCaption(2, "RGPIPSrc", subInput(0));
  ShowSignal(1, signal(1) && pipMode != 0, subOrientation(0), "PIP1 V FREQ:");
  if (FamilyOf(model) == Family::M) {
    for (int i : {3, 4}) {
      ResText(i)->setText(QString::fromLatin1(kNothing));
      DetailText(i)->setText(QString::fromLatin1(kNothing));
    }
    return;
  }
  SetWindowCaption(3, "RGPIPSrc", subInput(1));
  ShowSignal(2, signal(2) && pipMode > 4, subOrientation(1), nullptr);
  SetWindowCaption(4, "RGPIPSrc", subInput(2));
  ShowSignal(3, signal(3) && pipMode > 8, subOrientation(2), nullptr);
}

void InfoPage::ShowOutputMode(unsigned t) {
  const BoxSession& s = form_.Session();
  const uint8_t model = s.ModelByte;
  const Family family = FamilyOf(model);
  const uint8_t* setup = s.Image.WindowSetup.Entry(s.SelectedWindow);
  const uint8_t* extra = s.Image.InputExtra.Entry(s.SelectedWindow);
  if (Get(setup, WindowSetupField::OutputActive) == 0) {
    ResText(0)->setText(QString::fromLatin1(kNothing));
    DetailText(0)->setText(QString::fromLatin1(kNothing));
    return;
  }
  std::string res = family == Family::G && t == kCustomTag
                        ? CustomTimingText(Get(setup, WindowSetupField::CusWidth),
                                           Get(setup, WindowSetupField::CusHeight),
                                           Get(setup, WindowSetupField::CusRate))
                        : TimingCaption(model, t);
  if (res.find('@') == std::string::npos) res += "@60";
  ResText(0)->setText(QString::fromStdString(res));

  if (Get(extra, InputExtraField::DetailMarker) != InputExtraField::kDetailValid) {
    DetailText(0)->setText(QString::fromLatin1(kNothing));
    return;
  }
  std::string detail;
  if (Get(setup, WindowSetupField::OutSync)) detail += "SYNC/";
  if (Get(setup, WindowSetupField::OutHdcp)) detail += "HDCP/";
  detail += "RGB-" + std::to_string(Get(setup, WindowSetupField::OutBitDepth)) + "bits";
  if (family != Family::M && Get(setup, WindowSetupField::Out3D)) detail += "/3D";
  DetailText(0)->setText(QString::fromStdString(detail));
}

void InfoPage::ShowSignal(unsigned r, bool shown, uint8_t orientation, const char* memoLabel) {
  QLabel* res = ResText(static_cast<int>(r) + 1);
  QLabel* detail = DetailText(static_cast<int>(r) + 1);
  if (!shown) {
    res->setText(QString::fromLatin1(kNothing));
    detail->setText(QString::fromLatin1(kNothing));
    return;
  }
  const BoxSession& s = form_.Session();
  const uint8_t* entry = s.Image.InputExtra.Entry(s.SelectedWindow);
  const uint8_t* record = s.Image.InputInfo.Entry(s.SelectedWindow) + InputField::Record(r);
  const uint8_t* extra = entry + InputField::Record(r);
  const int width = Get(record, InputField::Width);
  const int interlaced = Get(extra, InputExtraField::Interlaced) != 0 ? 1 : 0;
  int height = Get(record, InputField::Height);
  if (orientation != 0) height *= 1 + interlaced;

  if (Get(entry, InputExtraField::DetailMarker) != InputExtraField::kDetailValid) {
    res->setText(QStringLiteral("%1x%2").arg(width).arg(height));
    detail->setText(QString::fromLatin1(kNothing));
    return;
  }
  const int hFreq = Get(extra, InputExtraField::HFreq);
  const int vFreq = Get(extra, InputExtraField::VFreq);
  if (memoLabel) form_.AppendLog(QString::fromLatin1(memoLabel) + QString::number(vFreq));
  res->setText(QStringLiteral("%1x%2%3  %4kHz/%5Hz")
                   .arg(width)
                   .arg(height)
                   .arg(QLatin1Char(interlaced ? 'i' : ' '))
                   .arg(hFreq / 10)
                   .arg((vFreq + 5) / 10));
  detail->setText(QString::fromStdString(FormatText(record, extra, FamilyOf(s.ModelByte))));
}

// The image holds input codes; the radio groups list inputs by index.
void InfoPage::SetWindowCaption(int group, const char* radioGroup, uint8_t inputCode) {
  QString item;
  if (auto* names = form_.findChild<TRadioGroup*>(QString::fromLatin1(radioGroup)))
    item = names->Item(InputIndexOfCode(form_.Session().ModelByte, inputCode));
  Group(group)->setTitle(QString::fromLatin1(kGroups[group].caption) + QLatin1Char(' ') + item);
}

}  // namespace lumera
