// memBlockCls: the memory image of one device (its EEPROM bytes), one flag per 64-byte block,
// and a debug log of every access.
//
// An image is either built or read, never both. Building: Clear, then pokes; each poke sets
// the flag of every block it writes, so the flags mark the blocks to send to the device.
// Reading: Clear, then peeks; a peek at a block whose flag is clear first fetches that block
// through currentBlockSource() and, when the fetch succeeds, sets the flag ("present").
//
// No operation raises. An access whose span leaves the image, a value that does not fit its
// field and a failed fetch each log one error entry and change nothing (a peek then gives 0,
// False or an empty text); a value raised to the low bound logs a warning. Callers decide from
// memDebugErrors, memDebugWarnings and memCommError. Within one peek operation a block whose
// fetch failed is asked for once: its bytes read as they stand (0x00); the next operation
// asks again. A source that answers kBlockFailedEarlier did not ask the device again, and the
// block's failure was reported when it happened: the fetch fails without a new error entry.
//
// Log lines end CR LF: "[I]" info, "[E]" error, "[W]" warning, four blanks and the text for a
// trace, an empty line for any other kind. A trace line is hex4Str(address), a tag and the
// value, for example "    0013 Addr=$0430". The listing is a banner line naming the device,
// the hex dump of the image (of the flagged blocks only, when asked), a blank line and the log.
// Addresses are 0-based; lists are 1-based.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "common/device_id.h"
#include "common/flag_list.h"
#include "common/variant.h"

enum MemDebugKind : int16_t {
  memDbgInfo = 1,
  memDbgError = 2,
  memDbgTrace = 3,
  memDbgBlank = 4,
  memDbgWarning = 5,
};

class memBlockCls : public VbObject {
 public:
  static constexpr int32_t kBlockSize = 64;

  memBlockCls() = default;
  memBlockCls(const memBlockCls&) = delete;
  memBlockCls& operator=(const memBlockCls&) = delete;

  // Copy of the image, one character per byte.
  std::string memImage() const;
  // Copy of the block flags: element k covers addresses 64(k - 1) to 64k - 1.
  FlagList dirtyBlocks() const;

  // A flag byte: True when it is 0xFF; writes 0xFF for True and 0x00 for False.
  bool peekFlag(int32_t byteIdx);
  void pokeFlag(bool flagVal, int32_t byteIdx);

  // A byte, 0 to 255. A byteVal below lowBound is raised to lowBound with a warning.
  int16_t peekByte(int32_t byteIdx);
  void pokeByte(int16_t byteVal, int32_t byteIdx, int16_t lowBound);
  // A byte as -128 to 127; the poke takes -256 to 255 (a negative value has 256 added).
  int16_t peekSignedChar(int32_t byteIdx);
  void pokeSignedChar(int16_t byteVal, int32_t byteIdx);

  // filLen bytes from byteIdx on; logs nothing unless the span leaves the image.
  std::string peekFile(int32_t filLen, int32_t byteIdx);

  // Octet lists (Variant arrays, 1-based, of 16-bit values). Big endian: element i is the
  // byte at byteIdx + i - 1. Little endian: element i is the byte at byteIdx + n - i. Each
  // byte goes through peekByte / pokeByte (lowBound 0), which check and log it.
  Variant peekOctetsBEndian(int16_t numOctets, int32_t byteIdx);
  void pokeOctetsBEndian(const Variant& valArray, int32_t byteIdx);
  Variant peekOctetsLEndian(int16_t numOctets, int32_t byteIdx);
  void pokeOctetsLEndian(const Variant& valArray, int32_t byteIdx);

  // Nibbles: high is byte div 16, low is byte mod 16; a poke keeps the other nibble.
  int16_t peekNibHigh(int32_t byteIdx);
  void pokeNibHigh(int16_t theNib, int32_t byteIdx);
  int16_t peekNibLow(int32_t byteIdx);
  void pokeNibLow(int16_t theNib, int32_t byteIdx);

  // 16-bit values 0 to 65535 in two bytes.
  int32_t peekAddressBEndian(int32_t byteIdx);
  void pokeAddressBEndian(int32_t theAddr, int32_t byteIdx);
  int32_t peekAddressLEndian(int32_t byteIdx);
  void pokeAddressLEndian(int32_t theAddr, int32_t byteIdx);

  // Four bytes, least significant first. A non-zero top byte reads as 16,777,216 (2^24).
  int32_t peekDWordLEndian(int32_t byteIdx);
  void pokeDWordLEndian(int32_t theWord, int32_t byteIdx);

