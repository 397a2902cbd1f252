#include "wizard/comm_mode_demo.h"

#include "common/device_globals.h"

void commModeDemo() {
  VXCommon::gPanelFwMajor = 1;
  VXCommon::gPanelFwMinor = 2;
}
