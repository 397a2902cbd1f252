// VbError: the one exception type of the system, carrying a runtime error number and its text.
//
// Only the operations documented to raise an error throw it (checked conversions, indexed
// access outside a list); readers, checkers and image builders catch everything and log.
#pragma once

#include <stdexcept>
#include <string>

class VbError : public std::runtime_error {
 public:
  static constexpr int kOverflow = 6;
  static constexpr int kSubscriptOutOfRange = 9;
  static constexpr int kDivisionByZero = 11;
  static constexpr int kTypeMismatch = 13;

  explicit VbError(int number) : VbError(number, defaultText(number)) {}
  VbError(int number, const std::string& text) : std::runtime_error(text), number_(number) {}

  int number() const { return number_; }

  static std::string defaultText(int number) {
    switch (number) {
      case kOverflow: return "Overflow";
      case kSubscriptOutOfRange: return "Subscript out of range";
      case kDivisionByZero: return "Division by zero";
      case kTypeMismatch: return "Type mismatch";
      default: return "Application-defined or object-defined error";
    }
  }

 private:
  int number_;
};
