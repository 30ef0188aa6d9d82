// Binary writes: window selection, warp points, raw grid, blend points,
// register writes, the setting-file upload and the network settings.

#include <algorithm>
#include <cstring>

#include "link/frame_codes.h"
#include "tools/boxsim/box_model.h"

namespace lumera::boxsim {

namespace {

constexpr uint16_t kWarpMax = 1200;
constexpr uint16_t kCurveMax = 2400;
constexpr uint16_t kOverlapMax = 3600;
constexpr uint8_t kCornerWarpMode = 1;
// The largest data run a 512-byte WriteBlock frame can carry (data from 16).
constexpr std::size_t kMaxBlockData = kTcpFrameSize - 16;

namespace Register {
constexpr uint8_t SubColour = 0x34;
constexpr uint8_t Overlap = 0x35;
constexpr uint8_t BlendMarker = 0xAE;
constexpr uint8_t WarpReset = 0xB2;
constexpr uint8_t LineMove = 0xB3;
}  // namespace Register

namespace UploadBlock {
constexpr uint8_t WarpGrid = 0xC0;
constexpr uint8_t WarpExtras = 0xC1;
constexpr uint8_t Blend = 0xC2;
constexpr uint8_t Picture = 0xC3;
constexpr uint8_t Wall = 0xC4;
constexpr uint8_t SubWindows = 0xC5;
constexpr uint8_t Edid = 0xC6;
constexpr uint8_t WindowSetup = 0xC7;
constexpr uint8_t RawGrid = 0xC8;
}  // namespace UploadBlock

// The region codes of black level, corner and mask writes are lattice point
// indexes; black level keeps its nine slots in another order.
constexpr uint8_t kRegionCodes[9] = {0x00, 0x08, 0x10, 0x44, 0x4E, 0x54, 0x88, 0x90, 0x98};
constexpr uint8_t kBlackLevelSlot[9] = {5, 3, 6, 1, 0, 2, 7, 4, 8};
constexpr uint8_t kOutlineCodes[8] = {0x00, 0x08, 0x10, 0x44, 0x54, 0x88, 0x90, 0x98};

template <std::size_t N>
int IndexOf(const uint8_t (&codes)[N], uint8_t code) {
  for (std::size_t i = 0; i < N; ++i)
    if (codes[i] == code) return static_cast<int>(i);
  return -1;
}

void CopyInto(uint8_t* dst, std::size_t room, const uint8_t* src, std::size_t n) {
  std::memcpy(dst, src, std::min(room, n));
}

// Into the whole entry of window w of a block.
template <std::size_t S, std::size_t E>
void CopyIntoEntry(Block<S, E>& block, unsigned w, const uint8_t* src, std::size_t n) {
  CopyInto(block.Entry(w), E, src, n);
}

uint16_t Limit(uint16_t v, uint16_t max) {
  return v > max ? max : v;
}

void SetAxis(uint8_t* entry, std::size_t point, bool y, uint16_t v) {
  Point p = GetPoint(entry, point);
  (y ? p.y : p.x) = v;
  SetPoint(entry, point, p);
}

uint16_t Axis(const uint8_t* entry, std::size_t point, bool y) {
  const Point p = GetPoint(entry, point);
  return y ? p.y : p.x;
}

}  // namespace

void BoxModel::ApplySelectWindow(const uint8_t* rq) {
  if (rq[8] < WindowCount()) selectedWindow_ = rq[8];
}

void BoxModel::ApplyWarpSelect(const uint8_t* rq) {
  const unsigned w = selectedWindow_;
  if (rq[8] == SubCode::WarpCursor) {
    const int16_t index = static_cast<int16_t>(ReadU16(rq + 10));
    if (index >= -1 && index < static_cast<int16_t>(WarpField::kPoints)) warpPoint_[w] = index;
  } else if (rq[8] == SubCode::RawGridCell) {
    rawCell_[w] = RawGridCell{rq[10], rq[11]};
  }
}

void BoxModel::ApplyWarpPoint(const uint8_t* rq, bool y, WireFrame& f) {
  const unsigned w = selectedWindow_;
  uint16_t value = Limit(ReadU16(rq + 10), kWarpMax);
  if (warpPoint_[w] >= 0) {
    uint8_t* grid = image_.WarpGrid.Entry(w);
    SetAxis(grid, static_cast<std::size_t>(warpPoint_[w]), y, value);
    value = Axis(grid, static_cast<std::size_t>(warpPoint_[w]), y);
  }
  WriteU16(f.data() + 8, value);
}

void BoxModel::ApplyWarpCorner(const uint8_t* rq, bool y, WireFrame& f) {
  const unsigned w = selectedWindow_;
  uint16_t value = Limit(ReadU16(rq + 12), kWarpMax);
  const uint8_t corner = rq[10];
  if (corner < WarpField::kCorners) {
    uint8_t* corners = image_.WarpCorners.Entry(w);
    SetAxis(corners, corner, y, value);
    value = Axis(corners, corner, y);
    // A corner write is what puts the box into corner warp.
    image_.WarpMode.bytes[w] = kCornerWarpMode;
  }
  WriteU16(f.data() + 8, value);
}

void BoxModel::ApplyWarpCurve(const uint8_t* rq, bool y, WireFrame& f) {
  const unsigned w = selectedWindow_;
  uint8_t* curve = image_.WarpCurve.Entry(w);
  if (warpPoint_[w] >= 0) {
    const unsigned column = static_cast<unsigned>(warpPoint_[w]) % WarpField::kColumns;
    const unsigned row = static_cast<unsigned>(warpPoint_[w]) / WarpField::kColumns;
    unsigned index = (row / 4) * 5 + column / 4;
    if (index > 5) index -= 3;
    if (index < WarpField::kCurvePoints)
      SetAxis(curve, index, y, Limit(ReadU16(rq + 10), kCurveMax));
  }
  std::memcpy(f.data() + 8, curve, image_.WarpCurve.kEntrySize);
}

void BoxModel::ApplyRawGridAdjust(const uint8_t* rq) {
  const unsigned w = selectedWindow_;
  const RawGridCell cell = rawCell_[w];
  uint8_t* entries = image_.RawGrid.Entry(w);
  unsigned count = std::min<unsigned>(image_.RawGridInfo.bytes[w], RawGridField::kMaxEntries);
  const uint8_t selector = rq[10];
  const uint8_t value = rq[11];
  auto matches = [&](unsigned i) {
    return entries[4 * i] == cell.column && entries[4 * i + 1] == cell.row;
  };

  if (selector == 2) {
    unsigned kept = 0;
    for (unsigned i = 0; i < count; ++i)
      if (!matches(i)) std::memmove(entries + 4 * kept++, entries + 4 * i, 4);
    std::memset(entries + 4 * kept, 0, 4 * (count - kept));
    count = kept;
  } else if (selector <= 1) {
    bool found = false;
    for (unsigned i = 0; i < count; ++i) {
      if (!matches(i)) continue;
      entries[4 * i + (selector == 1 ? 2 : 3)] = value;
      found = true;
    }
    if (!found && count < RawGridField::kMaxEntries) {
      uint8_t* e = entries + 4 * count++;
      e[0] = cell.column;
      e[1] = cell.row;
      e[2] = selector == 1 ? value : 50;
      e[3] = selector == 1 ? 50 : value;
    }
  }
  image_.RawGridInfo.bytes[w] = static_cast<uint8_t>(count);
}

void BoxModel::ApplyBlendPoint(const uint8_t* rq) {
  const unsigned w = selectedWindow_;
  const uint32_t code = ReadU32(rq + 4);
  const uint8_t region = rq[10];
  const uint8_t which = rq[11];
  const uint16_t value = ReadU16(rq + 12);
  if (code == FrameCode::BlackLevelWrite) {
    const int tag = IndexOf(kRegionCodes, region);
    if (tag < 0 || which > 2) return;
    image_.BlackLevel.Entry(w)[3 * kBlackLevelSlot[tag] + which] =
        static_cast<uint8_t>(Limit(value, 255));
    return;
  }
  const int tag = IndexOf(kOutlineCodes, region);
  if (tag < 0 || which > 1) return;
  const bool y = which == 1;
  if (code == FrameCode::CornerPointWrite) {
    SetAxis(image_.CornerPoints.Entry(w), tag, y, Limit(value, y ? 1800 : 2400));
  } else {
    SetAxis(image_.MaskPoints.Entry(w), tag, y, Limit(value, 1800));
  }
}

void BoxModel::ApplyRegisterWrite(const uint8_t* rq) {
  const unsigned w = rq[8];
  if (w >= kWindows) return;
  switch (rq[12]) {
    case Register::Overlap: {
      const uint8_t target = rq[13];
      uint8_t* overlaps = nullptr;
      if (target == 0) {
        uint8_t* wall = image_.WallSettings.Entry(w);
        std::memcpy(wall + WallField::Extra[0].offset, rq + 14, 4);
        overlaps = wall + WallField::Overlap[0].offset;
      } else if (target <= SubWindowField::kSubWindows) {
        overlaps = image_.SubWindowLayout.Entry(w) + SubWindowField::Sub(target - 1) +
                   SubWindowField::Overlap[0].offset;
      } else {
        return;
      }
      for (unsigned k = 0; k < 4; ++k)
        WriteU16(overlaps + 2 * k, Limit(ReadU16(rq + 18 + 2 * k), kOverlapMax));
      break;
    }
    case Register::SubColour: {
      const uint8_t colour = rq[13];
      const uint8_t sub = rq[14];
      if (colour < 5 && sub >= 1 && sub <= SubWindowField::kSubWindows)
        image_.SubWindowColour.Entry(w)[SubColourField::Sub(sub - 1) + colour] = rq[15];
      break;
    }
    case Register::BlendMarker:
      marker_[w] = rq[14];
      break;
    case Register::LineMove: {
      const bool y = rq[13] == 1;
      const uint8_t line = rq[14];
      const bool forward = rq[15] == 1;
      const uint8_t step = rq[16];
      const bool rowLine = rq[17] == 1;
      uint8_t* grid = image_.WarpGrid.Entry(w);
      auto move = [&](unsigned point) {
        const int v = Axis(grid, point, y) + (forward ? step : -step);
        SetAxis(grid, point, y, static_cast<uint16_t>(std::clamp(v, 0, int{kWarpMax})));
      };
      if (rowLine) {
        const unsigned row = line / WarpField::kColumns;
        if (row >= WarpField::kRows) return;
        for (unsigned c = 0; c < WarpField::kColumns; ++c) move(row * WarpField::kColumns + c);
      } else {
        if (line < 136 || line - 136u >= WarpField::kColumns) return;
        for (unsigned r = 0; r < WarpField::kRows; ++r)
          move(r * WarpField::kColumns + (line - 136u));
      }
      break;
    }
    case Register::WarpReset: {
      const uint8_t kind = rq[14];
      auto fill = [](uint8_t* entry, unsigned n, uint16_t v) {
        for (unsigned i = 0; i < n; ++i) SetPoint(entry, i, {v, v});
      };
      if (kind == 0) fill(image_.WarpCorners.Entry(w), WarpField::kCorners, WarpField::kNeutral);
      if (kind == 1) fill(image_.WarpGrid.Entry(w), WarpField::kSlots, WarpField::kNeutral);
      if (kind == 2) {
        fill(image_.WarpCurve.Entry(w), WarpField::kCurvePoints, WarpField::kCurveNeutral);
      }
      break;
    }
    default:
      break;
  }
}

void BoxModel::ApplyWriteBlock(const uint8_t* rq) {
  const unsigned w = rq[8];
  if (w >= kWindows) return;
  const uint8_t piece = rq[12];
  const uint8_t* data = rq + 16;
  const std::size_t n = std::min<std::size_t>(ReadU16(rq + 14), kMaxBlockData);

  switch (rq[10]) {
    case UploadBlock::WarpGrid: {
      const unsigned first = ReadU16(rq + 12);
      if (first < WarpField::kSlots)
        CopyInto(image_.WarpGrid.Entry(w) + 4 * first, 4 * (WarpField::kSlots - first), data, n);
      break;
    }
    case UploadBlock::WarpExtras:
      image_.WarpMode.bytes[w] = piece;
      if (rq[13] == 0) {
        CopyIntoEntry(image_.WarpCorners, w, data, n);
      } else {
        CopyIntoEntry(image_.WarpCurve, w, data, n);
      }
      break;
    case UploadBlock::RawGrid:
      if (piece < RawGridField::kMaxEntries)
        CopyInto(image_.RawGrid.Entry(w) + 4 * piece, RawGridField::kUsedBytes - 4u * piece, data,
                 n);
      // The last piece carries the number of valid entries.
      if (piece >= 96)
        image_.RawGridInfo.bytes[w] = std::min<uint8_t>(rq[13], RawGridField::kMaxEntries);
      break;
    case UploadBlock::Blend:
      if (piece == 0) {
        const std::size_t edges = image_.BlendEdges.kEntrySize;
        CopyInto(image_.BlendEdges.Entry(w), edges, data, n);
        if (n > edges) CopyIntoEntry(image_.BlendGamma, w, data + edges, n - edges);
      } else if (piece == 1) {
        CopyIntoEntry(image_.BlackLevel, w, data, n);
      } else if (piece == 2) {
        CopyIntoEntry(image_.CornerPoints, w, data, n);
      } else if (piece == 3) {
        CopyIntoEntry(image_.MaskPoints, w, data, n);
      }
      break;
    case UploadBlock::Picture:
      CopyIntoEntry(image_.PictureSettings, w, data, n);
      break;
    case UploadBlock::Wall:
      CopyIntoEntry(image_.WallSettings, w, data, n);
      break;
    case UploadBlock::SubWindows:
      if (piece == 0) {
        CopyIntoEntry(image_.SubWindowLayout, w, data, n);
      } else if (piece == 1) {
        CopyIntoEntry(image_.SubWindowColour, w, data, n);
      }
      break;
    case UploadBlock::Edid:
      CopyIntoEntry(image_.EdidSettings, w, data, n);
      break;
    case UploadBlock::WindowSetup:
      CopyIntoEntry(image_.WindowSetup, w, data, n);
      RefreshBoxOwnedBytes();
      break;
    default:
      break;
  }
}

bool BoxModel::ApplyBlocksDone(const uint8_t* rq) {
  return rq[8] + 1u >= WindowCount();
}

void BoxModel::ApplyNetwork(const uint8_t* rq) {
  uint8_t* net = image_.NetworkInfo.Data();
  const bool dhcp = rq[8] == 1;
  WriteU32(net, dhcp ? 1 : 0);
  if (!dhcp) std::memcpy(net + 4, rq + 9, 12);
}

}  // namespace lumera::boxsim
