#pragma once

namespace lumera {

// Pages of PCMain by index; other parts of the tool address pages by these.
enum PageIndex : int {
  kPagePicture = 0,
  kPageVideoWall = 1,
  kPagePipSetting = 2,
  kPageSubWin = 3,
  kPageOutput = 4,
  kPageWarpAdjust = 5,
  kPageBlend1 = 6,
  kPageBlend2 = 7,
  kPageEdid = 8,
  kPageSystem = 9,
  kPageInformation = 10,
  kPageFirmware = 11,
  kPageAbout = 12,
  kPageCount = 13,
};

}  // namespace lumera
