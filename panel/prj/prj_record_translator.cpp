// Translation of older-format driver records: reading fields, the choice of record kind, and
// the CODE and key-map records, which build the code table and the default key assignments
// from the code names recorded per category.
#include "panel/prj/prj_record_translator.h"

#include <limits>

#include "common/ascii_text.h"
#include "common/word_lists.h"
#include "panel/language/driver_token.h"
#include "panel/model/slot_reading.h"

namespace {

bool isYes(const std::string& flag) { return VXCommon::upperCased(flag) == "Y"; }

// The code categories of a CODE record's last field.
constexpr int16_t kCategorySelection = 0;
constexpr int16_t kCategoryHidden = 1;
constexpr int16_t kCategoryCore = 2;

// The words of list `list` (from 1) of a vocabulary global, as many as wanted from its start.
std::vector<std::string> firstWords(const Variant& lists, int32_t list, int32_t wanted) {
  std::vector<std::string> words;
  if (!lists.isArray() || list < lists.lbound() || list > lists.ubound()) return words;
  const Variant& names = lists.at(list);
  if (!names.isArray()) return words;
  for (int32_t i = names.lbound(); i <= names.ubound() && int32_t(words.size()) < wanted; ++i)
    words.push_back(SlotReading::textOf(names.at(i)));
  return words;
}

}  // namespace

std::optional<Decimal> leadingDecimalNumber(const std::string& text) {
  size_t end = 0;
  if (end < text.size() && (text[end] == '-' || text[end] == '+')) ++end;
  size_t digitsStart = end;
  while (end < text.size() && text[end] >= '0' && text[end] <= '9') ++end;
  bool intDigits = end > digitsStart;
  bool fractionDigits = false;
  if (end < text.size() && text[end] == '.') {
    size_t point = end++;
    while (end < text.size() && text[end] >= '0' && text[end] <= '9') ++end;
    fractionDigits = end > point + 1;
    if (!fractionDigits) end = point;
  }
  if (!intDigits && !fractionDigits) return Decimal(0);
  std::string number = text.substr(0, end);
  if (number[0] == '+') number.erase(0, 1);
  if (number[0] == '.' || (number[0] == '-' && number[1] == '.'))
    number.insert(number[0] == '-' ? 1 : 0, "0");
  return Decimal::parse(number);
}

PanelSettingsV2::PrjRecordTranslator::PrjRecordTranslator(PanelSettingsV2& settings,
                                                          const TypeValueList& record)
    : settings_(settings), record_(record), state_(settings.translator_) {}

int32_t PanelSettingsV2::PrjRecordTranslator::fieldCount() const { return record_.count(); }

std::string PanelSettingsV2::PrjRecordTranslator::field(int32_t n) const {
  if (n < 1 || n > fieldCount()) return "";
  return SlotReading::textOf(record_.item(n)->theValue);
}

void PanelSettingsV2::PrjRecordTranslator::refuse(const std::string& why) {
  settings_.logParse(plError, "Record '" + field(1) + "': " + why);
}

bool PanelSettingsV2::PrjRecordTranslator::hasFields(int16_t n) {
  if (fieldCount() >= n) return true;
  refuse("expecting at least " + std::to_string(n) + " fields, found " +
         std::to_string(fieldCount()));
  return false;
}

std::optional<Decimal> PanelSettingsV2::PrjRecordTranslator::fieldValue(int32_t n) {
  std::optional<Decimal> value = leadingDecimalNumber(field(n));
  if (value && *value >= Decimal(std::numeric_limits<int16_t>::min()) &&
      *value <= Decimal(std::numeric_limits<int16_t>::max()))
    return value;
  refuse("the value '" + field(n) + "' of field " + std::to_string(n) + " is beyond 16 bits");
  return std::nullopt;
}

std::optional<int16_t> PanelSettingsV2::PrjRecordTranslator::fieldInt(int32_t n) {
  std::optional<Decimal> value = fieldValue(n);
  if (!value) return std::nullopt;
  Decimal rounded = value->roundHalfEven(0);
  if (rounded > Decimal(std::numeric_limits<int16_t>::max())) {
    refuse("the value '" + field(n) + "' of field " + std::to_string(n) + " is beyond 16 bits");
    return std::nullopt;
  }
  return rounded.toInt16();
}

