// Pieces of room-file text that must read back through the driver-file lexer and the
// code-string scanner.
//
// The room-file language has no escapes: a quoted text ends at its own quote character and at
// the line end, a bare subscript ends at a blank or a delimiter, and the code-string scanner
// knows no hour unit. These helpers write a value so that the lexer and the scanner read the
// same value back:
// - a CR or LF inside a quoted text becomes a blank (a legend name keeps its line ends as "|");
// - a subscript that is not a plain word (letters, digits, "-", "_", "+", ".") is written
//   between single quotes, which the reader accepts for every subscript kind;
// - a time is written as formatMicroseconds writes it (minutes and hours rounded to 4
//   decimals, so such a time reads back within half a unit of the fourth decimal), except
//   that a delay inside a code string, whose scanner knows no hour unit, is written in
//   minutes instead of hours, and that a time so close to the largest decimal that rounding
//   up would pass it is rounded down instead.
// Ordinary values (no line ends, plain subscripts) come out exactly as the writer's plain
// rules give them.
#pragma once

#include <string>
#include <string_view>

#include "common/decimal.h"

namespace RoomFileText {

// True for a non-empty text of letters, digits, "-", "_", "+" and ".".
bool isPlainWord(std::string_view text);

// The text between the given quote characters, each CR or LF replaced by a blank.
std::string quoted(std::string_view text, char quote);

// A legend name's stored text with every line end (CR LF, or a CR or LF alone) as one "|".
std::string legendLine(std::string_view text);

// The subscript as written between "[" and "]": between single quotes when `alwaysQuoted`
// (code names, revision messages) or when it is not a plain word; bare otherwise.
std::string subscript(std::string_view key, bool alwaysQuoted);

// The magnitude of a time of a keyword value ("1.5s", "2H", "1.0027M").
std::string time(const Decimal& microseconds);

// The magnitude of a delay or raw time inside a code string: as time(), without hours.
std::string codeTime(const Decimal& microseconds);

}  // namespace RoomFileText
