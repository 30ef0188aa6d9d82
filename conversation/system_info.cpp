#include "conversation/system_info.h"

#include "conversation/model_family.h"

namespace lumera {

SystemInfo ParseSystemInfo(const FrameRef& r) {
  SystemInfo info;
  const uint8_t w = r.U8(10);
  info.selectedWindow = w < kWindows ? w : 0;
  info.modelByte = r.U8(11);
  info.versionNumber =
      (static_cast<uint32_t>(r.U8(12)) << 16) | (static_cast<uint32_t>(r.U8(13)) << 8) | r.U8(14);
  return info;
}

void StoreSystemInfoBlocks(const FrameRef& r, SettingsImage& im) {
  r.CopyOut(16, im.VersionText.Data(), 32);
  r.CopyOut(48, im.WindowSetup.Data(), 128);
  r.CopyOut(176, im.KeptBytes.Data(), 8);
  r.CopyOut(184, im.NetworkInfo.Data(), 16);
}

std::string VersionTextOf(const SettingsImage& im) {
  std::string text;
  for (uint8_t c : im.VersionText.bytes) {
    if (c == 0) break;
    text += static_cast<char>(c);
  }
  return text;
}

std::string McuVersionText(const SettingsImage& im, uint32_t versionNumber) {
  return VersionTextOf(im).substr(0, 3) + "M" + std::to_string(versionNumber);
}

bool IsVariantWithoutBlend1(const SettingsImage& im) {
  const std::string text = VersionTextOf(im);
  return text.size() > 3 && text[3] == 'L';
}

uint8_t UsableWindowCount(uint8_t modelByte) {
  const uint8_t n = WindowCountOf(modelByte);
  if (n < 1) return 1;
  return n > kWindows ? kWindows : n;
}

}  // namespace lumera
