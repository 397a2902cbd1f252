// The statement parser: one statement of the driver and room-file language, already cut into
// tokens, checked against the keyword vocabulary and stored in its keyword's value slot.
//
// Slot layouts after parsing, pairs in statement order:
//   no subscript, one argument ........ ("", value)
//   no subscript, other counts ........ ("1", first value), ("2", second value), ...
//   subscript, one argument ........... (subscript, value), one pair per statement
//   subscript, other counts ........... (subscript, list of ("1", first value), ...)
//   codes (IRCODE, RSCODE) ............ (code name, code entry) in the shared code table
//   one code string ................... (keyword, compiled lexes)
// A code entry holds (IRCODE or RSCODE, compiled lexes), then per further argument
// (flag, True), ("CONTINUE", name of the continuing code) or ("REPEATS", count 0..63 as text).
// A code joins the table together with its code string: a statement that stops before the
// code string leaves no entry.
// Values: times as Decimal microseconds, numbers as decimal text ($1F gives "31"), texts and
// words as written, TRUE/FALSE as Booleans.
//
// Keywords, list subscripts, flag words, CONTINUE and REPEATS are accepted in any letter case
// and stored in the vocabulary's own spelling, so that every reader finds them by an exact
// lookup; messages quote the statement as written. Code names and CODE-SUBST names are kept
// exactly as written.
#include <algorithm>
#include <optional>

#include "common/ascii_text.h"
#include "common/list_helpers.h"
#include "common/time_codes.h"
#include "common/vb_error.h"
#include "panel/language/driver_token.h"
#include "panel/model/keyword_arguments.h"
#include "panel/panel_settings.h"

namespace {

using VXCommon::equalsIgnoringCase;

// Outcome of adding a pair that must be unique.
enum class AddOutcome { added, duplicate, full };

// What adding the key would give, without adding it.
AddOutcome nameOutcome(const KeyValueClass& list, const Variant& key) {
  if (list.GetIndex(key) != 0) return AddOutcome::duplicate;
  // A full list would drop the pair without a word; the caller reports it instead.
  if (list.count() >= KeyValueClass::kMaxPairs) return AddOutcome::full;
  return AddOutcome::added;
}

AddOutcome addUnique(KeyValueClass& list, const Variant& key, const Variant& value) {
  AddOutcome outcome = nameOutcome(list, key);
  if (outcome == AddOutcome::added) list.AddPair(key, value);
  return outcome;
}

// A driver-language number; no value for malformed text and for one beyond 32 bits.
std::optional<int32_t> readNumber(const std::string& text) {
  int32_t value = 0;
  try {
    if (VXCommon::parseNumber(text, value)) return value;
  } catch (const VbError&) {
    // beyond the 32-bit range: not a number of the language
  }
  return std::nullopt;
}

// The word list at a 1-based position of a list of lists; null when there is none.
using KeywordArguments::listAt;

constexpr int32_t kMaxRepeats = 63;  // the code table keeps six bits of the count

}  // namespace

class PanelSettingsV2::StatementParser {
 public:
  StatementParser(PanelSettingsV2& owner, TypeValueList& tokens, bool allowDuplicates)
      : owner_(owner), tokens_(tokens), allowDuplicates_(allowDuplicates) {}

  void parse();
  int32_t consumed() const { return next_; }
  // The subscript's own value list when the statement was refused after it was made; null
  // otherwise.
  KeyValuePtr refusedValueList() const { return refused_ && target_ != slot_ ? target_ : nullptr; }

 private:
  int32_t remaining() const { return tokens_.count() - next_; }
  // The token `ahead` places after the next one to consume; callers check remaining() first.
  const typeValueClass& token(int32_t ahead = 0) const { return *tokens_.item(next_ + ahead + 1); }
  static std::string textOf(const typeValueClass& t) { return t.theValue.toText(); }
  void consume(int32_t n = 1) { next_ += n; }

  // Each logs and answers false, which stops the statement.
  bool error(const std::string& text) {
    owner_.logParse(plError, text);
    refused_ = true;
    return false;
  }
  bool problem(const std::string& text) {
    owner_.logParse(plProblem, text);
    refused_ = true;
    return false;
  }

