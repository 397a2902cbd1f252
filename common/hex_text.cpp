#include "common/hex_text.h"

#include <cstdio>

namespace VXCommon {

namespace {

std::string upperHex(uint32_t value, int minDigits) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "%0*X", minDigits, value);
  return buf;
}

int hexDigitValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

constexpr int32_t kMaxInt16 = 0x7FFF;

std::optional<int16_t> prefixedHexByte(std::string_view text, char prefix) {
  if (text.empty() || text.front() != prefix) return std::nullopt;
  return hexToVar(text.substr(1), 2);
}

}  // namespace

std::string hex2Str(int16_t n) {
  if (n < 0) return upperHex(uint16_t(n), 4);
  return upperHex(uint32_t(n), 2);
}

std::string hex4Str(int32_t n) { return upperHex(uint32_t(n), 4); }

std::string urlEscapeByte(int16_t b) { return "%" + hex2Str(b); }

std::optional<int16_t> hexToVar(std::string_view text, int16_t maxDigits) {
  if (text.empty() || text.size() > size_t(maxDigits < 0 ? 0 : maxDigits)) return std::nullopt;
  int32_t value = 0;
  for (char c : text) {
    int digit = hexDigitValue(c);
    if (digit < 0) return std::nullopt;
    value = value * 16 + digit;
    if (value > kMaxInt16) return std::nullopt;
  }
  return int16_t(value);
}

std::optional<int16_t> parseDollarHex(std::string_view text) { return prefixedHexByte(text, '$'); }

std::optional<int16_t> parsePercentHex(std::string_view text) { return prefixedHexByte(text, '%'); }

int16_t hexToInt(std::string_view text) {
  int32_t value = 0;
  for (char c : text) {
    int digit = hexDigitValue(c);
    if (digit < 0) break;
    value = value * 16 + digit;
    if (value > kMaxInt16) return 0;
  }
  return int16_t(value);
}

int16_t sum8(std::string_view text, int16_t seed) {
  // The remainder keeps the sign of the running sum, as the module's Mod does.
  int32_t acc = seed;
  for (unsigned char c : text) acc = (acc + c) % 256;
  return int16_t(acc);
}

int16_t checkSum8(std::string_view text, int16_t seed) { return int16_t(255 - sum8(text, seed)); }

}  // namespace VXCommon
