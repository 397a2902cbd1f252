// Reads arbitrary bytes back as a panel's 8192-byte memory (cut to that size, or filled up with
// zero bytes) against the example library's drivers, as `decode` does. Every call must give
// one of the decoder's load errors (0, 2, 4, 7, 8, 9), with its rule set (1-4), and never ask
// for a block outside the image; a panel that decodes with 0 must give a room file that reads
// back and checks with 0, and that builds again in the panel's memory format, at the firmware
// the check accepted, without an error in the image's log.
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>

#include "common/block_source.h"
#include "common/device_globals.h"
#include "common/memory_image.h"
#include "fuzz/scratch_folder.h"
#include "panel/panel_settings.h"
#include "wizard/mem_debug_form.h"
#include "wizard/program_startup.h"

namespace {

constexpr int32_t kBlockBytes = memBlockCls::kBlockSize;

// The panel: the blocks of the current input.
class FuzzPanel : public BlockSource {
 public:
  void retrieveBlock(std::string& data, int32_t blocknum, int16_t deviceID, int16_t& errnum) override {
    if (deviceID != 1 || blocknum < 0 || blocknum >= kPanelImageSize / kBlockBytes) std::abort();
    data = image.substr(size_t(blocknum) * kBlockBytes, kBlockBytes);
    errnum = 0;
  }
  std::string image;
};

// A scratch home for the settings store and the written room file, removed at exit; the
// library is the example library of the sources.
class Setup {
 public:
  Setup() {
    setenv("HOME", home_.path().c_str(), 1);
    setenv("XDG_CONFIG_HOME", (home_.path() + "/config").c_str(), 1);
    setenv("XDG_DATA_HOME", (home_.path() + "/data").c_str(), 1);
    programStartup(std::string(ORVELLA_SOURCE_DIR) + "/examples/library");
    installBlockSource([this]() -> BlockSource& { return panel; });
  }
  std::string writeRoom(const std::string& text) const { return home_.write("decoded.room", text); }

  FuzzPanel panel;

 private:
  ScratchFolder home_{"image_decoder_fuzz"};
};

bool isDecodeResult(int16_t result) {
  return result == 0 || result == 2 || result == 4 || result == 7 || result == 8 || result == 9;
}

void checkRoomReadsBackAndBuilds(const Setup& setup, const std::string& text, int16_t version) {
  const std::string roomFile = setup.writeRoom(text);
  PanelSettingsV2 room;
  if (!room.ReadAndParseRoomFile(roomFile)) std::abort();
  int16_t result = -1;
  room.IsDriverValid(result);
  if (result != 0) std::abort();
  const std::shared_ptr<memBlockCls> image =
      room.makeMemoryMap(version, VXCommon::gPanelFwMajor, VXCommon::gPanelFwMinor);
  MemDebugForm::instance().reset();
  if (!image || image->memDebugErrors() != 0) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static Setup setup;
  setup.panel.image.assign(reinterpret_cast<const char*>(data), size < size_t(kPanelImageSize) ? size : kPanelImageSize);
  setup.panel.image.resize(kPanelImageSize, '\0');

  PanelSettingsV2 decoded;
  int16_t version = 0;
  const int16_t result = decoded.decodeMemoryMap(version);
  MemDebugForm::instance().reset();  // the listing would grow with every input
  if (!isDecodeResult(result) || version < 1 || version > 4) std::abort();
  if (result == 0) checkRoomReadsBackAndBuilds(setup, decoded.encodeRoomFile(), version);
  return 0;
}
