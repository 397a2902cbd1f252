// orvella-config parse, run as a program: the parse listing on stdout and the exit statuses
// of clean files, files with errors, and files that cannot be read.
#include <gtest/gtest.h>

#include <string>

#include "tests/fakes/program_runner.h"
#include "tests/fakes/temp_xdg_home.h"

namespace {

TEST(ParseCommand, PrintsTheListingAndExitsByWhatWasCounted) {
  struct {
    const char* name;
    const char* text;
    int status;
  } cases[] = {
      {"clean.prjdrv", "PROJ-NAME='A'\r\n", 0},
      {"warned.prjdrv", "IRCODE['X']=\"R560u\"\r\n", 0},
      {"broken.prjdrv", "PROJ-NAME=A\r\n", 2},
      {"BROKEN.PRJDRV", "NOT-A-KEY=1\r\n", 2},
      {"clean.room", "ROOM-USR-NOTE=\"n\"\r\n", 0},
      {"broken.room", "ROOM-USR-NOTE=n\r\n", 1},
      {"Broken.ROOM", "ROOM-USR-NOTE=n\r\n", 1},
  };
  for (const auto& c : cases) {
    TempXdgHome folder;
    folder.writeFile(c.name, c.text);
    ProgramRun run = runOrvellaConfig({"parse", folder.root() + "/" + c.name});
    EXPECT_EQ(run.status, c.status) << c.name << "\n" << run.err;
    EXPECT_EQ(run.out.rfind("\r\n0001    ", 0), 0u) << c.name << "\n" << run.out;
    EXPECT_EQ(run.err, "") << c.name;
  }

  TempXdgHome folder;
  folder.writeFile("d.prjdrv", "PROJ-NAME=A\nVOL-MUTE=5");
  ProgramRun run = runOrvellaConfig({"parse", folder.root() + "/d.prjdrv"});
  EXPECT_EQ(run.out,
            "\r\n"
            "0001    PROJ-NAME=A\r\n"
            "    (E) Expecting a single quoted string\r\n"
            "0002    VOL-MUTE=5\r\n");
}

TEST(ParseCommand, UnreadableFilesAndUsage) {
  TempXdgHome folder;
  folder.makeDir("rooms.room");
  struct {
    std::string argument;
    int status;
  } cases[] = {
      {folder.root() + "/missing.prjdrv", 66},
      {folder.root() + "/missing.prj", 66},
      {folder.root() + "/missing.room", 66},
      {folder.root() + "/rooms.room", 66},
  };
  for (const auto& c : cases) {
    ProgramRun run = runOrvellaConfig({"parse", c.argument});
    EXPECT_EQ(run.status, c.status) << c.argument;
    EXPECT_EQ(run.out, "") << c.argument;
    EXPECT_NE(run.err.find(c.argument), std::string::npos) << run.err;
  }
  EXPECT_EQ(runOrvellaConfig({"parse"}).status, 64);
  EXPECT_EQ(runOrvellaConfig({"parse", "a.prjdrv", "b.prjdrv"}).status, 64);
}

}  // namespace
