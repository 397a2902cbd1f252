#include "common/memory_image.h"

#include <algorithm>
#include <exception>
#include <limits>

#include "common/block_source.h"
#include "common/hex_dump.h"
#include "common/hex_text.h"
#include "common/memory_image_detail.h"

using namespace memimage_detail;

namespace {

std::string bannerFor(int16_t deviceType) {
  const char* label = nullptr;
  size_t trailing = 42;
  switch (deviceType) {
    case devicePanel: label = "Orvella"; break;
    case deviceAdapter: label = "Brenmor Net"; break;
    case deviceController: label = "Perrow Q400"; trailing = 41; break;
    default: return "";
  }
  return std::string(33, '+') + " " + label + " " + std::string(trailing, '+');
}

}  // namespace

// ---- whole image -----------------------------------------------------------------------

std::string memBlockCls::memImage() const { return memData_; }

FlagList memBlockCls::dirtyBlocks() const { return blockFlags_; }

void memBlockCls::Clear(int32_t memSize, int16_t deviceID) {
  memSize_ = std::max<int32_t>(memSize, 0);
  deviceType_ = deviceID;
  memData_.assign(size_t(memSize_), '\0');
  blockFlags_ = FlagList((memSize_ + kBlockSize - 1) / kBlockSize);
  bitWriters_.clear();
}

// ---- log -------------------------------------------------------------------------------

void memBlockCls::memDebug(int16_t memDebugType, std::string_view memDebugStr) {
  switch (memDebugType) {
    case memDbgInfo:
      debugLog_ += "[I]";
      debugLog_ += memDebugStr;
      break;
    case memDbgError:
      debugLog_ += "[E]";
      debugLog_ += memDebugStr;
      if (errorCount_ < kCounterLimit) ++errorCount_;
      errorTexts_.emplace_back(memDebugStr);
      break;
    case memDbgTrace:
      debugLog_ += "    ";
      debugLog_ += memDebugStr;
      break;
    case memDbgWarning:
      debugLog_ += "[W]";
      debugLog_ += memDebugStr;
      if (warningCount_ < kCounterLimit) ++warningCount_;
      break;
    default: break;  // a blank line: the text is dropped
  }
  debugLog_ += "\r\n";
}

std::string memBlockCls::memDebugListing(bool touchedOnly) const {
  std::string banner = bannerFor(deviceType_);
  std::string dump = VXCommon::hexDump(memData_, 0, touchedOnly ? &blockFlags_ : nullptr);
  std::string out;
  out.reserve(banner.size() + dump.size() + debugLog_.size() + 6);
  if (!banner.empty()) {
    out += banner;
    out += "\r\n";
  }
  out += dump;
  out += "\r\n\r\n";
  out += debugLog_;
  return out;
}

void memBlockCls::logError(std::string_view name, std::string_view middle, int32_t address) {
  std::string text(name);
  text += middle;
  text += decimal(address);
  memDebug(memDbgError, text);
}

void memBlockCls::logTrace(int32_t address, std::string_view tagAndValue) {
  std::string text = VXCommon::hex4Str(address);
  text += tagAndValue;
  memDebug(memDbgTrace, text);
}

// ---- blocks ----------------------------------------------------------------------------

bool memBlockCls::spanInside(int32_t first, int32_t count) const {
  return first >= 0 && count >= 1 && int64_t(first) + count <= int64_t(memSize_);
}

void memBlockCls::markDirty(int32_t byteIdx, uint8_t bits) {
  blockFlags_.set(byteIdx / kBlockSize + 1, true);
  if (writerTag_ == 0) return;
  if (bitWriters_.empty()) bitWriters_.assign(size_t(memSize_) * 8, 0);
  for (int bit = 0; bit < 8; ++bit)
    if ((bits >> bit) & 1) bitWriters_[size_t(byteIdx) * 8 + size_t(bit)] = writerTag_;
}

int16_t memBlockCls::lastWriter(int32_t byteIdx, int16_t bitIdx) const {
  if (bitWriters_.empty() || byteIdx < 0 || byteIdx >= memSize_ || bitIdx < 0 || bitIdx > 7) return 0;
  return bitWriters_[size_t(byteIdx) * 8 + size_t(bitIdx)];
}

void memBlockCls::ensureBlock(int32_t byteIdx) {
  const int32_t block = byteIdx / kBlockSize;
  if (blockFlags_.at(block + 1)) return;
  // A block that failed once in this operation is not asked for again until the next one.
  if (std::find(failedThisPeek_.begin(), failedThisPeek_.end(), block) != failedThisPeek_.end())
    return;

  std::string data;
  int16_t errnum = 0;
  try {
    currentBlockSource().retrieveBlock(data, block, deviceType_, errnum);
  } catch (const std::exception&) {
    errnum = 1;
  }
  // A reply shorter than a block is no block.
  if (errnum == 0 && data.size() >= size_t(kBlockSize)) {
    const int32_t first = block * kBlockSize;
    const int32_t count = std::min(kBlockSize, memSize_ - first);
    memData_.replace(size_t(first), size_t(count), data, 0, size_t(count));
    blockFlags_.set(block + 1, true);
    return;
  }
  if (errnum != kBlockFailedEarlier) memDebug(memDbgError, "Communications error reading block " + decimal(block));
  commErrorFlag_ = true;
  failedThisPeek_.push_back(block);
}
