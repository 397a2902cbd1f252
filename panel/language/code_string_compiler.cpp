// The code-string scanner: one pass over the text, character by character, with a small state
// machine; a substitution rewrites the text and scanning goes on from its start or from the
// last comma, so lexes already made are never made twice.
#include "panel/language/code_string_compiler.h"

#include <optional>

#include "common/ascii_text.h"
#include "common/hex_text.h"
#include "common/time_codes.h"

namespace CodeStrings {
namespace {

enum class ScanState { Item, Text, Bits, Hex, Decimal, Name, Delay, Raw, After };

using VXCommon::equalsIgnoringCase;

// The scanner reads bytes as unsigned char; letter case is the shared ASCII rule.
char upper(unsigned char c) { return VXCommon::upperAscii(char(c)); }
bool isDigit(unsigned char c) { return c >= '0' && c <= '9'; }
bool isLetter(unsigned char c) { return upper(c) >= 'A' && upper(c) <= 'Z'; }
bool isHexDigit(unsigned char c) { return isDigit(c) || (upper(c) >= 'A' && upper(c) <= 'F'); }
bool isBlank(unsigned char c) { return c == ' ' || c == '\t'; }

struct Marker {
  const char* name;
  CodeLexType type;
  CodeMedium medium;
};

constexpr Marker kMarkers[] = {
    {"&VBIN", lexVarBin, mediumRS232},   {"&VHEX", lexVarHex, mediumRS232},
    {"&VASC0", lexVarAsc0, mediumRS232}, {"&VASC1", lexVarAsc1, mediumRS232},
    {"&VASC2", lexVarAsc2, mediumRS232}, {"&VASC3", lexVarAsc3, mediumRS232},
    {"&QSTOP", lexQStop, mediumIR},
};

std::optional<CodeLexType> markerType(const std::string& name, CodeMedium medium) {
  for (const Marker& m : kMarkers)
    if (m.medium == medium && equalsIgnoringCase(name, m.name)) return m.type;
  return std::nullopt;
}

// The text a CODE-SUBST name stands for; empty when the name is not defined.
std::string substitutionText(const KeyValueClass* codeSubst, const std::string& name) {
  if (!codeSubst) return "";
  Variant value = codeSubst->GetValue(Variant(name));
  if (value.isString() || value.isNumber()) return value.toText();
  return "";
}

class Scanner {
 public:
  Scanner(const std::string& codeText, CodeMedium medium, const KeyValueClass* codeSubst,
          const LogSink& log)
      : text_(codeText + " "), medium_(medium), codeSubst_(codeSubst), log_(log),
        lexes_(std::make_shared<TypeValueList>()) {}

  TypeValueListPtr run() {
    while (!failed_ && pos_ < text_.size()) {
      advance_ = true;
      step(static_cast<unsigned char>(text_[pos_]));
      if (advance_) ++pos_;
    }
    // An unclosed quote at the end is dropped without a message; a trailing comma is fine.
    if (!failed_ && substitutions_ > 0) log(plInfo, "Substitutions Made '" + text_ + "'");
    return lexes_;
  }

 private:
  void step(unsigned char c) {
    switch (state_) {
      case ScanState::Item: return startItem(c);
      case ScanState::Text:
        if (c == '\'') endLex();
        else token_ += char(c);
        return;
      case ScanState::Bits: return collectOrEnd(c == '0' || c == '1', c);
      case ScanState::Hex: return collectOrEnd(isHexDigit(c), c);
      case ScanState::Decimal: return collectOrEnd(isDigit(c), c);
      case ScanState::Name: return collectOrEnd(isDigit(c) || isLetter(c) || c == '&' || c == '_', c);
      case ScanState::Delay:
      case ScanState::Raw:
        if (isDigit(c) || c == '.') {
          token_ += char(c);
        } else if (upper(c) == 'M' || upper(c) == 'U' || upper(c) == 'S') {
          token_ += char(c);
          endLex();
        } else {
          fail("Expecting a 'm','u','s' terminating the time in the string");
        }
        return;
      case ScanState::After:
        if (isBlank(c)) return;
        if (c == ',') {
          lastComma_ = pos_;
          state_ = ScanState::Item;
          return;
        }
        return fail("Expecting a comma in the string");
    }
  }

  void startItem(unsigned char c) {
    if (isBlank(c)) return;
    token_.clear();
    switch (upper(c)) {
      case '%': state_ = ScanState::Bits; return;
      case '$': state_ = ScanState::Hex; token_ = "$"; return;
      case '\'': state_ = ScanState::Text; return;
      case 'D': state_ = ScanState::Delay; token_ = char(c); return;
      case 'R': state_ = ScanState::Raw; token_ = char(c); return;
      case ',': return fail("Not expecting a comma in the string");
      default: break;
    }
    token_ = char(c);
    state_ = isDigit(c) ? ScanState::Decimal : ScanState::Name;
  }

