#include "conversation/input_names.h"

#include <gtest/gtest.h>

namespace lumera {
namespace {

using Items = std::vector<std::string>;

TEST(InputNames, EveryFamilyRow) {
  const struct {
    uint8_t model;
    unsigned window;
    int columns;
    Items input;
    Items pip;
  } cases[] = {
      {0x14, 0, 4, {"HDMI-1", "HDMI-2", "HDMI-3", "DP-1"}, {"HDMI-1", "HDMI-2", "HDMI-3", "DP-1"}},
      {0x14,
       3,
       4,
       {"HDMI-10", "HDMI-11", "HDMI-12", "DP-4"},
       {"HDMI-10", "HDMI-11", "HDMI-12", "DP-4"}},
      {0x24, 1, 4, {"HDMI-3", "HDMI-4", "DP-2", "VGA-2"}, {"HDMI-3", "HDMI-4", "DP-2", "VGA-2"}},
      {0x34, 0, 4, {"HDMI-1", "HDMI-2", "HDMI-3", "DP-1"}, {"HDMI-1", "HDMI-2", "HDMI-3", "DP-1"}},
      {0x02, 1, 3, {"HDMI-4", "HDMI-5", "HDMI-1"}, {"HDMI-4", "HDMI-5", "HDMI-1"}},
      {0x04, 3, 3, {"HDMI-9", "HDMI-10", "HDMI-6"}, {"HDMI-9", "HDMI-10", "HDMI-6"}},
      {0x02, 2, 3, {"HDMI-6", "HDMI-7", "HDMI-8"}, {"HDMI-6", "HDMI-7", "HDMI-8"}},
      // Bit 0x01 also makes a three-window box the five-input variant.
      {0x03,
       2,
       5,
       {"HDMI-7", "HDMI-8", "HDMI-9", "DP-3", "DP-4"},
       {"HDMI-7", "HDMI-8", "HDMI-9", "DP-3", "DP-4"}},
      {0x05,
       1,
       5,
       {"HDMI-4", "HDMI-5", "HDMI-6", "DP-2", "DP-3"},
       {"HDMI-4", "HDMI-5", "HDMI-6", "DP-2", "DP-3"}},
  };
  for (const auto& c : cases) {
    const InputNames n = InputNamesFor(c.model, c.window);
    EXPECT_EQ(n.inputColumns, c.columns) << int(c.model) << "/" << c.window;
    EXPECT_EQ(n.pipColumns, c.columns);
    EXPECT_EQ(n.inputItems, c.input) << int(c.model) << "/" << c.window;
    EXPECT_EQ(n.pipItems, c.pip) << int(c.model) << "/" << c.window;
  }
}

TEST(InputNames, SplitAtCommasAndBlanks) {
  EXPECT_EQ(SplitItems("DP-1 DP-2"), (Items{"DP-1", "DP-2"}));
  EXPECT_EQ(SplitItems("A,,B , C"), (Items{"A", "B", "C"}));
  EXPECT_EQ(SplitItems(""), Items{});
}

TEST(MapInput, FamilyMOrderRoundTripsThroughTheImage) {
  EXPECT_EQ(MapInput(0x24, 0), 3);
  EXPECT_EQ(MapInput(0x24, 2), 0);
  EXPECT_EQ(MapInput(0x14, 2), 2);
  for (int i = 0; i < 4; ++i) EXPECT_EQ(InputIndexOfCode(0x24, MapInput(0x24, i)), i);
  EXPECT_EQ(InputIndexOfCode(0x24, 7), -1);
  EXPECT_EQ(InputIndexOfCode(0x02, 2), 2);
}

}  // namespace
}  // namespace lumera
