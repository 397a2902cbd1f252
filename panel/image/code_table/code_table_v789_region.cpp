// Code-table packer: the index of positions the panel addresses, continuation resolution and
// the assembly of the packed region with its trace.
#include <algorithm>
#include <string>

#include "common/hex_dump.h"
#include "common/hex_text.h"
#include "common/memory_image.h"
#include "common/number_helpers.h"
#include "common/time_codes.h"
#include "panel/image/code_table/code_table_v789.h"

namespace {

const char* const kIndent = "          ";
constexpr int32_t kRs232Mark = 0x8000;
// Bits 5-0 of the continuation byte hold the position; the index words keep bit 15 for RS232.
constexpr int16_t kMaxContinuationPosition = 63;
constexpr int32_t kMaxNamedEntries = 255;
constexpr int32_t kAddressLimit = 0x8000;

void appendWord(std::string& region, int32_t word) {
  region += char((word >> 8) & 0xFF);
  region += char(word & 0xFF);
}

std::string bit(int flags, int mask) {
  return std::to_string(VXCommon::boolToBit(int16_t(flags & mask)));
}

}  // namespace

bool CodeTableV789::cannotFit(int32_t startAddr) const {
  const int32_t named = entriesByName_.count();
  // Every code takes at least an index word and a name-index word.
  return named > kMaxNamedEntries || startAddr < 0 ||
         startAddr + 27 + 4 * named + nameTableLength_ + codeOffset_ > kAddressLimit;
}

void CodeTableV789::createOrderedTableList(const std::string& name) {
  CodeTableItemPtr item = entriesByName_.GetValue(Variant(name)).object<codeTableItem>();
  if (item) {
    item->isOrdered = true;
  } else {
    // A position without a code: its index word stays 0x0000.
    item = std::make_shared<codeTableItem>();
    item->codeName = name;
  }
  orderedList_.AddPair(Variant(name), Variant(item));
}

void CodeTableV789::appendUnorderedEntries() {
  for (int32_t i = 1; i <= entriesByName_.count(); ++i) {
    CodeTableItemPtr item = entriesByName_.ItemVal(i).object<codeTableItem>();
    if (!item || item->isOrdered) continue;
    item->isOrdered = true;
    orderedList_.AddPair(Variant(item->codeName), Variant(item));
  }
}

int16_t CodeTableV789::firstIndexPosition(const codeTableItem& item) const {
  int16_t byName = orderedList_.GetIndex(Variant(item.codeName));
  if (byName > 0 && orderedList_.ItemVal(byName).objectRef().get() == &item) return byName;
  // Only a name defined twice gets here: find the position of this very entry.
  for (int32_t k = 1; k <= orderedList_.count(); ++k)
    if (orderedList_.ItemVal(k).objectRef().get() == &item) return k;
  return 0;
}

void CodeTableV789::resolveContinuations(memBlockCls& mem) {
  mem.memDebug(memDbgInfo, "    CONTINUATION RESOLUTION");
  for (int32_t i = 1; i <= entriesByName_.count(); ++i) {
    CodeTableItemPtr item = entriesByName_.ItemVal(i).object<codeTableItem>();
    if (!item || item->continuationName.empty()) continue;
    const std::string& next = item->continuationName;
    const std::string link = "'" + next + "' for '" + item->codeName + "'";
    if (entriesByName_.GetIndex(Variant(next)) == 0) {
      mem.memDebug(memDbgError, "CONTINUATION not found " + link);
      continue;
    }
    int16_t position = orderedList_.GetIndex(Variant(next));
    if (position > kMaxContinuationPosition) {
      mem.memDebug(memDbgError, "CONTINUATION position above 63 " + link);
      continue;
    }
    // Set from the flag bits, so that asking for the region again gives the same bytes.
    item->continuationByte = int16_t((item->continuationByte & 0xC0) + position);
    const size_t dashes = std::max<int64_t>(1, 25 - int64_t(item->codeName.size()));
    mem.memDebug(memDbgInfo, kIndent + ("'" + item->codeName + "'") + std::string(dashes, '-') +
                                 ">" + VXCommon::hex2Str(position) + " '" +
                                 orderedList_.ItemKey(position).toText() + "'");
  }
}

