#include "panel/model/type_value.h"

#include "common/vb_error.h"

const TypeValuePtr& TypeValueList::item(int32_t idx) const {
  if (idx < 1 || idx > count()) throw VbError(VbError::kSubscriptOutOfRange);
  return items_[size_t(idx - 1)];
}

void TypeValueList::add(int16_t type, Variant value) {
  items_.push_back(std::make_shared<typeValueClass>(type, std::move(value)));
}

void TypeValueList::insert(int32_t idx, TypeValuePtr record) {
  if (idx < 1 || idx > count() + 1) throw VbError(VbError::kSubscriptOutOfRange);
  items_.insert(items_.begin() + (idx - 1), std::move(record));
}

void TypeValueList::remove(int32_t idx) {
  if (idx < 1 || idx > count()) throw VbError(VbError::kSubscriptOutOfRange);
  items_.erase(items_.begin() + (idx - 1));
}

void TypeValueList::removeFirst(int32_t n) {
  if (n <= 0) return;
  if (n >= count()) {
    items_.clear();
    return;
  }
  items_.erase(items_.begin(), items_.begin() + n);
}
