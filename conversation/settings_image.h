#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "link/frame.h"

namespace lumera {

inline constexpr unsigned kWindows = 4;

// A fixed-size block of the settings image in the box's own byte layout: one
// entry per window, window w at w * EntrySize. A window index out of range
// reads and writes the last window, never outside the block.
template <std::size_t Size, std::size_t EntrySize>
struct Block {
  static constexpr std::size_t kSize = Size;
  static constexpr std::size_t kEntrySize = EntrySize;
  std::array<uint8_t, Size> bytes{};

  static constexpr unsigned Clamp(unsigned w) {
    constexpr unsigned entries = Size / EntrySize;
    return w < entries ? w : entries - 1;
  }
  uint8_t* Entry(unsigned w) { return bytes.data() + Clamp(w) * EntrySize; }
  const uint8_t* Entry(unsigned w) const { return bytes.data() + Clamp(w) * EntrySize; }
  uint8_t* Data() { return bytes.data(); }
  const uint8_t* Data() const { return bytes.data(); }
  bool operator==(const Block&) const = default;
};

// A named field inside an entry: an unsigned byte or a little-endian word.
struct U8 {
  std::size_t offset;
};
struct U16 {
  std::size_t offset;
};

inline uint8_t Get(const uint8_t* entry, U8 f) {
  return entry[f.offset];
}
inline uint16_t Get(const uint8_t* entry, U16 f) {
  return ReadU16(entry + f.offset);
}
inline void Set(uint8_t* entry, U8 f, uint8_t v) {
  entry[f.offset] = v;
}
inline void Set(uint8_t* entry, U16 f, uint16_t v) {
  WriteU16(entry + f.offset, v);
}

// A point of the warp, corner and mask blocks: two words, x then y.
struct Point {
  uint16_t x = 0;
  uint16_t y = 0;
  bool operator==(const Point&) const = default;
};
inline Point GetPoint(const uint8_t* entry, std::size_t index) {
  return {ReadU16(entry + 4 * index), ReadU16(entry + 4 * index + 2)};
}
inline void SetPoint(uint8_t* entry, std::size_t index, Point p) {
  WriteU16(entry + 4 * index, p.x);
  WriteU16(entry + 4 * index + 2, p.y);
}

// Field names, per block. Offsets are within a window's entry.
namespace WindowSetupField {
inline constexpr U8 BoxId{0};  // entry 0 only
inline constexpr U8 InputCode{3};
inline constexpr U8 OutputActive{4};
inline constexpr U8 TimingCode{5};
inline constexpr U8 HdcpOutput{6};
inline constexpr U8 DeepColour{7};
inline constexpr U16 CusWidth{8};
inline constexpr U16 CusHeight{10};
inline constexpr U8 CusRate{12};    // the customised output's refresh rate ...
inline constexpr U8 GridValue{12};  // ... and the grid overlay's value: one byte
inline constexpr U8 SubWindow{13};
inline constexpr U8 Input3D{14};
inline constexpr U8 Output3D{15};
inline constexpr U8 AudioMute{16};
inline constexpr U8 AudioSource{17};
inline constexpr U8 OutHdcp{18};
inline constexpr U8 Out3D{19};
inline constexpr U8 OutBitDepth{20};
inline constexpr U8 OutSync{21};
}  // namespace WindowSetupField

// InputInfo and InputStatus: four 8-byte signal records, r = 0 for the main
// picture and 1-3 for the sub windows, at 8r. The status check compares the
// words at 6, 14, 22, 30 and collects the flags at 3, 8, 16, 24.
namespace InputField {
inline constexpr std::size_t kRecordSize = 8;
inline constexpr U8 SignalPresent{0};
inline constexpr U8 ColourFormat{1};
inline constexpr U8 Hbr{2};
inline constexpr U8 Hdr{3};
inline constexpr U16 Width{4};
inline constexpr U16 Height{6};
inline constexpr std::size_t Record(unsigned r) {
  return kRecordSize * (r & 3);
}
}  // namespace InputField

// InputExtra: matching records at 8r; byte 7 of the entry is the detail marker.
namespace InputExtraField {
inline constexpr U16 HFreq{0};  // 0.1 kHz
inline constexpr U16 VFreq{2};  // 0.1 Hz
inline constexpr U8 BitDepth{4};
inline constexpr U8 Hdcp{5};
inline constexpr U8 Interlaced{6};
inline constexpr U8 DetailMarker{7};
inline constexpr uint8_t kDetailValid = 122;
}  // namespace InputExtraField

namespace PictureField {
inline constexpr U8 Brightness{0};
inline constexpr U8 Contrast{1};
inline constexpr U8 Sharpness{2};
inline constexpr U8 Hue{3};
inline constexpr U8 Saturation{4};
inline constexpr U8 ColourTemp{5};
inline constexpr U8 RedGain{6};
inline constexpr U8 GreenGain{7};
inline constexpr U8 BlueGain{8};
inline constexpr U8 Orientation{9};
inline constexpr U8 Scaling{10};
}  // namespace PictureField

namespace WallField {
inline constexpr U8 HZoom{0};
inline constexpr U8 VZoom{1};
inline constexpr U8 HPan{2};
inline constexpr U8 VPan{3};
inline constexpr U16 Overlap[4] = {{4}, {6}, {8}, {10}};  // left, right, top, bottom
inline constexpr U16 Extra[2] = {{12}, {14}};
}  // namespace WallField

namespace SubWindowField {
inline constexpr U8 PipMode{0};
inline constexpr U8 InsetSize{1};
inline constexpr U16 InsetX{2};
inline constexpr U16 InsetY{4};
inline constexpr std::size_t kSubWindows = 3;
inline constexpr std::size_t Sub(unsigned s) {
  return 6 + 12 * (s < 3 ? s : 2);
}
// Relative to Sub(s).
inline constexpr U8 Input{0};
inline constexpr U8 Orientation{1};
inline constexpr U8 Ratio{2};
inline constexpr U16 Overlap[4] = {{4}, {6}, {8}, {10}};
}  // namespace SubWindowField

namespace SubColourField {
inline constexpr std::size_t Sub(unsigned s) {
  return 8 * (s < 3 ? s : 2);
}
inline constexpr U8 Brightness{0};
inline constexpr U8 Contrast{1};
inline constexpr U8 Red{2};
inline constexpr U8 Green{3};
inline constexpr U8 Blue{4};
}  // namespace SubColourField

namespace EdidField {
inline constexpr std::size_t kRecords = 5;
inline constexpr std::size_t Record(unsigned k) {
  return 8 * (k < 5 ? k : 4);
}
inline constexpr U8 Preset{1};
inline constexpr U16 Width{2};
inline constexpr U16 Height{4};
}  // namespace EdidField

namespace BlendEdgeField {
inline constexpr U16 Width[4] = {{0}, {2}, {4}, {6}};  // left, right, top, bottom
inline constexpr U16 Shift[4] = {{8}, {10}, {12}, {14}};
}  // namespace BlendEdgeField

namespace BlendGammaField {
inline constexpr U16 Transfer[3] = {{0}, {2}, {4}};  // red, green, blue
inline constexpr U8 Gain[3] = {{6}, {7}, {8}};
inline constexpr U8 Offset{9};
inline constexpr U8 ColourGain[3] = {{10}, {11}, {12}};
inline constexpr U8 ColourOffset[3] = {{13}, {14}, {15}};
}  // namespace BlendGammaField

namespace BlackLevelField {
inline constexpr std::size_t kRegions = 9;
inline constexpr std::size_t Slot(unsigned k) {
  return 3 * (k < 10 ? k : 9);
}
}  // namespace BlackLevelField

namespace WarpField {
inline constexpr unsigned kColumns = 17;
inline constexpr unsigned kRows = 9;
inline constexpr unsigned kPoints = kColumns * kRows;  // 153 of the 170 slots are used
inline constexpr unsigned kSlots = 170;
inline constexpr unsigned kHalf = 85;
inline constexpr unsigned kCorners = 4;
inline constexpr unsigned kCurvePoints = 12;
inline constexpr uint16_t kNeutral = 600;
inline constexpr uint16_t kCurveNeutral = 1200;
}  // namespace WarpField

namespace RawGridField {
inline constexpr unsigned kMaxEntries = 100;
inline constexpr std::size_t kUsedBytes = 400;
inline constexpr U8 CellX{0};
inline constexpr U8 CellY{1};
inline constexpr U8 XValue{2};
inline constexpr U8 YValue{3};
}  // namespace RawGridField

// The settings image: everything the box reports about its four windows,
// byte for byte, plus the blocks kept beside it.
struct SettingsImage {
  Block<128, 32> WindowSetup;
  Block<128, 32> InputInfo;
  Block<128, 32> InputExtra;
  Block<48, 12> PictureSettings;
  Block<64, 16> WallSettings;
  Block<216, 54> SubWindowLayout;
  Block<96, 24> SubWindowColour;
  Block<160, 40> EdidSettings;
  Block<64, 16> BlendEdges;
  Block<64, 16> BlendGamma;
  Block<120, 30> BlackLevel;
  Block<128, 32> CornerPoints;
  Block<128, 32> MaskPoints;
  Block<2720, 680> WarpGrid;
  Block<4, 1> WarpMode;
  Block<64, 16> WarpCorners;
  Block<192, 48> WarpCurve;
  Block<4, 1> RawGridInfo;
  Block<1920, 480> RawGrid;

