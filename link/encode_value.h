#pragma once

#include <cstdint>

namespace lumera {

// Writes the four-character value field of a BoxCommand in place: "+022",
// "-300", "1920", and "9234" for -1234 (a leading 9 stands for -1000 - n).
// Callers pass -1999..9999; digits that would not fit are not written.
void EncodeValue(int32_t value, char* field);

}  // namespace lumera
