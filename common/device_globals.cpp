#include "common/device_globals.h"

namespace VXCommon {

int16_t gPanelFmtMajor = 0;
int16_t gPanelFmtMinor = 0;
int16_t gPanelFwMajor = 0;
int16_t gPanelFwMinor = 0;
int16_t gPanelHwFlags = 0;
bool gPanelPresent = false;

void resetDeviceGlobals() {
  gPanelFmtMajor = gPanelFmtMinor = gPanelFwMajor = gPanelFwMinor = gPanelHwFlags = 0;
  gPanelPresent = false;
}

}  // namespace VXCommon
