// Texts and small helpers shared by the source files of memBlockCls; not for other users.
//
// An error line is the operation's name, one of the middles below and the operation's start
// address in decimal. Quoted texts in trace lines are a tag, the length as hex2Str, ",'",
// the text and "'".
#pragma once

#include <algorithm>
#include <cstdint>
#include <limits>
#include <string>
#include <string_view>

#include "common/hex_text.h"

namespace memimage_detail {

inline constexpr std::string_view kOutOfBounds = " error - out of bounds location ";
inline constexpr std::string_view kBadByte = " error - out of bounds byte at location ";
inline constexpr std::string_view kBadNib = " error - out of bounds nib at location ";
inline constexpr std::string_view kBadBitIdx = " error - out of bounds bitidx at location ";
inline constexpr std::string_view kTooLong = " error - string exceeds max length ";
inline constexpr std::string_view kPastMemory = " error - string exceeds Memory limit @ ";

inline constexpr int32_t kMaxLStringLength = 255;
inline constexpr int32_t kTopByteSet = 16777216;  // what a DWORD with a non-zero top byte reads as
inline constexpr int16_t kCounterLimit = std::numeric_limits<int16_t>::max();

// base + offset, held at the int32 limits (such an address lies outside every image).
inline int32_t offsetAddress(int32_t base, int64_t offset) {
  int64_t a = int64_t(base) + offset;
  a = std::clamp<int64_t>(a, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max());
  return int32_t(a);
}

inline std::string decimal(int64_t n) { return std::to_string(n); }

// Lengths in trace lines: at least two hex digits; a length beyond 16 bits in full.
inline std::string lengthHex(size_t length) {
  if (length <= size_t(std::numeric_limits<int16_t>::max())) return VXCommon::hex2Str(int16_t(length));
  return VXCommon::hex4Str(int32_t(length));
}

inline std::string quotedText(std::string_view tag, std::string_view text) {
  std::string out(tag);
  out += lengthHex(text.size());
  out += ",'";
  out += text;
  out += "'";
  return out;
}

}  // namespace memimage_detail
