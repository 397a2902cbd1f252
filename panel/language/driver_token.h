// The token kinds of the driver and room-file language, as the driver-file lexer cuts a line
// into typeValueClass records (theValue holds the token's text) and as the older-format
// translator builds its statements.
//
// Quoted strings hold the characters between their quotes; delimiters hold the delimiter
// itself. A statement is the TypeValueList of one line's tokens, line-end tokens excluded.
#pragma once

#include <cstdint>

enum DriverTokenKind : int16_t {
  tokWord = 1,          // the characters of a word
  tokSingleQuoted = 2,  // 'text'
  tokDoubleQuoted = 3,  // "text"
  tokComma = 4,         // ","
  tokOpenBracket = 5,   // "["
  tokCloseBracket = 6,  // "]"
  tokEquals = 7,        // "="
  tokLineEnd = 8,       // CR or LF; ends a statement and never reaches the parser
};
