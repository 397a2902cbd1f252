#include "platform/shell_opener.h"

#include <spawn.h>
#include <sys/wait.h>

#include <algorithm>

#include "platform/service_slot.h"

extern char** environ;

namespace platform {
namespace {

ServiceSlot<ShellOpener, DesktopShellOpener>& slot() {
  static ServiceSlot<ShellOpener, DesktopShellOpener> s;
  return s;
}

}  // namespace

void DesktopShellOpener::open(const std::string& path) {
  started_.erase(std::remove_if(started_.begin(), started_.end(),
                                [](pid_t pid) { return ::waitpid(pid, nullptr, WNOHANG) != 0; }),
                 started_.end());
  if (path.empty()) return;
  // A relative name starting with "-" would read as an option of the opener.
  std::string argument = path[0] == '-' ? "./" + path : path;
  std::string program = "xdg-open";
  char* argv[] = {program.data(), argument.data(), nullptr};
  pid_t pid = 0;
  if (::posix_spawnp(&pid, program.c_str(), nullptr, nullptr, argv, environ) == 0)
    started_.push_back(pid);
}

void DesktopShellOpener::openHelp(const std::string& helpFile, int32_t) { open(helpFile); }

std::function<ShellOpener&()> installShellOpener(std::function<ShellOpener&()> provider) {
  return slot().install(std::move(provider));
}

ShellOpener& currentShellOpener() { return slot().current(); }

}  // namespace platform
