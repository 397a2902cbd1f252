#include "platform/output_file.h"

#include <fcntl.h>
#include <limits.h>
#include <linux/capability.h>
#include <stdlib.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <memory>
#include <vector>

#include "platform/start_descriptors.h"

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

// Where an output name leads: the descriptor it stands for, or the name its links end at
// (nothing for a loop).
struct Destination {
  std::optional<int> descriptor;
  std::optional<std::string> path;
};

Destination destinationOf(const std::string& path) {
  std::string current = path;
  for (int hop = 0;; ++hop) {
    // Checked before the link is read: the descriptor folder's entries are links to whatever
    // the descriptor is open on, often no file at all ("pipe:[4711]").
    if (std::optional<int> descriptor = ownDescriptorNamed(current)) return {descriptor, std::nullopt};
    std::optional<std::string> next = linkTarget(current);
    if (!next) return {std::nullopt, current};
    if (hop == kMaxLinks) return {};
    current = *next;
  }
}

std::optional<dev_t> nullDeviceNumber() {
  static const std::optional<dev_t> number = []() -> std::optional<dev_t> {
    struct stat null {};
    if (::stat("/dev/null", &null) != 0 || !S_ISCHR(null.st_mode)) return std::nullopt;
    return null.st_rdev;
  }();
  return number;
}

bool hasFileOwnerCapability() {
  __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
  __user_cap_data_struct data[_LINUX_CAPABILITY_U32S_3] = {};
  if (::syscall(SYS_capget, &header, data) != 0) return ::geteuid() == 0;
  return (data[CAP_TO_INDEX(CAP_FOWNER)].effective & CAP_TO_MASK(CAP_FOWNER)) != 0;
}

// Whether the user may rename a file over `file` in `folder`: in a folder with the sticky bit
// only the file's owner, the folder's owner, or one with the file-owner capability may.
bool mayRenameOver(const struct stat& folder, const struct stat& file) {
  if ((folder.st_mode & S_ISVTX) == 0) return true;
  const uid_t user = ::geteuid();
  return user == file.st_uid || user == folder.st_uid || hasFileOwnerCapability();
}

// Closes a descriptor opened here; false (errno saying why) when the close reports an error.
bool closeOwned(int& fd) {
  if (fd < 0) return true;
  const int closing = fd;
  fd = -1;
  return ::close(closing) == 0;
}

}  // namespace

FileIdentity identityOf(const struct stat& info) {
  using Kind = FileIdentity::Kind;
  if (S_ISCHR(info.st_mode) && info.st_rdev == nullDeviceNumber()) return {Kind::nullDevice, 0, 0, ""};
  if (S_ISCHR(info.st_mode) || S_ISBLK(info.st_mode)) return {Kind::device, info.st_rdev, 0, ""};
  if (S_ISFIFO(info.st_mode) || S_ISSOCK(info.st_mode)) return {Kind::stream, info.st_dev, info.st_ino, ""};
  return {Kind::file, info.st_dev, info.st_ino, ""};
}

FileIdentity identityOfPath(const std::string& path) {
  struct stat info {};
  return ::stat(path.c_str(), &info) == 0 ? identityOf(info) : FileIdentity{};
}

bool sameFile(const FileIdentity& a, const FileIdentity& b) {
  using Kind = FileIdentity::Kind;
  if (a.kind != b.kind || a.kind == Kind::unknown || a.kind == Kind::nullDevice) return false;
  return a.device == b.device && a.inode == b.inode && a.name == b.name;
}

OutputFile::OutputFile(int fd) { prepareDescriptor(fd); }

OutputFile::OutputFile(const std::string& path) { prepareNamed(path); }

void OutputFile::prepareNamed(const std::string& path) {
  const Destination destination = destinationOf(path);
  if (destination.descriptor) return prepareDescriptor(*destination.descriptor);
  if (!destination.path) return refuse(ELOOP);
  target_ = *destination.path;
  struct stat info {};
  if (::stat(target_.c_str(), &info) != 0) {
    if (errno != ENOENT) return refuse(errno);
    return prepareReplacing(target_, nullptr);
  }
  if (S_ISDIR(info.st_mode)) return refuse(EISDIR);
  if (S_ISREG(info.st_mode)) return prepareReplacing(target_, &info);
  identity_ = identityOf(info);
  if (S_ISFIFO(info.st_mode)) {
    waiting_ = true;
    return;
  }
  // Opened without waiting (a serial line waits for its carrier otherwise), then written waiting.
  fd_ = ::open(target_.c_str(), O_WRONLY | O_NOCTTY | O_CLOEXEC | O_NONBLOCK);
  if (fd_ < 0) return refuse(errno);
  const int flags = ::fcntl(fd_, F_GETFL);
  if (flags >= 0) ::fcntl(fd_, F_SETFL, flags & ~O_NONBLOCK);
  if (::fstat(fd_, &info) == 0) identity_ = identityOf(info);
}

