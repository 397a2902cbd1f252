#include "panel/model/slot_reading.h"

#include "common/vb_error.h"

namespace SlotReading {

std::string textOf(const Variant& value) {
  switch (value.kind()) {
    case Variant::Kind::Object:
    case Variant::Kind::Array:
    case Variant::Kind::Nothing:
      return "";
    default:
      return value.toText();
  }
}

KeyValuePtr codeEntry(const KeyValuePtr& table, const Variant& item) {
  if (!table) return nullptr;
  int16_t index = 0;
  if (item.isString()) {
    index = table->GetIndex(item);
  } else {
    try {
      index = item.toInt16();
    } catch (const VbError&) {
      return nullptr;  // not a number, or beyond every possible index
    }
  }
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
