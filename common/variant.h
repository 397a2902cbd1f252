// Variant: the dynamically typed value of keyword slots, key/value lists and vocabulary columns.
//
// A Variant is empty, Nothing (a null object reference), a Boolean, a 16-bit or 32-bit
// integer, an exact Decimal, a byte string, an object (shared by reference) or an array of
// Variants with its own lower bound (1 unless created otherwise). Arrays have value
// semantics: copying a Variant copies its array. Objects are shared: copying a Variant copies
// the reference.
//
// Conversions follow the rules of the original runtime: Booleans are -1 and 0 as numbers and
// "True"/"False" as text, fractions round half to even, and a value that does not fit its
// target raises VbError 6 (overflow); a value of the wrong kind raises VbError 13.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "common/decimal.h"
#include "common/vb_error.h"

// Base of every class whose instances a Variant can hold by reference.
class VbObject {
 public:
  virtual ~VbObject() = default;
};

class Variant;

// The array inside a Variant: elements lbound .. lbound + size - 1.
struct VariantArray {
  int32_t lbound = 1;
  std::vector<Variant> items;
};

class Variant {
 public:
  enum class Kind { Empty, Nothing, Boolean, Integer, Long, Decimal, String, Object, Array };

  Variant() = default;
  Variant(bool b) : value_(b) {}                       // NOLINT
  Variant(int16_t i) : value_(i) {}                    // NOLINT
  Variant(int32_t l) : value_(l) {}                    // NOLINT
  Variant(const Decimal& d) : value_(d) {}             // NOLINT
  Variant(std::string s) : value_(std::move(s)) {}     // NOLINT
  Variant(const char* s) : value_(std::string(s)) {}   // NOLINT
  template <class T, class = std::enable_if_t<std::is_base_of_v<VbObject, T>>>
  Variant(std::shared_ptr<T> object) {                 // NOLINT
    if (object) value_ = std::shared_ptr<VbObject>(std::move(object));
    else value_ = NothingTag{};
  }

  static Variant nothing() { Variant v; v.value_ = NothingTag{}; return v; }
  static Variant array(std::vector<Variant> items, int32_t lbound = 1);
  static Variant stringList(const std::vector<std::string>& items, int32_t lbound = 1);

  Kind kind() const { return Kind(value_.index()); }
  bool isEmpty() const { return kind() == Kind::Empty; }
  bool isNothing() const { return kind() == Kind::Nothing; }
  bool isObject() const { return kind() == Kind::Object; }
  bool isArray() const { return kind() == Kind::Array; }
  bool isString() const { return kind() == Kind::String; }
  bool isBoolean() const { return kind() == Kind::Boolean; }
  bool isDecimal() const { return kind() == Kind::Decimal; }
  // Boolean, Integer, Long or Decimal.
  bool isNumber() const;
  // A number, or a text that reads as a plain decimal number (IsNumeric); Empty counts too.
  bool isNumeric() const;

  // Checked conversions (see the header comment).
  int16_t toInt16() const;
  int32_t toInt32() const;
  Decimal toDecimal() const;
  bool toBool() const;
  std::string toText() const;
  // The same conversions, giving no value where those raise.
  std::optional<int16_t> tryToInt16() const;
  std::optional<int32_t> tryToInt32() const;
  std::optional<Decimal> tryToDecimal() const;
  std::optional<bool> tryToBool() const;
  std::optional<std::string> tryToText() const;

  // The referenced object, or null for Nothing, Empty and other kinds.
  std::shared_ptr<VbObject> objectRef() const;
  template <class T>
  std::shared_ptr<T> object() const { return std::dynamic_pointer_cast<T>(objectRef()); }

  // Array access; VbError 9 outside the bounds or when the value is not an array.
  int32_t lbound() const;
  int32_t ubound() const;
  const Variant& at(int32_t index) const;
  Variant& at(int32_t index);
  const VariantArray& arrayValue() const;

  // Comparison with `=`: numbers numerically (Empty is 0), texts byte by byte (Empty is ""),
  // a number never equals a text, objects by identity.
  friend bool operator==(const Variant& a, const Variant& b);
  friend bool operator!=(const Variant& a, const Variant& b) { return !(a == b); }

 private:
  struct NothingTag {};
  // Deep-copying holder so that arrays keep value semantics.
  struct ArrayBox {
    std::unique_ptr<VariantArray> ptr;
    ArrayBox() : ptr(std::make_unique<VariantArray>()) {}
    ArrayBox(const ArrayBox& o) : ptr(std::make_unique<VariantArray>(*o.ptr)) {}
    ArrayBox(ArrayBox&&) noexcept = default;
    ArrayBox& operator=(const ArrayBox& o) { ptr = std::make_unique<VariantArray>(*o.ptr); return *this; }
    ArrayBox& operator=(ArrayBox&&) noexcept = default;
  };

  std::variant<std::monostate, NothingTag, bool, int16_t, int32_t, Decimal, std::string,
               std::shared_ptr<VbObject>, ArrayBox>
      value_;
};
