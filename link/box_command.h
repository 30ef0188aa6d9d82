#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace lumera {

// A 12-byte ASCII command: 's', box id "00", a three-character mnemonic, a
// four-character value field, CR LF. It travels at frame bytes 8-19.
inline constexpr std::size_t kBoxCommandSize = 12;
inline constexpr std::size_t kBoxCommandOffset = 8;
inline constexpr std::size_t kValueFieldOffset = 6;

struct BoxCommand {
  std::array<char, kBoxCommandSize> bytes{};

  std::string_view Text() const { return {bytes.data(), bytes.size()}; }
  std::string_view Mnemonic() const { return {bytes.data() + 3, 3}; }
  std::string_view ValueField() const { return {bytes.data() + kValueFieldOffset, 4}; }
  bool operator==(const BoxCommand&) const = default;
};

// A template as stored in the program. Templates are compile-time constants;
// a sender copies one and modifies the copy in one of four ways (below).
struct CommandTemplate {
  char text[kBoxCommandSize + 1];  // with a terminating zero for readability

  BoxCommand Copy() const {
    BoxCommand c;
    for (std::size_t i = 0; i < kBoxCommandSize; ++i) c.bytes[i] = text[i];
    return c;
  }
};

// 1. Encoded value: bytes 6-9 := EncodeValue(value).
BoxCommand EncodedCommand(const CommandTemplate& t, int32_t value);
// 2. Last digit: byte 9 := '0' + digit, bytes 6-8 as stored.
BoxCommand LastDigitCommand(const CommandTemplate& t, int digit);
// 3. Variable letter: the mnemonic letter at byte 3 or 5 is replaced, then the
//    value is encoded.
BoxCommand LetterCommand(const CommandTemplate& t, std::size_t letterPos, char letter,
                         int32_t value);
// 4. Fixed: sent exactly as stored.
BoxCommand FixedCommand(const CommandTemplate& t);

// Splits a received command into mnemonic and value; the inverse of the
// encoder as far as the box can tell ("9234" reads -1234 where negatives are
// allowed). Returns false when the bytes are no command.
struct DecodedCommand {
  std::array<char, 3> mnemonic{};
  int32_t value = 0;          // the field read as a signed value ('9' = -1000 - n)
  int32_t unsignedValue = 0;  // the field read as four digits where it has them
};
bool DecodeBoxCommand(const uint8_t* bytes, DecodedCommand& out);

}  // namespace lumera
