// Panel image grammars of texts: length-prefixed strings (driver name, reply pattern), the
// NUL-padded fixed fields (short driver name, short legends, time stamp) and the legend tables
// of four big-endian pointers followed by the four strings they point at. A string or table
// whose text does not fit in its field is refused with one error line and writes nothing; the
// fixed fields cut their texts to their width instead.
#include <string>

#include "common/text_helpers.h"
#include "panel/image/image_encoder.h"
#include "panel/image/text_fields.h"
#include "panel/model/room_slot_values.h"
#include "panel/model/type_value.h"

namespace {

constexpr int16_t kShortFieldWidth = 16;
constexpr int16_t kTimeStampWidth = 32;
constexpr int16_t kLegends = LegendTable::kLegends;

std::string quoted(const std::string& text) { return "'" + text + "'"; }

}  // namespace

Variant PanelSettingsV2::ImageEncoder::legend(int16_t n) const {
  return RoomSlotValues::numberedValue(values_, n);
}

void PanelSettingsV2::ImageEncoder::keepTextField(int32_t start, int32_t end) {
  const std::string bytes = image_.memImage();
  if (start < 0 || end <= start || size_t(end) > bytes.size()) return;
  textFields_.push_back({rule_->memoryValRemark, start,
                         bytes.substr(size_t(start), size_t(end - start))});
}

void PanelSettingsV2::ImageEncoder::encodeLString(const std::string& text, const std::string& owner) {
  const int32_t start = rule_->memoryStartAddress;
  const int32_t end = TextFields::fieldEnd(rules_, start);
  const int32_t needed = TextFields::lengthPrefixedBytes(text);
  // A text running past its field would be cut by the next rule: the user must shorten it.
  // A start outside the image, and a text over 255 that its field would hold, are
  // pokeLString's to refuse.
  if (start >= 0 && start < end && needed > end - start) {
    owe(0);  // the line names the field and its keyword
    return image_.memDebug(memDbgError, TextFields::tooLongLine(rule_->memoryValRemark, owner, false,
                                                                needed, start, end, end - start));
  }
  const int16_t errorsBefore = image_.memDebugErrors();
  const int32_t next = pokeLengthPrefixed(text, start);
  if (image_.memDebugErrors() == errorsBefore) keepTextField(start, next);
}

void PanelSettingsV2::ImageEncoder::encodeDriverName() {
  const KeyValuePtr& slot = owner_.kv(kwProjDriverName);
  if (!slot) return logNoValue(kwProjDriverName);
  encodeLString(RoomSlotValues::asText(slot->ItemVal(1)), quoted(keywordName(kwProjDriverName)));
}

void PanelSettingsV2::ImageEncoder::encodeShortDriverName() {
  const KeyValuePtr& slot = owner_.kv(kwProjDriverName);
  if (!slot) return logNoValue(kwProjDriverName);
  const int32_t start = rule_->memoryStartAddress;
  image_.pokeString(VXCommon::padNul(RoomSlotValues::asText(slot->ItemVal(1)), kShortFieldWidth),
                    start);
  keepTextField(start, start + kShortFieldWidth);
}

void PanelSettingsV2::ImageEncoder::encodeShortLegends() {
  const int32_t start = rule_->memoryStartAddress;
  for (int16_t n = 1; n <= kLegends; ++n)
    image_.pokeString(VXCommon::padNul(RoomSlotValues::asText(legend(n)), kShortFieldWidth),
                      start + kShortFieldWidth * (n - 1));
  keepTextField(start, start + kShortFieldWidth * kLegends);
}

void PanelSettingsV2::ImageEncoder::encodeTimeStamp() {
  // Factory-default settings carry no date, so that their image is always the same.
  const std::string stamp = owner_.loadingDefaults() ? VXCommon::padNul("", kTimeStampWidth)
                                                     : VXCommon::makeTimeStamp();
  const int32_t start = rule_->memoryStartAddress;
  image_.pokeString(stamp, start);
  keepTextField(start, start + int32_t(stamp.size()));
}

void PanelSettingsV2::ImageEncoder::encodeLegendTable() {
  const int32_t table = rule_->memoryStartAddress;
  LegendTable::Texts texts;
  for (int16_t n = 1; n <= kLegends; ++n) texts[size_t(n - 1)] = RoomSlotValues::asText(legend(n));
  // Texts that ran past the field would be cut by the next one: the user must shorten them.
  const int32_t room = LegendTable::textRoom(rules_, table);
  if (LegendTable::textBytes(texts) > room) return logLegendsTooLong(texts, room);
  int32_t next = table + LegendTable::kPointerBytes;
  for (int16_t n = 1; n <= kLegends; ++n) {
    owe(rule_->memoryValIndex, Variant(RoomSlotValues::indexKey(n)));
    image_.pokeAddressBEndian(next, table + 2 * (n - 1));
    next = pokeLengthPrefixed(texts[size_t(n - 1)], next);
  }
  keepTextField(table, next);
}

void PanelSettingsV2::ImageEncoder::logLegendsTooLong(const LegendTable::Texts& texts, int32_t room) {
  const int32_t table = rule_->memoryStartAddress;
  const std::string keyword = keywordName(rule_->memoryValIndex);
  const int32_t needed = LegendTable::textBytes(texts);
  std::string line = TextFields::tooLongLine(rule_->memoryValRemark, quoted(keyword), true, needed, table,
                                             TextFields::fieldEnd(rules_, table), room) +
                     " after its " + std::to_string(LegendTable::kPointerBytes / 2) + " pointers";
  if (const int16_t n = LegendTable::tooLongLegend(texts, room); n != 0)
    line += "; " + quoted(LegendTable::legendName(keyword, n)) + " is " + TextFields::bytesText(needed - room) +
            " too long";
  image_.memDebug(memDbgError, line);
  // The listing speaks of the field; the user is told which legends to shorten.
  recordErrors();
  errors_.back().said = rule_->memoryValRemark + ": " + LegendTable::tooLongForUser(keyword, texts, room);
}

void PanelSettingsV2::ImageEncoder::encodeMatchBytes() {
  if (!haveValues()) return;
  TypeValueListPtr lexes = value(1).object<TypeValueList>();
  if (!lexes) return logNoValue(rule_->memoryValIndex);
  std::string pattern;
  for (const TypeValuePtr& lex : *lexes) {
    const int16_t type = lex ? lex->theType : int16_t(0);
    if (type == lexText) {
      pattern += RoomSlotValues::asText(lex->theValue);
    } else if (type == lexDecimal || type == lexHex) {
      const int16_t byte = RoomSlotValues::asInt16(lex->theValue);
      if (byte < 0 || byte > 255)
        image_.memDebug(memDbgError, "Lexical value out of range for type=" + std::to_string(type));
      else
        pattern += char(byte);
    } else {
      image_.memDebug(memDbgError, "Unknown lexical type");
    }
  }
  encodeLString(pattern, quoted(keywordName(rule_->memoryValIndex)));
}
