#include "pages/timing_table.h"

#include <gtest/gtest.h>

#include <array>

namespace lumera {
namespace {

TEST(TimingExceedsLimit, EstimatesAndDecisions) {
  const struct {
    uint16_t width, height;
    uint8_t rate;
    std::optional<uint64_t> clock;
    bool refused;
  } cases[] = {
      {1920, 1080, 60, 14078, false},
      {3840, 2400, 60, 59730, false},  // the largest listed timing passes
      {3840, 2160, 100, 91324, true},
      {7680, 2160, 60, 104949, true},
      {7680, 2160, 30, 51742, false},
      {800, 600, 24, 1778, false},          // the line period wraps to 16 bits: 68677 -> 3141
      {1923, 1080, 60, 14078, false},       // the width counts in multiples of 8
      {1920, 1080, 0, std::nullopt, true},  // a box that reports no rate
      {1920, 0, 60, std::nullopt, true},
      // A width no bar can reach but a box can report: a 32-bit product would
      // wrap to 8592 and pass.
      {65535, 1080, 60, 438089, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.width << "x" << c.height << "@" << int{c.rate});
    EXPECT_EQ(EstimatedPixelClock(c.width, c.height, c.rate), c.clock);
    EXPECT_EQ(TimingExceedsLimit(c.width, c.height, c.rate), c.refused);
  }
}

TEST(TimingExceedsLimit, NoRateOrHeightIsRefusedEverywhere) {
  for (uint8_t rate : kRateTable) EXPECT_TRUE(TimingExceedsLimit(1920, 0, rate));
  for (uint16_t height : {600, 1080, 3840}) EXPECT_TRUE(TimingExceedsLimit(1920, height, 0));
}

TEST(TimingTable, FindTimingButtonByFamily) {
  const struct {
    uint8_t model;
    uint8_t code;
    unsigned tag;
  } cases[] = {
      {0x04, 36, 17},  // FamilyG: the customised timing
      {0x14, 36, 2},   // FamilyU: 3840x2160@30
      {0x24, 36, 0},   // FamilyM has no 36: the first button
      {0x04, 32, 3},   // 3200x1800
      {0x14, 32, 3},   // 4096x2160
      {0x14, 3, 5},   {0x24, 3, 0},  {0x24, 29, 14}, {0x14, 26, 17},
      {0x04, 99, 0},  {0x14, 99, 0}, {0x34, 21, 16},  // both family bits: FamilyU
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message()
                 << std::hex << int{c.model} << std::dec << " code " << int{c.code});
    EXPECT_EQ(FindTimingButton(c.model, c.code), c.tag);
  }
}

TEST(TimingTable, RowsCaptionsAndCodes) {
  EXPECT_EQ(TimingRowsFor(0x04).size(), 18u);
  EXPECT_EQ(TimingRowsFor(0x14).size(), 19u);
  EXPECT_EQ(TimingRowsFor(0x22).size(), 15u);
  for (uint8_t model : {0x04, 0x14, 0x24})
    for (std::size_t i = 0; i < TimingRowsFor(model).size(); ++i)
      EXPECT_EQ(TimingRowsFor(model)[i].tag, i);

  EXPECT_EQ(TimingCaption(0x04, 16), "3840x2400@60");
  EXPECT_EQ(TimingCaption(0x05, 16), "3840x1080@60");
  EXPECT_EQ(TimingCaption(0x15, 16), "1920x1080@24");
  EXPECT_EQ(TimingCaption(0x04, 17), "Customize");
  EXPECT_EQ(TimingCaption(0x24, 15), "");

  EXPECT_EQ(TimingCodeOfTag(0x14, 5), 3);
  EXPECT_EQ(TimingCodeOfTag(0x14, 18), std::nullopt);
  EXPECT_EQ(TimingCodeOfTag(0x04, 17), 36);
  EXPECT_EQ(TimingCodeOfTag(0x24, 15), std::nullopt);
}

TEST(TimingTable, OutputSizes) {
  EXPECT_EQ(OutputSizeFor(0x04, 34), (OutputSize{3840, 2400}));
  EXPECT_EQ(OutputSizeFor(0x05, 34), (OutputSize{3840, 1080}));
  EXPECT_EQ(OutputSizeFor(0x14, 36), (OutputSize{3840, 2160}));
  EXPECT_EQ(OutputSizeFor(0x14, 32), (OutputSize{4096, 2160}));
  EXPECT_EQ(OutputSizeFor(0x04, 32), (OutputSize{3200, 1800}));
  EXPECT_EQ(OutputSizeFor(0x04, 36), (OutputSize{1111, 1111}));
  EXPECT_EQ(OutputSizeFor(0x24, 27), (OutputSize{2048, 1080}));
  EXPECT_EQ(OutputSizeFor(0x24, 36), std::nullopt);

  std::array<uint8_t, 32> entry{};
  entry[5] = 36;
  EXPECT_EQ(WindowOutputSize(0x04, entry.data()), std::nullopt);  // nothing stored yet
  entry[8] = 0x40, entry[9] = 0x06, entry[10] = 0xB0, entry[11] = 0x04;
  EXPECT_EQ(WindowOutputSize(0x04, entry.data()), (OutputSize{1600, 1200}));
  EXPECT_EQ(WindowOutputSize(0x14, entry.data()), (OutputSize{3840, 2160}));
}

TEST(TimingTable, RatesAndCustomText) {
  EXPECT_EQ(RateIndexOf(24), 0);
  EXPECT_EQ(RateIndexOf(120), 5);
  EXPECT_EQ(RateIndexOf(32), -1);
  EXPECT_EQ(RateIndexOf(0), -1);
  EXPECT_EQ(CustomTimingText(1920, 1080, 60), "1920*1080@60");
  EXPECT_EQ(CustomTimingText(65535, 0, 255), "65535*0@255");
}

}  // namespace
}  // namespace lumera
