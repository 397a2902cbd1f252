// Decimal: an exact decimal number, sign and 96-bit magnitude with a scale of 0 to 28
// fraction digits (value = magnitude / 10^scale).
//
// Times, tick counts, duty cycles and every other fraction of the system are held in this
// type so that 51.2 is exactly 51.2 and halves round to even the same way everywhere.
// Results that need more than 96 bits drop fraction digits, rounding half to even; a result
// whose integer part does not fit raises VbError 6 (overflow). Division keeps up to 28
// significant fraction digits, rounded half to even.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

class Decimal {
 public:
  static constexpr int kMaxScale = 28;

  Decimal() = default;
  Decimal(int64_t value);  // NOLINT: integers convert implicitly, as in arithmetic
  static Decimal fromParts(bool negative, unsigned __int128 magnitude, int scale);

  // Plain decimal text: optional "-", digits, optional "." and digits. No blanks, exponents or
  // thousands separators. Gives no value for anything else or for a value that does not fit.
  static std::optional<Decimal> parse(std::string_view text);
  // A double rounded to 15 significant digits, the way a double converts to a decimal.
  static Decimal fromDouble(double value);

  bool isNegative() const { return negative_ && magnitude_ != 0; }
  bool isZero() const { return magnitude_ == 0; }
  int scale() const { return scale_; }
  unsigned __int128 magnitude() const { return magnitude_; }

  Decimal operator-() const;
  Decimal abs() const;
  friend Decimal operator+(const Decimal& a, const Decimal& b);
  friend Decimal operator-(const Decimal& a, const Decimal& b);
  friend Decimal operator*(const Decimal& a, const Decimal& b);
  // Raises VbError 11 (division by zero) when b is zero.
  friend Decimal operator/(const Decimal& a, const Decimal& b);
  Decimal& operator+=(const Decimal& b) { return *this = *this + b; }
  Decimal& operator-=(const Decimal& b) { return *this = *this - b; }
  Decimal& operator*=(const Decimal& b) { return *this = *this * b; }
  Decimal& operator/=(const Decimal& b) { return *this = *this / b; }

  static int compare(const Decimal& a, const Decimal& b);
  friend bool operator==(const Decimal& a, const Decimal& b) { return compare(a, b) == 0; }
  friend bool operator!=(const Decimal& a, const Decimal& b) { return compare(a, b) != 0; }
  friend bool operator<(const Decimal& a, const Decimal& b) { return compare(a, b) < 0; }
  friend bool operator<=(const Decimal& a, const Decimal& b) { return compare(a, b) <= 0; }
  friend bool operator>(const Decimal& a, const Decimal& b) { return compare(a, b) > 0; }
  friend bool operator>=(const Decimal& a, const Decimal& b) { return compare(a, b) >= 0; }

  // Rounds to `decimals` fraction digits, halves to even.
  Decimal roundHalfEven(int decimals = 0) const;
  // Drops the fraction (towards zero).
  Decimal truncate() const;
  // The value rounded half to even to an integer; VbError 6 when it leaves the target range.
  int64_t toInt64() const;
  int32_t toInt32() const;
  int16_t toInt16() const;
  // The same, giving no value where those raise.
  std::optional<int32_t> tryToInt32() const;
  std::optional<int16_t> tryToInt16() const;

  // Plain notation with "." as the point, "-" for negatives, no trailing fraction zeros
  // ("1.5", "103.2192", "2", "0"); never "-0".
  std::string toString() const;
  // Fixed notation with exactly `decimals` fraction digits, rounded half to even
  // ("-2.3" for decimals 1); a value that rounds to zero is written without a sign.
  std::string toFixed(int decimals) const;

 private:
  bool negative_ = false;
  unsigned __int128 magnitude_ = 0;  // always below 2^96
  int scale_ = 0;
};
