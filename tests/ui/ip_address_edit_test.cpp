#include "app/ip_address_edit.h"

#include <gtest/gtest.h>

#include <QLineEdit>

namespace lumera {
namespace {

TEST(IpAddressEdit, ReadsBackDottedTextWhateverFormItWasGiven) {
  TIpAddressEdit edit;
  const struct {
    const char* in;
    const char* out;
  } cases[] = {
      {"192.168.0.100", "192.168.0.100"},
      {"10.1.2.3.", "10.1.2.3"},
      {"300.1.2.3", "255.1.2.3"},
      {"1.2", "1.2.0.0"},
      {"a.b.c.d", "0.0.0.0"},
      {"", "0.0.0.0"},
  };
  for (const auto& c : cases) {
    edit.SetText(c.in);
    EXPECT_EQ(edit.Text(), c.out) << c.in;
  }
  edit.SetText("172.16.5.9.");
  EXPECT_EQ(edit.Octets(), (std::array<uint8_t, 4>{172, 16, 5, 9}));
  EXPECT_EQ(edit.Octet(3)->text(), "9");
}

}  // namespace
}  // namespace lumera
