// Pieces of room-file text that must read back through the driver-file lexer and the
// code-string scanner.
//
// The room-file language has no escapes: a quoted text ends at its own quote character and at
// the line end, a text inside a code string ends at its single quote and the code string at its
// double quote, a bare subscript ends at a blank or a delimiter, and the code-string scanner
// knows no hour unit. These helpers write a value so that the lexer and the scanner read the
// same value back, and say which text they cannot:
// - a text holding its own quote character (in a code string, either quote) or a line end
//   cannot be quoted: Quoting remembers the first such text of a room file, with why, and the
//   room is not to be written (a line end is still written as a blank, a quote as it is);
// - a legend name keeps its line ends as "|";
// - a subscript that is not a plain word (letters, digits, "-", "_", "+", ".") is written
//   between single quotes, which the reader accepts for every subscript kind;
// - a time reads back as the very time it was written from: its usual text (formatMicroseconds:
//   "2M", "1.5M", "2H") where that reads back exactly, else minutes where four decimals of a
//   minute hold it exactly ("67M"), else seconds with every decimal it has ("61s",
//   "60.000001s"). A delay inside a code string, whose scanner knows no hour unit, is never
//   written in hours.
// Ordinary values (no line ends, plain subscripts) come out exactly as the writer's plain
// rules give them.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "common/decimal.h"
#include "panel/unwritable_text.h"

namespace RoomFileText {

// Quotes the texts of one room file, remembering the first that cannot stand between its quotes.
class Quoting {
 public:
  // The text between the given quote characters, each CR or LF replaced by a blank.
  std::string quoted(std::string_view text, char quote);
  // A text of a code string: between single quotes, inside the code string's double quotes.
  std::string codeText(std::string_view text);
  // The subscript as written between "[" and "]": between single quotes when `alwaysQuoted`
  // (code names, revision messages) or when it is not a plain word; bare otherwise.
  std::string subscript(std::string_view key, bool alwaysQuoted);
  // Names the setting of the first text that could not be quoted, unless it has its name.
  void nameSetting(const std::string& setting);
  // The first text that could not be quoted; none when every text could.
  const std::optional<UnwritableText>& first() const { return first_; }

 private:
  void check(std::string_view text, std::string_view quotes);
  std::optional<UnwritableText> first_;
};

// True for a non-empty text of letters, digits, "-", "_", "+" and ".".
bool isPlainWord(std::string_view text);

// A legend name's stored text with every line end (CR LF, or a CR or LF alone) as one "|".
std::string legendLine(std::string_view text);

// Quoting().subscript(key, alwaysQuoted), for a message.
std::string subscript(std::string_view key, bool alwaysQuoted);

// The magnitude of a time of a keyword value ("1.5s", "2H", "67M", "60.16s").
std::string time(const Decimal& microseconds);

// The magnitude of a delay or raw time inside a code string: as time(), without hours.
std::string codeTime(const Decimal& microseconds);

}  // namespace RoomFileText
