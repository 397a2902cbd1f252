// decode's check that the room it writes gives the panel back. A room takes the driver's own
// settings and codes from the library's driver of the name the panel holds, so a panel built
// from an edited room, or from another revision of the driver under the same name, decodes to
// a room that builds another image. The room's text is read again as a room file, checked, and
// built in the panel's memory format for the firmware of --fw; that image is compared with the
// panel's, but for the time it was built (the time-stamp field). An image file is compared
// whole; a panel on a serial line in the blocks that the room's image writes.
//
// Nothing is said when the images agree. Otherwise one line on stderr says that the room does
// not build the panel's image, how many bytes differ and the remark of the first rule (in the
// set's order) whose bytes differ, e.g. "... 2 bytes differ, the first of them written by
// [FW] ProjConfig: VOL_MUTE at $0411"; or that the room does not check or does not build.
#pragma once

#include <cstdint>
#include <string>

namespace cli {

class PanelSource;

// `source` names the panel in the message; `ruleSet` is the set the decoder used (1, 2, 3).
void reportRoomRebuild(const std::string& source, const std::string& roomText, int16_t ruleSet,
                       PanelSource& panel);

}  // namespace cli
