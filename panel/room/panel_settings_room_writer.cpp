// The room-file writer: everything the settings object holds, as the text of a room file in
// the driver language.
//
// Format: slots in row order 1..73, skipping slots never created; one statement per line,
// every line ended by CR LF, no comments or blank lines. PROJ-FILE-FMT is always written as 2.
// A keyword without subscript is one line with all values of its slot joined by ","; a
// subscripted keyword is one line per pair, and a pair whose value formats to nothing is left
// out. The code table that IRCODE and RSCODE share is written once, in its own order, each
// code under the keyword of its kind, so that reading the room back rebuilds the same table
// (the panel addresses codes by their position in it). Values are written by the keyword's value
// type; RoomFileText keeps quoted texts, subscripts and times reading back as the values they
// were written from, and names the first text that no room file can hold (roomFileRefusal).
#include "common/ascii_text.h"
#include "common/hex_text.h"
#include "panel/panel_settings.h"
#include "panel/room/room_file_text.h"
#include "panel/model/room_slot_values.h"

using RoomSlotValues::asDecimal;
using RoomSlotValues::asInt16;
using RoomSlotValues::asText;

namespace {

constexpr const char* kLineEnd = "\r\n";

using VXCommon::equalsIgnoringCase;

// A direction letter (upper case for a positive time) and the time's magnitude.
std::string timedLex(char letter, const Variant& value) {
  std::optional<Decimal> microseconds = asDecimal(value);
  if (!microseconds) return std::string();
  if (microseconds->isNegative()) letter = VXCommon::lowerAscii(letter);
  return letter + RoomFileText::codeTime(*microseconds);
}

// One lex as the code-string scanner reads it; a lex of an unknown type writes nothing.
std::string lexSpelling(const typeValueClass& lex, RoomFileText::Quoting& quoting) {
  const Variant& value = lex.theValue;
  switch (lex.theType) {
    case lexText: return quoting.codeText(asText(value));
    case lexBinary: return "%" + asText(value);
    case lexDecimal: return asText(value);
    case lexHex: return "$" + VXCommon::hex2Str(asInt16(value));
    case lexVarBin: return "&VBIN";
    case lexVarHex: return "&VHEX";
    case lexVarAsc0: return "&VASC0";
    case lexVarAsc1: return "&VASC1";
    case lexVarAsc2: return "&VASC2";
    case lexVarAsc3: return "&VASC3";
    case lexQStop: return "&QSTOP";
    case lexRaw: return timedLex('R', value);
    case lexDelay: return timedLex('D', value);
    default: return std::string();
  }
}

// A code entry whose code string is an RS232 one.
bool isRs232Entry(const Variant& value) {
  auto entry = value.object<KeyValueClass>();
  return entry && equalsIgnoringCase(asText(entry->ItemKey(1)), "RSCODE");
}

// One value of a list (or a lone value) by the keyword's value type.
std::string itemText(const Variant& item, int16_t valueType, RoomFileText::Quoting& quoting) {
  switch (valueType) {
    case valTime: {
      std::optional<Decimal> microseconds = asDecimal(item);
      return microseconds ? RoomFileText::time(*microseconds) : std::string();
    }
    case valNumber:
    case valWord:
      return asText(item);
    case valSingleQuoted:
    case valCodeName:
      return quoting.quoted(asText(item), '\'');
    case valBoolean: {
      // Empty or not a truth value: written as nothing.
      std::optional<bool> truth = item.isEmpty() ? std::nullopt : item.tryToBool();
      return truth ? (*truth ? "True" : "False") : std::string();
    }
    case valDoubleQuoted:
      return quoting.quoted(asText(item), '"');
    default:
      return std::string();
  }
}

}  // namespace

std::string PanelSettingsV2::codeEntryText(const KeyValueClass& entry, RoomFileText::Quoting& quoting) {
  std::string text;
  for (int32_t i = 1; i <= entry.count(); ++i) {
    if (i > 1) text += ',';
    Variant value = entry.ItemVal(i);
    if (i == 1) {
      text += '"';
      if (auto lexes = value.object<TypeValueList>()) {
        bool first = true;
        for (const TypeValuePtr& lex : *lexes) {
          if (!first) text += ',';
          first = false;
          if (lex) text += lexSpelling(*lex, quoting);
        }
      }
      text += '"';
      continue;
    }
    std::string key = asText(entry.ItemKey(i));
    text += key;
    if (equalsIgnoringCase(key, "CONTINUE")) text += "=" + quoting.quoted(asText(value), '\'');
    else if (equalsIgnoringCase(key, "REPEATS")) text += "=" + asText(value);
  }
  return text;
}

