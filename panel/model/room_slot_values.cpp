#include "panel/model/room_slot_values.h"

#include <memory>

namespace RoomSlotValues {

Variant valueAt(const KeyValuePtr& list, int16_t pos) {
  return list ? list->ItemVal(pos) : Variant();
}

bool asBool(const Variant& value) { return value.tryToBool().value_or(false); }

int16_t asInt16(const Variant& value) { return value.tryToInt16().value_or(0); }

std::string asText(const Variant& value) { return value.tryToText().value_or(std::string()); }

std::optional<Decimal> asDecimal(const Variant& value) {
  if (value.isEmpty()) return std::nullopt;
  return value.tryToDecimal();
}

void storeAt(KeyValueClass& list, int16_t pos, const Variant& value, const Variant& filler,
             bool keyedByPosition) {
  if (pos < 1) return;
  while (list.count() < pos) {
    int16_t before = list.count();
    Variant key = keyedByPosition ? Variant(indexKey(int16_t(before + 1))) : Variant(std::string());
    list.AddPair(key, filler);
    if (list.count() == before) return;  // the list is full
  }
  list.ItemVal(pos, value);
}

void storeSetting(KeyValuePtr& slot, const keywordDef& row, const Variant& value) {
  if (!slot) slot = std::make_shared<KeyValueClass>();
  storeAt(*slot, 1, value, Variant(), row.argCount != 1);
}

std::string indexKey(int16_t idx) { return std::to_string(idx); }

int32_t numberOfKey(const Variant& key) {
  if (!key.isString()) return 0;
  const std::string text = key.toText();
  if (text.empty() || text.size() > 5 || text[0] == '0') return 0;
  int32_t number = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return 0;
    number = number * 10 + (c - '0');
  }
  return number <= KeyValueClass::kMaxPairs ? number : 0;
}

Variant numberedValue(const KeyValuePtr& list, int16_t n) {
  return list ? list->GetValue(Variant(indexKey(n))) : Variant();
}

KeyValuePtr numberedPairs(const KeyValuePtr& list, int16_t most) {
  auto numbered = std::make_shared<KeyValueClass>();
  for (int16_t n = 1; n <= most && list && list->GetIndex(Variant(indexKey(n))) != 0; ++n)
    numbered->AddPair(Variant(indexKey(n)), numberedValue(list, n));
  return numbered;
}

KeyValuePtr indexedList(const KeyValuePtr& slot, int16_t idx) {
  return numberedValue(slot, idx).object<KeyValueClass>();
}

KeyValuePtr ensureIndexedList(KeyValuePtr& slot, int16_t idx) {
  if (!slot) slot = std::make_shared<KeyValueClass>();
  Variant key(indexKey(idx));
  int16_t pos = slot->GetIndex(key);
  if (pos != 0) {
    if (auto list = slot->ItemVal(pos).object<KeyValueClass>()) return list;
    auto list = std::make_shared<KeyValueClass>();
    slot->ItemVal(pos, Variant(list));
    return list;
  }
  auto list = std::make_shared<KeyValueClass>();
  slot->AddPair(key, Variant(list));
  // A full slot could not take the pair: hand back a list that nothing keeps.
  return list;
}

}  // namespace RoomSlotValues
