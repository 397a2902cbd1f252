#include "cli/build_error_report.h"

#include "cli/error_echo.h"
#include "cli/failure_report.h"
#include "cli/written_statements.h"
#include "panel/model/room_slot_values.h"

namespace cli {

void reportBuildErrors(const std::string& source, const PanelSettingsV2& settings,
                       const std::vector<ImageBuildError>& errors) {
  ErrorEcho echo(source);
  const WrittenStatements written(source);
  for (const ImageBuildError& error : errors) {
    if (!echo.next()) continue;
    // The encoder's own words for the user, where the listing's line speaks of addresses.
    if (!error.said.empty()) {
      sayLine(source + ": " + error.said);
      continue;
    }
    const std::string text = shownText(error.text);
    if (error.row == 0) {
      sayLine(source + ": " + text);
      continue;
    }
    // A value past its field is said in the setting's own units; the poke's line, which gives
    // only the address it was refused at, stays in the listing.
    if (error.textLength > 0) {
      // Named without the text, which is too long to repeat: "ROOM-LEGEND-GIF[1]".
      const std::string& keyword = settings.keywordTable(error.row).keyword;
      const std::string name =
          error.entry.isEmpty() ? keyword : keyword + "[" + RoomSlotValues::asText(error.entry) + "]";
      sayLine(source + ": " + error.remark + ": " + name + " is " + std::to_string(error.textLength) +
              " bytes long, and its field holds at most " + error.largest);
      continue;
    }
    const std::string setting = error.remark + ": " + shownText(written.of(settings, error.row, error.entry), "the file");
    if (error.largest.empty())
      sayLine(source + ": " + setting + ": " + text);
    else
      sayLine(source + ": " + setting + " is past its field, which holds at most " + error.largest);
  }
  echo.finish();
}

}  // namespace cli
