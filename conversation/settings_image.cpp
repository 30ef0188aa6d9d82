#include "conversation/settings_image.h"

#include <cstring>

namespace lumera {

namespace {
template <std::size_t S, std::size_t E>
BlockBytes Bytes(Block<S, E>& b) {
  return {b.Data(), S, E};
}

void FillPoints(uint8_t* entry, unsigned count, Point p) {
  for (unsigned i = 0; i < count; ++i) SetPoint(entry, i, p);
}

void ResetSubColourEntry(uint8_t* entry) {
  static constexpr uint8_t kColour[5] = {50, 75, 255, 255, 255};
  for (unsigned s = 0; s < SubWindowField::kSubWindows; ++s)
    std::memcpy(entry + SubColourField::Sub(s), kColour, sizeof kColour);
}
}  // namespace

BlockBytes BlockOf(SettingsImage& im, BlockId id) {
  switch (id) {
    case BlockId::WarpMode:
      return Bytes(im.WarpMode);
    case BlockId::WarpGrid:
      return Bytes(im.WarpGrid);
    case BlockId::WarpCorners:
      return Bytes(im.WarpCorners);
    case BlockId::WarpCurve:
      return Bytes(im.WarpCurve);
    case BlockId::BlendEdges:
      return Bytes(im.BlendEdges);
    case BlockId::BlendGamma:
      return Bytes(im.BlendGamma);
    case BlockId::BlackLevel:
      return Bytes(im.BlackLevel);
    case BlockId::CornerPoints:
      return Bytes(im.CornerPoints);
    case BlockId::MaskPoints:
      return Bytes(im.MaskPoints);
    case BlockId::PictureSettings:
      return Bytes(im.PictureSettings);
    case BlockId::WallSettings:
      return Bytes(im.WallSettings);
    case BlockId::SubWindowLayout:
      return Bytes(im.SubWindowLayout);
    case BlockId::SubWindowColour:
      return Bytes(im.SubWindowColour);
    case BlockId::EdidSettings:
      return Bytes(im.EdidSettings);
    case BlockId::WindowSetup:
      return Bytes(im.WindowSetup);
    case BlockId::RawGridInfo:
      return Bytes(im.RawGridInfo);
    case BlockId::RawGrid:
      return Bytes(im.RawGrid);
  }
  return {nullptr, 0, 0};
}

void ResetWindowDefaults(SettingsImage& im, std::array<WindowToolState, kWindows>& tools,
                         unsigned w) {
  if (w >= kWindows) return;
  tools[w].AdjustStep = 8;
  tools[w].PatternIndex = 0;

  {
    namespace F = WindowSetupField;
    uint8_t* e = im.WindowSetup.Entry(w);
    Set(e, F::InputCode, 0);
    Set(e, F::TimingCode, 30);
    Set(e, F::HdcpOutput, 0);
    Set(e, F::DeepColour, 0);
    Set(e, F::CusRate, 32);
    Set(e, F::SubWindow, 0);
    Set(e, F::Input3D, 0);
    Set(e, F::Output3D, 0);
    Set(im.WindowSetup.Entry(0), F::BoxId, 0);
  }
  {
    static constexpr uint8_t kPicture[11] = {50, 75, 5, 50, 50, 3, 255, 255, 255, 0, 0};
    std::memcpy(im.PictureSettings.Entry(w), kPicture, sizeof kPicture);
  }
  {
    uint8_t* e = im.EdidSettings.Entry(w);
    for (unsigned k = 0; k < EdidField::kRecords; ++k) {
      uint8_t* r = e + EdidField::Record(k);
      Set(r, EdidField::Preset, 0);
      Set(r, EdidField::Width, 1920);
      Set(r, EdidField::Height, 1080);
    }
  }
  {
    namespace F = SubWindowField;
    uint8_t* e = im.SubWindowLayout.Entry(w);
    Set(e, F::PipMode, 0);
    Set(e, F::InsetSize, 50);
    Set(e, F::InsetX, 0);
    Set(e, F::InsetY, 0);
    for (unsigned s = 0; s < F::kSubWindows; ++s) {
      uint8_t* sub = e + F::Sub(s);
      Set(sub, F::Input, 0);
      Set(sub, F::Orientation, 0);
      Set(sub, F::Ratio, 0);
      for (U16 f : F::Overlap) Set(sub, f, 1800);
    }
  }
  ResetSubColourEntry(im.SubWindowColour.Entry(w));
  {
    uint8_t* e = im.WallSettings.Entry(w);
    std::memset(e, 0, 4);
    for (U16 f : WallField::Overlap) Set(e, f, 1800);
  }
  FillPoints(im.WarpGrid.Entry(w), WarpField::kSlots, {WarpField::kNeutral, WarpField::kNeutral});
  FillPoints(im.WarpCorners.Entry(w), WarpField::kCorners,
             {WarpField::kNeutral, WarpField::kNeutral});
  FillPoints(im.WarpCurve.Entry(w), WarpField::kCurvePoints,
             {WarpField::kCurveNeutral, WarpField::kCurveNeutral});
  {
    uint8_t* e = im.BlendEdges.Entry(w);
    for (int i = 0; i < 4; ++i) {
      Set(e, BlendEdgeField::Width[i], 0);
      Set(e, BlendEdgeField::Shift[i], 300);
    }
  }
  {
    namespace F = BlendGammaField;
    uint8_t* e = im.BlendGamma.Entry(w);
    for (int c = 0; c < 3; ++c) {
      Set(e, F::Transfer[c], 220);
      Set(e, F::Gain[c], 50);
      Set(e, F::ColourGain[c], 50);
      Set(e, F::ColourOffset[c], 50);
    }
    Set(e, F::Offset, 220);
  }
  std::memset(im.BlackLevel.Entry(w), 0, 3 * BlackLevelField::kRegions);
  FillPoints(im.CornerPoints.Entry(w), 8, {1200, 900});
  FillPoints(im.MaskPoints.Entry(w), 8, {900, 900});
}

void ResetSubWindowColour(SettingsImage& im) {
  for (unsigned w = 0; w < kWindows; ++w) ResetSubColourEntry(im.SubWindowColour.Entry(w));
}

}  // namespace lumera