std::string PanelSettingsV2::formatRoomValue(const Variant& value, int16_t valueType,
                                             RoomFileText::Quoting& quoting) {
  if (valueType == valRs232Code || valueType == valIrCode) {
    auto entry = value.object<KeyValueClass>();
    if (!entry || entry->count() == 0) return std::string();
    const char* medium = valueType == valRs232Code ? "RSCODE" : "IRCODE";
    if (!equalsIgnoringCase(asText(entry->ItemKey(1)), medium)) return std::string();
    return codeEntryText(*entry, quoting);
  }
  if (valueType == valCodeString) {
    auto entry = value.object<KeyValueClass>();
    return entry ? codeEntryText(*entry, quoting) : std::string();
  }

  if (auto list = value.object<KeyValueClass>()) {
    std::string text;
    for (int32_t i = 1; i <= list->count(); ++i) {
      if (i > 1) text += ',';
      text += itemText(list->ItemVal(i), valueType, quoting);
    }
    return text;
  }
  return itemText(value, valueType, quoting);
}

std::string PanelSettingsV2::encodeRoomFile() const {
  RoomFileText::Quoting quoting;
  return encodeRoomFile(quoting);
}

std::optional<UnwritableText> PanelSettingsV2::roomFileRefusal() const {
  std::optional<UnwritableText> refusal;
  (void)encodeRoomFile(refusal);
  return refusal;
}

std::string PanelSettingsV2::encodeRoomFile(std::optional<UnwritableText>& refusal) const {
  RoomFileText::Quoting quoting;
  std::string text = encodeRoomFile(quoting);
  refusal = quoting.first();
  return text;
}

std::string PanelSettingsV2::encodeRoomFile(RoomFileText::Quoting& quoting) const {
  std::string text;
  for (int16_t row = 1; row <= kKeywordCount; ++row) {
    const KeyValuePtr& slot = kv(row);
    if (!slot) continue;
    const keywordDef& def = keywordTable(row);
    if (row == kwProjFileFmt) {
      text += def.keyword + "=2" + kLineEnd;
      continue;
    }
    if (def.subscriptKind == subNone) {
      text += def.keyword + "=" + formatRoomValue(Variant(slot), def.valueType, quoting) + kLineEnd;
      quoting.nameSetting(def.keyword);
      continue;
    }
    if (row == kwRsCode && slot == kv(kwIrCode)) continue;  // written with IRCODE
    for (int32_t i = 1; i <= slot->count(); ++i) {
      const std::string statement = pairStatement(row, slot->ItemKey(i), slot->ItemVal(i), quoting);
      if (!statement.empty()) text += statement + kLineEnd;
    }
  }
  return text;
}

std::string PanelSettingsV2::pairStatement(int16_t row, const Variant& key, Variant value,
                                           RoomFileText::Quoting& quoting) const {
  const keywordDef& def = keywordTable(row);
  // A legend name of several lines stays one statement: its line ends become "|".
  if (row == kwRoomLegendName && value.isString())
    value = Variant(RoomFileText::legendLine(value.toText()));
  // The code table is one slot for both keywords; each code goes under the keyword of its kind.
  const bool codeTable = (row == kwIrCode || row == kwRsCode) && kv(kwIrCode) == kv(kwRsCode);
  const keywordDef& kind = codeTable ? keywordTable(isRs232Entry(value) ? kwRsCode : kwIrCode) : def;
  std::string formatted = formatRoomValue(value, kind.valueType, quoting);
  if (formatted.empty()) return std::string();
  const std::string setting = kind.keyword + "[" + quoting.subscript(asText(key), def.subscriptKind == subQuoted) + "]";
  quoting.nameSetting(setting);
  return setting + "=" + formatted;
}

std::string PanelSettingsV2::roomStatement(int16_t row, const Variant& entry) const {
  if (row < 1 || row > kKeywordCount) return std::string();
  const keywordDef& def = keywordTable(row);
  const KeyValuePtr& slot = kv(row);
  RoomFileText::Quoting quoting;
  if (def.subscriptKind == subNone)
    return def.keyword + "=" + (slot ? formatRoomValue(Variant(slot), def.valueType, quoting) : std::string());
  if (slot) {
    if (std::string statement = pairStatement(row, entry, slot->GetValue(entry), quoting); !statement.empty())
      return statement;
  }
  return def.keyword + "[" + RoomFileText::subscript(asText(entry), def.subscriptKind == subQuoted) + "]";
}
