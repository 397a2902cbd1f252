// memBlockCls: zero-terminated, length-prefixed and raw strings, file spans and checksums.
#include <algorithm>
#include <string>

#include "common/hex_dump.h"
#include "common/hex_text.h"
#include "common/memory_image.h"
#include "common/memory_image_detail.h"

using namespace memimage_detail;

namespace {

// startByte + length + 1, the address a caller places its next field at.
int32_t nextAddress(int32_t startByte, size_t length) {
  return offsetAddress(startByte, int64_t(length) + 1);
}

}  // namespace

// ---- zero-terminated strings -----------------------------------------------------------

std::string memBlockCls::peekZString(int32_t startByte, int16_t maxLen) {
  PeekOperation op(*this);
  if (!spanInside(startByte, 1)) {
    logError("peekZString", kOutOfBounds, startByte);
    return "";
  }
  std::string text;
  // The last two bytes of the image are never part of such a string.
  for (int32_t a = startByte; int32_t(text.size()) < maxLen && int64_t(a) + 2 < memSize_; ++a) {
    ensureBlock(a);
    const uint8_t b = byteAt(a);
    if (b == 0) break;
    text += char(b);
  }
  logTrace(startByte, quotedText(" Zstr=$", text));
  return text;
}

int32_t memBlockCls::pokeZString(std::string_view theString, int32_t startByte, int16_t totLen) {
  const size_t length = theString.size();
  if (int64_t(length) > int64_t(totLen)) {
    logError("pokeZString", kTooLong, startByte);
    return nextAddress(startByte, length);
  }
  // The span includes the terminator's place even when the text fills the field.
  if (!spanInside(startByte, int32_t(length) + 1)) {
    logError("pokeZString", kOutOfBounds, startByte);
    return nextAddress(startByte, length);
  }
  for (int32_t k = 0; k <= int32_t(length); ++k) markDirty(startByte + k);
  std::string field(theString);
  field.resize(size_t(std::max<int32_t>(totLen, int32_t(length))), '\0');
  logTrace(startByte, " Zstr=" + VXCommon::quoteCodeString(field));
  memData_.replace(size_t(startByte), length, theString);
  if (int64_t(length) < int64_t(totLen)) setByte(startByte + int32_t(length), 0);
  return nextAddress(startByte, length);
}

// ---- length-prefixed strings -----------------------------------------------------------

std::string memBlockCls::peekLString(int32_t startByte) {
  PeekOperation op(*this);
  if (!spanInside(startByte, 1)) {
    logError("peekLString", kOutOfBounds, startByte);
    return "";
  }
  ensureBlock(startByte);
  const int32_t length = byteAt(startByte);
  // The whole text must lie in the image, not only its length byte.
  if (length > 0 && !spanInside(startByte + 1, length)) {
    logError("peekLString", kOutOfBounds, startByte);
    return "";
  }
  std::string text;
  text.reserve(size_t(length));
  for (int32_t a = startByte + 1; a <= startByte + length; ++a) {
    ensureBlock(a);
    text += char(byteAt(a));
  }
  logTrace(startByte, quotedText(" Lstr=$", text));
  return text;
}

int32_t memBlockCls::pokeLString(std::string_view theString, int32_t startByte) {
  const size_t length = theString.size();
  // The length is one byte: a longer text cannot be stored.
  if (length > size_t(kMaxLStringLength)) {
    logError("pokeLString", kTooLong, startByte);
    return nextAddress(startByte, length);
  }
  if (int64_t(startByte) + int64_t(length) > int64_t(memSize_) - 1) {
    logError("pokeLString", kPastMemory, startByte);
    return nextAddress(startByte, length);
  }
  if (!spanInside(startByte, 1)) {
    logError("pokeLString", kOutOfBounds, startByte);
    return nextAddress(startByte, length);
  }
  for (int32_t k = 0; k <= int32_t(length); ++k) markDirty(startByte + k);
  logTrace(startByte, quotedText(" Lstr=$", theString));
  setByte(startByte, int32_t(length));
  memData_.replace(size_t(startByte) + 1, length, theString);
  return nextAddress(startByte, length);
}

// ---- raw strings and file spans --------------------------------------------------------

std::string memBlockCls::peekString(int32_t startByte, int32_t strLength) {
  PeekOperation op(*this);
  if (!spanInside(startByte, 1)) {
    logError("peekString", kOutOfBounds, startByte);
    return "";
  }
  const int32_t last = std::min(strLength, memSize_ - 1);
  std::string text;
  for (int32_t a = startByte; a <= last; ++a) {
    ensureBlock(a);
    text += char(byteAt(a));
  }
  logTrace(startByte, quotedText(" str=$", text));
  return text;
}

int32_t memBlockCls::pokeString(std::string_view theString, int32_t startByte) {
  const size_t length = theString.size();
  if (int64_t(startByte) + int64_t(length) > int64_t(memSize_)) {
    logError("pokeString", kPastMemory, startByte);
    return nextAddress(startByte, length);
  }
  if (!spanInside(startByte, 1)) {
    logError("pokeString", kOutOfBounds, startByte);
    return nextAddress(startByte, length);
  }
  for (int32_t k = 0; k < int32_t(length); ++k) markDirty(startByte + k);
  memDebug(memDbgTrace, VXCommon::hexDump(theString));
  memData_.replace(size_t(startByte), length, theString);
  return nextAddress(startByte, length);
}

std::string memBlockCls::peekFile(int32_t filLen, int32_t byteIdx) {
  PeekOperation op(*this);
  if (filLen <= 0) return "";
  if (!spanInside(byteIdx, filLen)) {
    logError("peekFile", kOutOfBounds, byteIdx);
    return "";
  }
  for (int32_t a = byteIdx; a < byteIdx + filLen; a += kBlockSize - a % kBlockSize) ensureBlock(a);
  return memData_.substr(size_t(byteIdx), size_t(filLen));
}

// ---- checksums -------------------------------------------------------------------------

void memBlockCls::pokeCheckSum(int16_t numBytes, int32_t startByte) {
  const int32_t count = std::max<int32_t>(numBytes, 0);
  const int32_t first = offsetAddress(startByte, -int64_t(count));
  if (count > 0 && !spanInside(first, count)) {
    logError("pokeCheckSum", kOutOfBounds, startByte);
    return;
  }
  std::string_view covered(memData_);
  covered = count > 0 ? covered.substr(size_t(first), size_t(count)) : std::string_view();
  pokeByte(VXCommon::checkSum8(covered, 0), startByte, 0);
}

bool memBlockCls::peekCheckSum(int16_t numBytes, int32_t startByte) {
  PeekOperation op(*this);
  const int32_t count = std::max<int32_t>(numBytes, 0);
  const int32_t first = offsetAddress(startByte, -int64_t(count));
  if (count > 0 && !spanInside(first, count)) {
    logError("peekCheckSum", kOutOfBounds, startByte);
    return false;
  }
  // The blocks of the covered bytes and of the checksum byte, as far as they lie in the image.
  const int32_t lastFetched = std::min<int32_t>(startByte, memSize_ - 1);
  for (int32_t a = std::max<int32_t>(first, 0); a <= lastFetched; a += kBlockSize - a % kBlockSize)
    ensureBlock(a);
  std::string_view covered(memData_);
  covered = count > 0 ? covered.substr(size_t(first), size_t(count)) : std::string_view();
  const int16_t expected = VXCommon::checkSum8(covered, 0);
  // A checksum byte outside the image is logged by peekByte and never matches.
  if (!spanInside(startByte, 1)) {
    peekByte(startByte);
    return false;
  }
  return peekByte(startByte) == expected;
}
