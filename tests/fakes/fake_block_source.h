// FakeBlockSource: a BlockSource for tests, serving blocks from a map, failing the blocks it
// is told to fail, and recording every request in order. A block that is neither set nor
// failing is served as 64 bytes of 0x00.
//
// ScopedBlockSource installs a source for the life of a test and uninstalls it at the end, so
// later fetches fail as with no device.
#pragma once

#include <algorithm>
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
  void setBlock(int32_t blocknum, std::string reply) { blocks_[blocknum] = std::move(reply); }
  void failBlock(int32_t blocknum, bool fails = true) {
    if (fails) failing_.insert(blocknum);
    else failing_.erase(blocknum);
  }

  const std::vector<Call>& calls() const { return calls_; }
  int callsFor(int32_t blocknum) const {
    return int(std::count_if(calls_.begin(), calls_.end(), [&](const Call& c) { return c.blocknum == blocknum; }));
  }
  std::vector<int32_t> requestedBlocks() const {
    std::vector<int32_t> blocks;
    for (const Call& call : calls_) blocks.push_back(call.blocknum);
    return blocks;
  }
  void clearCalls() { calls_.clear(); }

  void retrieveBlock(std::string& data, int32_t blocknum, int16_t deviceID, int16_t& errnum) override {
    calls_.push_back(Call{blocknum, deviceID});
    errnum = failing_.count(blocknum) != 0 ? 1 : 0;
    if (errnum != 0) return;
    auto found = blocks_.find(blocknum);
    data = found != blocks_.end() ? found->second : std::string(64, '\0');
  }

 private:
  std::map<int32_t, std::string> blocks_;
  std::set<int32_t> failing_;
  std::vector<Call> calls_;
};

class ScopedBlockSource {
 public:
  explicit ScopedBlockSource(BlockSource& source) {
    installBlockSource([&source]() -> BlockSource& { return source; });
  }
  ~ScopedBlockSource() { installBlockSource(nullptr); }
  ScopedBlockSource(const ScopedBlockSource&) = delete;
  ScopedBlockSource& operator=(const ScopedBlockSource&) = delete;
};
