#include "platform/visible_text.h"

namespace platform {
namespace {

// The length of the well-formed UTF-8 sequence that starts `text` at `at`, or 0 when none
// does. The second byte's range depends on the first, which is what rules out overlong
// forms, surrogates and code points above U+10FFFF.
size_t utf8SequenceLength(std::string_view text, size_t at) {
  const auto byte = [&](size_t i) { return static_cast<unsigned char>(text[at + i]); };
  const unsigned char lead = byte(0);
  size_t length = 0;
  unsigned char secondLow = 0x80, secondHigh = 0xBF;
  if (lead >= 0xC2 && lead <= 0xDF) length = 2;
  else if (lead >= 0xE0 && lead <= 0xEF) length = 3;
  else if (lead >= 0xF0 && lead <= 0xF4) length = 4;
  else return 0;
  if (lead == 0xE0) secondLow = 0xA0;   // below: overlong
  if (lead == 0xED) secondHigh = 0x9F;  // above: surrogates
  if (lead == 0xF0) secondLow = 0x90;   // below: overlong
  if (lead == 0xF4) secondHigh = 0x8F;  // above: past U+10FFFF
  if (text.size() - at < length) return 0;
  if (byte(1) < secondLow || byte(1) > secondHigh) return 0;
  for (size_t i = 2; i < length; ++i)
    if (byte(i) < 0x80 || byte(i) > 0xBF) return 0;
  return length;
}

// The code point of the well-formed UTF-8 sequence of `length` bytes at `at`.
char32_t codePointAt(std::string_view text, size_t at, size_t length) {
  static constexpr unsigned char kLeadBits[] = {0, 0, 0x1F, 0x0F, 0x07};
  char32_t code = static_cast<unsigned char>(text[at]) & kLeadBits[length];
  for (size_t i = 1; i < length; ++i) code = (code << 6) | (static_cast<unsigned char>(text[at + i]) & 0x3F);
  return code;
}

// Characters a terminal acts on rather than shows: the C1 controls, and those that reorder or
// break the line (the direction marks, embeddings, overrides and isolates; the line and
// paragraph separators).
bool actsOnTheLine(char32_t code) {
  return (code >= 0x80 && code <= 0x9F) || code == 0x061C || code == 0x200E || code == 0x200F ||
         (code >= 0x2028 && code <= 0x202E) || (code >= 0x2066 && code <= 0x2069);
}

void appendEscaped(std::string& shown, unsigned char byte) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  shown += "\\x";
  shown += kHex[byte >> 4];
  shown += kHex[byte & 0x0F];
}

}  // namespace

std::string visibleText(std::string_view text) {
  std::string shown;
  shown.reserve(text.size());
  for (size_t at = 0; at < text.size();) {
    const auto byte = static_cast<unsigned char>(text[at]);
    if (byte < 0x80) {
      if ((byte >= 0x20 && byte != 0x7F) || byte == '\t') shown += char(byte);
      else appendEscaped(shown, byte);
      ++at;
      continue;
    }
    const size_t length = utf8SequenceLength(text, at);
    if (length > 0 && !actsOnTheLine(codePointAt(text, at, length))) {
      shown.append(text.substr(at, length));
      at += length;
    } else {
      // Such a character is shown byte by byte; a stray byte alone, and what follows it is
      // looked at afresh.
      for (const size_t end = at + (length > 0 ? length : 1); at < end; ++at)
        appendEscaped(shown, static_cast<unsigned char>(text[at]));
    }
  }
  return shown;
}

}  // namespace platform
