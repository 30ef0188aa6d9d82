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

// The input code the image holds for an input radio index. FamilyM boxes
// number their inputs in another order ({3, 1, 0, 2}); the others use the
// index itself. The value sent to the box is always the index.
uint8_t MapInput(uint8_t modelByte, int index);
// The radio index that shows a stored input code: the inverse of MapInput, so
// that an input chosen and loaded again shows the same input. -1 when no index
// maps to the code.
int InputIndexOfCode(uint8_t modelByte, uint8_t code);

// Splits a list text into items at commas and blanks ("DP-1 DP-2" is two).
std::vector<std::string> SplitItems(const std::string& text);

}  // namespace lumera
