// memBlockCls: flags, bytes, nibbles, bits, 16-bit and 32-bit values and octet lists.
#include <string>

#include "common/hex_text.h"
#include "common/memory_image.h"
#include "common/memory_image_detail.h"

using namespace memimage_detail;

// ---- flags and bytes -------------------------------------------------------------------

bool memBlockCls::peekFlag(int32_t byteIdx) {
  PeekOperation op(*this);
  if (!spanInside(byteIdx, 1)) {
    logError("PeekFlag", kOutOfBounds, byteIdx);
    return false;
  }
  ensureBlock(byteIdx);
  const uint8_t b = byteAt(byteIdx);
  logTrace(byteIdx, " Flag=" + decimal(b));
  return b == 0xFF;
}

void memBlockCls::pokeFlag(bool flagVal, int32_t byteIdx) {
  if (!spanInside(byteIdx, 1)) {
    logError("PokeFlag", kOutOfBounds, byteIdx);
    return;
  }
  const int32_t value = flagVal ? 0xFF : 0x00;
  markDirty(byteIdx);
  setByte(byteIdx, value);
  logTrace(byteIdx, " Flag=" + decimal(value));
}

int16_t memBlockCls::peekByte(int32_t byteIdx) {
  PeekOperation op(*this);
  if (!spanInside(byteIdx, 1)) {
    logError("PeekByte", kOutOfBounds, byteIdx);
    return 0;
  }
  ensureBlock(byteIdx);
  const int16_t b = byteAt(byteIdx);
  logTrace(byteIdx, " Byte=$" + VXCommon::hex2Str(b));
  return b;
}

void memBlockCls::pokeByte(int16_t byteVal, int32_t byteIdx, int16_t lowBound) {
  if (byteVal < lowBound) {
    memDebug(memDbgWarning, "Value less than lowbound - coercing to low value of " + decimal(lowBound));
    byteVal = lowBound;
  }
  if (byteVal < 0 || byteVal > 255) {
    logError("PokeByte", kBadByte, byteIdx);
    return;
  }
  if (!spanInside(byteIdx, 1)) {
    logError("PokeByte", kOutOfBounds, byteIdx);
    return;
  }
  markDirty(byteIdx);
  setByte(byteIdx, byteVal);
  logTrace(byteIdx, " Byte=$" + VXCommon::hex2Str(byteVal));
}

int16_t memBlockCls::peekSignedChar(int32_t byteIdx) {
  PeekOperation op(*this);
  if (!spanInside(byteIdx, 1)) {
    logError("peekSignedChar", kOutOfBounds, byteIdx);
    return 0;
  }
  ensureBlock(byteIdx);
  const int16_t b = byteAt(byteIdx);
  logTrace(byteIdx, " SChar=" + decimal(b));
  return b >= 128 ? int16_t(b - 256) : b;
}

void memBlockCls::pokeSignedChar(int16_t byteVal, int32_t byteIdx) {
  const int32_t stored = byteVal < 0 ? byteVal + 256 : byteVal;
  if (stored < 0 || stored > 255) {
    logError("pokeSignedChar", kBadByte, byteIdx);
    return;
  }
  if (!spanInside(byteIdx, 1)) {
    logError("pokeSignedChar", kOutOfBounds, byteIdx);
    return;
  }
  markDirty(byteIdx);
  setByte(byteIdx, stored);
  logTrace(byteIdx, " SChar=" + decimal(stored));
}

// ---- octet lists -----------------------------------------------------------------------

Variant memBlockCls::peekOctetsBEndian(int16_t numOctets, int32_t byteIdx) {
  PeekOperation op(*this);
  std::vector<Variant> octets;
  for (int32_t i = 1; i <= numOctets; ++i)
    octets.emplace_back(peekByte(offsetAddress(byteIdx, i - 1)));
  return Variant::array(std::move(octets));
}

Variant memBlockCls::peekOctetsLEndian(int16_t numOctets, int32_t byteIdx) {
  PeekOperation op(*this);
  std::vector<Variant> octets;
  for (int32_t i = 1; i <= numOctets; ++i)
    octets.emplace_back(peekByte(offsetAddress(byteIdx, int64_t(numOctets) - i)));
  return Variant::array(std::move(octets));
}

