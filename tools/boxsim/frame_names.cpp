#include "tools/boxsim/frame_names.h"

#include "link/frame_codes.h"

namespace lumera::boxsim {

namespace {

struct Named {
  uint32_t code;
  std::string_view name;
};

#define LUMERA_NAMED(n) \
  Named {               \
    FrameCode::n, #n    \
  }
constexpr Named kNames[] = {
    LUMERA_NAMED(Identify),         LUMERA_NAMED(FwMainBegin),      LUMERA_NAMED(FwMainBlock),
    LUMERA_NAMED(FwMainEnd),        LUMERA_NAMED(FwMainCommit),     LUMERA_NAMED(FwBootBegin),
    LUMERA_NAMED(FwBootBlock),      LUMERA_NAMED(FwBootEnd),        LUMERA_NAMED(FwBoardQuery),
    LUMERA_NAMED(FwBoardBegin),     LUMERA_NAMED(FwBoardBlock),     LUMERA_NAMED(FwBoardEnd),
    LUMERA_NAMED(ReadSystemInfo),   LUMERA_NAMED(ReadInputInfo),    LUMERA_NAMED(ReadPicture),
    LUMERA_NAMED(ReadWall),         LUMERA_NAMED(ReadSubWindows),   LUMERA_NAMED(ReadEdid),
    LUMERA_NAMED(ReadBlendEdges),   LUMERA_NAMED(ReadBlendGamma),   LUMERA_NAMED(ReadBlackLevel),
    LUMERA_NAMED(ReadCornerPoints), LUMERA_NAMED(ReadMaskPoints),   LUMERA_NAMED(ReadWarpGrid),
    LUMERA_NAMED(ReadWarpExtras),   LUMERA_NAMED(WarpGridRefresh),  LUMERA_NAMED(ReadRawGrid),
    LUMERA_NAMED(PostLoadRequest),  LUMERA_NAMED(ReadStatus),       LUMERA_NAMED(SetNetwork),
    LUMERA_NAMED(SelectWindow),     LUMERA_NAMED(SendCommand),      LUMERA_NAMED(LoadProfile),
    LUMERA_NAMED(ProfileCommand),   LUMERA_NAMED(FactoryReset),     LUMERA_NAMED(RegisterWrite),
    LUMERA_NAMED(WarpSelect),       LUMERA_NAMED(PatternSelect),    LUMERA_NAMED(RawGridAdjust),
    LUMERA_NAMED(BlackLevelWrite),  LUMERA_NAMED(CornerPointWrite), LUMERA_NAMED(MaskPointWrite),
    LUMERA_NAMED(WarpPointX),       LUMERA_NAMED(WarpPointY),       LUMERA_NAMED(WarpCornerX),
    LUMERA_NAMED(WarpCornerY),      LUMERA_NAMED(WarpCurveX),       LUMERA_NAMED(WarpCurveY),
    LUMERA_NAMED(WriteBlock),       LUMERA_NAMED(WriteBlocksDone),  LUMERA_NAMED(ReadK712State),
    LUMERA_NAMED(Reboot),
};
#undef LUMERA_NAMED

}  // namespace

std::string_view FrameName(uint32_t code) {
  for (const Named& n : kNames)
    if (n.code == code) return n.name;
  return "unknown";
}

}  // namespace lumera::boxsim
