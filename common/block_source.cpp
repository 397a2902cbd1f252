#include "common/block_source.h"

namespace {

class NoDevice : public BlockSource {
 public:
  void retrieveBlock(std::string&, int32_t, int16_t, int16_t& errnum) override { errnum = 1; }
};

std::function<BlockSource&()>& provider() {
  static std::function<BlockSource&()> p;
  return p;
}

}  // namespace

void installBlockSource(std::function<BlockSource&()> p) { provider() = std::move(p); }

BlockSource& currentBlockSource() {
  static NoDevice none;
  if (provider()) return provider()();
  return none;
}

BlockSourceOverride::BlockSourceOverride(BlockSource& source) : previous_(provider()) {
  provider() = [&source]() -> BlockSource& { return source; };
}

BlockSourceOverride::~BlockSourceOverride() { provider() = std::move(previous_); }
