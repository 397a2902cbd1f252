// PanelSettingsV2::ImageEncoder: the work of one makeMemoryMap call, private to the panel
// settings model. It carries out the memory rules of one set, one at a time and in the set's
// order, on an image that the caller has cleared, with one code-table packer for the whole
// build; the set also tells where each text field ends (text_fields.h).
//
// Per rule the log gets the remark, "          from: '<keyword>'" when the rule reads a
// keyword, the grammar's own lines and the pokes' trace lines, then an empty line. Every byte
// goes through pokeByte with the rule's low bound. Faults are error lines of the image's log
// (which withhold the image), never exceptions:
// - a grammar outside 1-36: "Program Error - unclassified memory rule";
// - a rule whose keyword slot is empty, or whose value is not of the kind its grammar needs:
//   "Program Error - no value for '<keyword>'", and the rule writes nothing;
// - a length-prefixed string (driver name, reply pattern) that does not fit in its field, which
//   runs up to the next address a rule of the set starts at: "<remark> - the text of
//   '<keyword>' needs N bytes with its length byte, but its field $SSSS-$EEEE holds M"; the
//   string writes nothing (a text over 255 that its field would hold is pokeLString's error);
// - a legend table whose texts do not fit in its field: "<remark> - the texts of '<keyword>'
//   need N bytes with their length bytes, but its field $SSSS-$EEEE holds M after its 4
//   pointers", followed by "; '<keyword>[n]' is K bytes too long" when one legend alone
//   takes more than its even share; the table writes nothing. Its record says to the user
//   each legend that holds text with its bytes (LegendTable::tooLongForUser);
// - a text field (a string, a legend table, the reply pattern, the code table) whose bytes a
//   later rule changed: "<remark> - field $SSSS-$EEEE overwritten by a later rule", logged by
//   checkTextFields after the walk.
// Counts of ticks and indexes beyond 16 bits are held at the 16-bit limit, so pokeByte
// refuses them as bytes out of bounds.
//
// Each error line is recorded (ImageBuildError) with the setting it is owed to: the rule's
// keyword when it has no subscript, else the entry the grammar was writing (a relay, an input,
// an index slot, a code, a legend); lines that name their field and keyword themselves, and lines of
// rules without keyword, are owed to none. A byte written from a keyword's value in counts of
// a unit (a time's tick, a number, a position in a list of codes) that is past 255 counts is
// refused by pokeByte; its record holds the largest value the byte holds, 255 counts, written
// as the keyword's values are ("8.5H", "255", "position 255"). A length-prefixed text (a
// legend, the driver name) longer than its length byte counts is refused by pokeLString; its
// record holds the text's length and the 255 bytes the byte counts at most.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "common/decimal.h"
#include "common/key_value_list.h"
#include "common/memory_image.h"
#include "common/memory_rule.h"
#include "panel/image/code_table/code_table_v789.h"
#include "panel/image/legend_table.h"
#include "panel/image_build_error.h"
#include "panel/model/mem_rule_set.h"
#include "panel/panel_settings.h"

class PanelSettingsV2::ImageEncoder {
 public:
  ImageEncoder(const PanelSettingsV2& owner, const MemRuleSet& rules, memBlockCls& image,
               int16_t fwMajor, int16_t fwMinor);

  // Carries out one rule of the set.
  void applyRule(const memRuleClass& rule);
  // After the last rule: an error line for each text field a later rule changed.
  void checkTextFields();
  // The records of every error line logged so far, in the log's order.
  std::vector<ImageBuildError> takeErrors();

 private:
  // A text field as its rule wrote it, kept to tell when a later rule writes over it.
  struct TextField {
    std::string remark;
    int32_t start;
    std::string bytes;
  };

  void applyGrammar();