std::optional<std::string> PanelSettingsV2::PrjRecordTranslator::fieldWord(
    int32_t n, const Variant& lists, int16_t list, int16_t offset, const char* what) {
  std::optional<int16_t> value = fieldInt(n);
  if (!value) return std::nullopt;
  std::vector<std::string> words = firstWords(lists, list, std::numeric_limits<int16_t>::max());
  const int32_t position = int32_t(*value) + offset;
  if (position >= 1 && size_t(position) <= words.size()) return words[size_t(position - 1)];
  // The record's own values, not the list's positions: BAUD-RATE takes -2 to 7.
  const int32_t first = 1 - offset, last = int32_t(words.size()) - offset;
  refuse(field(n) + " is not one of the record's values " + std::to_string(first) + " to " +
         std::to_string(last) + ", which stand for its " + std::to_string(words.size()) + " " + what);
  return std::nullopt;
}

void PanelSettingsV2::PrjRecordTranslator::add(int16_t kind, const std::string& text) {
  addToken(statement_, kind, text);
}

bool PanelSettingsV2::PrjRecordTranslator::holdsItsQuote(const std::string& text, char quote, const char* rule) {
  if (text.find(quote) == std::string::npos) return false;
  refuse(std::string(rule) + ": " + text);
  return true;
}

void PanelSettingsV2::PrjRecordTranslator::parse(bool allowDuplicates) {
  // The language has no escapes: a text holding the quote it stands between would be stored,
  // but a room file could not say it again. Such a statement is refused here, where its
  // record can be named.
  for (const TypeValuePtr& token : statement_) {
    const char quote = token->theType == tokSingleQuoted ? '\''
                       : token->theType == tokDoubleQuoted ? '"'
                                                           : '\0';
    if (quote != '\0' && holdsItsQuote(SlotReading::textOf(token->theValue), quote,
                                          "a text may not hold its own quote character")) {
      statement_ = TypeValueList();
      return;
    }
  }
  settings_.parseTranslated(statement_, allowDuplicates);
  statement_ = TypeValueList();
}

void PanelSettingsV2::PrjRecordTranslator::translate() {
  // Its fields would not fit the statement's list of values.
  if (fieldCount() > KeyValueClass::kMaxPairs) {
    refuse("more than " + std::to_string(KeyValueClass::kMaxPairs) + " fields");
    return;
  }
  const std::string kind = VXCommon::upperCased(field(1));
  if (kind == "CODE") {
    translateCode();
  } else if (kind == "AUX-FUNCT-KEYMAP") {
    translateKeymap("DEFAULT-HID-FUNCT", firstWords(VXCommon::gHidFunctWords, 1, 7),
                    state_.hiddenNames, state_.hiddenCount, "hidden names");
  } else if (kind == "CORE-FUNCT-KEYMAP") {
    translateKeymap("DEFAULT-CORE-FUNCT", firstWords(VXCommon::gCoreFunctWords, 1, 8),
                    state_.coreNames, state_.coreCount, "core names");
  } else if (kind == "SELECTION-KEYMAP") {
    translateKeymap("DEFAULT-SELECTION", {"1", "2", "3", "4"}, state_.selectionNames,
                    state_.selectionCount, "selection names");
  } else if (kind == "BAUD-RATE") {
    rememberSerialWord(1, 3, state_.baud, "baud rates");
  } else if (kind == "BITS") {
    rememberSerialWord(2, 1, state_.dataBits, "data bit counts");
  } else if (kind == "PARITY") {
    rememberSerialWord(3, 1, state_.parity, "parities");
  } else if (kind == "STOP-BITS") {
    translateStopBits();
  } else if (kind == "CARRIER-PR2") {
    translateCarrier(state_.carrierPr2, true);
  } else if (kind == "CARRIER-DC") {
    translateCarrier(state_.carrierDutyCycle, false);
  } else if (kind == "WIRING-OPTIONS") {
    translateOptions("IR-WIRING-OPTIONS", VXCommon::gIrWiringWords, "IR wiring options");
  } else if (kind == "POWER-SENSE-OPTIONS") {
    translateOptions("POWER-SENSE-OPTIONS", VXCommon::gPowerSenseWords, "power sense options");
  } else {
    translateKeyword();
  }
}

