#include "conversation/settings_image.h"

#include <gtest/gtest.h>

#include <vector>

namespace lumera {
namespace {

constexpr uint8_t kOld = 0xCD;

class ResetWindowDefaultsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (BlockId id : kSettingFileOrder) {
      BlockBytes b = BlockOf(image, id);
      std::fill(b.data, b.data + b.size, kOld);
    }
    image.InputInfo.bytes.fill(kOld);
    image.InputExtra.bytes.fill(kOld);
    for (WindowToolState& t : tools) {
      t.AdjustStep = 1;
      t.PatternIndex = 5;
    }
    ResetWindowDefaults(image, tools, 1);
  }
  std::vector<uint8_t> Entry(BlockId id, unsigned w, std::size_t from, std::size_t n) {
    BlockBytes b = BlockOf(image, id);
    const uint8_t* e = b.data + w * b.entrySize + from;
    return {e, e + n};
  }
  SettingsImage image;
  std::array<WindowToolState, kWindows> tools{};
};

TEST_F(ResetWindowDefaultsTest, WritesTheDefaultsByteForByte) {
  using B = std::vector<uint8_t>;
  EXPECT_EQ(Entry(BlockId::PictureSettings, 1, 0, 12),
            (B{50, 75, 5, 50, 50, 3, 255, 255, 255, 0, 0, kOld}));
  EXPECT_EQ(Entry(BlockId::WindowSetup, 1, 0, 18), (B{kOld, kOld, kOld, 0, kOld, 30, 0, 0, kOld,
                                                      kOld, kOld, kOld, 32, 0, 0, 0, kOld, kOld}));
  EXPECT_EQ(Entry(BlockId::WindowSetup, 0, 0, 1), B{0}) << "the box id lives in entry 0";
  // Gamma 220 (0xDC) as words, gains 50, offset 220, colour gains and offsets 50.
  EXPECT_EQ(Entry(BlockId::BlendGamma, 1, 0, 16),
            (B{0xDC, 0, 0xDC, 0, 0xDC, 0, 50, 50, 50, 220, 50, 50, 50, 50, 50, 50}));
  EXPECT_EQ(Entry(BlockId::BlendEdges, 1, 0, 16),
            (B{0, 0, 0, 0, 0, 0, 0, 0, 0x2C, 1, 0x2C, 1, 0x2C, 1, 0x2C, 1}));
  EXPECT_EQ(Entry(BlockId::WallSettings, 1, 0, 16),
            (B{0, 0, 0, 0, 0x08, 7, 0x08, 7, 0x08, 7, 0x08, 7, kOld, kOld, kOld, kOld}));
  EXPECT_EQ(
      Entry(BlockId::SubWindowLayout, 1, 0, 22),
      (B{0, 50, 0, 0, 0, 0, 0, 0, 0, kOld, 0x08, 7, 0x08, 7, 0x08, 7, 0x08, 7, 0, 0, 0, kOld}));
  EXPECT_EQ(Entry(BlockId::SubWindowLayout, 1, 42, 12), B(12, kOld));
  EXPECT_EQ(Entry(BlockId::SubWindowColour, 1, 0, 8), (B{50, 75, 255, 255, 255, kOld, kOld, kOld}));
  EXPECT_EQ(Entry(BlockId::EdidSettings, 1, 32, 8), (B{kOld, 0, 0x80, 7, 0x38, 4, kOld, kOld}));
  EXPECT_EQ(Entry(BlockId::BlackLevel, 1, 0, 30), [] {
    B b(27, 0);
    b.insert(b.end(), 3, kOld);
    return b;
  }());
  EXPECT_EQ(Entry(BlockId::CornerPoints, 1, 28, 4), (B{0xB0, 4, 0x84, 3}));
  EXPECT_EQ(Entry(BlockId::MaskPoints, 1, 0, 4), (B{0x84, 3, 0x84, 3}));
  EXPECT_EQ(Entry(BlockId::WarpGrid, 1, 676, 4), (B{0x58, 2, 0x58, 2}));
  EXPECT_EQ(Entry(BlockId::WarpCorners, 1, 12, 4), (B{0x58, 2, 0x58, 2}));
  EXPECT_EQ(Entry(BlockId::WarpCurve, 1, 44, 4), (B{0xB0, 4, 0xB0, 4}));
  EXPECT_EQ(tools[1].AdjustStep, 8);
  EXPECT_EQ(tools[1].PatternIndex, 0);
}

TEST_F(ResetWindowDefaultsTest, LeavesEverythingElseAlone) {
  const BlockId untouched[] = {BlockId::WarpMode, BlockId::RawGridInfo, BlockId::RawGrid};
  for (BlockId id : untouched) {
    BlockBytes b = BlockOf(image, id);
    EXPECT_EQ(std::count(b.data, b.data + b.size, kOld), static_cast<long>(b.size));
  }
  EXPECT_EQ(std::count(image.InputInfo.bytes.begin(), image.InputInfo.bytes.end(), kOld), 128);
  EXPECT_EQ(std::count(image.InputExtra.bytes.begin(), image.InputExtra.bytes.end(), kOld), 128);
  // The other windows keep every byte (but the box id in entry 0).
  for (BlockId id : kSettingFileOrder) {
    BlockBytes b = BlockOf(image, id);
    if (b.entrySize == 1) continue;
    for (unsigned w : {0u, 2u, 3u}) {
      const std::size_t skip = (id == BlockId::WindowSetup && w == 0) ? 1 : 0;
      const uint8_t* e = b.data + w * b.entrySize;
      EXPECT_EQ(std::count(e + skip, e + b.entrySize, kOld), static_cast<long>(b.entrySize - skip))
          << "block " << static_cast<int>(id) << " window " << w;
    }
  }
  EXPECT_EQ(tools[0].AdjustStep, 1);
  EXPECT_EQ(tools[3].PatternIndex, 5);
}

TEST(ResetSubWindowColour, AllTwelveEntriesKeepTheirLastThreeBytes) {
  SettingsImage image;
  image.SubWindowColour.bytes.fill(kOld);
  ResetSubWindowColour(image);
  for (unsigned w = 0; w < 4; ++w)
    for (unsigned s = 0; s < 3; ++s) {
      const uint8_t* e = image.SubWindowColour.Entry(w) + 8 * s;
      EXPECT_EQ(std::vector<uint8_t>(e, e + 8),
                (std::vector<uint8_t>{50, 75, 255, 255, 255, kOld, kOld, kOld}));
    }
}

TEST(SettingsImage, SettingFileBlocksAreTheBoxSizes) {
  SettingsImage image;
  std::size_t total = 0;
  for (BlockId id : kSettingFileOrder) total += BlockOf(image, id).size;
  EXPECT_EQ(total, 6136u - 16u);
  EXPECT_EQ(BlockOf(image, BlockId::WarpGrid).entrySize, 680u);
  EXPECT_EQ(BlockOf(image, BlockId::RawGrid).size, 1920u);
  EXPECT_EQ(image.SubWindowLayout.Entry(9), image.SubWindowLayout.Entry(3))
      << "an out-of-range window reads the last entry, never past the block";
}

}  // namespace
}  // namespace lumera
