#include "link/box_command.h"

#include "link/encode_value.h"

namespace lumera {

BoxCommand EncodedCommand(const CommandTemplate& t, int32_t value) {
  BoxCommand c = t.Copy();
  EncodeValue(value, c.bytes.data() + kValueFieldOffset);
  return c;
}

BoxCommand LastDigitCommand(const CommandTemplate& t, int digit) {
  BoxCommand c = t.Copy();
  c.bytes[kValueFieldOffset + 3] = static_cast<char>('0' + digit);
  return c;
}

BoxCommand LetterCommand(const CommandTemplate& t, std::size_t letterPos, char letter,
                         int32_t value) {
  BoxCommand c = EncodedCommand(t, value);
  if (letterPos >= 3 && letterPos < 6) c.bytes[letterPos] = letter;
  return c;
}

BoxCommand FixedCommand(const CommandTemplate& t) {
  return t.Copy();
}

namespace {
bool IsDigit(uint8_t c) {
  return c >= '0' && c <= '9';
}
bool IsMnemonicChar(uint8_t c) {
  return IsDigit(c) || (c >= 'A' && c <= 'Z');
}
}  // namespace

bool DecodeBoxCommand(const uint8_t* b, DecodedCommand& out) {
  if (b[0] != 's' || b[10] != '\r' || b[11] != '\n') return false;
  for (int i = 3; i < 6; ++i) {
    if (!IsMnemonicChar(b[i])) return false;
    out.mnemonic[i - 3] = static_cast<char>(b[i]);
  }
  for (int i = 7; i < 10; ++i)
    if (!IsDigit(b[i])) return false;
  const int32_t low = (b[7] - '0') * 100 + (b[8] - '0') * 10 + (b[9] - '0');
  const uint8_t sign = b[6];
  if (sign == '+') {
    out.value = out.unsignedValue = low;
  } else if (sign == '-') {
    out.value = out.unsignedValue = -low;
  } else if (IsDigit(sign)) {
    out.unsignedValue = (sign - '0') * 1000 + low;
    out.value = sign == '9' ? -(1000 + low) : out.unsignedValue;
  } else {
    return false;
  }
  return true;
}

}  // namespace lumera
