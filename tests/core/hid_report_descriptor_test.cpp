#include "link/hid_report_descriptor.h"

#include <gtest/gtest.h>

#include <cctype>
#include <string>
#include <vector>

namespace lumera {
namespace {

// Hex bytes with comments: everything after '#' on a line is ignored.
std::vector<uint8_t> Hex(const std::string& text) {
  std::vector<uint8_t> out;
  std::string digits;
  bool comment = false;
  for (char c : text) {
    if (c == '#') comment = true;
    if (c == '\n') comment = false;
    if (comment || !std::isxdigit(static_cast<unsigned char>(c))) continue;
    digits += c;
    if (digits.size() == 2) {
      out.push_back(static_cast<uint8_t>(std::stoi(digits, nullptr, 16)));
      digits.clear();
    }
  }
  return out;
}

std::optional<HidReportLengths> Parse(const std::vector<uint8_t>& d) {
  return ParseHidReportDescriptor(d.data(), d.size());
}

// A vendor-defined device with one 64-byte report each way and no report ids,
// the usual shape of a microcontroller's HID link.
const char* kVendor64 = R"(
  06 00 FF   # Usage Page (Vendor Defined 0xFF00)
  09 01      # Usage (1)
  A1 01      # Collection (Application)
  15 00      #   Logical Minimum (0)
  26 FF 00   #   Logical Maximum (255)
  75 08      #   Report Size (8)
  95 40      #   Report Count (64)
  09 01      #   Usage (1)
  81 02      #   Input (Data, Variable, Absolute)
  95 40      #   Report Count (64)
  09 01      #   Usage (1)
  91 02      #   Output (Data, Variable, Absolute)
  C0         # End Collection
)";

// The boot keyboard descriptor that the USB HID standard gives as its example.
const char* kBootKeyboard = R"(
  05 01  09 06  A1 01   # Generic Desktop, Keyboard, Collection (Application)
  05 07                 #   Usage Page (Key Codes)
  19 E0  29 E7          #   Usage Minimum (224), Usage Maximum (231)
  15 00  25 01          #   Logical 0..1
  75 01  95 08  81 02   #   8 x 1 bit modifiers: Input
  95 01  75 08  81 01   #   1 x 8 bit reserved: Input (Constant)
  95 05  75 01          #   5 x 1 bit
  05 08  19 01  29 05   #   LED page, usages 1..5
  91 02                 #   Output (LEDs)
  95 01  75 03  91 01   #   3 bit padding: Output (Constant)
  95 06  75 08          #   6 x 8 bit
  15 00  25 65          #   Logical 0..101
  05 07  19 00  29 65   #   Key codes 0..101
  81 00                 #   Input (Data, Array)
  C0
)";

// Numbered reports of different sizes; the longest of each kind counts.
const char* kNumbered = R"(
  06 00 FF  09 01  A1 01
  75 08               #   Report Size (8)
  85 01  95 08  81 02 #   Report 1: 8 input bytes
  85 02  95 20  81 02 #   Report 2: 32 input bytes
  85 03  95 40  91 02 #   Report 3: 64 output bytes
  85 04  95 02  B1 02 #   Report 4: 2 feature bytes
  C0
)";

// 512-byte reports written with a two-byte count, a pushed and popped global
// state in between, and a long item that the parser has to step over.
const char* kPushPopLong = R"(
  06 00 FF  09 01  A1 01
  75 08               #   Report Size (8)
  96 00 02            #   Report Count (512)
  81 02               #   Input: 512 bytes
  A4                  #   Push
  95 01               #     Report Count (1)
  FE 03 10 AA BB CC   #     long item, 3 data bytes
  B4                  #   Pop: the count is 512 again
  91 02               #   Output: 512 bytes
  C0
)";

TEST(HidReportDescriptorTest, LengthsCountTheReportIdByte) {
  const struct {
    const char* name;
    const char* hex;
    std::size_t input, output, feature;
    bool numbered;
  } cases[] = {
      {"vendor 64", kVendor64, 65, 65, 0, false},
      {"boot keyboard", kBootKeyboard, 9, 2, 0, false},
      {"numbered", kNumbered, 33, 65, 3, true},
      {"push, pop and a long item", kPushPopLong, 513, 513, 0, false},
  };
  for (const auto& c : cases) {
    const auto lengths = Parse(Hex(c.hex));
    ASSERT_TRUE(lengths.has_value()) << c.name;
    EXPECT_EQ(lengths->input, c.input) << c.name;
    EXPECT_EQ(lengths->output, c.output) << c.name;
    EXPECT_EQ(lengths->feature, c.feature) << c.name;
    EXPECT_EQ(lengths->numbered, c.numbered) << c.name;
  }
}

TEST(HidReportDescriptorTest, MalformedDescriptorsAreRefused) {
  const struct {
    const char* name;
    const char* hex;
  } cases[] = {
      {"cut inside a two-byte count", "75 08 96 00"},
      {"cut inside a long item", "75 08 95 40 81 02 FE 05 10 AA"},
      {"long item without its header", "FE 05"},
      {"pop without push", "75 08 B4 95 40 81 02"},
      {"report id 0", "85 00 75 08 95 40 81 02"},
      {"report of gigabytes", "77 FF FF 00 00 97 FF FF 00 00 81 02"},
      {"pushes without end", "A4 A4 A4 A4 A4 A4 A4 A4 A4 A4 A4 A4 A4 A4 A4 A4 A4"},
  };
  for (const auto& c : cases) EXPECT_FALSE(Parse(Hex(c.hex)).has_value()) << c.name;
}

TEST(HidReportDescriptorTest, EmptyDescriptorHasNoReports) {
  const auto lengths = Parse({});
  ASSERT_TRUE(lengths.has_value());
  EXPECT_EQ(lengths->input, 0u);
  EXPECT_EQ(lengths->output, 0u);
}

}  // namespace
}  // namespace lumera
