// FlagList: a 1-based list of Booleans, elements 1 to ubound(); the form in which a memory
// image hands out its per-block flags and in which the hex dump takes the blocks to show.
//
// Reading or writing an element outside 1..ubound() raises VbError 9 (subscript out of
// range), as indexing any list of the system does.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <vector>

#include "common/vb_error.h"

class FlagList {
 public:
  FlagList() = default;
  explicit FlagList(int32_t count, bool value = false)
      : flags_(count > 0 ? size_t(count) : 0, value) {}
  static FlagList of(std::initializer_list<bool> values) {
    FlagList list;
    list.flags_.assign(values.begin(), values.end());
    return list;
  }

  int32_t ubound() const { return int32_t(flags_.size()); }
  bool contains(int32_t k) const { return k >= 1 && k <= ubound(); }
  bool at(int32_t k) const {
    if (!contains(k)) throw VbError(VbError::kSubscriptOutOfRange);
    return flags_[size_t(k - 1)];
  }
  void set(int32_t k, bool value) {
    if (!contains(k)) throw VbError(VbError::kSubscriptOutOfRange);
    flags_[size_t(k - 1)] = value;
  }

  friend bool operator==(const FlagList&, const FlagList&) = default;

 private:
  std::vector<bool> flags_;
};
