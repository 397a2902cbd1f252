// The shared module's device globals: what the device identification learnt of the connected
// panel. They keep their last values (0 before any identification); the program's --fw and
// --mem options and the demo mode set them as an identification would.
#pragma once

#include <cstdint>

namespace VXCommon {

extern int16_t gPanelFmtMajor;  // memory format, major version
extern int16_t gPanelFmtMinor;  // memory format, minor version (7, 8 or 9)
extern int16_t gPanelFwMajor;   // firmware version
extern int16_t gPanelFwMinor;
extern int16_t gPanelHwFlags;
extern bool gPanelPresent;

// Back to the state before any identification (tests).
void resetDeviceGlobals();

}  // namespace VXCommon
