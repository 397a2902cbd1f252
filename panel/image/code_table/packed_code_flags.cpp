#include "panel/image/code_table/packed_code_flags.h"

#include <set>

#include "common/device_id.h"
#include "common/hex_text.h"
#include "common/memory_image.h"
#include "panel/image/code_table/code_table_v789.h"

namespace {

constexpr int32_t kRs232Mark = 0x8000;
constexpr int32_t kMaxNameLength = 255;
// A code: its repeats, continuation and flags bytes, and at least one byte of packed code.
constexpr int32_t kSmallestEntry = 4;
constexpr int32_t kFlagsOffset = 2;
constexpr int16_t kKnownFlags = kCodeFlagHidden | kCodeFlagSelection;

std::string hex(int32_t address) { return "$" + VXCommon::hex4Str(address); }

}  // namespace

PackedCodeFlags PackedCodeFlags::read(memBlockCls& image, int32_t start) {
  const int32_t size = kPanelImageSize;
  if (start < 0 || start + 2 > size) return PackedCodeFlags("it starts outside the image at " + hex(start));

  // The index runs from the word after the delay-table address up to the delay table.
  const int32_t delayTable = image.peekAddressBEndian(start);
  const int32_t countAt = delayTable + CodeTableV789::kDelaySlots;
  if (delayTable < start + 2 || (delayTable - start) % 2 != 0 || countAt >= size)
    return PackedCodeFlags("its delay-table address " + hex(delayTable) + " is out of place");
  std::set<int32_t> entries;
  for (int32_t at = start + 2; at < delayTable; at += 2) {
    const int32_t word = image.peekAddressBEndian(at);
    const int32_t address = word & ~kRs232Mark;
    if (address == 0) continue;  // a position without a code
    if (address + kSmallestEntry > size)
      return PackedCodeFlags("its index word " + hex(word) + " at " + hex(at) + " points past the image");
    entries.insert(address);
  }

  // One name for each code; the names lie between the name-address words and the first code.
  const int32_t count = image.peekByte(countAt);
  const int32_t firstName = countAt + 1 + 2 * count;
  const int32_t firstCode = entries.empty() ? firstName : *entries.begin();
  if (int32_t(entries.size()) != count || firstCode < firstName)
    return PackedCodeFlags("its name count " + std::to_string(count) + " does not match the " +
                           std::to_string(entries.size()) + " codes its index points at");
  std::vector<int32_t> nameAt;
  for (int32_t j = 0; j < count; ++j) {
    const int32_t at = image.peekAddressBEndian(countAt + 1 + 2 * j);
    // Each name follows the one before it, which is at most 255 bytes long.
    const bool inPlace = nameAt.empty() ? at == firstName
                                        : at > nameAt.back() && at - nameAt.back() - 1 <= kMaxNameLength;
    if (!inPlace || at >= firstCode)
      return PackedCodeFlags("its name address " + hex(at) + " at " + hex(countAt + 1 + 2 * j) +
                             " is out of place");
    nameAt.push_back(at);
  }

  PackedCodeFlags region;
  for (int32_t j = 0; j < count; ++j) {
    const int32_t at = nameAt[size_t(j)];
    const int32_t length = (j + 1 < count ? nameAt[size_t(j + 1)] : firstCode) - at - 1;
    // A length byte that could run past the image is read on its own first.
    bool named = length <= kMaxNameLength &&
                 (at + 1 + kMaxNameLength <= size || image.peekByte(at) == length);
    std::string name;
    if (named) {
      name = image.peekLString(at);
      named = int32_t(name.size()) == length;
    }
    if (!named)
      return PackedCodeFlags("its name at " + hex(at) + " is not " + std::to_string(length) + " bytes long");
    region.codes_.push_back(Code{std::move(name), 0});
  }

  int32_t previous = -kSmallestEntry;
  auto code = region.codes_.begin();
  for (int32_t address : entries) {
    const std::string fault = "its code at " + hex(address) + " is out of place";
    if (address - previous < kSmallestEntry) return PackedCodeFlags(fault);
    const int16_t flags = image.peekByte(address + kFlagsOffset);
    if ((flags & ~kKnownFlags) != 0) return PackedCodeFlags(fault);
    (code++)->flags = flags;
    previous = address;
  }
  return region;
}

std::vector<std::string> PackedCodeFlags::namesFlagged(int16_t bit) const {
  std::vector<std::string> names;
  for (const Code& code : codes_)
    if ((code.flags & bit) != 0) names.push_back(code.name);
  return names;
}
