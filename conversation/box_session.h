#pragma once

#include <array>
#include <cstdint>

#include "conversation/settings_image.h"
#include "link/frame.h"
#include "link/link_state.h"

namespace lumera {

// What the whole tool shares, owned by the main window for the life of the
// process. All of it is touched on the UI thread only.
struct BoxSession {
  uint32_t LinkFlags = 0;
  uint32_t LinkMode = LinkMode::Normal;
  uint32_t ConversationStep = 0;
  FrameBuffer TxBuffer{};
  FrameBuffer RxBuffer{};

  uint8_t SelectedWindow = 0;
  uint8_t ModelByte = 0;
  uint8_t WindowCount = 0;
  uint32_t VersionNumber = 0;

  SettingsImage Image;
  std::array<WindowToolState, kWindows> Tools{};

  // The status masks remembered from the last status reply.
  uint32_t InputPresentMask = 0;
  uint32_t InputFlagMask = 0;
  uint32_t OutputMask = 0;
  uint32_t InputDetailMask = 0;

  uint32_t UploadItem = 0;
  uint32_t UploadWindow = 0;

  // IP, mask and gateway octets kept for the SetNetwork a TCP disconnect sends
  // last (LinkFlag::NetworkPending).
  std::array<uint8_t, 12> PendingNetwork{};

  FrameRef TxFrame() { return FrameRef(TxBuffer); }
  FrameRef RxFrame() { return FrameRef(RxBuffer); }

  bool Has(uint32_t flag) const { return (LinkFlags & flag) != 0; }
  void Set(uint32_t flag) { LinkFlags |= flag; }
  void Clear(uint32_t flag) { LinkFlags &= ~flag; }
  bool Connected() const { return Has(LinkFlag::Connected); }
  void ClearStatusMasks() { InputPresentMask = InputFlagMask = OutputMask = InputDetailMask = 0; }
};

}  // namespace lumera
