#include "link/encode_value.h"

#include <gtest/gtest.h>

#include <string>

namespace lumera {
namespace {

std::string Encoded(int32_t v) {
  char field[5] = "????";
  EncodeValue(v, field);
  return field;
}

TEST(EncodeValue, WritesTheBoxValueField) {
  const struct {
    int32_t value;
    const char* field;
  } cases[] = {
      {0, "+000"},     {22, "+022"},    {999, "+999"},  {1000, "1000"}, {1920, "1920"},
      {9999, "9999"},  {-1, "-001"},    {-300, "-300"}, {-999, "-999"}, {-1000, "9000"},
      {-1234, "9234"}, {-1999, "9999"}, {5, "+005"},    {120, "+120"},  {3600, "3600"},
  };
  for (const auto& c : cases) EXPECT_EQ(Encoded(c.value), c.field) << c.value;
}

TEST(EncodeValue, NeverWritesOutsideTheField) {
  for (int32_t v : {10000, 123456, -2500, -999999, INT32_MIN, INT32_MAX}) {
    char buf[6] = {'<', '?', '?', '?', '?', '>'};
    EncodeValue(v, buf + 1);
    EXPECT_EQ(buf[0], '<') << v;
    EXPECT_EQ(buf[5], '>') << v;
  }
}

}  // namespace
}  // namespace lumera
