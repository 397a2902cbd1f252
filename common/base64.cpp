// Base64 encoder and decoder over byte strings.
#include "common/base64.h"

#include <algorithm>
#include <array>
#include <cstdint>

namespace base64 {

namespace {

constexpr char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
constexpr size_t kLineLength = 76;

char toBase64Char(unsigned value) { return kAlphabet[value & 63]; }

// A character's position in the alphabet; 0 for any other character.
unsigned fromBase64Char(char c) {
  static const std::array<uint8_t, 256> table = [] {
    std::array<uint8_t, 256> t{};
    for (unsigned i = 0; i < 64; ++i) t[static_cast<unsigned char>(kAlphabet[i])] = uint8_t(i);
    return t;
  }();
  return table[static_cast<unsigned char>(c)];
}

// Appends c, first breaking the line when the current one is full.
void put(std::string& out, size_t& lineUsed, char c) {
  if (lineUsed == kLineLength) {
    out += "\r\n";
    lineUsed = 0;
  }
  out += c;
  ++lineUsed;
}

}  // namespace

std::string encodeBase64(const std::string& text) {
  std::string out;
  size_t groups = (text.size() + 2) / 3;
  out.reserve(groups * 4 + groups * 4 / kLineLength * 2);
  size_t lineUsed = 0;
  size_t i = 0;
  for (; i + 3 <= text.size(); i += 3) {
    unsigned b0 = static_cast<unsigned char>(text[i]);
    unsigned b1 = static_cast<unsigned char>(text[i + 1]);
    unsigned b2 = static_cast<unsigned char>(text[i + 2]);
    put(out, lineUsed, toBase64Char(b0 >> 2));
    put(out, lineUsed, toBase64Char((b0 & 3) << 4 | b1 >> 4));
    put(out, lineUsed, toBase64Char((b1 & 15) << 2 | b2 >> 6));
    put(out, lineUsed, toBase64Char(b2));
  }
  size_t left = text.size() - i;
  if (left > 0) {
    unsigned b0 = static_cast<unsigned char>(text[i]);
    unsigned b1 = left == 2 ? static_cast<unsigned char>(text[i + 1]) : 0;
    put(out, lineUsed, toBase64Char(b0 >> 2));
    put(out, lineUsed, toBase64Char((b0 & 3) << 4 | b1 >> 4));
    put(out, lineUsed, left == 2 ? toBase64Char((b1 & 15) << 2) : '=');
    put(out, lineUsed, '=');
  }
  return out;
}

std::string decodeBase64(const std::string& text) {
  // CR LF pairs go first, then the padding; what is left are the 6-bit values.
  std::string withoutLineEnds;
  withoutLineEnds.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
      ++i;
      continue;
    }
    withoutLineEnds += text[i];
  }
  std::string values;
  values.reserve(withoutLineEnds.size());
  for (char c : withoutLineEnds) {
    if (c != '=') values += static_cast<char>(fromBase64Char(c));
  }

  std::string out;
  out.reserve(values.size() / 4 * 3 + 2);
  for (size_t i = 0; i < values.size(); i += 4) {
    size_t n = std::min<size_t>(4, values.size() - i);
    unsigned c0 = static_cast<unsigned char>(values[i]);
    unsigned c1 = n > 1 ? static_cast<unsigned char>(values[i + 1]) : 0;
    unsigned c2 = n > 2 ? static_cast<unsigned char>(values[i + 2]) : 0;
    unsigned c3 = n > 3 ? static_cast<unsigned char>(values[i + 3]) : 0;
    if (n >= 2) out += static_cast<char>((c0 << 2 | c1 >> 4) & 0xFF);
    if (n >= 3) out += static_cast<char>((c1 << 4 | c2 >> 2) & 0xFF);
    if (n == 4) out += static_cast<char>((c2 << 6 | c3) & 0xFF);
  }
  return out;
}

}  // namespace base64
