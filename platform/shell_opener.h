// ShellOpener: hands a document, a web address or the help file to the desktop, which opens it
// with its associated application.
//
// The real opener starts "xdg-open" (found on PATH) with posix_spawn, the path as its one
// argument and never through a shell; it does not wait for the application. Failures are not
// reported: the callers ignore them. The help viewer has no topic argument on this desktop,
// so the real opener opens the help file itself whatever the topic.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <sys/types.h>
#include <vector>

namespace platform {

class ShellOpener {
 public:
  virtual ~ShellOpener() = default;
  virtual void open(const std::string& path) = 0;
  // contextId 0 is the file's default topic.
  virtual void openHelp(const std::string& helpFile, int32_t contextId) = 0;
};

class DesktopShellOpener : public ShellOpener {
 public:
  void open(const std::string& path) override;
  void openHelp(const std::string& helpFile, int32_t contextId) override;

 private:
  std::vector<pid_t> started_;  // reaped when they have ended, at the next call
};

// Returns the provider it replaces. An empty provider restores the desktop opener.
std::function<ShellOpener&()> installShellOpener(std::function<ShellOpener&()> provider);
ShellOpener& currentShellOpener();

}  // namespace platform
