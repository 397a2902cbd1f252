// Helpers of the driver-language tests: driver text lexed from a temporary file, the parse
// messages (as lines, or joined by "|": "(E) Expecting a Number|(W) ..."), and a slot in a
// compact form:
// pairs "key=value" separated by blanks, nested lists in braces, lexes in angle brackets
// ("3={1=400ms 2=Locked}", "ON={IRCODE=<bin(0101)> USEREPEAT=True}"); "null" for no slot.
#pragma once

#include <string>
#include <vector>

#include "panel/panel_settings.h"
#include "tests/fakes/listing_lines.h"
#include "tests/fakes/temp_xdg_home.h"
#include "tests/panel/language/code_string_test_support.h"
#include "tests/panel/panel_settings_access.h"
#include "wizard/parse_file_listing.h"

namespace driver_test {

inline const std::string& listing() { return ParseFileListing::instance().txtParseFileListing(); }

// The message lines of the listing ("    (E) ..."), echo and empty lines left out.
inline std::vector<std::string> messageLines() {
  return listing_lines::starting(listing(), "    (");
}

// The same without the indent, joined by "|".
inline std::string messages() {
  std::string joined;
  for (const std::string& line : messageLines()) joined += (joined.empty() ? "" : "|") + line.substr(4);
  return joined;
}

// Lexes the bytes into settings from a temporary file, after emptying the listing.
inline void lexText(PanelSettingsV2& settings, const std::string& bytes) {
  TempXdgHome folder;
  folder.writeFile("driver.prjdrv", bytes);
  ParseFileListing::instance().txtParseFileListing("");
  PanelSettingsTestAccess::lexDriverFile(settings, folder.root() + "/driver.prjdrv");
}

inline std::string describe(const KeyValueClass& list) {
  std::string text;
  for (int32_t i = 1; i <= list.count(); ++i) {
    Variant value = list.ItemVal(i);
    text += (i > 1 ? " " : "") + list.ItemKey(i).toText() + "=";
    if (auto nested = value.object<KeyValueClass>()) text += "{" + describe(*nested) + "}";
    else if (auto lexes = value.object<TypeValueList>()) text += "<" + codestring_test::describe(*lexes) + ">";
    else text += value.toText();
  }
  return text;
}

inline std::string describeRow(PanelSettingsV2& settings, int16_t row) {
  const KeyValuePtr& slot = PanelSettingsTestAccess::slot(settings, row);
  return slot ? describe(*slot) : "null";
}

}  // namespace driver_test
