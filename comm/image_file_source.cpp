#include "comm/image_file_source.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <sys/stat.h>

namespace {
constexpr int32_t kBlockBytes = 64;

std::string cannotRead(const std::string& path, const std::string& reason) {
  return "cannot read image file '" + path + "': " + reason;
}
}  // namespace

std::unique_ptr<ImageFileBlockSource> ImageFileBlockSource::load(const std::string& path,
                                                                 std::string& error) {
  struct stat info {};
  if (stat(path.c_str(), &info) != 0) {
    error = cannotRead(path, std::strerror(errno));
    return nullptr;
  }
  if (!S_ISREG(info.st_mode)) {
    error = cannotRead(path, "not a regular file");
    return nullptr;
  }
  if (info.st_size != kPanelImageSize) {
    error = "image file '" + path + "' holds " + std::to_string(info.st_size) +
            " bytes; a panel image holds " + std::to_string(kPanelImageSize);
    return nullptr;
  }
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    error = cannotRead(path, std::strerror(errno));
    return nullptr;
  }
  std::string image(kPanelImageSize, '\0');
  if (!in.read(image.data(), kPanelImageSize) || in.peek() != std::ifstream::traits_type::eof()) {
    error = cannotRead(path, "it changed while being read");
    return nullptr;
  }
  return std::make_unique<ImageFileBlockSource>(std::move(image));
}

void ImageFileBlockSource::retrieveBlock(std::string& data, int32_t blocknum, int16_t,
                                         int16_t& errnum) {
  if (blocknum < 0 || int64_t(blocknum + 1) * kBlockBytes > int64_t(image_.size())) {
    errnum = 1;
    return;
  }
  data = image_.substr(size_t(blocknum) * kBlockBytes, kBlockBytes);
  errnum = 0;
}
