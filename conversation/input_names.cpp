#include "conversation/input_names.h"

#include <cstdint>
#include <cstdio>

#include "conversation/model_family.h"

namespace lumera {

namespace {

std::string Format(const char* pattern, std::initializer_list<unsigned> numbers) {
  std::string out;
  auto n = numbers.begin();
  for (const char* p = pattern; *p; ++p) {
    if (p[0] == '%' && p[1] == 'd' && n != numbers.end()) {
      out += std::to_string(*n++);
      ++p;
    } else {
      out += *p;
    }
  }
  return out;
}

// The three-input boxes number their inputs per window.
constexpr unsigned kThreeInputNumbers[4][3] = {{1, 2, 3}, {4, 5, 1}, {6, 7, 8}, {9, 10, 6}};

constexpr uint8_t kInputIndexMap[4] = {3, 1, 0, 2};

}  // namespace

uint8_t MapInput(uint8_t modelByte, int index) {
  if (FamilyOf(modelByte) != Family::M) return static_cast<uint8_t>(index);
  const uint8_t i = static_cast<uint8_t>(index);
  return i < 4 ? kInputIndexMap[i] : i;
}

int InputIndexOfCode(uint8_t modelByte, uint8_t code) {
  if (FamilyOf(modelByte) != Family::M) return code;
  for (int i = 0; i < 4; ++i)
    if (kInputIndexMap[i] == code) return i;
  return -1;
}

std::vector<std::string> SplitItems(const std::string& text) {
  std::vector<std::string> items;
  std::string current;
  for (char c : text) {
    if (c == ',' || c == ' ') {
      if (!current.empty()) items.push_back(current);
      current.clear();
    } else {
      current += c;
    }
  }
  if (!current.empty()) items.push_back(current);
  return items;
}

InputNames InputNamesFor(uint8_t modelByte, unsigned w) {
  w &= 3;
  InputNames n;
  switch (FamilyOf(modelByte)) {
    case Family::U: {
      n.inputColumns = n.pipColumns = 4;
      n.inputItems = n.pipItems = SplitItems(
          Format("HDMI-%d,HDMI-%d,HDMI-%d,DP-%d", {3 * w + 1, 3 * w + 2, 3 * w + 3, w + 1}));
      break;
    }
    case Family::M: {
      n.inputColumns = n.pipColumns = 4;
      n.inputItems = n.pipItems =
          SplitItems(Format("HDMI-%d,HDMI-%d,DP-%d,VGA-%d", {2 * w + 1, 2 * w + 2, w + 1, w + 1}));
      break;
    }
    case Family::G:
      if (modelByte & 0x01) {
        n.inputColumns = n.pipColumns = 5;
        n.inputItems = SplitItems(Format("HDMI-%d,HDMI-%d,HDMI-%d,DP-%d DP-%d",
                                         {3 * w + 1, 3 * w + 2, 3 * w + 3, w + 1, w + 2}));
        n.pipItems = SplitItems(Format("HDMI-%d,HDMI-%d,HDMI-%d,DP-%d,DP-%d",
                                       {3 * w + 1, 3 * w + 2, 3 * w + 3, w + 1, w + 2}));
      } else {
        const unsigned* k = kThreeInputNumbers[w];
        n.inputColumns = n.pipColumns = 3;
        n.inputItems = n.pipItems =
            SplitItems(Format("HDMI-%d,HDMI-%d,HDMI-%d", {k[0], k[1], k[2]}));
      }
      break;
  }
  return n;
}

}  // namespace lumera