  // Bit bitIdx (0 = least significant) of a byte; a bitIdx outside 0 to 7 reads as False.
  bool peekBit(int16_t bitIdx, int32_t byteIdx);
  void pokeBit(bool theBit, int16_t bitIdx, int32_t byteIdx);

  // Zero-terminated text of at most maxLen characters; the image's last two bytes are never
  // part of one. The poke writes into a field of totLen bytes (a text of exactly totLen
  // characters gets no terminator) and gives startByte + length + 1.
  std::string peekZString(int32_t startByte, int16_t maxLen = 255);
  int32_t pokeZString(std::string_view theString, int32_t startByte, int16_t totLen);
  // Length byte, then the text (at most 255 characters); the poke gives startByte + length + 1.
  std::string peekLString(int32_t startByte);
  int32_t pokeLString(std::string_view theString, int32_t startByte);
  // Raw bytes: the peek takes addresses startByte through strLength (an address, not a
  // count); the poke writes no terminator and gives startByte + length + 1.
  std::string peekString(int32_t startByte, int32_t strLength);
  int32_t pokeString(std::string_view theString, int32_t startByte);

  // checkSum8 (seed 0) of the numBytes bytes before startByte, stored at / compared with the
  // byte at startByte. The poke sums the bytes as they stand and fetches nothing.
  void pokeCheckSum(int16_t numBytes, int32_t startByte);
  bool peekCheckSum(int16_t numBytes, int32_t startByte);

  // Appends one log line of the given MemDebugKind.
  void memDebug(int16_t memDebugType, std::string_view memDebugStr);
  // Banner, hex dump (only the flagged blocks when touchedOnly), CR LF CR LF, then the log.
  std::string memDebugListing(bool touchedOnly = false) const;
  bool memCommError() const { return commErrorFlag_; }
  int16_t memDebugErrors() const { return errorCount_; }
  int16_t memDebugWarnings() const { return warningCount_; }
  // The text of every error entry logged, in order, without its "[E]": what an encoder tells
  // its caller about each error besides the listing.
  const std::vector<std::string>& memDebugErrorTexts() const { return errorTexts_; }

  // Starts a new image of memSize bytes of 0x00 with every flag clear, for device deviceID.
  // The log, the counters, the error texts and the communication-error flag are kept; no bit
  // has a writer.
  void Clear(int32_t memSize, int16_t deviceID);

  // Which step of a build wrote each bit, so that a byte can be traced to the rule that made
  // it: while a tag other than 0 is set, every poke records it for the bits it writes (a
  // value written equal to what stood there counts as written). lastWriter gives the tag of
  // the last poke of the bit, 0 when none was recorded.
  void writerTag(int16_t tag) { writerTag_ = tag; }
  int16_t lastWriter(int32_t byteIdx, int16_t bitIdx) const;

 private:
  // Marks the span of one peek operation; operations built on others share the outermost one.
  class PeekOperation {
   public:
    explicit PeekOperation(memBlockCls& image) : image_(image) {
      if (image_.peekDepth_++ == 0) image_.failedThisPeek_.clear();
    }
    ~PeekOperation() { --image_.peekDepth_; }
    PeekOperation(const PeekOperation&) = delete;
    PeekOperation& operator=(const PeekOperation&) = delete;

   private:
    memBlockCls& image_;
  };

  // Flags the byte's block and records the writer tag for the bits of `bits`.
  void markDirty(int32_t byteIdx, uint8_t bits = 0xFF);
  void ensureBlock(int32_t byteIdx);

  bool spanInside(int32_t first, int32_t count) const;
  uint8_t byteAt(int32_t byteIdx) const { return uint8_t(memData_[size_t(byteIdx)]); }
  void setByte(int32_t byteIdx, int32_t value) { memData_[size_t(byteIdx)] = char(value); }
  void logError(std::string_view name, std::string_view middle, int32_t address);
  void logTrace(int32_t address, std::string_view tagAndValue);
  void pokeOctet(const Variant& element, int32_t byteIdx);

  int32_t memSize_ = 0;
  FlagList blockFlags_;
  std::string memData_;
  std::string debugLog_;
  int16_t warningCount_ = 0;
  int16_t errorCount_ = 0;
  std::vector<std::string> errorTexts_;
  bool commErrorFlag_ = false;
  int16_t deviceType_ = 0;
  int16_t writerTag_ = 0;
  std::vector<int16_t> bitWriters_;  // 8 per byte, made on the first tagged poke

  // Peek operations in progress (an operation built on others nests), and the blocks whose
  // fetch failed during the outermost one.
  int peekDepth_ = 0;
  std::vector<int32_t> failedThisPeek_;
};
