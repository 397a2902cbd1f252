// What `decode` says on stderr about a panel it could not read back, besides the load-error
// line (failure_report.h):
//   - for a panel of no known memory format (load error 7, whose text asks for a newer
//     program), what the byte that holds the format reads, and that an erased panel reads $FF;
//   - the memory listing's error lines, less "Can't find projector driver " with no name when
//     the block holding the name could not be read (load error 8): no name was read, so no
//     driver is missing.
#pragma once

#include <cstdint>
#include <string>

#include "panel/panel_settings.h"

namespace cli {

class PanelSource;

// "SOURCE: the byte at $1F01, which holds the memory format (7, 8 or 9), reads $HH" and, for
// $FF, "; an erased panel reads $FF there"; empty when that block cannot be read. Read while
// the panel is open; the block was read by the decoder, so it is not asked for again.
std::string formatByteMessage(const std::string& source, PanelSource& panel, const PanelSettingsV2& settings);

// The memory listing's error lines for a decode that gave `result`.
void reportDecodeErrors(const std::string& source, const std::string& listing, int16_t result,
                        const PanelSettingsV2& settings);

}  // namespace cli
