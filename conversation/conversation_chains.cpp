#include "conversation/conversation_chains.h"

#include <QString>
#include <QTimer>

#include "app/main_form.h"
#include "app/message_boxes.h"
#include "conversation/model_family.h"
#include "conversation/system_info.h"

namespace lumera {

namespace {
constexpr uint32_t kInputExtraMarker = 0x12345678;
}  // namespace

ConversationChains::ConversationChains(TMainForm& form) : form_(form) {
  RegisterFullRead();
  RegisterStatusReread();
  RegisterWallReread();
  RegisterPageChains();
  RegisterPatternsOff();
  RegisterProfileReload();
}

void ConversationChains::Next(uint32_t step, uint32_t frameCode) {
  BoxSession& s = form_.Session();
  ClearBuffer(s.TxBuffer, 512);
  s.TxFrame().SetCode(frameCode);
  s.ConversationStep = step;
  form_.Sender().SendFrame();
}

void ConversationChains::StoreInputInfo() {
  BoxSession& s = form_.Session();
  FrameRef rx = s.RxFrame();
  rx.CopyOut(8, s.Image.InputInfo.Data(), 128);
  if (rx.U32(136) == kInputExtraMarker) rx.CopyOut(140, s.Image.InputExtra.Data(), 128);
}

void ConversationChains::StoreSubWindows(bool colourAlways) {
  BoxSession& s = form_.Session();
  FrameRef rx = s.RxFrame();
  rx.CopyOut(8, s.Image.SubWindowLayout.Data(), 216);
  if (colourAlways || s.VersionNumber > kLastVersionWithoutSubColour)
    rx.CopyOut(224, s.Image.SubWindowColour.Data(), 96);
  if (FamilyOf(s.ModelByte) == Family::M) ResetSubWindowColour(s.Image);
}

// The warp grid comes in halves of 85 points: (window 0, from 0), (0, 85),
// (1, 0) ... (3, 85), whatever the window count.
void ConversationChains::RequestWarpHalf(unsigned index) {
  BoxSession& s = form_.Session();
  FrameRef tx = s.TxFrame();
  tx.SetCode(FrameCode::ReadWarpGrid);
  tx.SetU16(8, static_cast<uint16_t>(index / 2));
  tx.SetU16(10, static_cast<uint16_t>((index % 2) * WarpField::kHalf));
  s.ConversationStep = 1011 + index;
  form_.Sender().SendFrame();
}

void ConversationChains::RequestRawGrid(uint32_t window) {
  BoxSession& s = form_.Session();
  FrameRef tx = s.TxFrame();
  tx.SetCode(FrameCode::ReadRawGrid);
  tx.SetU32(8, window);
  s.ConversationStep = 1020 + window;
  form_.Sender().SendFrame();
}

void ConversationChains::StoreRawGrid(unsigned window) {
  BoxSession& s = form_.Session();
  FrameRef rx = s.RxFrame();
  // A count the grid cannot hold reads as a full grid.
  const uint8_t count = rx.U8(8);
  s.Image.RawGridInfo.Entry(window)[0] =
      count > RawGridField::kMaxEntries ? RawGridField::kMaxEntries : count;
  rx.CopyOut(12, s.Image.RawGrid.Entry(window), RawGridField::kUsedBytes);
}

void ConversationChains::Step990Identify() {
  BoxSession& s = form_.Session();
  FrameRef rx = s.RxFrame();
  if (rx.U8(8) != 1) return;
  const bool secondFamily = rx.U8(20) == 0x77 && rx.U8(21) == 0x88;
  if (secondFamily) s.LinkMode = LinkMode::SecondFamily;
  form_.LayoutForSecondFamily(secondFamily);
  s.TxFrame().SetCode(FrameCode::ReadSystemInfo);
  s.ConversationStep = 1000;
  form_.Sender().SendFrame();
}

void ConversationChains::Step1000SystemInfo() {
  BoxSession& s = form_.Session();
  FrameRef rx = s.RxFrame();
  StoreSystemInfoBlocks(rx, s.Image);
  s.Image.OutputStatus = s.Image.WindowSetup;
  const SystemInfo info = ParseSystemInfo(rx);
  s.SelectedWindow = info.selectedWindow;
  s.ModelByte = info.modelByte;
  s.VersionNumber = info.versionNumber;
  form_.ShowVersions();
  form_.ShowNetworkInfo();
  if (s.VersionNumber < kMinimumVersion) {
    form_.HideSettingPages();
    s.ConversationStep = 0;
    form_.Messages().Error(QStringLiteral("Firmware version is too old!!"));
    return;
  }
  form_.ShowSettingPages();
  form_.ConfigureForModel();
  s.WindowCount = UsableWindowCount(s.ModelByte);
  Next(1001, FrameCode::ReadInputInfo);
}

void ConversationChains::RegisterFullRead() {
  ConversationEngine& e = form_.Engine();
  BoxSession& s = form_.Session();
  e.Register(990, [this] { Step990Identify(); });
  e.Register(1000, [this] { Step1000SystemInfo(); });
  e.Register(1001, [this] {
    StoreInputInfo();
    Next(1002, FrameCode::ReadPicture);
  });
  e.Register(1002, [this, &s] {
    s.RxFrame().CopyOut(8, s.Image.PictureSettings.Data(), 48);
    Next(1003, FrameCode::ReadWall);
  });
  e.Register(1003, [this, &s] {
    s.RxFrame().CopyOut(8, s.Image.WallSettings.Data(), 64);
    Next(1004, FrameCode::ReadSubWindows);
  });
  e.Register(1004, [this] {
    StoreSubWindows(false);
    Next(1005, FrameCode::ReadEdid);
  });
  e.Register(1005, [this, &s] {
    s.RxFrame().CopyOut(8, s.Image.EdidSettings.Data(), 160);
    if (HasWarpPages(s.ModelByte)) {
      Next(1006, FrameCode::ReadBlendEdges);
      return;
    }
    form_.ApplyWindowCount();
    s.ConversationStep = 0;
    form_.ApplyStatusReply();
    if (s.Has(LinkFlag::WaitShown)) form_.CloseWaitDialog();
  });
  struct BlockStep {
    uint32_t step;
    uint8_t* block;
    std::size_t size;
    uint32_t next;
  };
  const BlockStep blend[] = {
      {1006, s.Image.BlendEdges.Data(), 64, FrameCode::ReadBlendGamma},
      {1007, s.Image.BlendGamma.Data(), 64, FrameCode::ReadBlackLevel},
      {1008, s.Image.BlackLevel.Data(), 120, FrameCode::ReadCornerPoints},
      {1009, s.Image.CornerPoints.Data(), 128, FrameCode::ReadMaskPoints},
  };
  for (const BlockStep& b : blend) {
    e.Register(b.step, [this, &s, b] {
      s.RxFrame().CopyOut(8, b.block, b.size);
      Next(b.step + 1, b.next);
    });
  }
  e.Register(1010, [this, &s] {
    s.RxFrame().CopyOut(8, s.Image.MaskPoints.Data(), 128);
    RequestWarpHalf(0);
  });
  e.RegisterRange(1011, 1018, [this, &s](uint32_t step) {
    const unsigned half = step - 1011;
    uint8_t* dst = s.Image.WarpGrid.Entry(half / 2) + (half % 2) * WarpField::kHalf * 4;
    s.RxFrame().CopyOut(12, dst, WarpField::kHalf * 4);
    if (half < 7) {
      RequestWarpHalf(half + 1);
    } else {
      s.TxFrame().SetCode(FrameCode::ReadWarpExtras);
      s.ConversationStep = 1019;
      form_.Sender().SendFrame();
    }
  });
  e.Register(1019, [this, &s] {
    FrameRef rx = s.RxFrame();
    rx.CopyOut(8, s.Image.WarpMode.Data(), 4);
    s.Image.CornerModeFlag.bytes.fill(0);
    rx.CopyOut(12, s.Image.WarpCorners.Data(), 64);
    rx.CopyOut(76, s.Image.WarpCurve.Data(), 192);
    RequestRawGrid(0);
  });
  e.RegisterRange(1020, 1022, [this](uint32_t step) {
    StoreRawGrid(step - 1020);
    RequestRawGrid(step - 1020 + 1);
  });
  e.Register(1023, [this, &s] {
    StoreRawGrid(3);
    form_.ApplyWindowCount();
    s.ConversationStep = 0;
    if (s.Has(LinkFlag::WaitShown)) form_.CloseWaitDialog();
    form_.RunVisiblePageShow();
  });
}

void ConversationChains::RegisterStatusReread() {
  ConversationEngine& e = form_.Engine();
  BoxSession& s = form_.Session();
  e.Register(2038, [this, &s] {
    StoreSystemInfoBlocks(s.RxFrame(), s.Image);
    Next(2039, FrameCode::ReadWall);
  });
  e.Register(2039, [this, &s] {
    s.RxFrame().CopyOut(8, s.Image.WallSettings.Data(), 64);
    Next(2040, FrameCode::ReadInputInfo);
  });
  e.Register(2040, [this] {
    StoreInputInfo();
    Next(2041, FrameCode::ReadSubWindows);
  });
  e.Register(2041, [this, &s] {
    StoreSubWindows(true);
    s.TxFrame().SetCode(FrameCode::ReadPicture);
    s.ConversationStep = 2042;
    form_.Sender().SendFrame();
  });
  e.Register(2042, [this, &s] {
    s.RxFrame().CopyOut(8, s.Image.PictureSettings.Data(), 48);
    s.ConversationStep = 0;
    s.Set(LinkFlag::StatusPageRefresh);
    form_.RunVisiblePageShow();
    s.Clear(LinkFlag::StatusPageRefresh);
    if (s.Has(LinkFlag::WaitShown)) form_.CloseWaitDialog();
  });
}

void ConversationChains::RegisterWallReread() {
  ConversationEngine& e = form_.Engine();
  BoxSession& s = form_.Session();
  e.Register(2032, [this] { Next(2033, FrameCode::ReadWall); });
  e.Register(2033, [this, &s] {
    s.RxFrame().CopyOut(8, s.Image.WallSettings.Data(), 64);
    Next(2034, FrameCode::ReadSubWindows);
  });
  e.Register(2034, [this, &s] {
    StoreSubWindows(false);
    s.ConversationStep = 0;
    form_.SetBusy(false);
    form_.ApplyWindowCount();
  });
}

void ConversationChains::RegisterPageChains() {
  ConversationEngine& e = form_.Engine();
  BoxSession& s = form_.Session();
  e.Register(2024, [this, &s] {
    if (!form_.RunVisiblePageShow()) s.ConversationStep = 0;
  });
  e.Register(2020, [this, &s] {
    s.ConversationStep = 2021;
    form_.Builders().SendCursorOff();
  });
  e.Register(2021, [this, &s] {
    s.ConversationStep = 0;
    form_.Builders().BlendMarkerWrite(0);
  });
}

void ConversationChains::RegisterPatternsOff() {
  ConversationEngine& e = form_.Engine();
  BoxSession& s = form_.Session();
  e.Register(2025, [this, &s] {
    s.ConversationStep = 2026;
    form_.Builders().SendPattern(0);
  });
  e.Register(2026, [this, &s] {
    s.ConversationStep = 2027;
    form_.Builders().SendCursorOff();
  });
  e.Register(2027, [this, &s] {
    s.ConversationStep = 2028;
    form_.Builders().BlendMarkerWrite(0);
  });
  e.Register(2028, [this, &s] {
    s.SelectedWindow = static_cast<uint8_t>(s.SelectedWindow + 1);
    if (s.SelectedWindow < s.WindowCount && s.SelectedWindow < kWindows) {
      s.ConversationStep = 2025;
      form_.Builders().SendSelectWindow(s.SelectedWindow);
    } else {
      s.ConversationStep = 2029;
      s.SelectedWindow = 0;
      form_.Builders().SendSelectWindow(0);
    }
  });
  e.Register(2029, [this, &s] {
    s.ConversationStep = 2030;
    form_.Builders().BlendControl(1);
  });
  e.Register(2030, [&s] { s.ConversationStep = 0; });
}

void ConversationChains::RegisterProfileReload() {
  ConversationEngine& e = form_.Engine();
  BoxSession& s = form_.Session();
  e.Register(2011, [this, &s] {
    FrameRef tx = s.TxFrame();
    tx.SetCode(FrameCode::PostLoadRequest);
    tx.SetU8(9, 2);
    tx.SetU8(10, 0);
    tx.SetU8(11, 0);
    tx.SetU8(12, 0x3F);
    tx.SetU8(13, 0);
    s.ConversationStep = 2012;
    form_.Sender().SendFrame();
  });
  e.Register(2012, [this, &s] {
    s.TxFrame().SetCode(FrameCode::Identify);
    s.ConversationStep = 990;
    form_.Sender().SendFrame();
  });
  e.Register(2037, [this, &s] {
    s.ConversationStep = 0;
    s.Set(LinkFlag::Restarting);
    // The disconnect stops the reader that is handing this reply over, so it
    // runs once the hand-over has returned.
    if (form_.TcpChosen()) QTimer::singleShot(0, &form_, [this] { form_.RequestDisconnect(); });
  });
}

}  // namespace lumera
