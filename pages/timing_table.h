#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace lumera {

// One output timing button. The Tag is what the OPM command carries; the
// timing code is what the image holds and what the box reports in byte 5 of
// the window's setup entry. Codes mean different timings in different
// families, so a code is only meaningful together with its table.
struct TimingRow {
  uint8_t tag;
  const char* button;  // the control name
  const char* caption;
  int16_t timingCode;  // kNoTimingCode where the table has none
  uint16_t width;      // 0 where the table has no size
  uint16_t height;
};
inline constexpr int16_t kNoTimingCode = -1;

// The tag and timing code of FamilyG's customised timing.
inline constexpr uint8_t kCustomTag = 17;
inline constexpr uint8_t kCustomTimingCode = 36;

// The timing buttons of a model's family, in tag order.
std::span<const TimingRow> TimingRowsFor(uint8_t modelByte);

// The caption a button shows on this model: GOutbtn16 reads "3840x1080@60"
// on the FamilyG variant with bit 0x01, the others read as the table says.
// Empty for a tag the family does not have.
std::string TimingCaption(uint8_t modelByte, unsigned tag);

// The code stored when the button with this tag is pressed, if it has one.
std::optional<uint8_t> TimingCodeOfTag(uint8_t modelByte, unsigned tag);

// The first tag whose code is the stored one; 0 when no row has it.
unsigned FindTimingButton(uint8_t modelByte, uint8_t timingCode);

struct OutputSize {
  uint16_t width;
  uint16_t height;
  bool operator==(const OutputSize&) const = default;
};
// The output size the table gives for a stored code (the customised entry
// holds a placeholder; WindowOutputSize resolves it). Nothing for a code in
// no row.
std::optional<OutputSize> OutputSizeFor(uint8_t modelByte, uint8_t timingCode);
// The output size of a window from its setup entry: the table's size, except
// that FamilyG's customised timing is as wide and high as stored in bytes
// 8-11 (nothing when nothing is stored there).
std::optional<OutputSize> WindowOutputSize(uint8_t modelByte, const uint8_t* windowSetupEntry);

// The refresh rates of the customised timing's list, by index.
inline constexpr uint8_t kRateTable[6] = {24, 30, 50, 60, 100, 120};
// The list index of a rate; -1 for a rate the list does not have.
int RateIndexOf(unsigned rate);

// The estimated pixel clock of a customised timing in units of 10 kHz;
// nothing when no estimate can be made (no rate, no height).
std::optional<uint64_t> EstimatedPixelClock(uint16_t width, uint16_t height, uint8_t rate);
// Whether the box would be driven above 600 MHz. A timing without an
// estimate is refused as well.
bool TimingExceedsLimit(uint16_t width, uint16_t height, uint8_t rate);

// "1920*1080@60", as the customised timing is shown.
std::string CustomTimingText(unsigned width, unsigned height, unsigned rate);

}  // namespace lumera
