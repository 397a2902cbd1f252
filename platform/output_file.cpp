#include "platform/output_file.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstring>

#include "platform/fs_util.h"

namespace platform {

namespace {

mode_t newFileMode() {
  mode_t mask = ::umask(0);
  ::umask(mask);
  return 0666 & ~mask;
}

}  // namespace

bool writeOutputFile(const std::string& path, const std::string& bytes, std::string& reason) {
  struct stat old {};
  bool replacing = ::stat(path.c_str(), &old) == 0 && S_ISREG(old.st_mode);
  mode_t mode = replacing ? (old.st_mode & 07777) : newFileMode();

  errno = 0;
  if (!replaceFile(path, bytes)) {
    reason = errno != 0 ? std::strerror(errno) : "write failed";
    return false;
  }
  // The temporary file was created private to the user; the bytes are in place already, so a
  // failure here only leaves them private.
  ::chmod(path.c_str(), mode);
  reason.clear();
  return true;
}

}  // namespace platform
