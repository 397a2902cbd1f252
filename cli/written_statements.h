// The statements of a driver or room file as the user wrote them, so that a message quotes the
// user's own text ("ROOM-PROJ-LOCKOUT=0s", "ROOM-STICKY-HIDDEN-ON=TRUE") and not the room
// writer's form of the stored value ("ROOM-PROJ-LOCKOUT=0u", "...=True").
//
// The file is cut as the driver-file lexer cuts it: CR LF, a lone CR and a lone LF each end a
// line; ";" outside quotes starts a comment that runs to the line end; a quoted text ('...' or
// "...") ends at its own quote character or at the line end. A line sets a setting when its
// keyword is the setting's, in any letter case (IRCODE and RSCODE alike for the code table they
// share), its subscript is the one the statement parser stores (a list subscript such as
// ROOM-HID-FUNCT[off] in any letter case, any other as written, bare or single-quoted) and "="
// follows; the first such line is the one the parser kept. Its statement is quoted from the
// keyword to the end of the value as written, without the comment and the blanks around.
// A driver of the older record format (".prj") has no such statements.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "panel/panel_settings.h"

namespace cli {

class WrittenStatements {
 public:
  // Reads the file at `path`; one that cannot be read gives no statements.
  explicit WrittenStatements(const std::string& path);

  // The statement of slot `row` for `entry` (Empty for a keyword without subscript) as the
  // file wrote it; when no line of the file sets it (a default the checker added), as the
  // room writer writes it from `settings` (roomStatement).
  std::string of(const PanelSettingsV2& settings, int16_t row, const Variant& entry) const;

 private:
  struct Statement {
    std::string keyword, subscript;
    bool subscripted = false;
    std::string text;  // the statement as written
  };
  std::vector<Statement> statements_;
};

}  // namespace cli
