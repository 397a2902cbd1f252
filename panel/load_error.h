// LoadError: the result of reading a panel's settings back from its memory (decodeMemoryMap).
// 0 means the settings are complete; every other value names why they are not, and the
// shared module's gErrorMessages holds the text shown for it.
#pragma once

#include <cstdint>

enum LoadError : int16_t {
  loadOk = 0,
  loadDriverParseError = 2,  // the driver named in the panel does not check
  loadDriverMissing = 4,     // the driver named in the panel is not in the drivers folder
  loadUnknownFormat = 7,     // the panel holds no known memory format
  loadCommError = 8,         // a block of the panel's memory could not be read
  loadBadMemory = 9,         // the image's log counted errors
};
