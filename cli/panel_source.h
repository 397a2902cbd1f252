// The panel a reading command (dump, decode) works on: an 8192-byte image file (--image) or a
// panel on a serial line (--port). While a PanelSource lives it is the memory image's block
// source; when it ends, the source is uninstalled and the serial port closed.
//
// Every block read through the source is kept, so that a command that looks at the panel's bytes
// again (decode's comparison with the image its room builds) reads no block twice. A block that
// could not be read is asked for once as well: a later read of it fails at once, without a
// request, and the memory image does not log its failure again.
//
// While a panel is read over the serial line and stderr is a terminal, one progress line on
// stderr ("reading block n of m from DEVICE") is rewritten in place at each block and wiped
// when the reading ends.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "common/block_source.h"

namespace cli {

// "cannot read block N ($AAAA-$BBBB) from SOURCE", followed by why when the serial line's last
// failed read was of that block (": no answer at each of 4 attempts").
std::string unreadBlockMessage(int32_t block, const std::string& source);

// The block of the serial line's last failed read, or -1 when none failed.
int32_t lastUnreadBlock();

class PanelSource {
 public:
  struct Progress {
    bool shown = true;       // when stderr is a terminal
    int32_t blocks = 0;      // the blocks the command will read; 0: not known beforehand
  };

  // Opens the image file or the serial device (exactly one of the two is given). On failure
  // gives null, with the exit status (66: an image that cannot be read, a port that cannot
  // be opened or set up) and a one-line reason.
  static std::unique_ptr<PanelSource> open(const std::optional<std::string>& imagePath,
                                           const std::optional<std::string>& portPath,
                                           Progress progress, int& status, std::string& error);
  ~PanelSource();
  PanelSource(const PanelSource&) = delete;
  PanelSource& operator=(const PanelSource&) = delete;

  // The 64 bytes of block n (0-based), read now unless it was asked for before; nothing when
  // the block cannot be read.
  std::optional<std::string> block(int32_t n);
  // True for an image file, whose blocks cost nothing to read.
  bool isImageFile() const { return imageFile_; }

 private:
  class Remembering;
  PanelSource(std::unique_ptr<BlockSource> owned, BlockSource& source, bool imageFile);
  std::unique_ptr<BlockSource> owned_;
  std::unique_ptr<Remembering> remembering_;
  bool imageFile_;
};

}  // namespace cli
