#include "common/variant.h"

#include <optional>

#include "common/ascii_text.h"

namespace {

// Text read as a number the way a string converts to one: optional blanks around, an
// optional sign, digits with at most one point. Anything else is not a number.
std::optional<Decimal> numberInText(const std::string& text) {
  size_t begin = text.find_first_not_of(" \t");
  if (begin == std::string::npos) return std::nullopt;
  size_t end = text.find_last_not_of(" \t");
  std::string core = text.substr(begin, end - begin + 1);
  if (!core.empty() && core[0] == '+') core.erase(0, 1);
  return Decimal::parse(core);
}

using VXCommon::equalsIgnoringCase;

// A conversion that gives no value raises: overflow for a number that does not fit the
// target, type mismatch for a value that is no number.
template <class T>
T orRaise(std::optional<T> converted, const Variant& from) {
  if (!converted) throw VbError(from.tryToDecimal() ? VbError::kOverflow : VbError::kTypeMismatch);
  return std::move(*converted);
}

}  // namespace

Variant Variant::array(std::vector<Variant> items, int32_t lbound) {
  Variant v;
  ArrayBox box;
  box.ptr->lbound = lbound;
  box.ptr->items = std::move(items);
  v.value_ = std::move(box);
  return v;
}

Variant Variant::stringList(const std::vector<std::string>& items, int32_t lbound) {
  std::vector<Variant> values(items.begin(), items.end());
  return array(std::move(values), lbound);
}

bool Variant::isNumber() const {
  switch (kind()) {
    case Kind::Boolean:
    case Kind::Integer:
    case Kind::Long:
    case Kind::Decimal: return true;
    default: return false;
  }
}

bool Variant::isNumeric() const {
  if (isNumber() || isEmpty()) return true;
  if (isString()) return numberInText(std::get<std::string>(value_)).has_value();
  return false;
}

std::optional<Decimal> Variant::tryToDecimal() const {
  switch (kind()) {
    case Kind::Empty: return Decimal(0);
    case Kind::Boolean: return Decimal(std::get<bool>(value_) ? -1 : 0);
    case Kind::Integer: return Decimal(std::get<int16_t>(value_));
    case Kind::Long: return Decimal(std::get<int32_t>(value_));
    case Kind::Decimal: return std::get<Decimal>(value_);
    case Kind::String: return numberInText(std::get<std::string>(value_));
    default: return std::nullopt;
  }
}

std::optional<int32_t> Variant::tryToInt32() const {
  switch (kind()) {
    case Kind::Integer: return std::get<int16_t>(value_);
    case Kind::Long: return std::get<int32_t>(value_);
    default: {
      std::optional<Decimal> d = tryToDecimal();
      return d ? d->tryToInt32() : std::nullopt;
    }
  }
}

std::optional<int16_t> Variant::tryToInt16() const {
  if (kind() == Kind::Integer) return std::get<int16_t>(value_);
  std::optional<Decimal> d = tryToDecimal();
  return d ? d->tryToInt16() : std::nullopt;
}

std::optional<bool> Variant::tryToBool() const {
  if (kind() == Kind::Boolean) return std::get<bool>(value_);
  if (kind() == Kind::String) {
    const auto& s = std::get<std::string>(value_);
    if (equalsIgnoringCase(s, "true")) return true;
    if (equalsIgnoringCase(s, "false")) return false;
  }
  std::optional<Decimal> d = tryToDecimal();
  return d ? std::optional<bool>(!d->isZero()) : std::nullopt;
}

std::optional<std::string> Variant::tryToText() const {
  switch (kind()) {
    case Kind::Empty: return "";
    case Kind::Boolean: return std::get<bool>(value_) ? "True" : "False";
    case Kind::Integer: return std::to_string(std::get<int16_t>(value_));
    case Kind::Long: return std::to_string(std::get<int32_t>(value_));
    case Kind::Decimal: return std::get<Decimal>(value_).toString();
    case Kind::String: return std::get<std::string>(value_);
    default: return std::nullopt;
  }
}

int16_t Variant::toInt16() const { return orRaise(tryToInt16(), *this); }
int32_t Variant::toInt32() const { return orRaise(tryToInt32(), *this); }
Decimal Variant::toDecimal() const { return orRaise(tryToDecimal(), *this); }
bool Variant::toBool() const { return orRaise(tryToBool(), *this); }
std::string Variant::toText() const { return orRaise(tryToText(), *this); }

std::shared_ptr<VbObject> Variant::objectRef() const {
  if (kind() == Kind::Object) return std::get<std::shared_ptr<VbObject>>(value_);
  return nullptr;
}

const VariantArray& Variant::arrayValue() const {
  if (kind() != Kind::Array) throw VbError(VbError::kTypeMismatch);
  return *std::get<ArrayBox>(value_).ptr;
}

int32_t Variant::lbound() const { return arrayValue().lbound; }

int32_t Variant::ubound() const {
  const auto& a = arrayValue();
  return a.lbound + int32_t(a.items.size()) - 1;
}

const Variant& Variant::at(int32_t index) const {
  const auto& a = arrayValue();
  if (index < a.lbound || index - a.lbound >= int32_t(a.items.size()))
    throw VbError(VbError::kSubscriptOutOfRange);
  return a.items[size_t(index - a.lbound)];
}

Variant& Variant::at(int32_t index) {
  return const_cast<Variant&>(static_cast<const Variant&>(*this).at(index));
}

bool operator==(const Variant& a, const Variant& b) {
  using Kind = Variant::Kind;
  if (a.isObject() || b.isObject() || a.isNothing() || b.isNothing())
    return a.kind() == b.kind() && a.objectRef() == b.objectRef();
  if (a.isArray() || b.isArray()) return false;
  bool aText = a.isString(), bText = b.isString();
  if (aText || bText) {
    if (aText && bText) return std::get<std::string>(a.value_) == std::get<std::string>(b.value_);
    // Empty compares as the empty text; a number never equals a text.
    const Variant& other = aText ? b : a;
    const Variant& text = aText ? a : b;
    return other.kind() == Kind::Empty && std::get<std::string>(text.value_).empty();
  }
  return a.toDecimal() == b.toDecimal();
}
