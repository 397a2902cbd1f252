#include "common/decimal.h"

#include <array>
#include <cmath>
#include <cstdio>
#include <limits>

#include "common/vb_error.h"

namespace {

using u128 = unsigned __int128;

const u128 kLimit = u128(1) << 96;  // magnitudes stay below this

u128 pow10(int n) {
  u128 p = 1;
  for (int i = 0; i < n; ++i) p *= 10;
  return p;
}

// Unsigned 192-bit working value, three 64-bit words, least significant first. Wide enough
// for a product of two magnitudes and for a magnitude aligned by up to 28 decimal digits.
struct Wide {
  std::array<uint64_t, 3> w{0, 0, 0};

  static Wide of(u128 v) {
    Wide r;
    r.w[0] = uint64_t(v);
    r.w[1] = uint64_t(v >> 64);
    return r;
  }
  bool fitsMagnitude() const { return w[2] == 0 && (w[1] >> 32) == 0; }
  u128 low() const { return (u128(w[1]) << 64) | w[0]; }
  bool isZero() const { return w[0] == 0 && w[1] == 0 && w[2] == 0; }

  void mulSmall(uint64_t m) {
    u128 carry = 0;
    for (auto& word : w) {
      u128 p = u128(word) * m + carry;
      word = uint64_t(p);
      carry = p >> 64;
    }
    if (carry != 0) throw VbError(VbError::kOverflow);
  }
  void mulPow10(int n) {
    while (n > 0) {
      int step = n > 19 ? 19 : n;
      mulSmall(uint64_t(pow10(step)));
      n -= step;
    }
  }
  // Divides by d and returns the remainder.
  uint64_t divSmall(uint64_t d) {
    u128 rem = 0;
    for (int i = 2; i >= 0; --i) {
      u128 cur = (rem << 64) | w[i];
      w[i] = uint64_t(cur / d);
      rem = cur % d;
    }
    return uint64_t(rem);
  }
  void addSmall(uint64_t v) {
    for (auto& word : w) {
      u128 s = u128(word) + v;
      word = uint64_t(s);
      v = uint64_t(s >> 64);
      if (v == 0) break;
    }
  }
  static int compare(const Wide& a, const Wide& b) {
    for (int i = 2; i >= 0; --i)
      if (a.w[i] != b.w[i]) return a.w[i] < b.w[i] ? -1 : 1;
    return 0;
  }
  static Wide add(const Wide& a, const Wide& b) {
    Wide r;
    u128 carry = 0;
    for (int i = 0; i < 3; ++i) {
      u128 s = u128(a.w[i]) + b.w[i] + carry;
      r.w[i] = uint64_t(s);
      carry = s >> 64;
    }
    return r;
  }
  static Wide sub(const Wide& a, const Wide& b) {  // a >= b
    Wide r;
    uint64_t borrow = 0;
    for (int i = 0; i < 3; ++i) {
      u128 d = u128(a.w[i]) - b.w[i] - borrow;
      r.w[i] = uint64_t(d);
      borrow = (d >> 64) != 0 ? 1 : 0;
    }
    return r;
  }
  static Wide mul(u128 a, u128 b) {  // both below 2^96
    uint64_t a0 = uint64_t(a), a1 = uint64_t(a >> 64);
    uint64_t b0 = uint64_t(b), b1 = uint64_t(b >> 64);
    Wide r = of(u128(a0) * b0);
    Wide mid = of(u128(a0) * b1);
    Wide mid2 = of(u128(a1) * b0);
    auto shift64 = [](Wide x) {
      x.w[2] = x.w[1];
      x.w[1] = x.w[0];
      x.w[0] = 0;
      return x;
    };
    r = add(r, shift64(mid));
    r = add(r, shift64(mid2));
    Wide high = of(u128(a1) * b1);  // below 2^64
    r.w[2] += high.w[0];
    return r;
  }
};

}  // namespace

Decimal::Decimal(int64_t value) {
  negative_ = value < 0;
  magnitude_ = negative_ ? u128(-(value + 1)) + 1 : u128(value);
}

// Brings a wide magnitude into range: fraction digits are dropped (halves to even) while the
// magnitude is too large or the scale above 28; an integer that does not fit overflows.
static Decimal normalize(bool negative, Wide mag, int scale) {
  int lastDigit = 0;
  bool sticky = false;
  bool dropped = false;
  for (;;) {
    while (!mag.fitsMagnitude() || scale > Decimal::kMaxScale) {
      if (scale <= 0) throw VbError(VbError::kOverflow);
      if (dropped) sticky = sticky || lastDigit != 0;
      lastDigit = int(mag.divSmall(10));
      --scale;
      dropped = true;
    }
    if (!dropped) break;
    bool odd = (mag.w[0] & 1) != 0;
    bool roundUp = lastDigit > 5 || (lastDigit == 5 && (sticky || odd));
    dropped = false;
    lastDigit = 0;
    sticky = false;
    if (!roundUp) break;
    mag.addSmall(1);
    if (mag.fitsMagnitude()) break;
    // Rounding carried past 96 bits: drop one more digit (it is 0 now, exactly).
  }
  return Decimal::fromParts(negative, mag.low(), scale);
}

