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

DirListing failure(int err, std::string folder) {
  DirListing result;
  if (err == ENOMEDIUM || err == EIO) {
    result.error = kErrDriveNotReady;
    result.description = "Disk not ready";
  } else if (err == ENOENT) {
    result.error = kErrDeviceUnavailable;
    result.description = "Device unavailable";
  } else {
    result.error = err;
    result.description = std::strerror(err);
    result.folder = std::move(folder);
  }
  return result;
}

// The folder that an error met on `path` (folders ending in "/") is about: for a file or a loop
// of links in a folder's place, the outermost folder of the path that meets the same error;
// for any other error, `fallback`.
std::string folderOfError(const std::string& path, int err, const std::string& fallback) {
  if (err != ENOTDIR && err != ELOOP) return fallback;
  // The "/" of an absolute path's root ends no folder to look at.
  for (size_t slash = path.find('/', 1); slash != std::string::npos; slash = path.find('/', slash + 1)) {
    const std::string prefix = path.substr(0, slash + 1);
    struct stat info {};
    if (::stat(prefix.c_str(), &info) != 0 && errno == err) return prefix;
  }
  return fallback;
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
  const std::string named = slash == std::string::npos ? "./" : folder;  // in an error
  std::string namePattern = slash == std::string::npos ? pattern : pattern.substr(slash + 1);
  if (namePattern.empty()) namePattern = "*.*";

  DirListing result;
  if (!hasWildcard(namePattern)) {
    if (int err = folderError(folder)) return failure(err, folderOfError(named, err, named));
    struct stat info {};
    std::string path = (slash == std::string::npos) ? namePattern : folder + namePattern;
    if (::stat(path.c_str(), &info) != 0) {
      const int err = errno;
      if (err == ENOENT) return result;
      // Asked about as a folder, the entry is the one to name when it loops.
      return failure(err, folderOfError(attrs == DirAttr::WithFolders ? path + "/" : named, err, named));
    }
    if (namePattern[0] != '.' && listed(info.st_mode, attrs)) result.names.push_back(namePattern);
    return result;
  }

  DIR* dir = ::opendir(folder.c_str());
  if (dir == nullptr) {
    const int err = errno;
    return failure(err, folderOfError(named, err, named));
  }
  for (;;) {
    errno = 0;
    const dirent* entry = ::readdir(dir);
    if (entry == nullptr) {
      if (errno != 0) {
        int err = errno;
        ::closedir(dir);
        return failure(err, named);
      }
      break;
    }
    std::string name = entry->d_name;
    if (name.empty() || name[0] == '.' || !matchesWildcard(name, namePattern)) continue;
    struct stat info {};
    if (::fstatat(::dirfd(dir), entry->d_name, &info, 0) != 0) {
      const int err = errno;
      // An entry removed meanwhile is simply not there; a link that leads nowhere or loops is.
      if (::fstatat(::dirfd(dir), entry->d_name, &info, AT_SYMLINK_NOFOLLOW) == 0)
        result.leftOut.push_back({std::move(name), std::strerror(err)});
    } else if (listed(info.st_mode, attrs)) {
      result.names.push_back(std::move(name));
    } else {
      const char* reason = S_ISDIR(info.st_mode) ? "it is a folder" : "it is not a regular file";
      result.leftOut.push_back({std::move(name), reason});
    }
  }
  ::closedir(dir);
  std::sort(result.names.begin(), result.names.end());
  std::sort(result.leftOut.begin(), result.leftOut.end(),
            [](const LeftOutEntry& a, const LeftOutEntry& b) { return a.name < b.name; });
  return result;
}

std::function<DirectoryLister&()> installDirectoryLister(std::function<DirectoryLister&()> provider) {
  return slot().install(std::move(provider));
}

DirectoryLister& currentDirectoryLister() { return slot().current(); }

}  // namespace platform
