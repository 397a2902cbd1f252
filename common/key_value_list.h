// KeyValueClass: an ordered, 1-based list of key/value pairs of Variants.
//
// Insertion order is kept and lookups by key take the first pair whose key equals the given
// one (texts compare exactly, letter case included; numbers numerically). Keys are copied;
// values are copied too, except objects, which the list shares with its callers. At most
// 32,767 pairs; positions outside 1..count read as empty and ignore writes.
//
// Lookups by a non-empty text key (code names, subscripts) go through an index of the first
// position of each text key, so filling a list of n distinct names costs O(n), not O(n^2).
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "common/variant.h"

class KeyValueClass : public VbObject {
 public:
  static constexpr int16_t kMaxPairs = 32767;

  void Clear();
  // Appends the pair; a key may occur more than once. A full list changes nothing.
  void AddPair(const Variant& key, const Variant& value);
  // Appends only when the key is absent and the list not full; True when it appended.
  bool AddUniquePair(const Variant& key, const Variant& value);
  int16_t GetIndex(const Variant& key) const;
  Variant GetValue(const Variant& key) const;
  // Positions are taken 32 bits wide, so that a loop counting to a full list's count
  // never has to wrap a 16-bit counter.
  Variant ItemKey(int32_t idx) const;
  Variant ItemVal(int32_t idx) const;
  void ItemVal(int32_t idx, const Variant& newVal);
  int16_t count() const { return int16_t(pairs_.size()); }

 private:
  struct Pair {
    Variant key;
    Variant value;
  };
  std::vector<Pair> pairs_;
  // First position (1-based) of each text key.
  std::unordered_map<std::string, int16_t> firstTextKey_;
};

using KeyValuePtr = std::shared_ptr<KeyValueClass>;
