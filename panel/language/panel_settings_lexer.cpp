// The driver-file lexer: cuts a keyword-language file (driver or room) into lines and tokens,
// echoes every line into the parse log with its number, and hands each line's tokens to the
// statement parser as one statement.
//
// CR LF, a lone CR and a lone LF each end one line. Tokens are words, 'single-quoted' and
// "double-quoted" strings (no escapes; a string cannot span lines) and the delimiters
// "," "[" "]" "="; ";" starts a comment that runs to the line end. A last line without a line
// end is echoed and parsed like any other. The echo of a line stands before the lexer's own
// messages for it ("Single quote not terminated."), which stand before the parser's.
#include "panel/language/driver_file_text.h"
#include "panel/language/driver_token.h"
#include "panel/panel_settings.h"

namespace {

constexpr char kCr = '\r';
constexpr char kLf = '\n';

enum class LexState { betweenTokens, inWord, inSingleQuotes, inDoubleQuotes, comment, delimiter };

bool isBlank(char c) { return c == ' ' || c == '\t'; }
bool isLineEnd(char c) { return c == kCr || c == kLf; }
bool isDelimiter(char c) { return c == '=' || c == '[' || c == ']' || c == ',' || isLineEnd(c); }

int16_t delimiterKind(char c) {
  switch (c) {
    case ',': return tokComma;
    case '[': return tokOpenBracket;
    case ']': return tokCloseBracket;
    case '=': return tokEquals;
    default: return tokLineEnd;
  }
}

}  // namespace

bool PanelSettingsV2::lexDriverFile(const std::string& fileName) {
  std::string bytes;
  if (!DriverFileText::readFileBytes(fileName, bytes)) return false;
  lexDriverText(std::move(bytes));
  return true;
}

void PanelSettingsV2::lexDriverText(std::string bytes) {
  // A last line without its line end is finished as if it had one.
  if (!bytes.empty() && !isLineEnd(bytes.back())) bytes.push_back(kLf);

  int32_t lineNumber = 1;
  std::string lineText;
  std::string tokenText;
  TypeValueList statement;
  LexState state = LexState::betweenTokens;
  char previous = '\0';

  for (char c : bytes) {
    if (!isLineEnd(c)) {
      lineText.push_back(c);
    } else if (c == kCr || previous != kCr) {
      logParse(plRaw, DriverFileText::numberedLine(lineNumber, lineText));
      ++lineNumber;
      lineText.clear();
    }
    previous = c;

    // The character is treated again after a state change that asks for it.
    for (bool reuse = true; reuse;) {
      reuse = false;
      int16_t finished = 0;  // kind of the token this step finished, 0 for none
      switch (state) {
        case LexState::betweenTokens:
          if (isBlank(c)) break;
          if (isDelimiter(c)) {
            state = LexState::delimiter;
            reuse = true;
          } else if (c == '\'') {
            state = LexState::inSingleQuotes;
          } else if (c == '"') {
            state = LexState::inDoubleQuotes;
          } else if (c == ';') {
            state = LexState::comment;
            ++commentLines_;
          } else {
            state = LexState::inWord;
            reuse = true;
          }
          break;
        case LexState::inWord:
          if (isBlank(c)) {
            finished = tokWord;
            state = LexState::betweenTokens;
          } else if (isDelimiter(c)) {
            finished = tokWord;
            state = LexState::delimiter;
            reuse = true;
          } else if (c == '\'') {
            finished = tokWord;
            state = LexState::inSingleQuotes;
          } else if (c == '"') {
            finished = tokWord;
            state = LexState::inDoubleQuotes;
          } else if (c == ';') {
            finished = tokWord;
            state = LexState::comment;
            ++commentLines_;
          } else {
            tokenText.push_back(c);
          }
          break;
        case LexState::inSingleQuotes:
        case LexState::inDoubleQuotes: {
          bool single = state == LexState::inSingleQuotes;
          if (c == (single ? '\'' : '"')) {
            finished = single ? tokSingleQuoted : tokDoubleQuoted;
            state = LexState::betweenTokens;
          } else if (isLineEnd(c)) {
            finished = single ? tokSingleQuoted : tokDoubleQuoted;
            logParse(plError, single ? "Single quote not terminated." : "Double quote not terminated.");
            state = LexState::delimiter;
            reuse = true;
          } else {
            tokenText.push_back(c);
          }
          break;
        }
        case LexState::comment:
          if (isLineEnd(c)) {
            state = LexState::delimiter;
            reuse = true;
          }
          break;
        case LexState::delimiter:
          tokenText.assign(1, c);
          finished = delimiterKind(c);
          state = LexState::betweenTokens;
          break;
      }

      if (finished == tokLineEnd) {
        if (!statement.empty()) {
          parseStatement(statement, false);
          statement.removeFirst(statement.count());
        }
      } else if (finished != 0) {
        statement.add(finished, Variant(tokenText));
      }
      if (finished != 0) tokenText.clear();
    }
  }
}
