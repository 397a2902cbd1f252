// orvella-config parse, run as a program: the parse listing on stdout and the exit statuses.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include "tests/fakes/program_runner.h"
#include "tests/fakes/temp_xdg_home.h"

namespace {

TEST(ParseCommand, ListingAndExitStatuses) {
  TempXdgHome folder;
  folder.makeDir("folder.room");
  ::mkfifo((folder.root() + "/fifo.prjdrv").c_str(), 0600);  // no writer: refused, not waited on
  struct {
    const char* name;
    const char* text;  // nullptr: no such file
    int status;
  } cases[] = {
      {"clean.prjdrv", "PROJ-NAME='A'\r\n", 0},        {"warned.prjdrv", "IRCODE['X']=\"R5u\"", 0},
      {"BROKEN.PRJDRV", "PROJ-NAME=A\nVOL-MUTE=5", 2}, {"clean.room", "ROOM-USR-NOTE=\"n\"", 0},
      {"broken.Room", "ROOM-USR-NOTE=n", 1},           {"missing.prj", nullptr, 66},
      {"missing.room", nullptr, 66},                   {"folder.room", nullptr, 66},
      {"fifo.prjdrv", nullptr, 66},
  };
  for (const auto& c : cases) {
    if (c.text) folder.writeFile(c.name, c.text);
    ProgramRun run = runOrvellaConfig({"parse", folder.root() + "/" + c.name});
    EXPECT_EQ(run.status, c.status) << c.name;
    EXPECT_EQ(run.out.empty(), c.text == nullptr) << c.name;
    EXPECT_EQ(run.err.empty(), c.text != nullptr) << c.name;
  }
  EXPECT_EQ(runOrvellaConfig({"parse", folder.root() + "/BROKEN.PRJDRV"}).out,
            "\r\n0001    PROJ-NAME=A\r\n    (E) Expecting a single quoted string\r\n"
            "0002    VOL-MUTE=5\r\n");
  EXPECT_EQ(runOrvellaConfig({"parse"}).status, 64);
}

}  // namespace