  bool readSubscript();
  bool readEquals();
  void readArguments();
  bool treatArgument(int32_t n, const std::string& valueKey);
  bool treatWord(int32_t n, const std::string& valueKey);
  bool treatCode(int32_t n);
  bool treatCodeOption(const std::string& word, const char* option);
  bool treatCodeFlag(const std::string& word);
  bool store(const std::string& valueKey, const Variant& value);
  bool reportFull() { return error("Too many entries for " + key_); }

  PanelSettingsV2& owner_;
  TypeValueList& tokens_;
  const bool allowDuplicates_;
  int32_t next_ = 0;  // tokens consumed so far

  std::string key_;                // the keyword as written
  const keywordDef* def_ = nullptr;
  KeyValuePtr slot_;
  KeyValuePtr target_;             // where the values go: the slot or a subscript's own list
  std::string subscript_;          // as stored
  std::string subscriptWritten_;   // as written, for messages
  bool codePending_ = false;       // the code named by the subscript is not yet in the table
  bool refused_ = false;           // an error stopped the statement
};

void PanelSettingsV2::StatementParser::parse() {
  if (remaining() == 0) return;
  key_ = textOf(token());
  consume();
  int16_t row = 0;
  owner_.findKeyword(key_, false, row);
  if (row == 0) {
    error("Unrecognized key '" + key_ + "'");
    return;
  }
  def_ = &owner_.keywordTable(row);
  KeyValuePtr& slot = owner_.kv(row);
  if (!slot) slot = std::make_shared<KeyValueClass>();
  slot_ = slot;
  target_ = slot;
  if (!readSubscript() || !readEquals()) return;
  readArguments();
}

bool PanelSettingsV2::StatementParser::readSubscript() {
  if (def_->subscriptKind == subNone) return true;
  if (remaining() < 3 || token(0).theType != tokOpenBracket ||
      (token(1).theType != tokWord && token(1).theType != tokSingleQuoted) ||
      token(2).theType != tokCloseBracket)
    return error("Key must have subscripts '" + key_ + "'");

  const typeValueClass& middle = token(1);
  subscriptWritten_ = textOf(middle);
  subscript_ = subscriptWritten_;
  switch (def_->subscriptKind) {
    case subList: {
      const Variant* names = listAt(def_->subscripts, 1);
      int32_t position = names ? VXCommon::findInArrayCI(*names, subscript_) : 0;
      if (position == 0)
        return error("Subscript must be one of " + quotedList(names ? *names : Variant()) + ".");
      subscript_ = names->at(position).toText();
      break;
    }
    case subNumeric:
      if (!Variant(subscript_).isNumeric()) return error("Subscript must be numeric");
      break;
    case subQuoted:
      if (middle.theType != tokSingleQuoted) return error("Subscript must quoted");
      break;
    default:
      break;
  }
  consume(3);

  if (def_->argCount == 1) return true;
  auto values = std::make_shared<KeyValueClass>();
  // A code joins the table only with its code string (treatCode), so that a statement that
  // stops before it leaves no code without one; its name is taken here all the same.
  codePending_ = def_->valueType == valIrCode || def_->valueType == valRs232Code;
  for (;;) {
    AddOutcome outcome = codePending_ ? nameOutcome(*slot_, Variant(subscript_))
                                      : addUnique(*slot_, Variant(subscript_), Variant(values));
    if (outcome == AddOutcome::added) break;
    if (outcome == AddOutcome::full) return reportFull();
    if (!allowDuplicates_)
      return error("Already parsed an occurence of " + key_ + " " + subscript_);
    owner_.logParse(plWarning, "Already parsed an occurence of " + key_ + " " + subscript_ +
                                   ". Prefixing with a + for duplicate.");
    subscript_ += "+";
  }
  target_ = values;
  return true;
}

bool PanelSettingsV2::StatementParser::readEquals() {
  if (remaining() == 0) return error("Arguments not found");
  if (token().theType != tokEquals) return error("Expecting an '='");
  consume();
  if (remaining() == 0 && def_->argCount != kAnyArgCount)
    return error("Insufficient number of Arguments");
  if (remaining() == 0 && codePending_) return error("Expecting a double quoted string");
  return true;
}