// CODE|name|type|prefix|suffix|repeat|repeat count|continuation|include continuation|code
// [|category]: one IRCODE or RSCODE statement; the name is recorded under its category so
// that the key maps can refer to it by index.
void PanelSettingsV2::PrjRecordTranslator::translateCode() {
  if (!hasFields(10)) return;
  std::optional<int16_t> type = fieldInt(3);
  if (!type) return;
  std::optional<Decimal> repeats = fieldValue(7);
  if (!repeats) return;
  std::optional<int16_t> category = int16_t(kCategorySelection);
  if (fieldCount() >= 11) category = fieldInt(11);
  if (!category) return;

  NameList* names = nullptr;
  int16_t* count = nullptr;
  const char* flag = nullptr;
  if (*category == kCategorySelection) {
    names = &state_.selectionNames;
    count = &state_.selectionCount;
    flag = "IS-SELECTION";
  } else if (*category == kCategoryHidden) {
    names = &state_.hiddenNames;
    count = &state_.hiddenCount;
    flag = "IS-HIDDEN";
  } else if (*category == kCategoryCore) {
    names = &state_.coreNames;
    count = &state_.coreCount;
  }
  if (count && *count >= PrjTranslatorState::kMaxNames) {
    refuse("more than " + std::to_string(PrjTranslatorState::kMaxNames) +
           " names of category " + std::to_string(*category));
    return;
  }

  const std::string name = field(2);
  add(tokWord, *type == 2 ? "RSCODE" : "IRCODE");
  add(tokOpenBracket, "[");
  add(tokSingleQuoted, name);
  add(tokCloseBracket, "]");
  add(tokEquals, "=");
  add(tokDoubleQuoted, field(10));
  auto addFlag = [this](const char* word) {
    add(tokComma, ",");
    add(tokWord, word);
  };
  if (!field(8).empty()) {
    addFlag("CONTINUE");
    add(tokEquals, "=");
    add(tokSingleQuoted, field(8));
  }
  if (isYes(field(9))) addFlag("INCLUDECONT");
  if (isYes(field(4))) addFlag("USEPREFIX");
  if (isYes(field(5))) addFlag("USESUFFIX");
  if (isYes(field(6))) addFlag("USEREPEAT");
  if (*repeats > Decimal(0)) {
    addFlag("REPEATS");
    add(tokEquals, "=");
    add(tokWord, field(7));
  }
  if (flag) addFlag(flag);
  if (names) (*names)[size_t((*count)++)] = name;
  parse(true);
}

// <KEYMAP>|index|index|...: for each key whose field is 0 or more, the default assignment of
// the recorded name with that 0-based index. The whole record is checked before any
// statement is made.
void PanelSettingsV2::PrjRecordTranslator::translateKeymap(const char* keyword,
                                                           const std::vector<std::string>& keys,
                                                           const NameList& names,
                                                           int16_t nameCount, const char* what) {
  if (!hasFields(int16_t(keys.size() + 1))) return;
  std::vector<int16_t> indexes;
  for (size_t j = 0; j < keys.size(); ++j) {
    std::optional<int16_t> index = fieldInt(int16_t(j + 2));
    if (!index) return;
    if (*index >= nameCount) {
      refuse("name index " + std::to_string(*index) + " is outside the " +
             std::to_string(nameCount) + " recorded " + what);
      return;
    }
    indexes.push_back(*index);
  }
  for (size_t j = 0; j < keys.size(); ++j) {
    if (indexes[j] < 0) continue;  // no default for this key
    add(tokWord, keyword);
    add(tokOpenBracket, "[");
    add(tokWord, keys[j]);
    add(tokCloseBracket, "]");
    add(tokEquals, "=");
    add(tokSingleQuoted, names[size_t(indexes[j])]);
    parse(false);
  }
}
