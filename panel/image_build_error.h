// ImageBuildError: one error line of a panel image build (makeMemoryMap) and the setting that
// led to it, kept beside the image's listing so that the program can name the setting to
// change without reading the listing back.
//
// Contract: one record per error line of the build's log, in the log's order. `row` is 0 for an
// error that no single setting led to (a program error of a rule without keyword, or a line
// that names its field and keyword itself); `remark` and `entry` then say nothing. `largest` is
// set only for a value whose count of the field's unit is past the byte that holds it, and for
// a text longer than its length byte counts, whose length `textLength` then gives. `said` is set
// only for a line that names its field by address, and tells the user the settings instead.
#pragma once

#include <cstdint>
#include <string>

#include "common/variant.h"

struct ImageBuildError {
  std::string text;     // the error line as the listing holds it, after "[E]"
  std::string remark;   // the remark of the rule that was being carried out
  int16_t row = 0;      // the keyword row of the setting
  Variant entry;        // its key within a subscripted keyword ("2" of ROOM-RELAY[2]); Empty
                        // for a keyword without subscript
  std::string largest;  // the largest value the field holds, as the keyword's value is written
                        // ("8.5H", "255", "position 255"); for a text, its most bytes
  int32_t textLength = 0;  // the bytes of a text its field cannot count; 0 for other errors
  std::string said;     // "REMARK: ..." in the settings' own names, said to the user in place of
                        // `text`; empty when the line is said as the listing holds it
};
