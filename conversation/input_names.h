#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace lumera {

// The input names of a model for one window, as the input radio groups list
// them.
struct InputNames {
  int inputColumns = 0;
  std::vector<std::string> inputItems;  // RGInput
  int pipColumns = 0;
  std::vector<std::string> pipItems;  // RGPIPSrc
};
InputNames InputNamesFor(uint8_t modelByte, unsigned window);

// Splits a list text into items at commas and blanks ("DP-1 DP-2" is two).
std::vector<std::string> SplitItems(const std::string& text);

}  // namespace lumera
