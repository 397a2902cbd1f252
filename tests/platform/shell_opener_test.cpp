#include "platform/shell_opener.h"

#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <thread>

#include "platform/fs_util.h"
#include "tests/fakes/temp_xdg_home.h"

namespace {

// Puts a stand-in "xdg-open" first on PATH that writes its argument count and arguments.
class FakeDesktop {
 public:
  FakeDesktop() {
    home_.writeFile("bin/xdg-open", "#!/bin/sh\nprintf '%s|' \"$#\" \"$@\" > \"$0.out.tmp\"\nmv \"$0.out.tmp\" \"$0.out\"\n");
    ::chmod((home_.root() + "/bin/xdg-open").c_str(), 0755);
    const char* old = std::getenv("PATH");
    oldPath_ = old ? old : "";
    ::setenv("PATH", (home_.root() + "/bin:" + oldPath_).c_str(), 1);
  }
  ~FakeDesktop() { ::setenv("PATH", oldPath_.c_str(), 1); }
  // What the opener was given, waiting for it to run; "" when it never ran.
  std::string received() {
    std::string out = home_.root() + "/bin/xdg-open.out";
    for (int i = 0; i < 500; ++i) {
      if (auto bytes = platform::readWholeFile(out)) {
        ::unlink(out.c_str());
        return *bytes;
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return "";
  }

 private:
  TempXdgHome home_;
  std::string oldPath_;
};

TEST(DesktopShellOpener, PassesThePathAsOneArgumentWithoutAShell) {
  FakeDesktop desktop;
  platform::DesktopShellOpener opener;
  struct Case {
    std::string path;
    std::string received;
  } cases[] = {
      {"/lib/Acme PX-100 (Rev A).pdf", "1|/lib/Acme PX-100 (Rev A).pdf|"},
      {"http://example.invalid/a?b=1&c=$(id)", "1|http://example.invalid/a?b=1&c=$(id)|"},
      {"a'b\"c;d`e", "1|a'b\"c;d`e|"},
      {"-rf note.pdf", "1|./-rf note.pdf|"},
  };
  for (const Case& c : cases) {
    opener.open(c.path);
    EXPECT_EQ(desktop.received(), c.received) << c.path;
  }
  opener.openHelp("/lib/appfiles/HE010002.chm", 42);
  EXPECT_EQ(desktop.received(), "1|/lib/appfiles/HE010002.chm|");
}

}  // namespace
