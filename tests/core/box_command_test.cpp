#include "link/box_command.h"

#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>

#include "link/command_templates.h"
#include "link/frame_sender.h"
#include "support/recording_transport.h"

namespace lumera {
namespace {

TEST(BoxCommand, EveryTemplateIsTwelveBytesWithBoxIdAndLineEnd) {
  std::set<std::string> seen;
  for (const CommandTemplate* t : kAllTemplates) {
    const std::string text(t->text, kBoxCommandSize);
    EXPECT_EQ(text.substr(0, 3), "s00") << text;
    EXPECT_EQ(text.substr(10), "\r\n") << text;
    EXPECT_EQ(t->text[kBoxCommandSize], '\0') << text;
    DecodedCommand d;
    EXPECT_TRUE(DecodeBoxCommand(reinterpret_cast<const uint8_t*>(t->text), d)) << text;
    EXPECT_TRUE(seen.insert(text).second) << "twice: " << text;
  }
  EXPECT_EQ(seen.size(), 76u);
}

TEST(BoxCommand, TheFourModifications) {
  EXPECT_EQ(EncodedCommand(Tpl::BRI, 50).Text(), "s00BRI+050\r\n");
  EXPECT_EQ(EncodedCommand(Tpl::CMW, 1920).Text(), "s00CMW1920\r\n");
  EXPECT_EQ(EncodedCommand(Tpl::PFA, 9).Text(), "s00PFA+009\r\n");
  EXPECT_EQ(LastDigitCommand(Tpl::_3DI, 1).Text(), "s003DI+001\r\n");
  EXPECT_EQ(LastDigitCommand(Tpl::TX2, 0).Text(), "s00TX2+000\r\n");
  EXPECT_EQ(LastDigitCommand(Tpl::HDO, 2).Text(), "s00HDO+002\r\n");
  EXPECT_EQ(LetterCommand(Tpl::LEB, 3, 'R', 120).Text(), "s00REB+120\r\n");
  EXPECT_EQ(LetterCommand(Tpl::EBR, 5, 'G', -5).Text(), "s00EBG-005\r\n");
  EXPECT_EQ(FixedCommand(Tpl::VKY).Text(), "s00VKY+250\r\n");
  EXPECT_EQ(FixedCommand(Tpl::PWR1).Text(), "s00PWR+001\r\n");
}

TEST(BoxCommand, DecodeReadsTheNegativeForms) {
  const struct {
    const char* text;
    int32_t value;
    int32_t unsignedValue;
  } cases[] = {
      {"s00BRI+050\r\n", 50, 50},
      {"s00LEB-300\r\n", -300, -300},
      {"s00CMW1920\r\n", 1920, 1920},
      {"s00HZM9234\r\n", -1234, 9234},
  };
  for (const auto& c : cases) {
    DecodedCommand d;
    ASSERT_TRUE(DecodeBoxCommand(reinterpret_cast<const uint8_t*>(c.text), d)) << c.text;
    EXPECT_EQ(d.value, c.value) << c.text;
    EXPECT_EQ(d.unsignedValue, c.unsignedValue) << c.text;
  }
  DecodedCommand d;
  EXPECT_FALSE(DecodeBoxCommand(reinterpret_cast<const uint8_t*>("x00BRI+050\r\n"), d));
  EXPECT_FALSE(DecodeBoxCommand(reinterpret_cast<const uint8_t*>("s00BRI+0x0\r\n"), d));
  EXPECT_FALSE(DecodeBoxCommand(reinterpret_cast<const uint8_t*>("s00bri+050\r\n"), d));
}

TEST(BoxCommand, BrightnessFrameCarriesTheCommandAtByteEightAndZerosAfter) {
  BoxSession session;
  session.LinkFlags = LinkFlag::Connected;
  session.TxBuffer.fill(0xEE);  // whatever an earlier request left
  test::RecordingTransport transport;
  FrameSender sender(session);
  sender.SetTransport(&transport);

  sender.SendBoxCommand(EncodedCommand(Tpl::BRI, 50));

  ASSERT_EQ(transport.frames.size(), 1u);
  const auto& f = transport.frames[0];
  ASSERT_EQ(f.size(), 512u);
  EXPECT_EQ(ReadU32(f.data()), 0u);
  EXPECT_EQ(ReadU32(f.data() + 4), FrameCode::SendCommand);
  const uint8_t expected[12] = {'s', '0', '0', 'B', 'R', 'I', '+', '0', '5', '0', 0x0D, 0x0A};
  EXPECT_EQ(std::memcmp(f.data() + 8, expected, 12), 0);
  for (std::size_t i = 20; i < f.size(); ++i) ASSERT_EQ(f[i], 0) << "byte " << i;
}

}  // namespace
}  // namespace lumera
