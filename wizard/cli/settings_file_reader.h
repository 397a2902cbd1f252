// Reading a driver or a room file into a new panel settings object, as the commands that take
// a FILE do: a name ending in ".room" (any letter case) is a room file, any other a projector
// driver (".prj" in the older record format, the rest in the keyword language). The parse log
// goes to the parse listing, which printParseListing writes to stdout byte for byte.
#pragma once

#include <memory>
#include <string>

#include "panel/panel_settings.h"

namespace cli {

struct SettingsFile {
  std::shared_ptr<PanelSettingsV2> settings;  // null when the file could not be read
  bool room = false;                          // read as a room file
};

bool isRoomFileName(const std::string& path);

// Reads the file into a new settings object. When it cannot be read, says so on stderr and
// gives a null object.
SettingsFile readSettingsFile(const std::string& path);

// The whole parse listing on stdout, CR LF line ends included.
void printParseListing();

}  // namespace cli
