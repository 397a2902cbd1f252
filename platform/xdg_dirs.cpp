#include "platform/xdg_dirs.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>

namespace platform {
namespace {

std::string absoluteEnv(const char* name) {
  const char* value = std::getenv(name);
  if (value == nullptr || value[0] != '/') return "";
  std::string path(value);
  while (path.size() > 1 && path.back() == '/') path.pop_back();
  return path;
}

std::string homeDir() {
  std::string home = absoluteEnv("HOME");
  if (!home.empty()) return home;
  if (const passwd* entry = getpwuid(getuid()); entry != nullptr && entry->pw_dir != nullptr &&
                                                entry->pw_dir[0] == '/')
    return entry->pw_dir;
  return "/tmp";  // no home at all: still a usable absolute place
}

std::string join(const std::string& base, const char* tail) {
  return base == "/" ? std::string("/") + tail : base + "/" + tail;
}

}  // namespace

std::string configHome() {
  std::string dir = absoluteEnv("XDG_CONFIG_HOME");
  return dir.empty() ? join(homeDir(), ".config") : dir;
}

std::string dataHome() {
  std::string dir = absoluteEnv("XDG_DATA_HOME");
  return dir.empty() ? join(homeDir(), ".local/share") : dir;
}

}  // namespace platform
