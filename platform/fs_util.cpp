#include "platform/fs_util.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace platform {

std::string folderOf(const std::string& path) {
  const size_t slash = path.rfind('/');
  return slash == std::string::npos ? "." : path.substr(0, slash + 1);
}

std::string nameOf(const std::string& path) { return path.substr(path.rfind('/') + 1); }

std::optional<std::string> readWholeFile(const std::string& path) {
  int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return std::nullopt;
  std::string bytes;
  char buffer[8192];
  for (;;) {
    ssize_t n = ::read(fd, buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      ::close(fd);
      return std::nullopt;
    }
    if (n == 0) break;
    bytes.append(buffer, size_t(n));
  }
  ::close(fd);
  return bytes;
}

bool writeAll(int fd, const std::string& bytes) {
  for (size_t done = 0; done < bytes.size();) {
    ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return false;
    if (n == 0) {
      errno = EIO;
      return false;
    }
    done += size_t(n);
  }
  return true;
}

namespace {

// A refusal leaves the file as the user's, still written: the bytes matter more than who owns
// them. The owner goes first, since a change of owner clears the set-ID bits of the mode.
void giveOwnerAndMode(int fd, const std::optional<mode_t>& mode, const std::optional<FileOwner>& owner) {
  if (owner && ::fchown(fd, owner->uid, owner->gid) != 0) (void)::fchown(fd, uid_t(-1), owner->gid);
  if (mode) (void)::fchmod(fd, *mode);
}

}  // namespace

bool replaceFile(const std::string& path, const std::string& bytes, std::optional<mode_t> mode,
                 std::optional<FileOwner> owner) {
  TemporaryFile temporary(path);
  return fillTemporaryFile(temporary, bytes, mode, owner) && temporary.renameTo(path);
}

bool fillTemporaryFile(TemporaryFile& temporary, const std::string& bytes, std::optional<mode_t> mode,
                       std::optional<FileOwner> owner) {
  if (!temporary.valid()) return false;
  bool ok = writeAll(temporary.fd(), bytes);
  if (ok) giveOwnerAndMode(temporary.fd(), mode, owner);
  if (ok && ::fsync(temporary.fd()) != 0) ok = false;
  const int error = errno;
  if (!temporary.close()) return false;
  errno = error;
  return ok;
}

bool makeDirs(const std::string& dir) {
  struct stat info {};
  if (dir.empty()) return false;
  if (::stat(dir.c_str(), &info) == 0) return S_ISDIR(info.st_mode);
  size_t slash = dir.find_last_of('/', dir.size() > 1 ? dir.size() - 2 : 0);
  if (slash != std::string::npos && slash > 0) {
    if (!makeDirs(dir.substr(0, slash))) return false;
  }
  if (::mkdir(dir.c_str(), 0777) == 0 || errno == EEXIST) {
    return ::stat(dir.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
  }
  return false;
}

}  // namespace platform
