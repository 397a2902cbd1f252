// orvella-config check, run as a program: the listing with the checker's summary on stdout and
// the load error as the exit status, for drivers and room files.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/fakes/program_runner.h"
#include "tests/fakes/temp_xdg_home.h"
#include "tests/panel/checked_driver_text.h"

namespace {

using checked_driver::driverText;

TEST(CheckCommand, ExitsWithTheLoadError) {
  TempXdgHome folder;
  const std::string needs15 = "REQUIRES-FW-VERSION=1,5";
  struct Case {
    const char* name;
    std::string text;
    std::vector<std::string> options;
    int status;
  } cases[] = {
      {"broken.prjdrv", driverText({"VOL-RANGE"}, {}), {}, 2},
      {"current.prjdrv", driverText({}, {needs15}), {"--fw", "1.5"}, 0},
      {"no-panel.prjdrv", driverText({}, {needs15}), {}, 5},
      {"unformatted.prjdrv", driverText({"PROJ-FILE-FMT"}, {}), {}, 10},
      {"clean.room", driverText({}, {}), {}, 0},
      {"broken.ROOM", driverText({"VOL-RANGE"}, {}), {}, 1},
      {"newer.room", driverText({}, {needs15}), {"--fw", "1.4"}, 1},
  };
  for (const Case& c : cases) {
    folder.writeFile(c.name, c.text);
    std::vector<std::string> args = c.options;
    args.insert(args.end(), {"check", folder.root() + "/" + c.name});
    ProgramRun run = runOrvellaConfig(args);
    EXPECT_EQ(run.status, c.status) << c.name << "\n" << run.out;
    EXPECT_EQ(run.out.rfind("\r\n0001    ", 0), 0u) << c.name;
    EXPECT_EQ(run.err, "") << c.name;
  }

  ProgramRun run = runOrvellaConfig({"check", folder.root() + "/missing.prjdrv"});
  EXPECT_EQ(run.status, 66);
  EXPECT_EQ(run.out, "");
  EXPECT_NE(run.err.find("missing.prjdrv"), std::string::npos);
  EXPECT_EQ(runOrvellaConfig({"check"}).status, 64);
  EXPECT_EQ(runOrvellaConfig({"check", "a.prjdrv", "b.prjdrv"}).status, 64);
}

}  // namespace
