// Helpers of the driver-language tests: driver text run through the lexer from a temporary
// file, the parse listing cut into lines, and a compact text form of a value slot:
//   pairs "key=value" separated by blanks, nested lists in braces, lex lists in angle brackets
//   ("3={1=400ms 2=Locked}", "ON={IRCODE=<bin(0101)> USEREPEAT=True REPEATS=3}").
#pragma once

#include <string>
#include <vector>

#include "panel/panel_settings.h"
#include "tests/fakes/temp_xdg_home.h"
#include "tests/panel/code_string_test_support.h"
#include "tests/panel/panel_settings_access.h"
#include "wizard/parse_file_listing.h"

namespace driver_test {

inline std::string listing() { return ParseFileListing::instance().txtParseFileListing(); }

// The listing's lines without their CR LF; a text after the last CR LF is a line too.
inline std::vector<std::string> listingLines() {
  std::vector<std::string> lines;
  const std::string text = listing();
  size_t start = 0;
  for (size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2)
    lines.push_back(text.substr(start, end - start));
  if (start < text.size()) lines.push_back(text.substr(start));
  return lines;
}

// The message lines of the listing ("    (E) ..."), echo and empty lines left out.
inline std::vector<std::string> messageLines() {
  std::vector<std::string> messages;
  for (const std::string& line : listingLines())
    if (line.rfind("    (", 0) == 0) messages.push_back(line);
  return messages;
}

// Writes the bytes to a file in a temporary folder and lexes it into settings after emptying
// the listing.
inline void lexText(PanelSettingsV2& settings, const std::string& bytes) {
  TempXdgHome folder;
  folder.writeFile("driver.prjdrv", bytes);
  ParseFileListing::instance().txtParseFileListing("");
  PanelSettingsTestAccess::lexDriverFile(settings, folder.root() + "/driver.prjdrv");
}

std::string describeSlot(const KeyValueClass& list);

inline std::string describeValue(const Variant& value) {
  if (auto nested = value.object<KeyValueClass>()) return "{" + describeSlot(*nested) + "}";
  if (auto lexes = value.object<TypeValueList>()) return "<" + codestring_test::describe(*lexes) + ">";
  return value.toText();
}

inline std::string describeSlot(const KeyValueClass& list) {
  std::string text;
  for (int16_t i = 1; i <= list.count(); ++i) {
    if (i > 1) text += ' ';
    text += list.ItemKey(i).toText() + "=" + describeValue(list.ItemVal(i));
  }
  return text;
}

// The slot of a row described, or "null" for an empty slot.
inline std::string describeRow(PanelSettingsV2& settings, int16_t row) {
  const KeyValuePtr& slot = PanelSettingsTestAccess::slot(settings, row);
  return slot ? describeSlot(*slot) : "null";
}

}  // namespace driver_test
