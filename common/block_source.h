// BlockSource: where a reading memory image gets the 64-byte blocks it has not seen yet.
//
// The device communication window implements it over the serial line; the program can serve
// blocks from an image file and tests from a fake. The image resolves the source on its first
// fetch, so a device window is created only when a block is first needed.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

class BlockSource {
 public:
  virtual ~BlockSource() = default;
  // Reads block `blocknum` (address div 64) of device `deviceID`. On success errnum is 0 and
  // data holds the reply, whose first 64 characters are the block's bytes (a checksum byte may
  // follow); on failure errnum is non-zero and data is left unchanged.
  virtual void retrieveBlock(std::string& data, int32_t blocknum, int16_t deviceID,
                             int16_t& errnum) = 0;
};

// The errnum of a source that did not ask the device: the block failed earlier in this run and
// that failure was passed back then (a source that remembers failures gives it).
inline constexpr int16_t kBlockFailedEarlier = 2;

// Installs the provider of the source; the provider runs at each fetch and returns the one
// source (creating it on first use). Without a provider every fetch fails with errnum 1.
void installBlockSource(std::function<BlockSource&()> provider);
BlockSource& currentBlockSource();

// Serves every fetch from `source` while it lives, then gives the program back the provider it
// had (an image read in memory beside the panel the command reads).
class BlockSourceOverride {
 public:
  explicit BlockSourceOverride(BlockSource& source);
  ~BlockSourceOverride();
  BlockSourceOverride(const BlockSourceOverride&) = delete;
  BlockSourceOverride& operator=(const BlockSourceOverride&) = delete;

 private:
  std::function<BlockSource&()> previous_;
};
