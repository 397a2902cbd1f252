#include "platform/directory_listing.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "platform/service_slot.h"
#include "platform/wildcard.h"

namespace platform {
namespace {

ServiceSlot<DirectoryLister, PosixDirectoryLister>& slot() {
  static ServiceSlot<DirectoryLister, PosixDirectoryLister> s;
  return s;
}

DirListing failure(int err) {
  DirListing result;
  if (err == ENOMEDIUM || err == EIO) {
    result.error = kErrDriveNotReady;
    result.description = "Disk not ready";
  } else if (err == ENOENT || err == ENOTDIR) {
    result.error = kErrDeviceUnavailable;
    result.description = "Device unavailable";
  } else {
    result.error = err;
    result.description = std::strerror(err);
  }
  return result;
}

// Whether an entry of this mode is listed under attrs.
bool listed(mode_t mode, DirAttr attrs) {
  return S_ISREG(mode) || (S_ISDIR(mode) && attrs == DirAttr::WithFolders);
}

// The folder part exists as a folder: a missing one is told apart from a missing entry.
int folderError(const std::string& folder) {
  struct stat info {};
  if (::stat(folder.c_str(), &info) != 0) return errno;
  return S_ISDIR(info.st_mode) ? 0 : ENOTDIR;
}

}  // namespace

DirListing PosixDirectoryLister::list(const std::string& pattern, DirAttr attrs) {
  size_t slash = pattern.rfind('/');
  std::string folder = slash == std::string::npos ? "." : pattern.substr(0, slash + 1);
  std::string namePattern = slash == std::string::npos ? pattern : pattern.substr(slash + 1);
  if (namePattern.empty()) namePattern = "*.*";

  DirListing result;
  if (!hasWildcard(namePattern)) {
    if (int err = folderError(folder)) return failure(err);
    struct stat info {};
    std::string path = (slash == std::string::npos) ? namePattern : folder + namePattern;
    if (::stat(path.c_str(), &info) != 0) {
      if (errno == ENOENT) return result;
      return failure(errno);
    }
    if (namePattern[0] != '.' && listed(info.st_mode, attrs)) result.names.push_back(namePattern);
    return result;
  }

  DIR* dir = ::opendir(folder.c_str());
  if (dir == nullptr) return failure(errno);
  for (;;) {
    errno = 0;
    const dirent* entry = ::readdir(dir);
    if (entry == nullptr) {
      if (errno != 0) {
        int err = errno;
        ::closedir(dir);
        return failure(err);
      }
      break;
    }
    std::string name = entry->d_name;
    if (name.empty() || name[0] == '.' || !matchesWildcard(name, namePattern)) continue;
    struct stat info {};
    // A dangling link or an entry removed meanwhile is simply not there.
    if (::fstatat(::dirfd(dir), entry->d_name, &info, 0) != 0) continue;
    if (listed(info.st_mode, attrs)) result.names.push_back(std::move(name));
  }
  ::closedir(dir);
  std::sort(result.names.begin(), result.names.end());
  return result;
}

std::function<DirectoryLister&()> installDirectoryLister(std::function<DirectoryLister&()> provider) {
  return slot().install(std::move(provider));
}

DirectoryLister& currentDirectoryLister() { return slot().current(); }

}  // namespace platform