  // Adds the character to the token, or ends the lex and reads the character again.
  void collectOrEnd(bool belongs, unsigned char c) {
    if (belongs) {
      token_ += char(c);
      return;
    }
    advance_ = false;
    endLex();
  }

  // Validates the token by the state that ended it and appends its lex. A name may instead
  // rewrite the text, and the scan then goes on in the new text.
  void endLex() {
    switch (state_) {
      case ScanState::Text:
        if (medium_ == mediumIR) return fail("Single quoted strings are not allowable in IR codes");
        return append(lexText, Variant(token_));
      case ScanState::Bits:
        if (medium_ != mediumIR) return fail("Binary strings are not allowable in RS232 codes");
        return append(lexBinary, Variant(token_));
      case ScanState::Hex: {
        if (medium_ == mediumIR) return fail("Hexidecimal values are not allowed in IR codes");
        auto value = VXCommon::parseDollarHex(token_);
        if (!value) return fail("Hex values must be between $0 and $FF");
        return append(lexHex, Variant(int16_t(*value)));
      }
      case ScanState::Decimal: {
        if (medium_ == mediumIR) return fail("Decimal values are not allowed in IR codes");
        auto value = VXCommon::decToVar(token_);
        if (!value || *value > 255) return fail("Decimal values must be between 0 and 255");
        return append(lexDecimal, Variant(int16_t(*value)));
      }
      case ScanState::Name: return endName();
      case ScanState::Delay:
        if (medium_ == mediumPollMatch) return fail("Delays are not allowable in polling Match codes");
        return appendTime(lexDelay);
      case ScanState::Raw:
        if (medium_ == mediumRS232) return fail("Raw delays are not allowable in RS232 codes");
        if (medium_ == mediumPollMatch) return fail("Delays are not allowable in polling Match codes");
        log(plWarning, "Raw Codes are deprecated, they will be used, however");
        return appendTime(lexRaw);
      default:
        failed_ = true;
        log(plProblem, "Unexpected lexical type in string");
        return;
    }
  }

  void appendTime(CodeLexType type) {
    auto micros = VXCommon::parseTimeValue(token_, true);
    if (!micros) return fail("Invalid delay time");
    append(type, Variant(*micros));
  }

  void endName() {
    if (medium_ == mediumPollMatch) return fail("Substitutions are not allowed in polling Match codes");
    if (auto marker = markerType(token_, medium_)) return append(*marker, Variant(token_));

    const std::string name = token_;
    const std::string replacement = substitutionText(codeSubst_, name);
    if (replacement.empty()) return fail("Substitution code not found '" + name + "'");
    if (substitutions_ >= kMaxSubstitutions) return fail("Substitution too deep '" + name + "'");

    // The name ends at pos_; the rest of the text from there stays.
    const bool afterComma = lastComma_ != std::string::npos;
    const size_t keep = afterComma ? lastComma_ + 1 : 0;
    const size_t newLength = keep + replacement.size() + (text_.size() - pos_);
    if (newLength > kMaxExpandedLength) return fail("Substitution too deep '" + name + "'");

    text_ = text_.substr(0, keep) + replacement + text_.substr(pos_);
    ++substitutions_;
    token_.clear();
    advance_ = false;
    if (afterComma) {
      pos_ = lastComma_;  // the comma is read again after the lexes before it
      state_ = ScanState::After;
    } else {
      pos_ = 0;
      state_ = ScanState::Item;
    }
  }

  void append(int16_t type, Variant value) {
    lexes_->add(type, std::move(value));
    token_.clear();
    state_ = ScanState::After;
  }

  void fail(const std::string& message) {
    failed_ = true;
    log(plError, message);
  }

  void log(ParseLogKind kind, const std::string& text) {
    if (log_) log_(kind, text);
  }

  std::string text_;
  const CodeMedium medium_;
  const KeyValueClass* const codeSubst_;
  const LogSink& log_;
  TypeValueListPtr lexes_;

  ScanState state_ = ScanState::Item;
  std::string token_;
  size_t pos_ = 0;
  size_t lastComma_ = std::string::npos;
  int substitutions_ = 0;
  bool advance_ = true;
  bool failed_ = false;
};

}  // namespace

TypeValueListPtr compileCodeString(const std::string& codeText, CodeMedium medium,
                                   const KeyValueClass* codeSubst, const LogSink& log) {
  return Scanner(codeText, medium, codeSubst, log).run();
}

}  // namespace CodeStrings
