// ParseLogKind: the kinds of line of the parse log, the listing through which every reader and
// checker of the panel settings model reports. Each kind has its own prefix; warnings count as
// warnings, errors and problems as errors.
#pragma once

#include <cstdint>

enum ParseLogKind : int16_t {
  plWarning = 1,     // "    (W) " text; counts a warning
  plError = 2,       // "    (E) " text; counts an error
  plProblem = 3,     // "    (P) " text; counts an error
  plInfo = 4,        // "    (I) " text
  plIndent = 5,      // eight blanks, text
  plTranslated = 6,  // "    (T) " text: a statement translated from an older-format record
  plRaw = 7,         // the text as it is
  plClear = 8,       // empties the listing, then writes an empty line
};
