// ImageFileBlockSource: serves a panel's 64-byte blocks from a saved 8192-byte image file
// instead of a device, so a memory image can be read from a file exactly as from a panel.
// The whole file is read when the source is made; every block of it is then available.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "common/block_source.h"
#include "common/device_id.h"

class ImageFileBlockSource : public BlockSource {
 public:
  // Reads the image at `path`. On failure (missing, unreadable, not a file of exactly 8192
  // bytes) returns null and sets `error` to one line naming the file and the reason.
  static std::unique_ptr<ImageFileBlockSource> load(const std::string& path, std::string& error);

  explicit ImageFileBlockSource(std::string image) : image_(std::move(image)) {}

  // Any device: the 64 bytes of the block, no checksum; errnum 1 for a block outside the file.
  void retrieveBlock(std::string& data, int32_t blocknum, int16_t deviceID,
                     int16_t& errnum) override;

 private:
  std::string image_;
};
