// Numbers and times of the driver language, and the panel's one-byte delay codes.
//
// Driver-language numbers are "$" hexadecimal, "%" binary or plain decimal, 32-bit signed.
// Times are microseconds held as exact Decimals; as text they are a plain decimal number and a
// unit letter ("u", "m", "s", "M", "H"), in code strings preceded by a direction letter.
//
// A delay byte holds a range code in bits 7-6 (multiplier 1, 2, 4 or 32) and a count of
// 51.2 us steps in bits 5-0. A delay code is one or more such bytes; every byte but the last
// is 0xFF and the device waits for the sum of the byte times.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "common/decimal.h"

class memBlockCls;

namespace VXCommon {

// The longest delay code the panel's code table can hold; a longer one is an error.
constexpr size_t kMaxDelayCodeLength = 6864;

// Reads a driver-language number. False for an empty text, a lone prefix or a character
// outside the base (value is then meaningless). A value beyond the 32-bit signed range raises
// VbError 6 instead of answering.
bool parseNumber(const std::string& text, int32_t& value);

// Reads a small decimal number of a code string. Reading stops as soon as the value reaches
// 256 ("300x" gives 300, "99999" gives 999); no value for an empty text or a non-digit met
// before that point.
std::optional<int16_t> decToVar(const std::string& text);

// Reads a time ("1.5s", or with a direction letter "R10u", "r10u") in microseconds. The
// lower-case direction letters "r" and "d" negate the value. No value for malformed text.
std::optional<Decimal> parseTimeValue(const std::string& text, bool withDirection);

// Writes the magnitude of a time with the largest unit it exceeds ("1.5m", "103.2192m",
// "250u"); minutes and hours are rounded to 4 decimals.
std::string formatMicroseconds(const Decimal& microseconds);

// Encodes a time as a delay code, logging one information line per byte into mem's debug log.
// Negative times are taken by their magnitude.
std::string encodeDelay(memBlockCls& mem, const Decimal& requested);

// The time of one delay byte (the low 8 bits of b), exact.
Decimal decodeDelay(int16_t b);

// A time as a count of steps, rounded half to even; VbError 6 beyond the 16-bit range.
int16_t toUnits(const Decimal& microseconds, const Decimal& step);
// A count of steps as a time.
Decimal fromUnits(int16_t count, const Decimal& step);

}  // namespace VXCommon
