// RelayCondition: the condition classes of a relay that follows a panel state instead of
// acting on an event. A condition relay byte holds the class in its high nibble and 0xC (the
// relay follows the state) or 0xE (the relay follows its opposite, a "~" word) in its low
// nibble; it stores no duration.
#pragma once

#include <cstdint>

enum RelayCondition : int16_t {
  relayCondAuxAudio = 0,
  relayCondAudioOn = 1,
  relayCondLocked = 2,
  relayCondProjResponding = 3,
};
