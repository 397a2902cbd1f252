// Translation of older-format driver records that set single keywords: the serial line words,
// the IR carrier, the wiring and power-sense options, and records named after a keyword (or
// one of its older names), whose value is converted by the keyword's value type.
#include <initializer_list>

#include "common/ascii_text.h"
#include "common/word_lists.h"
#include "panel/language/driver_token.h"
#include "panel/model/time_ticks.h"
#include "panel/prj/prj_record_translator.h"

namespace {

bool isOneOf(const std::string& word, std::initializer_list<const char*> words) {
  for (const char* w : words)
    if (word == w) return true;
  return false;
}

// The older format counted most times in the panel's 470 ms ticks and the I/O down time in its
// 29 ms ticks; the keyword language writes them as milliseconds.
std::string ticksAsMilliseconds(const Decimal& ticks, int64_t microsecondsPerTick) {
  return (ticks * Decimal(microsecondsPerTick / 1000)).toString() + "m";
}

}  // namespace

bool PanelSettingsV2::PrjRecordTranslator::rememberSerialWord(int16_t list, int16_t offset,
                                                              PrjTranslatorState::SerialWord& word,
                                                              const char* what) {
  std::optional<std::string> chosen;
  if (hasFields(2)) chosen = fieldWord(2, VXCommon::gSerialWords, list, offset, what);
  word = {chosen.value_or(""), !chosen};
  return chosen.has_value();
}

// The stop bits complete the serial settings: the remembered words become PROJ-BAUD-RATE.
// A refused serial record has had its error; the statement is not made without its word, so
// the line of this record, which holds no fault, gets none.
void PanelSettingsV2::PrjRecordTranslator::translateStopBits() {
  if (!rememberSerialWord(4, 1, state_.stopBits, "stop bit counts")) return;
  if (state_.baud.refused || state_.dataBits.refused || state_.parity.refused) return;
  add(tokWord, "PROJ-BAUD-RATE");
  add(tokEquals, "=");
  add(tokWord, state_.baud.word);
  for (const PrjTranslatorState::SerialWord* word : {&state_.dataBits, &state_.parity, &state_.stopBits}) {
    add(tokComma, ",");
    add(tokWord, word->word);
  }
  parse(true);
}

// CARRIER-PR2 and CARRIER-DC: once both are known (-1 is "not yet"), the carrier period is
// PR2 steps of 0.2 microseconds and the duty cycle DC / PR2 in whole percent.
void PanelSettingsV2::PrjRecordTranslator::translateCarrier(int16_t& remembered, bool isPr2) {
  if (!hasFields(2)) return;
  std::optional<int16_t> value = fieldInt(2);
  if (!value) return;
  if (isPr2 && *value == 0) {
    refuse("a PR2 of 0 gives no carrier period");
    return;
  }
  remembered = *value;
  if (state_.carrierPr2 == -1 || state_.carrierDutyCycle == -1) return;

  const Decimal pr2(state_.carrierPr2);
  add(tokWord, "CARRIER-PERIOD");
  add(tokEquals, "=");
  add(tokWord, (pr2 * TimeTicks::carrierStep()).toString() + "u");
  parse(false);

  const Decimal percent = Decimal(state_.carrierDutyCycle) * Decimal(100) / pr2;
  add(tokWord, "CARRIER-DUTY-CYCLE");
  add(tokEquals, "=");
  add(tokWord, percent.roundHalfEven(0).toString());
  parse(false);
}

// WIRING-OPTIONS and POWER-SENSE-OPTIONS: each field from 2 on is a 0-based position in the
// keyword's word list.
void PanelSettingsV2::PrjRecordTranslator::translateOptions(const char* keyword,
                                                            const Variant& words,
                                                            const char* what) {
  if (!hasFields(2)) return;
  std::vector<std::string> chosen;
  for (int32_t n = 2; n <= fieldCount(); ++n) {
    std::optional<std::string> word = fieldWord(n, words, 1, 1, what);
    if (!word) return;
    chosen.push_back(*word);
  }
  add(tokWord, keyword);
  add(tokEquals, "=");
  for (size_t i = 0; i < chosen.size(); ++i) {
    if (i > 0) add(tokComma, ",");
    add(tokWord, chosen[i]);
  }
  parse(true);
}

// Any other record: a keyword, or an older name of one, with its value in field 2. A record
// that names no keyword is passed on as it stands for the parser to report.
void PanelSettingsV2::PrjRecordTranslator::translateKeyword() {
  int16_t row = 0;
  settings_.findKeyword(field(1), true, row);
  if (row == 0) {
    add(tokWord, field(1));
    add(tokEquals, "=");
    for (int32_t n = 2; n <= fieldCount(); ++n) {
      if (n > 2) add(tokComma, ",");
      add(tokWord, field(n));
    }
    parse(true);
    return;
  }
  if (!hasFields(2)) return;

  const keywordDef& def = settings_.keywordTable(row);
  const std::string oldName = VXCommon::upperCased(field(1));
  int16_t valueKind = tokWord;
  std::string value = field(2);
  if (def.valueType == valTime) {
    if (!isOneOf(oldName, {"DELAY-IR-HIGH-0", "DELAY-IR-LOW-0", "DELAY-IR-HIGH-1",
                           "DELAY-IR-LOW-1"})) {
      std::optional<Decimal> ticks = fieldValue(2);
      if (!ticks) return;
      if (isOneOf(oldName, {"DEFAULT-LOCKOUT", "WARM-UP-DELAY", "POWER-ON-DELAY",
                            "POWER-POLL-LOCKOUT", "POWER-POLL-INTERVAL", "POWER-POLL-TIMEOUT"}))
        value = ticksAsMilliseconds(*ticks, TimeTicks::k470ms);
      else if (oldName == "IO-DOWNTIME")
        value = ticksAsMilliseconds(*ticks, TimeTicks::k29ms);
      else
        value = ticks->toString() + "x";  // no known unit: the parser refuses it as a time
    }
  } else if (def.valueType == valBoolean) {
    std::optional<Decimal> flag = fieldValue(2);
    if (!flag) return;
    value = flag->isZero() ? "FALSE" : "TRUE";
  } else if (def.valueType == valSingleQuoted) {
    valueKind = tokSingleQuoted;
  } else if (def.valueType == valDoubleQuoted) {
    valueKind = tokDoubleQuoted;
  } else if (def.valueType == valCodeString || def.valueType == valIrCode || def.valueType == valRs232Code) {
    // A code string handed on as a word: a room file writes it between double quotes.
    if (holdsItsQuote(value, '"', "a code string may not hold a double quote")) return;
  }
  add(tokWord, def.keyword);
  add(tokEquals, "=");
  add(valueKind, value);
  parse(true);
}
