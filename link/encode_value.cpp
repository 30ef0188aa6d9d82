#include "link/encode_value.h"

namespace lumera {

void EncodeValue(int32_t value, char* field) {
  field[1] = field[2] = field[3] = '0';
  int64_t v = value;
  int first = 0;  // leftmost character the digits may reach
  if (v < 0) {
    if (v < -999) {
      field[0] = '9';
      v += 1000;
    } else {
      field[0] = '-';
    }
    first = 1;
  } else if (v < 1000) {
    field[0] = '+';
  }
  for (int i = 3; v != 0 && i >= first; --i) {
    const int64_t digit = v % 10;
    field[i] = static_cast<char>('0' + (digit < 0 ? -digit : digit));
    v /= 10;
  }
}

}  // namespace lumera
