#include "panel/driver_file_text.h"

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace DriverFileText {

bool readFileBytes(const std::string& path, std::string& bytes) {
  bytes.clear();
  int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return false;
  char buffer[65536];
  bool ok = true;
  for (;;) {
    ssize_t got = ::read(fd, buffer, sizeof buffer);
    if (got > 0) {
      bytes.append(buffer, size_t(got));
    } else if (got == 0) {
      break;
    } else if (errno != EINTR) {
      ok = false;  // EISDIR for a folder, EIO for a failing medium
      break;
    }
  }
  ::close(fd);
  if (!ok) bytes.clear();
  return ok;
}

std::string numberedLine(int32_t lineNumber, const std::string& lineText) {
  std::string number = std::to_string(lineNumber);
  if (number.size() < 4) number.insert(0, 4 - number.size(), '0');
  return number + "    " + lineText;
}

}  // namespace DriverFileText
