#include "panel/image/library_driver.h"

#include "common/file_helpers.h"
#include "common/file_type_table.h"
#include "common/startup_globals.h"

namespace LibraryDriver {

std::string folder() {
  return VXCommon::gFileTypes ? VXCommon::gFileTypes->localDir(ftDrivers) : std::string();
}

std::optional<std::string> fileNameFor(const std::string& panelName) {
  const std::string drivers = folder();
  if (panelName.empty() || drivers.empty() ||
      panelName.find_first_of(std::string("/\\:\0", 4)) != std::string::npos)
    return std::nullopt;
  const std::string newer = VXCommon::stripExt(panelName) + ".prjdrv";
  if (VXCommon::fileExists(drivers + newer)) return newer;
  if (VXCommon::fileExists(drivers + panelName)) return panelName;
  return std::nullopt;
}

}  // namespace LibraryDriver
