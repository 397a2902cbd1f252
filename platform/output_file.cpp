#include "platform/output_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

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

// Writes into a device or FIFO as it stands.
bool writeInPlace(const std::string& path, const std::string& bytes) {
  int fd = ::open(path.c_str(), O_WRONLY | O_NOCTTY | O_CLOEXEC);
  if (fd < 0) return false;
  bool ok = true;
  for (size_t done = 0; ok && done < bytes.size();) {
    ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) ok = false;
    else done += size_t(n);
  }
  int saved = errno;
  if (::close(fd) != 0 && ok) return false;
  errno = saved;
  return ok;
}

}  // namespace

bool writeOutputFile(const std::string& path, const std::string& bytes, std::string& reason) {
  const std::string target = followLinks(path);
  struct stat old {};
  bool exists = ::stat(target.c_str(), &old) == 0;
  errno = 0;
  bool written;
  if (exists && S_ISDIR(old.st_mode)) {
    errno = EISDIR;
    written = false;
  } else if (exists && !S_ISREG(old.st_mode)) {
    written = writeInPlace(target, bytes);
  } else {
    written = replaceFile(target, bytes);
    // The temporary file was created private to the user; the bytes are in place already, so
    // a failure here only leaves them private.
    if (written) ::chmod(target.c_str(), exists ? (old.st_mode & 07777) : newFileMode());
  }
  if (!written) {
    reason = errno != 0 ? std::strerror(errno) : "write failed";
    return false;
  }
  reason.clear();
  return true;
}

}  // namespace platform
