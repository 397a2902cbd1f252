#include "panel/model/slot_reading.h"

namespace SlotReading {

std::string textOf(const Variant& value) { return value.tryToText().value_or(""); }

KeyValuePtr codeEntry(const KeyValuePtr& table, const Variant& item) {
  if (!table) return nullptr;
  // Not a number, or beyond every possible index: index 0, no entry.
  int16_t index = item.isString() ? table->GetIndex(item) : item.tryToInt16().value_or(0);
  if (index < 1 || index > table->count()) return nullptr;
  return table->ItemVal(index).object<KeyValueClass>();
}

Variant attributeValue(const KeyValuePtr& entry, const char* key) {
  return entry ? entry->GetValue(Variant(key)) : Variant();
}

bool attributePresent(const KeyValuePtr& entry, const char* key) {
  return !attributeValue(entry, key).isEmpty();
}

}  // namespace SlotReading
