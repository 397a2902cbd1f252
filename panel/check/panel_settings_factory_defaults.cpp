// The panel's factory settings: a fixed driver of the local library, read and checked like
// any other driver. An object loaded this way is marked for good, so that its panel image
// carries no timestamp.
#include "common/file_type_table.h"
#include "common/startup_globals.h"
#include "panel/panel_settings.h"

const char* const PanelSettingsV2::kFactoryDefaultsDriver = "_SPECIAL Factory Defaults (Rev A).prjdrv";

bool PanelSettingsV2::loadDefaults() {
  loadingDefaults_ = true;
  std::string driversFolder = VXCommon::gFileTypes ? VXCommon::gFileTypes->localDir(ftDrivers) : "";
  // A missing or unreadable file, or a library whose drivers folder is not set up (the name
  // alone would be looked for in the working folder), leaves the object without a format
  // statement, which the check reports.
  if (!driversFolder.empty()) ReadAndParseProjFile(driversFolder + kFactoryDefaultsDriver);
  int16_t result = 1;
  IsDriverValid(result);
  return result != 0;
}
