// Text for a terminal: what a file or a panel holds may carry control bytes that a terminal
// would act on (an ESC starts a command, a NUL or a CR hides what follows). Messages show each
// such byte as "\xHH" (two upper-case hex digits) instead; everything else stays as it is.
#pragma once

#include <string>
#include <string_view>

namespace platform {

// `text` with every byte below 0x20 other than tab, and 0x7F, written as "\xHH".
std::string visibleText(std::string_view text);

}  // namespace platform
