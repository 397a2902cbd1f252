#include "panel/language/driver_file_text.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace DriverFileText {

namespace {
const std::string kByteOrderMark = "\xEF\xBB\xBF";
}

bool readFileBytes(const std::string& path, std::string& bytes) {
  bytes.clear();
  // Non-blocking, so that opening a FIFO with no writer does not wait; refused below.
  int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return false;
  struct stat info {};
  if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
    ::close(fd);
    return false;
  }
  char buffer[65536];
  bool ok = true;
  for (;;) {
    ssize_t got = ::read(fd, buffer, sizeof buffer);
    if (got > 0) {
      bytes.append(buffer, size_t(got));
    } else if (got == 0) {
      break;
    } else if (errno != EINTR) {
      ok = false;  // EIO for a failing medium
      break;
    }
  }
  ::close(fd);
  if (!ok) bytes.clear();
  if (bytes.compare(0, kByteOrderMark.size(), kByteOrderMark) == 0) bytes.erase(0, kByteOrderMark.size());
  return ok;
}

std::string numberedLine(int32_t lineNumber, const std::string& lineText) {
  std::string number = std::to_string(lineNumber);
  if (number.size() < 4) number.insert(0, 4 - number.size(), '0');
  return number + "    " + lineText;
}

}  // namespace DriverFileText
