#pragma once

#include <cstddef>
#include <cstring>

#include "conversation/settings_image.h"
#include "link/frame.h"
#include "link/frame_codes.h"
#include "tools/boxsim/box_model.h"

namespace lumera::boxsim {

// A zeroed reply with the box's magic and the code of the request it answers.
inline void BeginReply(WireFrame& f, uint32_t code) {
  f.fill(0);
  WriteU32(f.data(), ReplyMagic);
  WriteU32(f.data() + 4, code);
}

// Copies a whole image block to a reply offset; a block that would not fit
// is cut at the frame's end.
template <std::size_t S, std::size_t E>
void PutBlock(WireFrame& f, std::size_t offset, const Block<S, E>& block) {
  if (offset >= f.size()) return;
  const std::size_t n = S < f.size() - offset ? S : f.size() - offset;
  std::memcpy(f.data() + offset, block.Data(), n);
}

}  // namespace lumera::boxsim
