// PrjRecordTranslator: the work of translating one record of an older-format (".prj") driver
// into statements of the keyword language. Private to the settings object's reader.
//
// A record is the list of its "|"-separated fields, each a word token already trimmed; field 1
// names the record kind (compared ignoring case). Numeric fields are read the way a decimal
// text is read: the leading number, 0 when there is none. The translator builds each
// statement as tokens, logs its text as translated and hands it to the statement parser.
//
// A record the translation cannot settle makes no statement at all and logs one error:
// fewer fields than its kind reads, more fields than a list holds, a numeric field beyond the
// 16-bit range, a value that stands for no word of its list, a recorded-name index outside its
// list, more than 300 names of one category, a carrier PR2 of 0, a text holding the quote a room
// file writes it between (a code string handed on as a word included). Everything else wrong
// with a statement is reported by the parser.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "common/decimal.h"
#include "panel/panel_settings.h"

class PanelSettingsV2::PrjRecordTranslator {
 public:
  PrjRecordTranslator(PanelSettingsV2& settings, const TypeValueList& record);

  // Translates the record (which has at least one field).
  void translate();

 private:
  using NameList = std::array<std::string, PrjTranslatorState::kMaxNames>;

  // ---- Reading the record.
  int32_t fieldCount() const;
  // Field n (from 1) as written; "" past the last field.
  std::string field(int32_t n) const;
  // Logs "Record '<field 1>': " + why as an error.
  void refuse(const std::string& why);
  // True when the record has at least n fields; otherwise refuses it.
  bool hasFields(int16_t n);
  // The leading number of field n; refuses the record when it lies beyond the 16-bit range.
  std::optional<Decimal> fieldValue(int32_t n);
  // The same rounded half to even to a whole number.
  std::optional<int16_t> fieldInt(int32_t n);
  // The word that field n stands for: word value + offset (from 1) of list `list` of a
  // vocabulary word-list global. Refuses the record, naming the field as written and the
  // values the record takes, when the value stands for no word of the list.
  std::optional<std::string> fieldWord(int32_t n, const Variant& lists, int16_t list, int16_t offset,
                                       const char* what);

  // ---- Record kinds: codes and key maps.
  void translateCode();
  // One statement per key whose field holds a name index of 0 or more.
  void translateKeymap(const char* keyword, const std::vector<std::string>& keys,
                       const NameList& names, int16_t nameCount, const char* what);

  // ---- Record kinds: serial line, carrier, options and plain keywords.
  // Remembers the word of serial list `list` at the field's value + offset; false when the
  // record was refused (the word is then marked refused).
  bool rememberSerialWord(int16_t list, int16_t offset, PrjTranslatorState::SerialWord& word,
                          const char* what);
  void translateStopBits();
  void translateCarrier(int16_t& remembered, bool isPr2);
  void translateOptions(const char* keyword, const Variant& words, const char* what);
  void translateKeyword();

  // ---- Building statements.
  // True, after refusing the record with `rule` and the text, when a text that a room file
  // writes between `quote` characters holds one.
  bool holdsItsQuote(const std::string& text, char quote, const char* rule);
  void add(int16_t kind, const std::string& text);
  void parse(bool allowDuplicates);

  PanelSettingsV2& settings_;
  const TypeValueList& record_;
  PrjTranslatorState& state_;
  TypeValueList statement_;
};

// The leading decimal number of a text (sign, digits, an optional fraction); 0 when the text
// does not start with one, no value when the number does not fit a Decimal.
std::optional<Decimal> leadingDecimalNumber(const std::string& text);
