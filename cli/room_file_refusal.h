// Whether the settings can be written as a room file that reads back, decided in one place for
// the commands that write a room (room, decode -o, defaults) and for build's report on its image.
//
// A room file names its driver by PROJ-DRIVER-NAME and holds every text between quotes, with no
// escapes. It cannot be written when a text holds its own quote character or a line end
// (PanelSettingsV2::roomFileRefusal), nor for a driver file whose name holds ":" or "\": a
// driver is named by its file name, which is cut there, so the room would name another driver.
// The refusal is one sentence that names the setting and its value as stored:
//   "a room file cannot hold PROJ-DRIVER-NAME 'O'Neil IR (Rev A).prjdrv': it holds a single
//    quote, which would end it"
// A command refuses such a room before it writes anything (73); build says the same words as a
// warning, since decode will not write the room of its image.
#pragma once

#include <optional>
#include <string>

class PanelSettingsV2;

namespace cli {

struct RoomFile {
  std::string text;                    // the room file as the room writer writes it
  std::optional<std::string> refusal;  // why it cannot be written; none when it reads back
};

// The room file of `settings`; `driverFile` is the driver file they were read from, whose name
// the room names ("" for a room file or a panel).
RoomFile roomFileOf(const PanelSettingsV2& settings, const std::string& driverFile = "");

// "orvella-config: cannot write 'ROOM': REFUSAL" on stderr; gives kExitCantCreate.
int refuseRoomFile(const std::string& output, const std::string& refusal);

}  // namespace cli