OutputFile::~OutputFile() {
  if (!borrowed_) closeOwned(fd_);
}

void OutputFile::refuse(int error) {
  refusal_ = error;  // the identity stays, for the checks that come first (an output that is an input)
  temporary_.reset();
  if (!borrowed_) closeOwned(fd_);  // a descriptor of the program's stays named, never written
}

void OutputFile::prepareDescriptor(int fd) {
  fd_ = fd;
  borrowed_ = true;
  struct stat info {};
  if (!openAtStart(fd)) return refuse(EBADF);
  if (::fstat(fd, &info) != 0) return refuse(errno);
  identity_ = identityOf(info);
  const int flags = ::fcntl(fd, F_GETFL);
  if (flags < 0 || (flags & O_PATH) != 0 || (flags & O_ACCMODE) == O_RDONLY) return refuse(EBADF);
}

void OutputFile::prepareReplacing(const std::string& target, const struct stat* existing) {
  if (existing) identity_ = identityOf(*existing);
  const std::string folder = folderOf(target);
  struct stat folderInfo {};
  if (::stat(folder.c_str(), &folderInfo) != 0) return refuse(errno);
  if (existing) {
    // Opening for writing without truncating changes nothing, and asks the system itself
    // (owner, mode, access lists, read-only mounts, immutable files).
    const int fd = ::open(target.c_str(), O_WRONLY | O_NOCTTY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) return refuse(errno);
    ::close(fd);
    if (!mayRenameOver(folderInfo, *existing)) return refuse(EPERM);
    mode_ = existing->st_mode & 07777;
    owner_ = FileOwner{existing->st_uid, existing->st_gid};
  } else {
    identity_ = {FileIdentity::Kind::newFile, folderInfo.st_dev, folderInfo.st_ino, nameOf(target)};
    mode_ = newFileMode();
  }
  replacing_ = true;
  temporary_.emplace(target);
  if (!temporary_->valid()) return refuse(errno);
}

bool OutputFile::isTerminal() const { return refusal_ == 0 && fd_ >= 0 && ::isatty(fd_) == 1; }

bool OutputFile::openWaiting() {
  if (!waiting_ || refusal_ != 0) return refusal_ == 0;
  waiting_ = false;
  fd_ = ::open(target_.c_str(), O_WRONLY | O_NOCTTY | O_CLOEXEC);
  if (fd_ < 0) {
    refuse(errno);
    return false;
  }
  struct stat info {};
  if (::fstat(fd_, &info) == 0) identity_ = identityOf(info);
  return true;
}

bool OutputFile::write(const std::string& bytes, std::string& reason, const TerminalForm& onTerminal) {
  errno = refusal_;
  bool written = false;
  if (refusal_ == 0 && temporary_) {
    written = filled_ = fillTemporaryFile(*temporary_, bytes, mode_, owner_);
    if (!written) temporary_.reset();  // removed now, the old file untouched
  } else if (refusal_ == 0 && openWaiting() && fd_ >= 0) {
    written = writeAll(fd_, onTerminal && isTerminal() ? onTerminal(bytes) : bytes);
    const int error = errno;
    // A device or FIFO opened here is closed once written: its reader sees the end.
    if (!borrowed_ && !closeOwned(fd_) && written) written = false;
    else errno = error;
  }
  if (written) {
    reason.clear();
    return true;
  }
  reason = errno != 0 ? std::strerror(errno) : "write failed";
  return false;
}

bool OutputFile::putInPlace(std::string& reason) {
  if (refusal_ == 0 && !replacing_) return true;
  if (refusal_ != 0 || !filled_ || !temporary_) {
    reason = refusal_ != 0 ? std::strerror(refusal_) : "nothing was written";
    return false;
  }
  const bool renamed = temporary_->renameTo(target_);
  if (!renamed) reason = std::strerror(errno);
  temporary_.reset();  // removed, unless renamed
  filled_ = false;
  return renamed;
}

bool writeOutputFile(const std::string& path, const std::string& bytes, std::string& reason,
                     const TerminalForm& onTerminal) {
  OutputFile output(path);
  return output.write(bytes, reason, onTerminal) && output.putInPlace(reason);
}

}  // namespace platform
