#include "tests/fakes/fake_block_source.h"

namespace {
constexpr size_t kBlockSize = 64;
}

void FakeBlockSource::setBlock(int32_t blocknum, std::string reply) {
  blocks_[blocknum] = std::move(reply);
}

void FakeBlockSource::setImage(const std::string& image) {
  for (size_t first = 0; first < image.size(); first += kBlockSize) {
    std::string block = image.substr(first, kBlockSize);
    block.resize(kBlockSize, '\0');
    blocks_[int32_t(first / kBlockSize)] = std::move(block);
  }
}

void FakeBlockSource::failBlock(int32_t blocknum, bool fails) {
  if (fails) failing_.insert(blocknum);
  else failing_.erase(blocknum);
}

int FakeBlockSource::callsFor(int32_t blocknum) const {
  int n = 0;
  for (const auto& call : calls_) n += call.blocknum == blocknum ? 1 : 0;
  return n;
}

std::vector<int32_t> FakeBlockSource::requestedBlocks() const {
  std::vector<int32_t> blocks;
  for (const auto& call : calls_) blocks.push_back(call.blocknum);
  return blocks;
}

void FakeBlockSource::retrieveBlock(std::string& data, int32_t blocknum, int16_t deviceID,
                                    int16_t& errnum) {
  calls_.push_back(Call{blocknum, deviceID});
  auto found = blocks_.find(blocknum);
  if (failing_.count(blocknum) != 0 || (found == blocks_.end() && failUnknown_)) {
    errnum = 1;
    return;
  }
  errnum = 0;
  data = found != blocks_.end() ? found->second : std::string(kBlockSize, '\0');
}

ScopedBlockSource::ScopedBlockSource(BlockSource& source) {
  installBlockSource([&source]() -> BlockSource& { return source; });
}

ScopedBlockSource::~ScopedBlockSource() { installBlockSource(nullptr); }
