#include "app/startup_rules.h"

#include <gtest/gtest.h>

namespace lumera {
namespace {

TEST(VersionCaption, BuildDateBecomesYYMMDD) {
  EXPECT_EQ(VersionCaption("Nov  9 2022"), "Lumera Control Tool  V1.32.221109");
  EXPECT_EQ(VersionCaption("Jan 31 2023"), "Lumera Control Tool  V1.32.230131");
  EXPECT_EQ(VersionCaption("Dec 11 2026"), "Lumera Control Tool  V1.32.261211");
  EXPECT_EQ(VersionCaption("Xyz 11 2026"), "Lumera Control Tool  V1.32.000000");
  EXPECT_EQ(VersionCaption(""), "Lumera Control Tool  V1.32.000000");
}

TEST(DiagnosticSwitches, OnlyExactlyTwoExactArguments) {
  const struct {
    std::vector<std::string> args;
    bool readouts;
    bool debug;
  } cases[] = {
      {{"JXR", "40318826"}, true, false},
      {{"JXR", "305172846"}, false, true},
      {{}, false, false},
      {{"JXR"}, false, false},
      {{"JXR", "40318826", "x"}, false, false},
      {{"jxr", "40318826"}, false, false},
      {{"JXR", "40318827"}, false, false},
      {{"JXR ", "40318826"}, false, false},
  };
  for (const auto& c : cases) {
    const DiagnosticSwitches s = ParseDiagnosticSwitches(c.args);
    EXPECT_EQ(s.showReadouts, c.readouts) << c.args.size();
    EXPECT_EQ(s.showDebug, c.debug) << c.args.size();
  }
}

}  // namespace
}  // namespace lumera
