// What `build` says on stderr about each error line of an image build that failed: the line
// with the rule and the setting that led to it, so that the user knows what to change.
//
//   SOURCE: REMARK: STATEMENT: TEXT
//   SOURCE: REMARK: STATEMENT is past its field, which holds at most LARGEST
//   SOURCE: REMARK: NAME is N bytes long, and its field holds at most 255
//   SOURCE: REMARK: NAME (N bytes), ... and NAME (N bytes) need N bytes ...; the field holds M
//   SOURCE: TEXT                          (a line that no one setting led to)
//
// STATEMENT is the setting as the file wrote it ("ROOM-PROJ-LOCKOUT=500s", written_statements.h),
// cut as a listing's text is (error_echo.h); LARGEST the largest value the field holds, as the
// room file writes it ("8.5H"); NAME the keyword and subscript of a text ("ROOM-LEGEND-GIF[1]").
// The poke's own line, which says only the address the value was refused at, and the legend
// table's, which names its field by address, stay in the listing. As for every listing's errors,
// the first 50 are said and then how many more there are (error_echo.h).
#pragma once

#include <string>
#include <vector>

#include "panel/panel_settings.h"

namespace cli {

void reportBuildErrors(const std::string& source, const PanelSettingsV2& settings,
                       const std::vector<ImageBuildError>& errors);

}  // namespace cli
