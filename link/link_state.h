#pragma once

#include <cstdint>

namespace lumera {

// Bits of LinkFlags, the link-state word. It is 0 at start and at every connect.
namespace LinkFlag {
inline constexpr uint32_t Connected = 0x001;
inline constexpr uint32_t RefreshGuard = 0x002;  // a page is loading: nothing is sent
inline constexpr uint32_t WaitShown = 0x008;
inline constexpr uint32_t Restarting = 0x010;
inline constexpr uint32_t NoBlend1 = 0x020;
inline constexpr uint32_t StatusPageRefresh = 0x040;
inline constexpr uint32_t RereadRequested = 0x080;
inline constexpr uint32_t StatusOutstanding = 0x100;
inline constexpr uint32_t TimerWasOff = 0x200;
inline constexpr uint32_t NetworkPending = 0x400;
}  // namespace LinkFlag

// Which reply handler runs.
namespace LinkMode {
inline constexpr uint32_t Normal = 0;
inline constexpr uint32_t FirmwareLoader = 1;
inline constexpr uint32_t SecondLoader = 2;  // no reply handler
inline constexpr uint32_t SecondFamily = 3;
}  // namespace LinkMode

}  // namespace lumera