  // Read from the box, kept beside the image; not saved, not uploaded.
  Block<32, 32> VersionText;
  Block<8, 8> KeptBytes;
  Block<16, 16> NetworkInfo;
  Block<128, 32> InputStatus;
  Block<128, 32> OutputStatus;
  Block<4, 1> CornerModeFlag;

  bool operator==(const SettingsImage&) const = default;
};

// Identifies a block of the setting file and of the upload.
enum class BlockId {
  WarpMode,
  WarpGrid,
  WarpCorners,
  WarpCurve,
  BlendEdges,
  BlendGamma,
  BlackLevel,
  CornerPoints,
  MaskPoints,
  PictureSettings,
  WallSettings,
  SubWindowLayout,
  SubWindowColour,
  EdidSettings,
  WindowSetup,
  RawGridInfo,
  RawGrid,
};

// The blocks in the order of the setting file.
inline constexpr BlockId kSettingFileOrder[] = {
    BlockId::WarpMode,        BlockId::WarpGrid,     BlockId::WarpCorners,
    BlockId::WarpCurve,       BlockId::BlendEdges,   BlockId::BlendGamma,
    BlockId::BlackLevel,      BlockId::CornerPoints, BlockId::MaskPoints,
    BlockId::PictureSettings, BlockId::WallSettings, BlockId::SubWindowLayout,
    BlockId::SubWindowColour, BlockId::EdidSettings, BlockId::WindowSetup,
    BlockId::RawGridInfo,     BlockId::RawGrid,
};

struct BlockBytes {
  uint8_t* data;
  std::size_t size;
  std::size_t entrySize;
};
BlockBytes BlockOf(SettingsImage& image, BlockId id);

// The per-window state of the tool that lives beside the image.
struct WarpCursorPos {
  uint8_t row = 0;
  uint8_t column = 0;
};
struct RawGridCell {
  uint8_t column = 0;
  uint8_t row = 0;
};
struct WindowToolState {
  uint8_t AdjustStep = 8;
  uint8_t PatternIndex = 0;
  WarpCursorPos WarpCursor;
  RawGridCell RawGridPos;
  uint8_t MarkerFlag = 0;
  uint8_t OffsetSelection = 0;
  uint8_t CornerSelection = 0;
  uint8_t MaskSelection = 0;
};

// Writes the start-up defaults of one window. Bytes the defaults do not name
// keep their contents.
void ResetWindowDefaults(SettingsImage& image, std::array<WindowToolState, kWindows>& tools,
                         unsigned window);
// Brightness 50, contrast 75, red, green and blue 255 in all twelve sub-window
// entries; bytes 5-7 of each entry keep their contents.
void ResetSubWindowColour(SettingsImage& image);

}  // namespace lumera
