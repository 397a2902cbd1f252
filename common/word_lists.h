// The shared module's word lists of the keyword vocabulary.
//
// Each global is a 1-based Variant list of 1-based lists of strings (the second lists of
// gCoreFunctWords and gHidFunctWords hold one Boolean per name: true = the subscripted entry
// is mandatory). The order of every list is fixed: encoders, the old-format translator and
// the code-table layout use a word's position rather than the word. The panel settings object
// writes them on every construction, always with the same contents; nothing else writes them.
#pragma once

#include "common/variant.h"

namespace VXCommon {

extern Variant gIrCodeFlagWords;  // flags of an IR code entry
extern Variant gRsCodeFlagWords;  // flags of an RS232 code entry
extern Variant gPowerSenseWords;  // how the panel learns the projector is on
extern Variant gIrWiringWords;    // how the panel is wired to the projector
extern Variant gCtsUseWords;      // alternate uses of the CTS line
extern Variant gRelayWords;       // 1: relay durations, 2: relay events
extern Variant gSerialWords;      // 1: baud, 2: data bits, 3: parity, 4: stop bits
extern Variant gConnectorWords;   // projector serial connectors
extern Variant gPinWords;         // connector pins
extern Variant gCoreFunctWords;   // 1: core function names, 2: mandatory flags
extern Variant gHidFunctWords;    // 1: hidden function key names, 2: mandatory flags

// Back to the state before any settings object was built: every list empty (tests).
void resetWordLists();

}  // namespace VXCommon
