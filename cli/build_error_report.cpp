#include "cli/build_error_report.h"

#include "cli/error_echo.h"
#include "cli/failure_report.h"
#include "cli/written_statements.h"

namespace cli {

void reportBuildErrors(const std::string& source, const PanelSettingsV2& settings,
                       const std::vector<ImageBuildError>& errors) {
  ErrorEcho echo(source);
  const WrittenStatements written(source);
  for (const ImageBuildError& error : errors) {
    if (!echo.next()) continue;
    const std::string text = shownText(error.text);
    if (error.row == 0) {
      sayLine(source + ": " + text);
      continue;
    }
    const std::string setting = error.remark + ": " + written.of(settings, error.row, error.entry);
    if (error.largest.empty())
      sayLine(source + ": " + setting + ": " + text);
    else
      sayLine(source + ": " + setting + " is past its field, which holds at most " + error.largest + " (" + text + ")");
  }
  echo.finish();
}

}  // namespace cli
