// The ASCII commands a box understands, applied to its settings image.

#include <algorithm>
#include <cstring>
#include <string_view>

#include "conversation/input_names.h"
#include "conversation/model_family.h"
#include "link/box_command.h"
#include "pages/timing_table.h"
#include "tools/boxsim/box_model.h"

namespace lumera::boxsim {

namespace {

uint8_t Byte(int32_t v) {
  return static_cast<uint8_t>(std::clamp<int32_t>(v, 0, 255));
}
uint16_t Word(int32_t v) {
  return static_cast<uint16_t>(std::clamp<int32_t>(v, 0, 65535));
}

// FamilyM boxes take colour gains as a percentage and keep 0-255.
uint8_t PercentToGain(int32_t p) {
  p = std::clamp<int32_t>(p, 0, 100);
  if (p == 50) return 128;
  if (p > 50) return static_cast<uint8_t>(128 + ((p - 50) * 127 + 25) / 50);
  return static_cast<uint8_t>((p * 128 + 25) / 50);
}

int SideIndex(char c) {
  switch (c) {
    case 'L':
      return 0;
    case 'R':
      return 1;
    case 'T':
      return 2;
    case 'B':
      return 3;
    default:
      return -1;
  }
}

int ColourIndex(char c) {
  switch (c) {
    case 'R':
      return 0;
    case 'G':
      return 1;
    case 'B':
      return 2;
    default:
      return -1;
  }
}

struct PictureByte {
  std::string_view mnemonic;
  std::size_t offset;
};
constexpr PictureByte kPictureBytes[] = {
    {"BRI", 0}, {"CON", 1}, {"HUE", 3}, {"XAT", 4}, {"CLR", 5}, {"ORI", 9},
};
constexpr PictureByte kWallBytes[] = {{"HZM", 0}, {"VZM", 1}, {"HPN", 2}, {"VPN", 3}};
constexpr PictureByte kGainBytes[] = {{"RGN", 6}, {"GGN", 7}, {"BGN", 8}};
constexpr PictureByte kSetupBytes[] = {
    {"SBW", 13}, {"CMR", 12}, {"GRD", 12}, {"3DI", 14}, {"3DO", 15}, {"HDO", 6}, {"DCM", 7},
};

}  // namespace

void BoxModel::ApplyCommand(const uint8_t* command) {
  DecodedCommand d;
  if (!DecodeBoxCommand(command, d)) return;
  const std::string_view m(d.mnemonic.data(), d.mnemonic.size());
  const int32_t v = d.unsignedValue;
  const unsigned w = selectedWindow_;
  const Family family = FamilyOf(config_.modelByte);
  uint8_t* pic = image_.PictureSettings.Entry(w);
  uint8_t* setup = image_.WindowSetup.Entry(w);
  uint8_t* wall = image_.WallSettings.Entry(w);
  uint8_t* layout = image_.SubWindowLayout.Entry(w);

  for (const PictureByte& b : kPictureBytes)
    if (m == b.mnemonic) return Set(pic, U8{b.offset}, Byte(v));
  for (const PictureByte& b : kGainBytes)
    if (m == b.mnemonic)
      return Set(pic, U8{b.offset}, family == Family::M ? PercentToGain(v) : Byte(v));
  for (const PictureByte& b : kWallBytes)
    if (m == b.mnemonic) return Set(wall, U8{b.offset}, Byte(v));
  for (const PictureByte& b : kSetupBytes)
    if (m == b.mnemonic) {
      Set(setup, U8{b.offset}, Byte(v));
      return RefreshBoxOwnedBytes();
    }

  const unsigned sub = std::min<unsigned>(Get(setup, WindowSetupField::SubWindow), 2);
  uint8_t* subWin = layout + SubWindowField::Sub(sub);
  uint8_t* edges = image_.BlendEdges.Entry(w);
  uint8_t* gamma = image_.BlendGamma.Entry(w);

  if (m == "XHA") {
    Set(pic, PictureField::Sharpness, Byte(v / 10));
  } else if (m == "XCL") {
    Set(pic, PictureField::Scaling, v < 2 ? Byte(v) : 5);
  } else if (m == "INP") {
    Set(setup, WindowSetupField::InputCode, MapInput(config_.modelByte, v));
  } else if (m == "MUT") {
    if (v == 2) {
      Set(setup, WindowSetupField::AudioMute, 1);
    } else {
      Set(setup, WindowSetupField::AudioMute, 0);
      Set(setup, WindowSetupField::AudioSource, Byte(v));
    }
  } else if (m == "OPM") {
    if (v >= 0) {
      if (const auto code = TimingCodeOfTag(config_.modelByte, static_cast<unsigned>(v)))
        Set(setup, WindowSetupField::TimingCode, *code);
    }
  } else if (m == "CMW") {
    Set(setup, WindowSetupField::CusWidth, Word(v));
  } else if (m == "CMH") {
    Set(setup, WindowSetupField::CusHeight, Word(v));
  } else if (m == "BID") {
    Set(image_.WindowSetup.Entry(0), WindowSetupField::BoxId, Byte(v));
  } else if (m == "PIO") {
    Set(layout, SubWindowField::PipMode, Byte(v));
  } else if (m == "PIZ") {
    Set(layout, SubWindowField::InsetSize, Byte(v));
  } else if (m == "PIH") {
    Set(layout, SubWindowField::InsetX, Word(v));
  } else if (m == "PIV") {
    Set(layout, SubWindowField::InsetY, Word(v));
  } else if (m == "PIT") {
    Set(subWin, SubWindowField::Input, MapInput(config_.modelByte, v));
  } else if (m == "POR") {
    Set(subWin, SubWindowField::Orientation, Byte(v));
  } else if (m == "PIR") {
    Set(subWin, SubWindowField::Ratio, Byte(v));
  } else if (m == "WPM") {
    image_.WarpMode.bytes[w] = Byte(v);
  } else if (m == "EBC") {
    blendControl_ = v;
  } else if (m == "EBL") {
    Set(gamma, BlendGammaField::Offset, Byte(v));
  } else if (m.substr(1) == "EB" && SideIndex(m[0]) >= 0) {
    Set(edges, BlendEdgeField::Width[SideIndex(m[0])], Word(v));
  } else if (m.substr(0, 2) == "EF" && SideIndex(m[2]) >= 0) {
    // Shifts travel as offsets from 300, the only signed field of the box.
    Set(edges, BlendEdgeField::Shift[SideIndex(m[2])],
        static_cast<uint16_t>(std::clamp<int32_t>(d.value + 300, 200, 800)));
  } else if (m.substr(0, 2) == "EB" && ColourIndex(m[2]) >= 0) {
    Set(gamma, BlendGammaField::Transfer[ColourIndex(m[2])], Word(v));
  } else if (m.substr(0, 2) == "GG" && ColourIndex(m[2]) >= 0) {
    Set(gamma, BlendGammaField::Gain[ColourIndex(m[2])], Byte(v));
  } else if (m.substr(0, 2) == "EG" && ColourIndex(m[2]) >= 0) {
    Set(gamma, BlendGammaField::ColourGain[ColourIndex(m[2])], Byte(v));
  } else if (m.substr(0, 2) == "EO" && ColourIndex(m[2]) >= 0) {
    Set(gamma, BlendGammaField::ColourOffset[ColourIndex(m[2])], Byte(v));
  } else if (m == "PFV") {
    SaveProfile(v);
  } else if (m == "PFA") {
    LoadProfile(v);
  } else if (m == "RXT") {
    if (v == 1) {
      ResetBox(false);
    } else if (v == 2) {
      std::memset(wall, 0, 4);
      for (U16 f : WallField::Overlap) Set(wall, f, 1800);
    }
  } else if (m == "VKY") {
    if (v == 250) ResetBox(true);
  } else if (m == "CEW" || m == "CEV" || m == "EDI" || m == "PWR" || m.substr(0, 2) == "TX") {
    ApplyK712Command(d.mnemonic.data(), v);
  } else {
    ApplyEdidCommand(d.mnemonic.data(), v);
  }
}

void BoxModel::ApplyEdidCommand(const char* mnemonic, int32_t value) {
  const std::string_view input(mnemonic, 2);
  const bool m = FamilyOf(config_.modelByte) == Family::M;
  int record = -1;
  if (input == "H1") {
    record = m ? 1 : 0;
  } else if (input == "H2") {
    record = m ? 0 : 1;
  } else if (input == "H3") {
    record = 2;
  } else if (input == "DP") {
    record = m ? 2 : 3;
  } else if (input == "D2") {
    record = 4;
  } else if (input == "V1" || input == "VG") {
    record = 3;
  }
  if (record < 0) return;
  uint8_t* r = image_.EdidSettings.Entry(selectedWindow_) + EdidField::Record(record);
  switch (mnemonic[2]) {
    case 'E':
      Set(r, EdidField::Preset, Byte(value));
      break;
    case 'W':
      Set(r, EdidField::Width, Word(value));
      break;
    case 'V':
      Set(r, EdidField::Height, Word(value));
      break;
    default:
      break;
  }
}

void BoxModel::ApplyK712Command(const char* mnemonic, int32_t value) {
  const std::string_view m(mnemonic, 3);
  if (m == "PWR") {
    k712_.powerOff = value == 0 ? 1 : 0;
  } else if (m == "EDI") {
    if (value >= 0 && value <= 16) k712_.edidPreset = static_cast<uint16_t>(value);
  } else if (m == "CEW") {
    k712_.edidWidth = Word(value);
  } else if (m == "CEV") {
    k712_.edidHeight = Word(value);
  } else if (m[2] >= '1' && m[2] <= '4') {
    k712_.outputEnable[m[2] - '1'] = value != 0 ? 1 : 0;
  }
}

void BoxModel::SaveProfile(int32_t index) {
  if (index < 0 || index >= static_cast<int32_t>(kProfiles)) return;
  for (BlockId id : kSettingFileOrder) {
    const BlockBytes from = BlockOf(image_, id);
    std::memcpy(BlockOf(profiles_[index], id).data, from.data, from.size);
  }
}

void BoxModel::LoadProfile(int32_t index) {
  if (index < 0 || index >= static_cast<int32_t>(kProfiles)) return;
  for (BlockId id : kSettingFileOrder) {
    const BlockBytes to = BlockOf(image_, id);
    std::memcpy(to.data, BlockOf(profiles_[index], id).data, to.size);
  }
  RefreshBoxOwnedBytes();
}

}  // namespace lumera::boxsim
