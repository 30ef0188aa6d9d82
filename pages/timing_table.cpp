#include "pages/timing_table.h"

#include <cstdio>

#include "conversation/model_family.h"
#include "conversation/settings_image.h"

namespace lumera {

namespace {

constexpr TimingRow kFamilyG[] = {
    {0, "GOutbtn0", "3840x2160", 30, 3840, 2160},
    {1, "GOutbtn1", "3840x2160@50", 31, 3840, 2160},
    {2, "GOutbtn2", "3840x2160@30", 35, 3840, 2160},
    {3, "GOutbtn3", "3200x1800", 32, 3200, 1800},
    {4, "GOutbtn4", "2560x1440", 33, 2560, 1440},
    {5, "GOutbtn5", "1920x1080", 3, 1920, 1080},
    {6, "GOutbtn6", "1920x1200", 17, 1920, 1200},
    {7, "GOutbtn7", "1280x720", 2, 1280, 720},
    {8, "GOutbtn8", "1024x768", 0, 1024, 768},
    {9, "GOutbtn9", "1280x800", 18, 1280, 800},
    {10, "GOutbtn10", "1360x768", 10, 1360, 768},
    {11, "GOutbtn11", "1280x1024", 12, 1280, 1024},
    {12, "GOutbtn12", "1400x1050", 14, 1400, 1050},
    {13, "GOutbtn13", "1600x1200", 8, 1600, 1200},
    {14, "GOutbtn14", "1920x1080@50", 7, 1920, 1080},
    {15, "GOutbtn15", "1920x1200@30", 25, 1920, 1200},
    {16, "GOutbtn16", "3840x2400@60", 34, 3840, 2400},
    // The size is a placeholder: the real one is the stored customised size.
    {17, "GOutbtnCus", "Customize", kCustomTimingCode, 1111, 1111},
};

// The last three rows have no size in the box's table; their captions name
// the size, so the tool uses it.
constexpr TimingRow kFamilyU[] = {
    {0, "UOutbtn0", "3840x2160", 30, 3840, 2160},
    {1, "UOutbtn1", "3840x2160@50", 31, 3840, 2160},
    {2, "UOutbtn2", "3840x2160@30", 36, 3840, 2160},
    {3, "UOutbtn3", "4096x2160", 32, 4096, 2160},
    {4, "UOutbtn4", "4096x2160@50", 33, 4096, 2160},
    {5, "UOutbtn5", "1920x1080", 3, 1920, 1080},
    {6, "UOutbtn6", "1920x1200", 17, 1920, 1200},
    {7, "UOutbtn7", "1280x720", 2, 1280, 720},
    {8, "UOutbtn8", "1024x768", 0, 1024, 768},
    {9, "UOutbtn9", "1280x800", 18, 1280, 800},
    {10, "UOutbtn10", "1360x768", 10, 1360, 768},
    {11, "UOutbtn11", "1280x1024", 12, 1280, 1024},
    {12, "UOutbtn12", "1400x1050", 14, 1400, 1050},
    {13, "UOutbtn13", "1600x1200", 8, 1600, 1200},
    {14, "UOutbtn14", "1920x1080@50", 7, 1920, 1080},
    {15, "UOutbtn15", "1920x1200@30", 25, 1920, 1200},
    {16, "UOutbtn16", "1920x1080@24", 21, 1920, 1080},
    {17, "UOutbtn17", "1920x1080@30", 26, 1920, 1080},
    {18, "UOutbtn18", "1920x1080@120", kNoTimingCode, 1920, 1080},
};

constexpr TimingRow kFamilyM[] = {
    {0, "MOutbtn0", "1920x1080@60", 3, 1920, 1080},
    {1, "MOutbtn1", "1920x1200@60", 17, 1920, 1200},
    {2, "MOutbtn2", "1280x720@60", 2, 1280, 720},
    {3, "MOutbtn3", "1024x768@60", 0, 1024, 768},
    {4, "MOutbtn4", "1280x800@60", 18, 1280, 800},
    {5, "MOutbtn5", "1360x768@60", 10, 1360, 768},
    {6, "MOutbtn6", "1280x1024@60", 12, 1280, 1024},
    {7, "MOutbtn7", "1920x1080@50", 7, 1920, 1080},
    {8, "MOutbtn8", "1920x1200@30", 25, 1920, 1200},
    {9, "MOutbtn9", "1920x1080@24", 21, 1920, 1080},
    {10, "MOutbtn10", "1920x1080@30", 26, 1920, 1080},
    {11, "MOutbtn11", "2048x1080@60", 27, 2048, 1080},
    {12, "MOutbtn12", "1024x768@120", 24, 1024, 768},
    {13, "MOutbtn13", "1280x720@120", 22, 1280, 720},
    {14, "MOutbtn14", "1280x800@120", 29, 1280, 800},
};

constexpr uint8_t kWideTag = 16;

bool IsWideVariant(uint8_t modelByte) {
  return FamilyOf(modelByte) == Family::G && (modelByte & 0x01) != 0;
}

}  // namespace

std::span<const TimingRow> TimingRowsFor(uint8_t modelByte) {
  switch (FamilyOf(modelByte)) {
    case Family::U:
      return kFamilyU;
    case Family::M:
      return kFamilyM;
    case Family::G:
      break;
  }
  return kFamilyG;
}

std::string TimingCaption(uint8_t modelByte, unsigned tag) {
  const auto rows = TimingRowsFor(modelByte);
  if (tag >= rows.size()) return {};
  if (tag == kWideTag && IsWideVariant(modelByte)) return "3840x1080@60";
  return rows[tag].caption;
}

std::optional<uint8_t> TimingCodeOfTag(uint8_t modelByte, unsigned tag) {
  const auto rows = TimingRowsFor(modelByte);
  if (tag >= rows.size() || rows[tag].timingCode == kNoTimingCode) return std::nullopt;
  return static_cast<uint8_t>(rows[tag].timingCode);
}

unsigned FindTimingButton(uint8_t modelByte, uint8_t timingCode) {
  for (const TimingRow& row : TimingRowsFor(modelByte))
    if (row.timingCode == timingCode) return row.tag;
  return 0;
}

std::optional<OutputSize> OutputSizeFor(uint8_t modelByte, uint8_t timingCode) {
  for (const TimingRow& row : TimingRowsFor(modelByte)) {
    if (row.timingCode != timingCode) continue;
    if (row.width == 0 || row.height == 0) return std::nullopt;
    // The variant's button names a 3840x1080 output under the same code.
    if (row.tag == kWideTag && IsWideVariant(modelByte)) return OutputSize{3840, 1080};
    return OutputSize{row.width, row.height};
  }
  return std::nullopt;
}

std::optional<OutputSize> WindowOutputSize(uint8_t modelByte, const uint8_t* entry) {
  const uint8_t code = Get(entry, WindowSetupField::TimingCode);
  if (FamilyOf(modelByte) == Family::G && code == kCustomTimingCode) {
    const uint16_t width = Get(entry, WindowSetupField::CusWidth);
    const uint16_t height = Get(entry, WindowSetupField::CusHeight);
    if (width == 0 || height == 0) return std::nullopt;
    return OutputSize{width, height};
  }
  return OutputSizeFor(modelByte, code);
}

int RateIndexOf(unsigned rate) {
  for (int i = 0; i < 6; ++i)
    if (kRateTable[i] == rate) return i;
  return -1;
}

std::optional<uint64_t> EstimatedPixelClock(uint16_t width, uint16_t height, uint8_t rate) {
  if (rate == 0 || height == 0) return std::nullopt;
  const uint32_t w = width & ~7u;
  const uint32_t h = height;
  uint32_t sync = 9;
  if (h % 3 == 0 && h * 4 / 3 == w)
    sync = 3;
  else if (h % 9 == 0 && h * 16 / 9 == w)
    sync = 4;
  else if (h % 10 == 0 && h * 16 / 10 == w)
    sync = 5;
  else if (h % 4 == 0 && h * 5 / 4 == w)
    sync = 6;
  else if (h % 9 == 0 && h * 15 / 9 == w)
    sync = 6;

  // The line period keeps only its low 16 bits. Which timings pass has always
  // been decided that way (800x600 at 24 Hz depends on it), so it stays.
  const uint32_t r = rate;
  const auto period = static_cast<uint16_t>(((1000000000u - r * 460000u) / r) / h);
  if (period == 0) return std::nullopt;
  auto blanking = static_cast<uint16_t>(460000u / period + 1);
  if (blanking < sync + 16) blanking = static_cast<uint16_t>(sync + 16);
  // 64 bits: with sizes beyond the dialog's ranges (as a box may report) the
  // product no longer fits 32 bits, and a wrapped product would pass.
  return uint64_t{r} * (w + 192) * (h + blanking) / 10000;
}

bool TimingExceedsLimit(uint16_t width, uint16_t height, uint8_t rate) {
  const std::optional<uint64_t> clock = EstimatedPixelClock(width, height, rate);
  return !clock || *clock > 60000;
}

std::string CustomTimingText(unsigned width, unsigned height, unsigned rate) {
  char text[40];
  std::snprintf(text, sizeof text, "%u*%u@%u", width, height, rate);
  return text;
}

}  // namespace lumera
