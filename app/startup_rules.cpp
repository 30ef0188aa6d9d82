#include "app/startup_rules.h"

#include <array>

namespace lumera {

std::string VersionCaption(std::string_view date) {
  static constexpr std::array<std::string_view, 12> kMonths = {
      "Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
  std::string yymmdd = "000000";
  if (date.size() == 11) {
    int month = 0;
    for (std::size_t i = 0; i < kMonths.size(); ++i)
      if (date.substr(0, 3) == kMonths[i]) month = static_cast<int>(i) + 1;
    if (month != 0) {
      yymmdd[0] = date[9];
      yymmdd[1] = date[10];
      yymmdd[2] = static_cast<char>('0' + month / 10);
      yymmdd[3] = static_cast<char>('0' + month % 10);
      yymmdd[4] = date[4] == ' ' ? '0' : date[4];
      yymmdd[5] = date[5];
    }
  }
  std::string caption(kFormCaption);
  caption += kMinorVersion;
  caption += '.';
  caption += yymmdd;
  return caption;
}

DiagnosticSwitches ParseDiagnosticSwitches(const std::vector<std::string>& args) {
  DiagnosticSwitches s;
  if (args.size() != 2 || args[0] != "JXR") return s;
  s.showReadouts = args[1] == "40318826";
  s.showDebug = args[1] == "305172846";
  return s;
}

}  // namespace lumera