  // ---- The setting each error line is owed to (image_encoder.cpp).
  // Error lines logged from now on are owed to `entry` of keyword row `row` (0: to none).
  void owe(int16_t row, const Variant& entry = Variant());
  // Records the error lines logged since the last call.
  void recordErrors();
  // pokeByte of a count of steps of the rule's keyword, a step being step / divisor of its
  // units (microseconds, a number, a position; a fraction, so that the largest value is exact);
  // a count past the byte says the largest value the byte holds.
  void pokeCount(int16_t count, int32_t address, const Decimal& step,
                 const Decimal& divisor = Decimal(1));
  // pokeLString of a text of the setting the next error lines are owed to; a text longer than
  // a length byte counts is refused, and its record holds its length and the most it may have.
  int32_t pokeLengthPrefixed(const std::string& text, int32_t address);
  // The name of keyword row `row`; empty for none.
  std::string keywordName(int16_t row) const;

  // ---- Values of the rule's keyword (image_encoder_values.cpp).
  // Value n of the slot by position; Empty beyond its count.
  Variant value(int16_t n) const;
  // The error line of a rule that cannot be carried out for want of a value of row `row`.
  void logNoValue(int16_t row);
  // False, after logNoValue, when the rule's keyword slot is empty.
  bool haveValues();
  // Value 1 of slot `row` as an exact number; Empty counts as 0. No value, after logNoValue,
  // for an empty slot or a value that is no number.
  std::optional<Decimal> numberIn(int16_t row);
  // Nearest integer, halves to even, held within the 16-bit range.
  static int16_t nearest16(const Decimal& value);
  // The nearest whole number of (positive) ticks in the time, held within the 16-bit range.
  static int16_t ticksIn(const Decimal& time, const Decimal& tick);

  // ---- Constants, bytes, bits, times, duty cycle, serial line (image_encoder_values.cpp).
  void encodeConstByte();
  void encodeConstWord();
  void encodeByte();
  void encodeBit(bool inverted);
  void encodeSetBit();
  void encodeFlagBit(bool negated);
  void encodeTime(const Decimal& tick);
  void encodeDutyCycle();
  void encodeBaud();

  // ---- Texts (image_encoder_texts.cpp).
  // The text as a length-prefixed string at the rule's address, or, when it does not fit in
  // the field up to the set's next address, only an error line naming `owner` ("'KEYWORD'").
  void encodeLString(const std::string& text, const std::string& owner);
  void encodeDriverName();
  void encodeShortDriverName();
  void encodeShortLegends();
  void encodeTimeStamp();
  void encodeLegendTable();
  void encodeMatchBytes();
  // The error line of a legend table whose texts need more than the `room` bytes its field
  // leaves them.
  void logLegendsTooLong(const LegendTable::Texts& texts, int32_t room);
  // The legend numbered n; Empty when the room has none.
  Variant legend(int16_t n) const;
  // Remembers the bytes from start up to end as the rule's text field.
  void keepTextField(int32_t start, int32_t end);

  // ---- Indexes, code table, relays, pre-amplifier (image_encoder_tables.cpp).
  void encodeIndexes(bool hidden, bool zeroBased);
  void encodeCoreIndexes();
  void encodeDelaySlot();
  void encodeCodeTable();
  void encodeRelays(int16_t grammar);
  void encodePreamp(int16_t inputs);

  const PanelSettingsV2& owner_;
  const MemRuleSet& rules_;
  memBlockCls& image_;
  const int16_t fwMajor_;
  const int16_t fwMinor_;
  CodeTableV789 codeTable_;
  std::vector<TextField> textFields_;

  // The rule being carried out and its keyword's slot (null when it reads none or the slot is
  // empty).
  const memRuleClass* rule_ = nullptr;
  KeyValuePtr values_;

  // The records so far, the error lines they cover, and the setting the next ones are owed to.
  std::vector<ImageBuildError> errors_;
  size_t recordedErrors_ = 0;
  int16_t owedRow_ = 0;
  Variant owedEntry_;
  std::string largest_;
  int32_t textLength_ = 0;
};
