#include "link/hid_report_descriptor.h"

#include <algorithm>
#include <array>

namespace lumera {

namespace {

enum ItemType : uint8_t { kMain = 0, kGlobal = 1, kLocal = 2 };

namespace MainTag {
constexpr uint8_t Input = 0x8;
constexpr uint8_t Output = 0x9;
constexpr uint8_t Feature = 0xB;
}  // namespace MainTag

namespace GlobalTag {
constexpr uint8_t ReportSize = 0x7;
constexpr uint8_t ReportId = 0x8;
constexpr uint8_t ReportCount = 0x9;
constexpr uint8_t Push = 0xA;
constexpr uint8_t Pop = 0xB;
}  // namespace GlobalTag

constexpr uint8_t kLongItemPrefix = 0xFE;
constexpr std::size_t kMaxPushDepth = 16;
// Far beyond any real report; it also keeps the bit sums from overflowing.
constexpr uint64_t kMaxReportBits = 8ull * 65536;

struct Globals {
  uint32_t reportSize = 0;
  uint32_t reportCount = 0;
  uint8_t reportId = 0;
};

enum Kind { kInput = 0, kOutput = 1, kFeature = 2 };

}  // namespace

std::optional<HidReportLengths> ParseHidReportDescriptor(const uint8_t* data, std::size_t size) {
  std::array<std::array<uint64_t, 256>, 3> bits{};
  std::array<Globals, kMaxPushDepth> stack{};
  std::size_t depth = 0;
  Globals g;
  bool numbered = false;

  std::size_t pos = 0;
  while (pos < size) {
    const uint8_t prefix = data[pos++];
    if (prefix == kLongItemPrefix) {
      // Long items carry nothing about report layout; skip their data.
      if (size - pos < 2) return std::nullopt;
      const std::size_t length = data[pos];
      pos += 2;
      if (size - pos < length) return std::nullopt;
      pos += length;
      continue;
    }
    const std::size_t length = (prefix & 3) == 3 ? 4 : (prefix & 3);
    if (size - pos < length) return std::nullopt;
    uint32_t value = 0;
    for (std::size_t i = 0; i < length; ++i)
      value |= static_cast<uint32_t>(data[pos + i]) << (8 * i);
    pos += length;

    const uint8_t type = (prefix >> 2) & 3;
    const uint8_t tag = prefix >> 4;
    if (type == kGlobal) {
      switch (tag) {
        case GlobalTag::ReportSize:
          g.reportSize = value;
          break;
        case GlobalTag::ReportCount:
          g.reportCount = value;
          break;
        case GlobalTag::ReportId:
          if (value == 0 || value > 255) return std::nullopt;
          g.reportId = static_cast<uint8_t>(value);
          numbered = true;
          break;
        case GlobalTag::Push:
          if (depth == kMaxPushDepth) return std::nullopt;
          stack[depth++] = g;
          break;
        case GlobalTag::Pop:
          if (depth == 0) return std::nullopt;
          g = stack[--depth];
          break;
        default:
          break;
      }
    } else if (type == kMain) {
      int kind = -1;
      if (tag == MainTag::Input) kind = kInput;
      if (tag == MainTag::Output) kind = kOutput;
      if (tag == MainTag::Feature) kind = kFeature;
      if (kind < 0) continue;
      uint64_t& sum = bits[static_cast<std::size_t>(kind)][g.reportId];
      sum += static_cast<uint64_t>(g.reportSize) * g.reportCount;
      if (sum > kMaxReportBits) return std::nullopt;
    }
  }

  auto longest = [&](Kind kind) -> std::size_t {
    uint64_t most = 0;
    bool any = false;
    for (uint64_t b : bits[kind]) {
      if (b == 0) continue;
      any = true;
      most = std::max(most, b);
    }
    return any ? static_cast<std::size_t>((most + 7) / 8) + 1 : 0;
  };
  HidReportLengths lengths;
  lengths.input = longest(kInput);
  lengths.output = longest(kOutput);
  lengths.feature = longest(kFeature);
  lengths.numbered = numbered;
  return lengths;
}

}  // namespace lumera
