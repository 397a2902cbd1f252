#include "wizard/cli/panel_source.h"

#include <cstdio>

#include "comm/comm_access.h"
#include "comm/image_file_source.h"
#include "wizard/cli/command.h"

namespace cli {

std::unique_ptr<PanelSource> PanelSource::open(const std::optional<std::string>& imagePath,
                                               const std::optional<std::string>& portPath,
                                               int& status, std::string& error) {
  if (imagePath) {
    std::unique_ptr<BlockSource> file = ImageFileBlockSource::load(*imagePath, error);
    if (!file) {
      status = kExitNoInput;
      return nullptr;
    }
    BlockSource& source = *file;
    return std::unique_ptr<PanelSource>(new PanelSource(std::move(file), source));
  }
  if (!frmCommAccess::instance().openSerialDevice(portPath.value_or(""), error)) {
    status = kExitDevice;
    return nullptr;
  }
  return std::unique_ptr<PanelSource>(new PanelSource(nullptr, frmCommAccess::instance()));
}

PanelSource::PanelSource(std::unique_ptr<BlockSource> owned, BlockSource& source)
    : owned_(std::move(owned)) {
  installBlockSource([&source]() -> BlockSource& { return source; });
}

PanelSource::~PanelSource() {
  installBlockSource(nullptr);
  frmCommAccess::instance().closePort();
}

int fail(int status, const std::string& message) {
  std::fprintf(stderr, "orvella-config: %s\n", message.c_str());
  return status;
}

}  // namespace cli
