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

TEST(DesktopShellOpener, PassesThePathAsOneArgumentWithoutAShell) {
  // A stand-in "xdg-open" first on PATH writes its argument count and arguments.
  TempXdgHome home;
  home.writeFile("bin/xdg-open",
                 "#!/bin/sh\nprintf '%s|' \"$#\" \"$@\" > \"$0.out.tmp\"\nmv \"$0.out.tmp\" \"$0.out\"\n");
  ::chmod((home.root() + "/bin/xdg-open").c_str(), 0755);
  const std::string oldPath = std::getenv("PATH") ? std::getenv("PATH") : "";
  ::setenv("PATH", (home.root() + "/bin:" + oldPath).c_str(), 1);
  // What the opener was given, waiting for it to run; "" when it never ran.
  auto received = [out = home.root() + "/bin/xdg-open.out"] {
    for (int i = 0; i < 500; ++i, std::this_thread::sleep_for(std::chrono::milliseconds(10))) {
      if (auto bytes = platform::readWholeFile(out)) {
        ::unlink(out.c_str());
        return *bytes;
      }
    }
    return std::string();
  };

  platform::DesktopShellOpener opener;
  std::pair<std::string, std::string> cases[] = {
      {"/lib/Acme PX-100 (Rev A).pdf", "1|/lib/Acme PX-100 (Rev A).pdf|"},
      {"http://example.invalid/a?b=1&c=$(id)", "1|http://example.invalid/a?b=1&c=$(id)|"},
      {"a'b\"c;d`e", "1|a'b\"c;d`e|"},
      {"-rf note.pdf", "1|./-rf note.pdf|"},
  };
  for (const auto& [path, expected] : cases) {
    opener.open(path);
    EXPECT_EQ(received(), expected) << path;
  }
  opener.openHelp("/lib/appfiles/HE010002.chm", 42);
  EXPECT_EQ(received(), "1|/lib/appfiles/HE010002.chm|");
  ::setenv("PATH", oldPath.c_str(), 1);
}

}  // namespace
