#include "pages/picture_rules.h"

#include <gtest/gtest.h>

namespace lumera {
namespace {

TEST(GainPercent, EdgesAndRounding) {
  const struct {
    int v, lo, hi, percent;
  } cases[] = {
      {0, 0, 255, 0},
      {1, 0, 255, 0},
      {2, 0, 255, 1},
      {127, 0, 255, 50},
      {128, 0, 255, 50},
      {129, 0, 255, 51},
      {254, 0, 255, 100},
      {255, 0, 255, 100},
      {300, 0, 255, 100},  // above the range
      {5, 10, 20, 0},      // below the range
      {7, 7, 7, 0},        // empty range
      {9, 10, 3, 0},       // inverted range
      {15, 10, 20, 50},
      {-50, -100, 100, 25},
      // Offsets above 650 are halved with the span before dividing.
      {651, 0, 654, 99},
      {651, 0, 660, 98},
      {3600, 0, 3600, 100},
      {1800, 0, 3600, 50},
  };
  for (const auto& c : cases)
    EXPECT_EQ(GainPercent(c.v, c.lo, c.hi), c.percent) << c.v << " in " << c.lo << ".." << c.hi;
}

TEST(PercentToGain, BothHalvesOfTheBar) {
  const struct {
    int percent;
    int gain;
  } cases[] = {{0, 0},    {1, 3},    {25, 64},   {49, 125}, {50, 128}, {51, 131},
               {75, 192}, {99, 252}, {100, 255}, {-7, 0},   {140, 255}};
  for (const auto& c : cases) EXPECT_EQ(PercentToGain(c.percent), c.gain) << c.percent;
}

// A percentage chosen on the bar and loaded back from the stored byte shows
// the same percentage, for every position of the bar.
TEST(PercentToGain, LoadingTheStoredGainShowsTheChosenPercentage) {
  for (int p = 0; p <= 100; ++p) EXPECT_EQ(GainPercent(PercentToGain(p), 0, 255), p);
}

TEST(Scaling, OneToOneIsStoredAsFive) {
  EXPECT_EQ(ScalingCodeOfIndex(0), 0);
  EXPECT_EQ(ScalingCodeOfIndex(1), 1);
  EXPECT_EQ(ScalingCodeOfIndex(2), 5);
  const struct {
    uint8_t code;
    int items, index;
  } loads[] = {{0, 3, 0}, {1, 3, 1}, {5, 3, 2}, {2, 3, 2}, {255, 3, 2},
               {5, 2, 1}, {1, 2, 1}, {0, 2, 0}, {3, 0, -1}};
  for (const auto& l : loads)
    EXPECT_EQ(ScalingIndexOfCode(l.code, l.items), l.index) << int(l.code) << "/" << l.items;
}

TEST(Audio, MuteWinsOverTheSource) {
  EXPECT_EQ(AudioIndexOf(0, 0), 0);
  EXPECT_EQ(AudioIndexOf(0, 1), 1);
  EXPECT_EQ(AudioIndexOf(0, 7), 1);
  EXPECT_EQ(AudioIndexOf(0, 6), 0);
  EXPECT_EQ(AudioIndexOf(1, 1), 2);
  EXPECT_EQ(AudioIndexOf(200, 0), 2);
}

TEST(PictureEnabling, HdrLocksColourAndRgbLocksHue) {
  const struct {
    uint8_t hdr, format;
    bool custom;
    PictureEnabling want;
  } cases[] = {
      {0, 0, false, {false, false, true}}, {0, 0, true, {false, true, true}},
      {0, 2, false, {true, false, true}},  {0, 1, true, {true, true, true}},
      {1, 2, true, {false, false, false}}, {5, 0, true, {false, false, false}},
  };
  for (const auto& c : cases)
    EXPECT_EQ(PictureEnablingFor(c.hdr, c.format, c.custom), c.want)
        << int(c.hdr) << "/" << int(c.format) << "/" << c.custom;
}

TEST(RotationView, FamilyMHidesQuarterTurnsUnderAPipLayout) {
  const RotationView pip = RotationViewFor(Family::M, 3, 1);
  EXPECT_EQ(pip.shown, 0);
  EXPECT_EQ(pip.buttonEnabled[0], true);
  EXPECT_EQ(pip.buttonEnabled[1], false);
  EXPECT_EQ(pip.buttonEnabled[2], false);
  EXPECT_EQ(pip.buttonEnabled[3], true);
  EXPECT_EQ(pip.buttonEnabled[4], true);
  EXPECT_FALSE(pip.buttonEnabled[5].has_value());
  EXPECT_FALSE(pip.groupEnabled.has_value());
  EXPECT_EQ(RotationViewFor(Family::M, 3, 2).shown, 0);
  EXPECT_EQ(RotationViewFor(Family::M, 3, 4).shown, 4);

  const RotationView single = RotationViewFor(Family::M, 0, 2);
  EXPECT_EQ(single.shown, 2);
  EXPECT_EQ(single.buttonEnabled[1], true);
  EXPECT_EQ(single.buttonEnabled[2], true);
}

TEST(RotationView, OtherFamiliesLockAllFromLayoutNine) {
  for (Family f : {Family::U, Family::G}) {
    const RotationView below = RotationViewFor(f, 8, 2);
    EXPECT_EQ(below.shown, 2);
    EXPECT_EQ(below.groupEnabled, true);
    for (const auto& e : below.buttonEnabled) EXPECT_EQ(e, true);
    const RotationView locked = RotationViewFor(f, 9, 5);
    EXPECT_EQ(locked.shown, 5);
    EXPECT_EQ(locked.groupEnabled, false);
    for (const auto& e : locked.buttonEnabled) EXPECT_EQ(e, false);
  }
}

}  // namespace
}  // namespace lumera
