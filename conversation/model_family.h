#pragma once

#include <cstdint>

namespace lumera {

// The three model families told apart by the model byte. Bit 0x10 is tested
// first, so a byte with both bits counts as FamilyU.
enum class Family { U, M, G };

inline Family FamilyOf(uint8_t modelByte) {
  if (modelByte & 0x10) return Family::U;
  if (modelByte & 0x20) return Family::M;
  return Family::G;
}

// Models with the warp and blend pages (and their blocks in the image).
inline bool HasWarpPages(uint8_t modelByte) {
  return (modelByte & 0x30) != 0;
}

// The five-input variant of FamilyG.
inline bool HasDpPair(uint8_t modelByte) {
  return FamilyOf(modelByte) == Family::G && (modelByte & 0x01) != 0;
}

inline uint8_t WindowCountOf(uint8_t modelByte) {
  return modelByte & 0x0F;
}

}  // namespace lumera
