// MemRuleSet: one ordered, 1-based list of memory rules, the description of one panel memory
// format. Built once when the settings object is constructed and read-only afterwards: the
// encoder and the decoder walk it in order, and a later rule that writes a byte already
// written replaces it (bit rules change only their own bit).
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "common/memory_rule.h"
#include "common/vb_error.h"

class MemRuleSet {
 public:
  using Rules = std::vector<std::shared_ptr<const memRuleClass>>;

  void append(memRuleClass rule) { rules_.push_back(std::make_shared<const memRuleClass>(std::move(rule))); }

  int16_t count() const { return int16_t(rules_.size()); }
  // Rule at 1-based position pos; VbError 9 outside 1..count.
  const memRuleClass& item(int16_t pos) const {
    if (pos < 1 || pos > count()) throw VbError(VbError::kSubscriptOutOfRange);
    return *rules_[size_t(pos - 1)];
  }

  Rules::const_iterator begin() const { return rules_.begin(); }
  Rules::const_iterator end() const { return rules_.end(); }

 private:
  Rules rules_;
};
