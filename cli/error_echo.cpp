#include "cli/error_echo.h"

#include "cli/failure_report.h"

namespace cli {

void ErrorEcho::finish() const {
  if (seen_ <= kShownLines) return;
  const size_t rest = seen_ - kShownLines;
  sayLine("orvella-config: " + source_ + ": " + std::to_string(rest) +
          (rest == 1 ? " more error line is" : " more error lines are") + " in the listing");
}

std::string shownText(const std::string& text, const std::string& holder) {
  if (text.size() <= ErrorEcho::kShownTextBytes) return text;
  size_t cut = ErrorEcho::kShownTextBytes;
  while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80) --cut;  // a UTF-8 continuation byte
  const size_t rest = text.size() - cut;
  return text.substr(0, cut) + " ... (" + std::to_string(rest) + (rest == 1 ? " more byte in " : " more bytes in ") +
         holder + ")";
}

}  // namespace cli
