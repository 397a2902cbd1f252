// The entry points that read a projector driver or a room file into the settings object.
// Drivers whose name ends in ".prj" (any letter case) are in the older record format; every
// other driver, and every room file, is in the keyword language. The driver's name is always
// its file name: any PROJ-DRIVER-NAME statement of the file is replaced.
#include "common/ascii_text.h"
#include "common/file_helpers.h"
#include "panel/panel_settings.h"

bool PanelSettingsV2::ReadAndParseProjFile(const std::string& fileName) {
  bool read = VXCommon::endsWithIgnoringCase(fileName, ".prj") ? readPrjFile(fileName) : lexDriverFile(fileName);
  if (!read) return false;
  auto driverName = std::make_shared<KeyValueClass>();
  driverName->AddPair(Variant("1"), Variant(VXCommon::fileNameOf(fileName)));
  kv(kwProjDriverName) = driverName;
  return true;
}

bool PanelSettingsV2::ReadAndParseRoomFile(const std::string& fileName) {
  roomFileName_ = VXCommon::fileNameOf(fileName);
  return lexDriverFile(fileName);
}

void PanelSettingsV2::parseRoomFileText(const std::string& fileName, std::string text) {
  roomFileName_ = VXCommon::fileNameOf(fileName);
  lexDriverText(std::move(text));
}
