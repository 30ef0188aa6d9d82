#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace lumera {

inline constexpr std::string_view kFormCaption = "Lumera Control Tool  V1.";
inline constexpr std::string_view kMinorVersion = "32";
inline constexpr std::string_view kApplicationTitle = "Lumera Control Tool";

// The window caption from a build date in the compiler's form "Nov  9 2022":
// "Lumera Control Tool  V1.32.221109". An unreadable date yields "000000".
std::string VersionCaption(std::string_view buildDate);

struct DiagnosticSwitches {
  bool showReadouts = false;  // STStatus and STFlag
  bool showDebug = false;     // GBDebug on the firmware page
};
// Only exactly two arguments count; the comparison is exact and case-sensitive.
DiagnosticSwitches ParseDiagnosticSwitches(const std::vector<std::string>& args);

}  // namespace lumera