void PanelSettingsV2::StatementParser::readArguments() {
  for (int32_t n = 1; remaining() > 0; ++n) {
    if (def_->argCount >= 1 && n > def_->argCount) {
      error("Too many of Arguments");
      return;
    }
    std::string valueKey = def_->argCount == 1 ? subscript_ : std::to_string(n);
    if (!treatArgument(n, valueKey)) return;
    consume();  // the argument (for CONTINUE and REPEATS, their value)
    if (remaining() == 1) {
      error("Delimiter or argument at end of line");
      return;
    }
    if (remaining() > 1) {
      if (token().theType != tokComma) {
        error("Expecting a comma");
        return;
      }
      consume();
    }
  }
}

bool PanelSettingsV2::StatementParser::treatArgument(int32_t n, const std::string& valueKey) {
  const typeValueClass& argument = token();
  const std::string text = textOf(argument);
  switch (def_->valueType) {
    case valTime: {
      // Only a word can be a time; a quoted text would reach the encoder as text.
      std::optional<Decimal> microseconds;
      if (argument.theType == tokWord) microseconds = VXCommon::parseTimeValue(text, false);
      if (!microseconds) return error("Expecting a time");
      return store(valueKey, Variant(*microseconds));
    }
    case valNumber: {
      std::optional<int32_t> number;
      if (argument.theType == tokWord) number = readNumber(text);
      if (!number) return error("Expecting a Number");
      if (auto bounds = KeywordArguments::range(*def_, n);
          bounds && (*number < bounds->first || *number > bounds->second))
        return error("Expecting a Number between " + std::to_string(bounds->first) + " and " +
                     std::to_string(bounds->second));
      return store(valueKey, Variant(std::to_string(*number)));
    }
    case valSingleQuoted:
    case valCodeName:
      if (argument.theType != tokSingleQuoted) return error("Expecting a single quoted string");
      return store(valueKey, Variant(text));
    case valBoolean:
      if (argument.theType == tokWord && equalsIgnoringCase(text, "TRUE"))
        return store(valueKey, Variant(true));
      if (argument.theType == tokWord && equalsIgnoringCase(text, "FALSE"))
        return store(valueKey, Variant(false));
      return error("Expected TRUE or FALSE");
    case valDoubleQuoted:
      if (argument.theType != tokDoubleQuoted) return error("Expecting a double quoted string");
      return store(valueKey, Variant(text));
    case valWord:
      return treatWord(n, valueKey);
    case valRs232Code:
    case valIrCode:
    case valCodeString:
      return treatCode(n);
    default:
      owner_.logParse(plProblem, "Unknown Grammar Type");
      return true;  // goes on with the next argument
  }
}

bool PanelSettingsV2::StatementParser::store(const std::string& valueKey, const Variant& value) {
  switch (addUnique(*target_, Variant(valueKey), value)) {
    case AddOutcome::added: return true;
    case AddOutcome::full: return reportFull();
    default: return error("Already parsed an occurence of " + key_ + " " + subscriptWritten_);
  }
}

bool PanelSettingsV2::StatementParser::treatWord(int32_t n, const std::string& valueKey) {
  const Variant* words = KeywordArguments::words(*def_, n);
  if (!words) return problem("Cannot find flag rules for " + key_);
  const std::string text = textOf(token());
  if (VXCommon::findInArrayCI(*words, text) == 0)
    return error("Invalid flag '" + text + "'.  Must be one of " + quotedList(*words));
  switch (addUnique(*target_, Variant(valueKey), Variant(text))) {
    case AddOutcome::added: return true;
    case AddOutcome::full: return reportFull();
    default: return error("Already parsed an occurence of " + text);
  }
}

