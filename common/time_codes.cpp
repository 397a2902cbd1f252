// Driver-language numbers, time text and the decoding side of delay bytes. The encoder of
// delay codes, which writes into a memory image's log, is in delay_encoder.cpp.
#include "common/time_codes.h"

#include <limits>

#include "common/vb_error.h"

namespace VXCommon {

namespace {

// The digit value of c in the given base, or -1. Hex letters are accepted in either case.
int digitValue(char c, int base) {
  int digit = -1;
  if (c >= '0' && c <= '9') {
    digit = c - '0';
  } else if (base == 16 && c >= 'a' && c <= 'f') {
    digit = c - 'a' + 10;
  } else if (base == 16 && c >= 'A' && c <= 'F') {
    digit = c - 'A' + 10;
  }
  return digit < base ? digit : -1;
}

bool isPlainDecimal(const std::string& text) {
  bool seenPoint = false;
  bool seenDigit = false;
  for (char c : text) {
    if (c == '.' && !seenPoint) {
      seenPoint = true;
    } else if (c >= '0' && c <= '9') {
      seenDigit = true;
    } else {
      return false;
    }
  }
  return seenDigit;
}

std::optional<Decimal> unitFactor(char unit) {
  switch (unit) {
    case 'u': return Decimal(1);
    case 'm': return Decimal(1000);
    case 's': return Decimal(1000000);
    case 'M': return Decimal(60000000);
    case 'H': return Decimal(int64_t{3600000000});
    default: return std::nullopt;
  }
}

}  // namespace

bool parseNumber(const std::string& text, int32_t& value) {
  value = 0;
  if (text.empty()) return false;
  int base = 10;
  size_t start = 0;
  if (text[0] == '$') {
    base = 16;
    start = 1;
  } else if (text[0] == '%') {
    base = 2;
    start = 1;
  }
  if (start >= text.size()) return false;

  int64_t accumulated = 0;
  for (size_t i = start; i < text.size(); ++i) {
    int digit = digitValue(text[i], base);
    if (digit < 0) return false;
    accumulated = accumulated * base + digit;
    if (accumulated > std::numeric_limits<int32_t>::max()) throw VbError(VbError::kOverflow);
    value = static_cast<int32_t>(accumulated);
  }
  return true;
}

std::optional<int16_t> decToVar(const std::string& text) {
  if (text.empty()) return std::nullopt;
  int16_t value = 0;
  for (size_t i = 0; i < text.size() && value < 256; ++i) {
    char c = text[i];
    if (c < '0' || c > '9') return std::nullopt;
    value = static_cast<int16_t>(value * 10 + (c - '0'));  // at most 2559
  }
  return value;
}

std::optional<Decimal> parseTimeValue(const std::string& text, bool withDirection) {
  size_t numberStart = withDirection ? 1 : 0;
  if (text.size() < numberStart + 2) return std::nullopt;

  std::string numberPart = text.substr(numberStart, text.size() - numberStart - 1);
  if (!isPlainDecimal(numberPart)) return std::nullopt;
  std::optional<Decimal> factor = unitFactor(text.back());
  if (!factor) return std::nullopt;

  bool negate = false;
  if (withDirection) {
    char direction = text[0];
    if (direction == 'r' || direction == 'd') {
      negate = true;
    } else if (direction != 'R' && direction != 'D') {
      return std::nullopt;
    }
  }

  // A number too long for a Decimal is malformed text, not an error for the caller.
  std::optional<Decimal> number = Decimal::parse(numberPart);
  if (!number) return std::nullopt;
  try {
    Decimal microseconds = *number * *factor;
    return negate ? -microseconds : microseconds;
  } catch (const VbError&) {
    return std::nullopt;
  }
}

std::string formatMicroseconds(const Decimal& microseconds) {
  const Decimal hour(int64_t{3600000000});
  const Decimal minute(60000000);
  const Decimal second(1000000);
  const Decimal milli(1000);
  Decimal a = microseconds.abs();
  if (a > hour) return (a / hour).roundHalfEven(4).toString() + "H";
  if (a > minute) return (a / minute).roundHalfEven(4).toString() + "M";
  if (a > second) return (a / second).toString() + "s";
  if (a > milli) return (a / milli).toString() + "m";
  return a.toString() + "u";
}

Decimal decodeDelay(int16_t b) {
  static const Decimal kStep = *Decimal::parse("51.2");
  static const int kMultiplier[4] = {1, 2, 4, 32};
  int range = (b & 0xC0) >> 6;
  int count = b & 63;
  return kStep * Decimal(count * kMultiplier[range]);
}

int16_t toUnits(const Decimal& microseconds, const Decimal& step) {
  return (microseconds / step).toInt16();
}

Decimal fromUnits(int16_t count, const Decimal& step) { return step * Decimal(count); }

}  // namespace VXCommon
