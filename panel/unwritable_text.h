// UnwritableText: a text of the settings that no room file can hold as it is, so that a room
// written of them would not read back (the room-file writer's roomFileRefusal).
//
// The room-file language has no escapes: a quoted text ends at its own quote character and at
// the line end. `setting` names the statement as the room file writes it ("PROJ-DRIVER-NAME",
// "RSCODE['ON']"), `text` is the stored text and `why` says what in it a room file cannot hold
// ("it holds a single quote, which would end it").
#pragma once

#include <string>

struct UnwritableText {
  std::string setting;
  std::string text;
  std::string why;
};