Decimal Decimal::fromParts(bool negative, u128 magnitude, int scale) {
  if (magnitude >= kLimit || scale < 0 || scale > kMaxScale) {
    if (scale < 0) {
      Wide w = Wide::of(magnitude);
      w.mulPow10(-scale);
      return normalize(negative, w, 0);
    }
    return normalize(negative, Wide::of(magnitude), scale);
  }
  Decimal d;
  d.negative_ = negative && magnitude != 0;
  d.magnitude_ = magnitude;
  d.scale_ = scale;
  return d;
}

std::optional<Decimal> Decimal::parse(std::string_view text) {
  bool negative = false;
  size_t i = 0;
  if (i < text.size() && text[i] == '-') {
    negative = true;
    ++i;
  }
  Wide mag;
  int scale = 0;
  bool seenPoint = false;
  bool seenDigit = false;
  for (; i < text.size(); ++i) {
    char c = text[i];
    if (c == '.' && !seenPoint) {
      seenPoint = true;
      continue;
    }
    if (c < '0' || c > '9') return std::nullopt;
    seenDigit = true;
    if (!mag.fitsMagnitude()) return std::nullopt;
    mag.mulSmall(10);
    mag.addSmall(uint64_t(c - '0'));
    if (seenPoint) ++scale;
  }
  if (!seenDigit) return std::nullopt;
  try {
    return normalize(negative, mag, scale);
  } catch (const VbError&) {
    return std::nullopt;
  }
}

Decimal Decimal::fromDouble(double value) {
  if (!std::isfinite(value)) throw VbError(VbError::kOverflow);
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.15g", value);
  std::string text(buf);
  size_t e = text.find('e');
  int exponent = 0;
  if (e != std::string::npos) {
    exponent = std::stoi(text.substr(e + 1));
    text = text.substr(0, e);
  }
  auto parsed = parse(text);
  if (!parsed) throw VbError(VbError::kOverflow);
  Decimal d = *parsed;
  if (exponent > 0) {
    Wide w = Wide::of(d.magnitude_);
    int scale = d.scale_ - exponent;
    if (scale < 0) {
      w.mulPow10(-scale);
      scale = 0;
    }
    return normalize(d.negative_, w, scale);
  }
  if (exponent < 0) return normalize(d.negative_, Wide::of(d.magnitude_), d.scale_ - exponent);
  return d;
}

Decimal Decimal::operator-() const {
  Decimal d = *this;
  d.negative_ = !negative_ && magnitude_ != 0;
  return d;
}

Decimal Decimal::abs() const {
  Decimal d = *this;
  d.negative_ = false;
  return d;
}

// Adds (or subtracts) two decimals aligned to the larger scale.
static Decimal addSigned(const Decimal& a, bool bNegative, const Decimal& b) {
  int scale = a.scale() > b.scale() ? a.scale() : b.scale();
  Wide ma = Wide::of(a.magnitude());
  Wide mb = Wide::of(b.magnitude());
  ma.mulPow10(scale - a.scale());
  mb.mulPow10(scale - b.scale());
  bool aNegative = a.isNegative();
  if (aNegative == bNegative) return normalize(aNegative, Wide::add(ma, mb), scale);
  int cmp = Wide::compare(ma, mb);
  if (cmp >= 0) return normalize(aNegative, Wide::sub(ma, mb), scale);
  return normalize(bNegative, Wide::sub(mb, ma), scale);
}

Decimal operator+(const Decimal& a, const Decimal& b) { return addSigned(a, b.isNegative(), b); }
Decimal operator-(const Decimal& a, const Decimal& b) {
  return addSigned(a, !b.isNegative() && !b.isZero(), b);
}

Decimal operator*(const Decimal& a, const Decimal& b) {
  Wide product = Wide::mul(a.magnitude(), b.magnitude());
  return normalize(a.isNegative() != b.isNegative(), product, a.scale() + b.scale());
}

