// The hex-dump listing and the driver-code notation of byte strings (VXCommon).
//
// hexDump lists bytes 16 to a line:
//   marker, offset (hex4Str of the line's first byte, 0-based), three blanks,
//   "HH " per byte, two blanks, the character column, CR LF.
// The marker is "<-" for direction 1, "->" for direction 2 and empty otherwise. A short last
// line is padded with three blanks per missing byte so every character column starts in the
// same place. The character column shows codes 32 to 128 as themselves and others as ".".
// With block flags, the bytes of each 64-byte block whose flag is False (or that has no flag)
// are left out; without them every byte is listed.
//
// quoteCodeString writes a byte string between double quotes as driver code spells it: runs of
// codes 32 to 128 in single quotes, other bytes as "$HH", separated by commas:
//   bytes A B CR LF -> "'AB',$0D,$0A"
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "common/flag_list.h"
#include "common/variant.h"

namespace VXCommon {

std::string hexDump(std::string_view data, int16_t direction = 0,
                    const FlagList* blockFlags = nullptr);
// data is a byte string or a 1-based list of numbers, each taken as a 16-bit integer (a
// number that does not convert raises VbError, as any conversion does); anything else lists
// nothing.
std::string hexDump(const Variant& data, int16_t direction = 0,
                    const FlagList* blockFlags = nullptr);
// Settle the choice between the two above for texts and literals.
inline std::string hexDump(const std::string& data, int16_t direction = 0,
                           const FlagList* blockFlags = nullptr) {
  return hexDump(std::string_view(data), direction, blockFlags);
}
inline std::string hexDump(const char* data, int16_t direction = 0,
                           const FlagList* blockFlags = nullptr) {
  return hexDump(std::string_view(data), direction, blockFlags);
}

std::string quoteCodeString(std::string_view bytes);

}  // namespace VXCommon
