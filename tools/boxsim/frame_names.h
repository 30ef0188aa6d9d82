#pragma once

#include <cstdint>
#include <string_view>

namespace lumera::boxsim {

// The name of a FrameCode for the frame log, or "unknown".
std::string_view FrameName(uint32_t code);

}  // namespace lumera::boxsim