Decimal operator/(const Decimal& a, const Decimal& b) {
  if (b.isZero()) throw VbError(VbError::kDivisionByZero);
  bool negative = a.isNegative() != b.isNegative();
  u128 divisor = b.magnitude();
  u128 quotient = a.magnitude() / divisor;
  u128 remainder = a.magnitude() % divisor;
  int scale = a.scale() - b.scale();
  // A negative scale means the quotient still lacks integer digits: bring them in first.
  while (scale < 0) {
    u128 next = remainder * 10;
    quotient = quotient * 10 + next / divisor;
    remainder = next % divisor;
    if (quotient >= kLimit) throw VbError(VbError::kOverflow);
    ++scale;
  }
  // Then fraction digits while they fit and the division is not exact.
  while (remainder != 0 && scale < Decimal::kMaxScale) {
    u128 next = remainder * 10;
    u128 digit = next / divisor;
    u128 candidate = quotient * 10 + digit;
    if (candidate >= kLimit) break;
    quotient = candidate;
    remainder = next % divisor;
    ++scale;
  }
  if (remainder != 0) {
    u128 twice = remainder * 2;
    bool roundUp = twice > divisor || (twice == divisor && (quotient & 1) != 0);
    if (roundUp) {
      ++quotient;
      if (quotient >= kLimit) return normalize(negative, Wide::of(quotient), scale);
    }
  }
  return Decimal::fromParts(negative, quotient, scale);
}

int Decimal::compare(const Decimal& a, const Decimal& b) {
  bool an = a.isNegative(), bn = b.isNegative();
  if (an != bn) return an ? -1 : 1;
  int scale = a.scale_ > b.scale_ ? a.scale_ : b.scale_;
  Wide ma = Wide::of(a.magnitude_);
  Wide mb = Wide::of(b.magnitude_);
  ma.mulPow10(scale - a.scale_);
  mb.mulPow10(scale - b.scale_);
  int cmp = Wide::compare(ma, mb);
  return an ? -cmp : cmp;
}

Decimal Decimal::roundHalfEven(int decimals) const {
  if (decimals < 0) decimals = 0;
  if (scale_ <= decimals) return *this;
  u128 divisor = pow10(scale_ - decimals);
  u128 q = magnitude_ / divisor;
  u128 r = magnitude_ % divisor;
  u128 twice = r * 2;
  if (twice > divisor || (twice == divisor && (q & 1) != 0)) ++q;
  return fromParts(negative_, q, decimals);
}

Decimal Decimal::truncate() const {
  if (scale_ == 0) return *this;
  return fromParts(negative_, magnitude_ / pow10(scale_), 0);
}

// The value rounded half to even, when it fits T.
template <class T>
static std::optional<T> roundedTo(const Decimal& value) {
  Decimal r = value.roundHalfEven(0);
  u128 m = r.magnitude();
  // The most negative T is one further from zero than the largest.
  if (m > u128(std::numeric_limits<T>::max()) + (r.isNegative() ? 1 : 0)) return std::nullopt;
  return r.isNegative() ? T(-T(m - 1) - 1) : T(m);
}

template <class T>
static T orOverflow(std::optional<T> v) {
  if (!v) throw VbError(VbError::kOverflow);
  return *v;
}

std::optional<int32_t> Decimal::tryToInt32() const { return roundedTo<int32_t>(*this); }
std::optional<int16_t> Decimal::tryToInt16() const { return roundedTo<int16_t>(*this); }
int64_t Decimal::toInt64() const { return orOverflow(roundedTo<int64_t>(*this)); }
int32_t Decimal::toInt32() const { return orOverflow(tryToInt32()); }
int16_t Decimal::toInt16() const { return orOverflow(tryToInt16()); }

static std::string digitsOf(u128 m) {
  if (m == 0) return "0";
  std::string s;
  while (m != 0) {
    s.insert(s.begin(), char('0' + int(m % 10)));
    m /= 10;
  }
  return s;
}

// Writes magnitude/10^scale with exactly `scale` fraction digits.
static std::string fixedText(bool negative, u128 magnitude, int scale) {
  std::string digits = digitsOf(magnitude);
  if (scale > 0) {
    if (int(digits.size()) <= scale) digits.insert(0, size_t(scale + 1 - digits.size()), '0');
    digits.insert(digits.size() - size_t(scale), ".");
  }
  if (negative && magnitude != 0) digits.insert(0, "-");
  return digits;
}

std::string Decimal::toString() const {
  u128 m = magnitude_;
  int s = scale_;
  while (s > 0 && m % 10 == 0) {
    m /= 10;
    --s;
  }
  return fixedText(negative_, m, s);
}

std::string Decimal::toFixed(int decimals) const {
  Decimal r = roundHalfEven(decimals);
  u128 m = r.magnitude_;
  int s = r.scale_;
  if (s < decimals) {
    m *= pow10(decimals - s);  // fits: at most 28 digits are asked for of small values
    s = decimals;
  }
  return fixedText(r.negative_, m, s);
}
