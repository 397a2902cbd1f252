// Text helpers of the shared module VXCommon, and the one header that brings in all of the
// module's number, hex and text helpers.
//
// Line ends are CR LF. A room file keeps a multi-line legend name on one line with "|" in
// place of each line end. Fixed-width fields are NUL-padded and always end in at least one
// NUL. Letter case is ASCII.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "common/hex_dump.h"
#include "common/hex_text.h"
#include "common/list_helpers.h"
#include "common/number_helpers.h"

namespace VXCommon {

// Strips trailing, then leading blanks and tabs from the text in place and returns it.
std::string trimWhite(std::string& text);
// A copy without line-end characters at its end: all trailing CR and LF, or with oneOnly a
// single line end (CR, LF, CR LF or LF CR).
std::string stripLineEnd(std::string_view text, bool oneOnly);
// Each "|" becomes CR LF.
std::string pipeToCrLf(std::string_view text);
// Each CR LF, and each CR standing alone, becomes one "|".
std::string crLfToPipe(std::string_view text);
// The first width - 1 characters, then NULs up to exactly width characters; empty for a
// width below 1.
std::string padNul(std::string_view text, int16_t width);
// Local date and time, "YYYY-MM-DD HH:MM:SS", in a 32-character NUL-padded field.
std::string makeTimeStamp();
// Syntax check of an e-mail address: none of : blank ; < > [ ] , ( ) { } and the double quote;
// an "@" that is not first; a "." after it, not right after it and not last.
bool isValidEmail(std::string_view text);

}  // namespace VXCommon
