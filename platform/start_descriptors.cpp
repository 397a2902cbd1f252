#include "platform/start_descriptors.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <optional>
#include <set>
#include <string>

namespace platform {

namespace {

std::optional<std::set<int>> openedBeforeStart;

bool isOpen(int fd) { return ::fcntl(fd, F_GETFD) != -1; }

// The descriptors open now: the process's descriptor folder lists them; without it, every
// number up to the limit is asked.
std::set<int> openDescriptors() {
  std::set<int> open;
  if (DIR* folder = ::opendir("/proc/self/fd")) {
    const int own = ::dirfd(folder);
    while (const dirent* entry = ::readdir(folder)) {
      char* end = nullptr;
      const long fd = std::strtol(entry->d_name, &end, 10);
      if (end != entry->d_name && *end == '\0' && fd != own) open.insert(int(fd));
    }
    ::closedir(folder);
    return open;
  }
  rlimit limit{};
  const long highest = ::getrlimit(RLIMIT_NOFILE, &limit) == 0 ? long(std::min<rlim_t>(limit.rlim_cur, 65536)) : 1024;
  for (int fd = 0; fd < highest; ++fd)
    if (isOpen(fd)) open.insert(fd);
  return open;
}

}  // namespace

void holdDescriptorsAtStart() {
  openedBeforeStart = openDescriptors();
  for (int fd = STDIN_FILENO; fd <= STDERR_FILENO; ++fd) {
    if (openedBeforeStart->count(fd) != 0) continue;
    // The lowest free number is this one: the lower ones are open or held already.
    const int null = ::open("/dev/null", O_RDWR);
    if (null >= 0 && null != fd) {
      ::dup2(null, fd);
      ::close(null);
    }
  }
}

bool openAtStart(int fd) {
  return openedBeforeStart ? openedBeforeStart->count(fd) != 0 : isOpen(fd);
}

}  // namespace platform
