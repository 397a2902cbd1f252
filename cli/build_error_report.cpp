#include "cli/build_error_report.h"

#include "cli/failure_report.h"

namespace cli {

void reportBuildErrors(const std::string& source, const PanelSettingsV2& settings,
                       const std::vector<ImageBuildError>& errors) {
  for (const ImageBuildError& error : errors) {
    if (error.row == 0) {
      sayLine(source + ": " + error.text);
      continue;
    }
    const std::string setting = error.remark + ": " + settings.roomStatement(error.row, error.entry);
    if (error.largest.empty())
      sayLine(source + ": " + setting + ": " + error.text);
    else
      sayLine(source + ": " + setting + " is past its field, which holds at most " + error.largest + " (" +
              error.text + ")");
  }
}

}  // namespace cli
