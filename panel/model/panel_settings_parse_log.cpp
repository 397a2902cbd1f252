// The parse log: one line per message in the parse listing window, with the error and warning
// counters of the settings object.
#include <limits>

#include "panel/panel_settings.h"
#include "wizard/parse_file_listing.h"

namespace {

constexpr const char* kLineEnd = "\r\n";

// A counter that stops at its largest value instead of wrapping to a negative count.
void countOne(int16_t& counter) {
  if (counter < std::numeric_limits<int16_t>::max()) ++counter;
}

std::string lineFor(ParseLogKind kind, const std::string& text) {
  switch (kind) {
    case plWarning: return "    (W) " + text;
    case plError: return "    (E) " + text;
    case plProblem: return "    (P) " + text;
    case plInfo: return "    (I) " + text;
    case plIndent: return "        " + text;
    case plTranslated: return "    (T) " + text;
    case plRaw: return text;
    default: return "";  // plClear and unknown kinds write an empty line
  }
}

}  // namespace

void PanelSettingsV2::logParse(ParseLogKind kind, const std::string& text) {
  ParseFileListing& listing = ParseFileListing::instance();
  if (kind == plClear) listing.txtParseFileListing("");
  listing.appendText(lineFor(kind, text) + kLineEnd);
  if (kind == plWarning) countOne(parseWarnings_);
  if (kind == plError || kind == plProblem) countOne(parseErrors_);
}
