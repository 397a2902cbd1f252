// Text for a terminal: what a file or a panel holds may carry bytes that a terminal would act
// on (an ESC or a CSI starts a command, a NUL or a CR hides what follows, a right-to-left
// override shows the rest of the line reversed) or that it cannot show. Messages show each
// such byte as "\xHH" (two upper-case hex digits) instead, in every encoding a terminal may
// read them in; well-formed UTF-8 text of other characters (an accented file name) stays as
// it is.
#pragma once

#include <string>
#include <string_view>

namespace platform {

// `text` with these bytes written as "\xHH": every byte below 0x20 other than tab, and 0x7F;
// every byte that is not part of a well-formed UTF-8 sequence (no overlong form, no surrogate,
// nothing above U+10FFFF, nothing cut short); and each byte of the UTF-8 forms of the C1
// controls U+0080-U+009F and of the characters that reorder or break a line: U+061C, U+200E,
// U+200F, U+202A-U+202E, U+2066-U+2069 and the separators U+2028, U+2029.
std::string visibleText(std::string_view text);

}  // namespace platform
