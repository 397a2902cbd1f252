#include "cli/panel_source.h"

#include <unistd.h>

#include <cstdio>
#include <map>
#include <set>

#include "comm/comm_access.h"
#include "comm/image_file_source.h"
#include "common/hex_text.h"
#include "common/memory_image.h"
#include "cli/command.h"
#include "platform/visible_text.h"

namespace cli {
namespace {

constexpr int32_t kPanelBlocks = kPanelImageSize / memBlockCls::kBlockSize;

// Passes each fetch on to the serial line, showing which block is being read.
class ProgressSource : public BlockSource {
 public:
  ProgressSource(BlockSource& line, const std::string& device, int32_t blocks)
      : line_(line), device_(platform::visibleText(device)), blocks_(blocks) {}
  ~ProgressSource() override {
    if (fetches_ > 0) std::fputs("\r\x1b[K", stderr);
  }

  void retrieveBlock(std::string& data, int32_t blocknum, int16_t deviceID, int16_t& errnum) override {
    ++fetches_;
    std::string of = blocks_ > 0 ? " of " + std::to_string(blocks_)
                                 : " of at most " + std::to_string(kPanelBlocks);
    std::fprintf(stderr, "\rreading block %d%s from %s\x1b[K", fetches_, of.c_str(), device_.c_str());
    std::fflush(stderr);
    line_.retrieveBlock(data, blocknum, deviceID, errnum);
  }

 private:
  BlockSource& line_;
  std::string device_;
  int32_t blocks_;
  int32_t fetches_ = 0;
};

}  // namespace

std::string unreadBlockMessage(int32_t block, const std::string& source) {
  const int32_t first = block * memBlockCls::kBlockSize;
  std::string message = "cannot read block " + std::to_string(block) + " ($" + VXCommon::hex4Str(first) + "-$" +
                        VXCommon::hex4Str(first + memBlockCls::kBlockSize - 1) + ") from " + source;
  const BlockFetchFailure& failure = frmCommAccess::instance().lastFailure();
  if (failure.failed() && failure.blocknum == block) message += ": " + failure.text();
  return message;
}

int32_t lastUnreadBlock() { return frmCommAccess::instance().lastFailure().blocknum; }

// Passes each fetch on and keeps what it got: the blocks that arrived, and the blocks that
// could not be read, which are not asked for again (each failure costs a round of attempts).
class PanelSource::Remembering : public BlockSource {
 public:
  explicit Remembering(BlockSource& source) : source_(source) {}

  void retrieveBlock(std::string& data, int32_t blocknum, int16_t deviceID, int16_t& errnum) override {
    if (auto kept = blocks_.find(blocknum); kept != blocks_.end()) {
      data = kept->second;
      errnum = 0;
      return;
    }
    if (unreadable_.count(blocknum) != 0) {
      errnum = kBlockFailedEarlier;
      return;
    }
    source_.retrieveBlock(data, blocknum, deviceID, errnum);
    if (errnum == 0 && data.size() >= size_t(memBlockCls::kBlockSize))
      blocks_[blocknum] = data.substr(0, size_t(memBlockCls::kBlockSize));
    else
      unreadable_.insert(blocknum);
  }

 private:
  BlockSource& source_;
  std::map<int32_t, std::string> blocks_;
  std::set<int32_t> unreadable_;
};

std::unique_ptr<PanelSource> PanelSource::open(const std::optional<std::string>& imagePath,
                                               const std::optional<std::string>& portPath,
                                               Progress progress, int& status, std::string& error) {
  if (imagePath) {
    std::unique_ptr<BlockSource> file = ImageFileBlockSource::load(*imagePath, error);
    if (!file) {
      status = kExitNoInput;
      return nullptr;
    }
    BlockSource& source = *file;
    return std::unique_ptr<PanelSource>(new PanelSource(std::move(file), source, true));
  }
  frmCommAccess& line = frmCommAccess::instance();
  if (!line.openSerialDevice(portPath.value_or(""), error)) {
    status = kExitNoInput;  // a port that cannot be opened is an input that cannot be read
    return nullptr;
  }
  if (!progress.shown || !::isatty(STDERR_FILENO))
    return std::unique_ptr<PanelSource>(new PanelSource(nullptr, line, false));
  auto shown = std::make_unique<ProgressSource>(line, *portPath, progress.blocks);
  BlockSource& source = *shown;
  return std::unique_ptr<PanelSource>(new PanelSource(std::move(shown), source, false));
}

PanelSource::PanelSource(std::unique_ptr<BlockSource> owned, BlockSource& source, bool imageFile)
    : owned_(std::move(owned)), remembering_(std::make_unique<Remembering>(source)), imageFile_(imageFile) {
  installBlockSource([this]() -> BlockSource& { return *remembering_; });
}

std::optional<std::string> PanelSource::block(int32_t n) {
  std::string data;
  int16_t errnum = 1;
  remembering_->retrieveBlock(data, n, devicePanel, errnum);
  if (errnum != 0 || data.size() < size_t(memBlockCls::kBlockSize)) return std::nullopt;
  return data.substr(0, size_t(memBlockCls::kBlockSize));
}

PanelSource::~PanelSource() {
  installBlockSource(nullptr);
  owned_.reset();
  frmCommAccess::instance().closePort();
}

}  // namespace cli