void memBlockCls::pokeOctet(const Variant& element, int32_t byteIdx) {
  std::optional<int16_t> value = element.tryToInt16();
  if (!value) {
    // Not a number that fits 16 bits: it cannot be a byte either.
    logError("PokeByte", kBadByte, byteIdx);
    return;
  }
  pokeByte(*value, byteIdx, 0);
}

void memBlockCls::pokeOctetsBEndian(const Variant& valArray, int32_t byteIdx) {
  if (!valArray.isArray()) return;
  for (int32_t i = std::max(valArray.lbound(), 1); i <= valArray.ubound(); ++i)
    pokeOctet(valArray.at(i), offsetAddress(byteIdx, i - 1));
}

void memBlockCls::pokeOctetsLEndian(const Variant& valArray, int32_t byteIdx) {
  if (!valArray.isArray()) return;
  const int32_t n = valArray.ubound();
  for (int32_t i = std::max(valArray.lbound(), 1); i <= n; ++i)
    pokeOctet(valArray.at(i), offsetAddress(byteIdx, int64_t(n) - i));
}

// ---- nibbles and bits ------------------------------------------------------------------

int16_t memBlockCls::peekNibHigh(int32_t byteIdx) {
  PeekOperation op(*this);
  return int16_t(peekByte(byteIdx) / 16);
}

int16_t memBlockCls::peekNibLow(int32_t byteIdx) {
  PeekOperation op(*this);
  return int16_t(peekByte(byteIdx) % 16);
}

void memBlockCls::pokeNibHigh(int16_t theNib, int32_t byteIdx) {
  if (theNib < 0 || theNib > 15) {
    logError("pokeNibHigh", kBadNib, byteIdx);
    return;
  }
  if (!spanInside(byteIdx, 1)) {
    logError("pokeNibHigh", kOutOfBounds, byteIdx);
    return;
  }
  markDirty(byteIdx, 0xF0);
  setByte(byteIdx, (byteAt(byteIdx) & 0x0F) + 16 * theNib);
  logTrace(byteIdx, " HNib=$" + std::string(1, "0123456789ABCDEF"[theNib]));
}

void memBlockCls::pokeNibLow(int16_t theNib, int32_t byteIdx) {
  if (theNib < 0 || theNib > 15) {
    logError("pokeNibLow", kBadNib, byteIdx);
    return;
  }
  if (!spanInside(byteIdx, 1)) {
    logError("pokeNibLow", kOutOfBounds, byteIdx);
    return;
  }
  markDirty(byteIdx, 0x0F);
  setByte(byteIdx, (byteAt(byteIdx) & 0xF0) + theNib);
  logTrace(byteIdx, " LNib=$" + std::string(1, "0123456789ABCDEF"[theNib]));
}

bool memBlockCls::peekBit(int16_t bitIdx, int32_t byteIdx) {
  PeekOperation op(*this);
  if (!spanInside(byteIdx, 1)) {
    logError("peekBit", kOutOfBounds, byteIdx);
    return false;
  }
  ensureBlock(byteIdx);
  const bool set = bitIdx >= 0 && bitIdx <= 7 && ((byteAt(byteIdx) >> bitIdx) & 1) != 0;
  logTrace(byteIdx, " Bit" + decimal(bitIdx) + "=$" + (set ? "1" : "0"));
  return set;
}

void memBlockCls::pokeBit(bool theBit, int16_t bitIdx, int32_t byteIdx) {
  if (bitIdx < 0 || bitIdx > 7) {
    logError("pokeBit", kBadBitIdx, byteIdx);
    return;
  }
  if (!spanInside(byteIdx, 1)) {
    logError("pokeBit", kOutOfBounds, byteIdx);
    return;
  }
  const int32_t mask = 1 << bitIdx;
  markDirty(byteIdx, uint8_t(mask));
  setByte(byteIdx, theBit ? (byteAt(byteIdx) | mask) : (byteAt(byteIdx) & (255 - mask)));
  logTrace(byteIdx, " Bit" + decimal(bitIdx) + "=$" + (theBit ? "1" : "0"));
}

