// orvella-config's global options: bad versions, unknown options and a missing command are
// usage errors (exit 64, one message on stderr); --fw sets the firmware the checker compares.
#include <gtest/gtest.h>

#include "tests/fakes/program_runner.h"
#include "tests/fakes/temp_xdg_home.h"

namespace {

TEST(GlobalOptions, UsageErrorsAndFirmware) {
  TempXdgHome folder;
  folder.writeFile("fw.prjdrv", "PROJ-FILE-FMT=1\r\nREQUIRES-FW-VERSION=1,3\r\n");
  const std::string driver = folder.root() + "/fw.prjdrv";
  struct {
    std::vector<std::string> args;
    int status;
    const char* message;  // part of stderr
  } cases[] = {
      {{"--fw", "1", "parse", driver}, 64, "--fw expects MAJ.MIN, got '1'"},
      {{"--mem", "3.256", "parse", driver}, 64, "--mem expects MAJ.MIN, got '3.256'"},
      {{"--speed", "2", "parse", driver}, 64, "unknown option '--speed'"},
      {{"--fw"}, 64, "--fw needs a value"},
      {{"--fw", "1.2"}, 64, "usage:"},
      {{"frobnicate"}, 64, "unknown command 'frobnicate'"},
      {{"--fw", "1.2", "parse", driver}, 0, ""},
  };
  for (const auto& c : cases) {
    ProgramRun run = runOrvellaConfig(c.args);
    EXPECT_EQ(run.status, c.status) << c.message;
    EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
  }
  // The checker compares the driver's required firmware with --fw: 5 below it, else the
  // incomplete driver's 2.
  const char* upgrade = "(E) Firmware upgrade required for this driver";
  ProgramRun older = runOrvellaConfig({"--fw", "1.2", "check", driver});
  ProgramRun same = runOrvellaConfig({"--fw", "1.3", "check", driver});
  EXPECT_EQ(older.status, 5);
  EXPECT_NE(older.out.find(upgrade), std::string::npos);
  EXPECT_EQ(same.status, 2);
  EXPECT_EQ(same.out.find(upgrade), std::string::npos);
}

}  // namespace
