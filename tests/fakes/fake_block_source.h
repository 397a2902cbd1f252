// FakeBlockSource: a BlockSource for tests, serving blocks from a map, failing the blocks it
// is told to fail, and recording every request in order.
//
// A block that is neither set nor failing is served as 64 bytes of 0x00 (or fails, after
// failUnknownBlocks()). ScopedBlockSource installs a source for the life of a test and
// uninstalls it at the end, so later fetches fail as with no device.
#pragma once

#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "common/block_source.h"

class FakeBlockSource : public BlockSource {
 public:
  struct Call {
    int32_t blocknum;
    int16_t deviceID;
  };

  // The reply for a block: its 64 bytes (a checksum byte may follow).
  void setBlock(int32_t blocknum, std::string reply);
  // Every 64-byte block of the image (the last one padded with 0x00).
  void setImage(const std::string& image);
  void failBlock(int32_t blocknum, bool fails = true);
  void failUnknownBlocks(bool fail = true) { failUnknown_ = fail; }

  const std::vector<Call>& calls() const { return calls_; }
  int callsFor(int32_t blocknum) const;
  std::vector<int32_t> requestedBlocks() const;
  void clearCalls() { calls_.clear(); }

  void retrieveBlock(std::string& data, int32_t blocknum, int16_t deviceID,
                     int16_t& errnum) override;

 private:
  std::map<int32_t, std::string> blocks_;
  std::set<int32_t> failing_;
  bool failUnknown_ = false;
  std::vector<Call> calls_;
};

class ScopedBlockSource {
 public:
  explicit ScopedBlockSource(BlockSource& source);
  ~ScopedBlockSource();
  ScopedBlockSource(const ScopedBlockSource&) = delete;
  ScopedBlockSource& operator=(const ScopedBlockSource&) = delete;
};
