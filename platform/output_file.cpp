#include "platform/output_file.h"

#include <fcntl.h>
#include <limits.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <memory>
#include <optional>
#include <vector>

#include "platform/fs_util.h"

namespace platform {

namespace {

// As many links as the kernel follows before it calls the chain a loop.
constexpr int kMaxLinks = 40;

mode_t newFileMode() {
  mode_t mask = ::umask(0);
  ::umask(mask);
  return 0666 & ~mask;
}

// The descriptor that `path` names when its folder is the program's own descriptor folder.
std::optional<int> ownDescriptorNamed(const std::string& path) {
  const std::string name = nameOf(path);
  if (name.empty() || name.size() > 9 || name.find_first_not_of("0123456789") != std::string::npos)
    return std::nullopt;
  std::unique_ptr<char, decltype(&::free)> real(::realpath(folderOf(path).c_str(), nullptr), &::free);
  static const std::string ownFolder = "/proc/" + std::to_string(::getpid()) + "/fd";
  if (!real || ownFolder != real.get()) return std::nullopt;
  return std::stoi(name);
}

// The target of the link `path`, relative targets taken from the link's folder; nothing when
// `path` is no link.
std::optional<std::string> linkTarget(const std::string& path) {
  struct stat info {};
  if (::lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return std::nullopt;
  std::vector<char> target(size_t(info.st_size > 0 ? info.st_size : PATH_MAX) + 1);
  ssize_t n = ::readlink(path.c_str(), target.data(), target.size());
  if (n <= 0 || size_t(n) >= target.size()) return std::nullopt;  // changed while being read
  const std::string next(target.data(), size_t(n));
  const std::string folder = folderOf(path);
  return next[0] == '/' || folder == "." ? next : folder + next;
}

bool writeToDescriptor(int fd, const std::string& bytes, const TerminalForm& onTerminal) {
  return writeAll(fd, formFor(fd, bytes, onTerminal));
}

// Writes into a device or FIFO as it stands.
bool writeInPlace(const std::string& path, const std::string& bytes, const TerminalForm& onTerminal) {
  int fd = ::open(path.c_str(), O_WRONLY | O_NOCTTY | O_CLOEXEC);
  if (fd < 0) return false;
  bool ok = writeToDescriptor(fd, bytes, onTerminal);
  int saved = errno;
  if (::close(fd) != 0 && ok) return false;
  errno = saved;
  return ok;
}

}  // namespace

std::string folderOf(const std::string& path) {
  const size_t slash = path.rfind('/');
  return slash == std::string::npos ? "." : path.substr(0, slash + 1);
}

std::string nameOf(const std::string& path) { return path.substr(path.rfind('/') + 1); }

int replaceRefusal(const std::string& path) {
  struct stat info {};
  const bool exists = ::stat(path.c_str(), &info) == 0;
  if (exists && !S_ISREG(info.st_mode)) return 0;
  if (exists) {
    // Opening for writing without truncating changes nothing, and asks the system itself
    // (owner, mode, access lists, read-only mounts, immutable files).
    const int fd = ::open(path.c_str(), O_WRONLY | O_NOCTTY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) return errno;
    ::close(fd);
  }
  // The temporary file is made in the same folder and renamed there.
  return ::access(folderOf(path).c_str(), W_OK | X_OK) == 0 ? 0 : errno;
}

std::string formFor(int fd, const std::string& bytes, const TerminalForm& onTerminal) {
  return onTerminal && ::isatty(fd) == 1 ? onTerminal(bytes) : bytes;
}

OutputTarget resolveOutput(const std::string& path) {
  std::string current = path;
  for (int hop = 0;; ++hop) {
    // Checked before the link is read: the descriptor folder's entries are links to whatever
    // the descriptor is open on, often no file at all ("pipe:[4711]").
    if (std::optional<int> descriptor = ownDescriptorNamed(current))
      return {OutputTarget::Kind::descriptor, current, *descriptor};
    std::optional<std::string> next = linkTarget(current);
    if (!next) return {OutputTarget::Kind::file, current, -1};
    if (hop == kMaxLinks) return {OutputTarget::Kind::linkLoop, path, -1};
    current = *next;
  }
}

PendingOutput::PendingOutput(const std::string& path) : target_(resolveOutput(path)) {
  if (target_.kind != OutputTarget::Kind::file) return;
  struct stat old {};
  const bool exists = ::stat(target_.path.c_str(), &old) == 0;
  if ((!exists || S_ISREG(old.st_mode)) && replaceRefusal(target_.path) == 0) temporary_.emplace(target_.path);
}

bool PendingOutput::write(const std::string& bytes, std::string& reason, const TerminalForm& onTerminal) {
  errno = 0;
  bool written;
  if (target_.kind == OutputTarget::Kind::linkLoop) {
    errno = ELOOP;
    written = false;
  } else if (target_.kind == OutputTarget::Kind::descriptor) {
    written = writeToDescriptor(target_.descriptor, bytes, onTerminal);
  } else {
    struct stat old {};
    const bool exists = ::stat(target_.path.c_str(), &old) == 0;
    if (exists && S_ISDIR(old.st_mode)) {
      errno = EISDIR;
      written = false;
    } else if (exists && !S_ISREG(old.st_mode)) {
      written = writeInPlace(target_.path, bytes, onTerminal);
    } else if (const int refusal = replaceRefusal(target_.path); refusal != 0) {
      errno = refusal;
      written = false;
    } else {
      // The temporary file made beforehand, or a new one when it could not be made then.
      if (!temporary_ || !temporary_->valid()) temporary_.emplace(target_.path);
      written = exists ? replaceFile(*temporary_, target_.path, bytes, old.st_mode & 07777,
                                     FileOwner{old.st_uid, old.st_gid})
                       : replaceFile(*temporary_, target_.path, bytes, newFileMode());
    }
  }
  temporary_.reset();
  if (!written) {
    reason = errno != 0 ? std::strerror(errno) : "write failed";
    return false;
  }
  reason.clear();
  return true;
}

bool writeOutputFile(const std::string& path, const std::string& bytes, std::string& reason,
                     const TerminalForm& onTerminal) {
  return PendingOutput(path).write(bytes, reason, onTerminal);
}

}  // namespace platform
