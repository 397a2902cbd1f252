#include "cli/written_statements.h"

#include <algorithm>
#include <string_view>

#include "common/ascii_text.h"
#include "panel/language/driver_file_text.h"
#include "panel/model/room_slot_values.h"

namespace cli {
namespace {

using VXCommon::equalsIgnoringCase;

constexpr std::string_view kBlanks = " \t";
// What ends a word for the lexer: a blank, a delimiter, a quote or a comment.
constexpr std::string_view kWordEnds = " \t=[],'\";";

// The line without its comment and the blanks around what is left. A quote opens only
// outside quotes and closes only with its own character, so ";" inside one is text.
std::string_view statementOf(std::string_view line) {
  char quote = 0;
  size_t end = 0;
  for (; end < line.size(); ++end) {
    const char c = line[end];
    if (quote != 0) {
      if (c == quote) quote = 0;
    } else if (c == '\'' || c == '"') {
      quote = c;
    } else if (c == ';') {
      break;
    }
  }
  line = line.substr(0, end);
  const size_t first = line.find_first_not_of(kBlanks);
  if (first == std::string_view::npos) return {};
  return line.substr(first, line.find_last_not_of(kBlanks) + 1 - first);
}

// Reads what a statement gives before its value: KEYWORD, or KEYWORD[SUBSCRIPT] with the
// subscript a word or single-quoted, then "=". Blanks may stand between the tokens. Nothing
// for a line that is no such statement.
class HeadReader {
 public:
  explicit HeadReader(std::string_view text) : text_(text) {}

  bool read(std::string& keyword, std::string& subscript, bool& subscripted) {
    keyword = word();
    subscripted = next('[');
    if (subscripted) {
      if (next('\'')) {
        const size_t closing = text_.find('\'', at_);
        if (closing == std::string_view::npos) return false;
        subscript = text_.substr(at_, closing - at_);
        at_ = closing + 1;
      } else {
        subscript = word();
      }
      if (!next(']')) return false;
    }
    return !keyword.empty() && next('=');
  }

 private:
  // True, past it, when the next character after blanks is `c`.
  bool next(char c) {
    at_ = std::min(text_.find_first_not_of(kBlanks, at_), text_.size());
    if (at_ == text_.size() || text_[at_] != c) return false;
    ++at_;
    return true;
  }

  std::string word() {
    at_ = std::min(text_.find_first_not_of(kBlanks, at_), text_.size());
    const size_t end = std::min(text_.find_first_of(kWordEnds, at_), text_.size());
    std::string_view found = text_.substr(at_, end - at_);
    at_ = end;
    return std::string(found);
  }

  std::string_view text_;
  size_t at_ = 0;
};

bool isKeywordOf(const PanelSettingsV2& settings, int16_t row, const std::string& keyword) {
  // IRCODE and RSCODE fill one code table, whose names are unique across both.
  if (row == kwIrCode || row == kwRsCode)
    return equalsIgnoringCase(keyword, settings.keywordTable(kwIrCode).keyword) ||
           equalsIgnoringCase(keyword, settings.keywordTable(kwRsCode).keyword);
  return equalsIgnoringCase(keyword, settings.keywordTable(row).keyword);
}

}  // namespace

WrittenStatements::WrittenStatements(const std::string& path) {
  std::string bytes;
  if (VXCommon::endsWithIgnoringCase(path, ".prj") || !DriverFileText::readFileBytes(path, bytes)) return;
  std::string_view rest = bytes;
  while (!rest.empty()) {
    const size_t end = std::min(rest.find_first_of("\r\n"), rest.size());
    Statement statement;
    statement.text = statementOf(rest.substr(0, end));
    if (HeadReader(statement.text).read(statement.keyword, statement.subscript, statement.subscripted))
      statements_.push_back(std::move(statement));
    rest.remove_prefix(std::min(end + 1, rest.size()));
  }
}

std::string WrittenStatements::of(const PanelSettingsV2& settings, int16_t row, const Variant& entry) const {
  if (row < 1 || row > kKeywordCount) return settings.roomStatement(row, entry);
  const keywordDef& def = settings.keywordTable(row);
  const bool subscripted = def.subscriptKind != subNone;
  const std::string stored = subscripted ? RoomSlotValues::asText(entry) : std::string();
  for (const Statement& statement : statements_) {
    if (statement.subscripted != subscripted || !isKeywordOf(settings, row, statement.keyword)) continue;
    // A list subscript is stored in the vocabulary's spelling; any other as written.
    if (def.subscriptKind == subList ? equalsIgnoringCase(statement.subscript, stored) : statement.subscript == stored)
      return statement.text;
  }
  return settings.roomStatement(row, entry);
}

}  // namespace cli
