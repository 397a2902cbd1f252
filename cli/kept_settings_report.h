// build's word on what its image does not keep of the room. A memory format has no place for
// some of a room's settings (formats 7 and 8 hold no legends and fewer options and inputs), no
// format has one for an index past the panel's, and a field may hold another value than the
// room gave (a relay's duration that format 7 does not keep, a pre-amplifier input given two
// values of three). The image is decoded in memory as decode would read it from a panel, but
// against the room's own driver (with the room settings that the library's driver of its name
// gives, which decode takes for what the image does not hold); each room setting the file sets
// (ROOM-... with its subscript, and PASSIVE-MODE, which only format 9 keeps) that comes back
// otherwise is said on stderr as a warning:
//   "r.room: warning: ROOM-LEGEND-NAME[1]="PC" is not kept in memory format 7"
//   "r.room: warning: ROOM-AFVP-GBT[1]=2,6 is kept as 2,6,0 in memory format 9"
// The setting is quoted as the file wrote it (written_statements.h), a long one cut as error
// lines are (error_echo.h); "not kept" where the
// format holds no field for it, "kept as VALUE" (as a room file writes it) where its field
// gives another value. A time that comes back rounded to its
// field's tick (45s as 45.12s) and the room's notes are not named; a time below one tick,
// which builds as one tick, is.
//
// Before those, what decode of the image cannot do is said: write its room, when a room file
// cannot hold the settings (room_file_refusal.h, in the words room and decode -o refuse with),
// and read the image back at all, when the library's drivers folder has no driver of the name
// the image holds:
//   "r.room: warning: the image names the driver 'X (Rev A).prjdrv', which the drivers folder
//    DIR/ does not hold: decode reads the image back only once the driver is there"
// A room that cannot be written is also why the image may not decode against the room's own
// driver here; then nothing more is said.
//
// Nothing of the listing, the image or the exit status changes.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

class PanelSettingsV2;

namespace cli {

// `file` is the room (or driver) file the image was built from, `checked` its checked
// settings, `ruleSet` the set built (1, 2, 3: formats 7, 8, 9) and `image` the image's bytes.
void reportSettingsNotKept(const std::string& file, const PanelSettingsV2& checked, int16_t ruleSet,
                           const std::string& image);

// The library's driver that reportSettingsNotKept reads for a room file: the driver of the name
// the room gives (`room` its settings); none when the library has no such driver.
std::optional<std::string> libraryDriverOfRoom(const PanelSettingsV2& room);

// check's word on each index of a room setting that no panel has (ROOM-SELECTION[5],
// ROOM-RELAY[0]): "r.room: warning: no panel has ROOM-RELAY[8] (a panel has ROOM-RELAY[1] to
// [7])".
void reportIndexesNoPanelHas(const std::string& file, const PanelSettingsV2& settings);

}  // namespace cli