bool PanelSettingsV2::StatementParser::treatCode(int32_t n) {
  const std::string text = textOf(token());
  if (n == 1) {
    CodeMedium medium = def_->valueType == valRs232Code ? mediumRS232
                        : def_->valueType == valIrCode  ? mediumIR
                                                        : mediumPollMatch;
    TypeValueListPtr lexes = owner_.compileCodeString(text, medium);
    if (def_->valueType == valRs232Code && allowDuplicates_) owner_.translateEscCodes(*lexes);
    if (codePending_) {  // readSubscript found the name free, and nothing was added since
      slot_->AddPair(Variant(subscript_), Variant(target_));
      codePending_ = false;
    }
    switch (addUnique(*target_, Variant(def_->keyword), Variant(lexes))) {
      case AddOutcome::added: return true;
      case AddOutcome::full: return reportFull();
      default: return error("Already added string.");
    }
  }
  if (def_->valueType == valCodeString) return error("Too many arguments");
  if (equalsIgnoringCase(text, "CONTINUE")) return treatCodeOption(text, "CONTINUE");
  if (equalsIgnoringCase(text, "REPEATS")) return treatCodeOption(text, "REPEATS");
  return treatCodeFlag(text);
}

// CONTINUE='name' or REPEATS=n. Leaves the value token for the caller to consume.
bool PanelSettingsV2::StatementParser::treatCodeOption(const std::string& word,
                                                        const char* option) {
  consume();  // the word
  if (remaining() == 0 || token().theType != tokEquals)
    return problem("Expecting an = after '" + word + "'");
  consume();
  std::string value;
  if (std::string(option) == "CONTINUE") {
    if (remaining() == 0 || token().theType != tokSingleQuoted)
      return problem("Expecting single quoted string after '" + word + "'");
    value = textOf(token());
  } else {
    std::optional<int32_t> count;
    if (remaining() > 0) count = readNumber(textOf(token()));
    if (!count || *count < 0 || *count > kMaxRepeats)
      return problem("Expecting number after '" + word + "'");
    value = std::to_string(*count);
  }
  switch (addUnique(*target_, Variant(option), Variant(value))) {
    case AddOutcome::added: return true;
    case AddOutcome::full: return reportFull();
    default: return error("Already parsed an occurence of " + word);
  }
}

bool PanelSettingsV2::StatementParser::treatCodeFlag(const std::string& word) {
  const Variant& lists = def_->wordLists;
  const Variant* flags = listAt(lists, lists.isArray() ? lists.lbound() : 1);
  if (!flags) return problem("Cannot find flag rules for " + key_);
  int32_t position = VXCommon::findInArrayCI(*flags, word);
  if (position == 0)
    return error("Invalid flag '" + word + "'.  Must be one of " + quotedList(*flags));
  switch (addUnique(*target_, flags->at(position), Variant(true))) {
    case AddOutcome::added: return true;
    case AddOutcome::full: return reportFull();
    default: return error("Already parsed an occurence of " + word);
  }
}

int16_t PanelSettingsV2::findKeyword(const std::string& key, bool allowAlias,
                                     int16_t& row) const {
  row = 0;
  for (int16_t i = 1; i <= kKeywordCount; ++i) {
    const keywordDef& def = keywordTable_[size_t(i - 1)];
    if (equalsIgnoringCase(def.keyword, key) ||
        (allowAlias && !def.alias.empty() && equalsIgnoringCase(def.alias, key))) {
      row = i;
      break;
    }
  }
  return row;
}

std::string PanelSettingsV2::quotedList(const Variant& list) {
  std::string text;
  if (!list.isArray()) return text;
  for (int32_t i = 1; i <= list.ubound(); ++i) {
    if (i > 1) text += ',';
    text += "'" + list.at(i).toText() + "'";
  }
  return text;
}

void PanelSettingsV2::parseStatement(TypeValueList& tokens, bool allowDuplicates) {
  StatementParser parser(*this, tokens, allowDuplicates);
  parser.parse();
  tokens.removeFirst(parser.consumed());
  if (KeyValuePtr values = parser.refusedValueList()) refusedValueLists_.push_back(values);
}

bool PanelSettingsV2::refusedByParser(const KeyValuePtr& values) const {
  return values && std::find(refusedValueLists_.begin(), refusedValueLists_.end(), values) !=
                       refusedValueLists_.end();
}