std::string CodeTableV789::getCodeTablePackedString(memBlockCls& mem, int32_t startAddr) {
  using VXCommon::hex2Str;
  using VXCommon::hex4Str;

  appendUnorderedEntries();
  const int32_t indexCount = orderedList_.count();
  const int32_t namedCount = entriesByName_.count();
  const int32_t delayTableAddr = startAddr + 2 + 2 * indexCount;
  const int32_t nameStringsAddr = startAddr + 27 + 2 * indexCount + 2 * namedCount;
  const int32_t entryArea = nameStringsAddr + nameTableLength_;
  for (int32_t i = 1; i <= namedCount; ++i) {
    if (CodeTableItemPtr item = entriesByName_.ItemVal(i).object<codeTableItem>())
      item->absoluteAddr = entryArea + item->addrOffset;
  }

  bool fits = true;
  if (startAddr < 0 || entryArea + codeOffset_ > kAddressLimit) {
    mem.memDebug(memDbgError, "CODE TABLE does not fit below address 8000 - start " +
                                  std::to_string(startAddr) + " length " +
                                  std::to_string(entryArea + codeOffset_ - startAddr));
    fits = false;
  }
  if (namedCount > kMaxNamedEntries) {
    mem.memDebug(memDbgError, "NAME TABLE has more than 255 names=" + std::to_string(namedCount));
    fits = false;
  }
  // A region that cannot be written is not laid out: its trace would run to the size of the
  // driver and say nothing more.
  if (!fits) return std::string();

  std::string region;
  mem.memDebug(memDbgInfo, " CODE TABLE -------------------");
  mem.memDebug(memDbgInfo, "    CODE TABLE INDEX");
  appendWord(region, delayTableAddr);
  mem.memDebug(memDbgInfo, kIndent + hex2Str(0) + " at " + hex4Str(delayTableAddr) +
                               " - delay Table Address");
  for (int32_t k = 1; k <= indexCount; ++k) {
    CodeTableItemPtr item = orderedList_.ItemVal(k).object<codeTableItem>();
    int32_t word = item ? item->absoluteAddr + (item->isRS232 ? kRs232Mark : 0) : 0;
    appendWord(region, word);
    mem.memDebug(memDbgInfo, kIndent + hex2Str(k) + " at " + hex4Str(word) + " - " + "'" +
                                 orderedList_.ItemKey(k).toText() + "'");
  }

  mem.memDebug(memDbgInfo, "    DELAY TABLE");
  for (int16_t slot = 0; slot < kDelaySlots; ++slot) {
    const int16_t delay = delayTable_[slot];
    region += char(delay);
    mem.memDebug(memDbgInfo, kIndent + hex2Str(slot) + " = " + hex2Str(delay) + " (" +
                                 VXCommon::formatMicroseconds(VXCommon::decodeDelay(delay)) + ")");
  }

  region += char(namedCount & 0xFF);
  mem.memDebug(memDbgInfo, "    NAME TABLE INDEX lenbyte=" + hex2Str(int16_t(namedCount)));
  int32_t nameAddr = nameStringsAddr;
  std::string nameStrings;
  for (int32_t j = 1; j <= nameItems_.count(); ++j) {
    CodeTableNameItemPtr nameItem = nameItems_.ItemVal(j).object<codeTableNameItem>();
    if (!nameItem) continue;
    const std::string& lstr = nameItem->codeNameLStr;
    const int16_t length = static_cast<unsigned char>(lstr[0]);
    appendWord(region, nameAddr);
    mem.memDebug(memDbgInfo, kIndent + hex2Str(int16_t(j - 1)) + " at " + hex4Str(nameAddr) +
                                 " - (" + hex2Str(length) + ")'" + lstr.substr(1) + "'");
    nameAddr += length + 1;
    nameStrings += lstr;
  }
  region += nameStrings;

  resolveContinuations(mem);

  mem.memDebug(memDbgInfo, "    CODE TABLE ASSEMBLY");
  for (int32_t i = 1; i <= namedCount; ++i) {
    CodeTableItemPtr item = entriesByName_.ItemVal(i).object<codeTableItem>();
    if (!item) continue;
    const int repeats = item->repeatsByte, next = item->continuationByte;
    mem.memDebug(memDbgInfo, kIndent + hex2Str(firstIndexPosition(*item)) + " at " +
                                 hex4Str(item->absoluteAddr) + " IncC=" + bit(repeats, 128) +
                                 " UseR=" + bit(repeats, 64) + " Reps=" + hex2Str(int16_t(repeats & 63)) +
                                 " UseP=" + bit(next, 128) + " UseS=" + bit(next, 64) +
                                 " Cont=" + hex2Str(int16_t(next & 63)) + " '" + item->codeName +
                                 "'=" + VXCommon::quoteCodeString(item->packedString) +
                                 " Flags=" + hex2Str(item->configFlagsByte));
    region += char(item->repeatsByte);
    region += char(item->continuationByte);
    region += char(item->configFlagsByte);
    region += item->packedString;
  }

  mem.memDebug(memDbgInfo, "");
  return region;
}
