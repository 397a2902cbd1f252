#include "common/key_value_list.h"

void KeyValueClass::Clear() {
  pairs_.clear();
  firstTextKey_.clear();
}

void KeyValueClass::AddPair(const Variant& key, const Variant& value) {
  if (pairs_.size() >= size_t(kMaxPairs)) return;
  pairs_.push_back(Pair{key, value});
  if (key.isString()) firstTextKey_.emplace(key.toText(), int16_t(pairs_.size()));
}

bool KeyValueClass::AddUniquePair(const Variant& key, const Variant& value) {
  if (GetIndex(key) != 0 || count() >= kMaxPairs) return false;
  AddPair(key, value);
  return true;
}

int16_t KeyValueClass::GetIndex(const Variant& key) const {
  // A non-empty text equals only the same text: numbers, Empty and objects never match it.
  if (key.isString() && !key.toText().empty()) {
    auto it = firstTextKey_.find(key.toText());
    return it == firstTextKey_.end() ? 0 : it->second;
  }
  for (size_t i = 0; i < pairs_.size(); ++i)
    if (pairs_[i].key == key) return int16_t(i + 1);
  return 0;
}

Variant KeyValueClass::GetValue(const Variant& key) const {
  int16_t idx = GetIndex(key);
  return idx == 0 ? Variant() : pairs_[size_t(idx - 1)].value;
}

Variant KeyValueClass::ItemKey(int32_t idx) const {
  if (idx < 1 || idx > count()) return Variant();
  return pairs_[size_t(idx - 1)].key;
}

Variant KeyValueClass::ItemVal(int32_t idx) const {
  if (idx < 1 || idx > count()) return Variant();
  return pairs_[size_t(idx - 1)].value;
}

void KeyValueClass::ItemVal(int32_t idx, const Variant& newVal) {
  if (idx < 1 || idx > count()) return;
  pairs_[size_t(idx - 1)].value = newVal;
}