// ---- 16-bit and 32-bit values ----------------------------------------------------------

int32_t memBlockCls::peekAddressBEndian(int32_t byteIdx) {
  PeekOperation op(*this);
  if (!spanInside(byteIdx, 2)) {
    logError("peekAddressBEndian", kOutOfBounds, byteIdx);
    return 0;
  }
  ensureBlock(byteIdx);
  const int32_t high = byteAt(byteIdx);
  ensureBlock(byteIdx + 1);
  const int32_t value = 256 * high + byteAt(byteIdx + 1);
  logTrace(byteIdx, " Addr=$" + VXCommon::hex4Str(value));
  return value;
}

int32_t memBlockCls::peekAddressLEndian(int32_t byteIdx) {
  PeekOperation op(*this);
  if (!spanInside(byteIdx, 2)) {
    logError("peekAddressLEndian", kOutOfBounds, byteIdx);
    return 0;
  }
  ensureBlock(byteIdx);
  const int32_t low = byteAt(byteIdx);
  ensureBlock(byteIdx + 1);
  const int32_t value = low + 256 * byteAt(byteIdx + 1);
  logTrace(byteIdx, " Addr=$" + VXCommon::hex4Str(value));
  return value;
}

void memBlockCls::pokeAddressBEndian(int32_t theAddr, int32_t byteIdx) {
  if (theAddr < 0 || theAddr > 0xFFFF) {
    logError("pokeAddressBEndian", kBadByte, byteIdx);
    return;
  }
  if (!spanInside(byteIdx, 2)) {
    logError("pokeAddressBEndian", kOutOfBounds, byteIdx);
    return;
  }
  markDirty(byteIdx);
  markDirty(byteIdx + 1);
  setByte(byteIdx, theAddr / 256);
  setByte(byteIdx + 1, theAddr % 256);
  logTrace(byteIdx, " Addr=$" + VXCommon::hex4Str(theAddr));
}

void memBlockCls::pokeAddressLEndian(int32_t theAddr, int32_t byteIdx) {
  if (theAddr < 0 || theAddr > 0xFFFF) {
    logError("pokeAddressLEndian", kBadByte, byteIdx);
    return;
  }
  if (!spanInside(byteIdx, 2)) {
    logError("pokeAddressLEndian", kOutOfBounds, byteIdx);
    return;
  }
  markDirty(byteIdx);
  markDirty(byteIdx + 1);
  setByte(byteIdx, theAddr % 256);
  setByte(byteIdx + 1, theAddr / 256);
  logTrace(byteIdx, " Addr=$" + VXCommon::hex4Str(theAddr));
}

int32_t memBlockCls::peekDWordLEndian(int32_t byteIdx) {
  PeekOperation op(*this);
  if (!spanInside(byteIdx, 4)) {
    logError("peekDWordLEndian", kOutOfBounds, byteIdx);
    return 0;
  }
  // From the most significant byte down; a set top byte ends the reading.
  int32_t value = 0;
  ensureBlock(byteIdx + 3);
  if (byteAt(byteIdx + 3) != 0) {
    value = kTopByteSet;
  } else {
    for (int32_t k = 2; k >= 0; --k) {
      ensureBlock(byteIdx + k);
      value = value * 256 + byteAt(byteIdx + k);
    }
  }
  logTrace(byteIdx, " DWORD=" + decimal(value));
  return value;
}

void memBlockCls::pokeDWordLEndian(int32_t theWord, int32_t byteIdx) {
  if (theWord < 0) {
    logError("pokeDWordLEndian", kBadByte, byteIdx);
    return;
  }
  if (!spanInside(byteIdx, 4)) {
    logError("pokeDWordLEndian", kOutOfBounds, byteIdx);
    return;
  }
  int32_t rest = theWord;
  for (int32_t k = 0; k < 4; ++k) {
    markDirty(byteIdx + k);
    setByte(byteIdx + k, rest % 256);
    rest /= 256;
  }
  logTrace(byteIdx, " DWORD=" + decimal(theWord));
}
