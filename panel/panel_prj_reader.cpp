// The reader of older-format (".prj") drivers. Until its record translation is in place it
// only tells whether the file can be read; it logs nothing and stores nothing.
#include "panel/driver_file_text.h"
#include "panel/panel_settings.h"

bool PanelSettingsV2::readPrjFile(const std::string& fileName) {
  std::string bytes;
  return DriverFileText::readFileBytes(fileName, bytes);
}
