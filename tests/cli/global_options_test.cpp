// orvella-config's help and option forms: help and version on stdout with exit 0; global
// options before or after the command, as "--option value" or "--option=value" ("--option=" the
// empty value, never the next argument); usage errors (exit 64, one message on stderr naming
// the option); a library folder that does not exist (66, nothing made); --fw sets the firmware
// the checker compares, 1.2 without it.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include "tests/fakes/program_runner.h"
#include "tests/fakes/temp_xdg_home.h"

namespace {

TEST(GlobalOptions, HelpVersionOptionFormsAndUsageErrors) {
  TempXdgHome folder;
  folder.writeFile("fw.prjdrv", "PROJ-FILE-FMT=1\r\nREQUIRES-FW-VERSION=1,3\r\n");
  const std::string driver = folder.root() + "/fw.prjdrv", none = folder.root() + "/none";
  const char* upgrade = "(E) Firmware upgrade required for this driver";
  struct {
    std::vector<std::string> args;
    int status;
    std::string out, err;  // parts of stdout and stderr; an empty err: nothing on stderr
  } cases[] = {
      {{"--help"}, 0, "Usage: orvella-config [OPTIONS] COMMAND", ""},
      {{"-h"}, 0, "--mem MAJ.MIN", ""},
      {{"help"}, 0, "74  a device does not answer", ""},
      {{"--help"}, 0,
       "  3   never given: a room file that      9   the panel's memory is not correct\n"
       "      cannot be read gives 66            10  the driver's format is unrecognized\n",
       ""},
      {{"build", "--help"}, 0, "Usage: orvella-config build [OPTIONS] [FILE]", ""},
      {{"help", "decode"}, 0, "Usage: orvella-config decode [OPTIONS]", ""},
      {{"room", "--help"}, 0,
       "Global options (also after the command):\n"
       "  --library DIR                   the local library for this run, a folder that must exist\n"
       "  --fw MAJ.MIN                    the panel's firmware version (default 1.2, the wizard's demo port)\n"
       "  --mem MAJ.MIN                   the panel's memory format (default 0.0: no checksums expected)\n",
       ""},
      {{"--version"}, 0, "orvella-config 1.0.0\n", ""},
      {{"check", driver}, 5, upgrade, "load error 5"},  // 1.2 without --fw
      {{"check", driver, "--fw", "1.3"}, 2, "Mandatory keyword", "load error 2"},
      {{"--fw=1.2", "check", driver}, 5, upgrade, "load error 5"},
      {{"--fw", "1", "parse", driver}, 64, "", "--fw expects MAJ.MIN, got '1'"},
      {{"parse", driver, "--mem=3.256"}, 64, "", "--mem expects MAJ.MIN, got '3.256'"},
      {{"--speed", "2", "parse", driver}, 64, "", "not expected: --speed 2"},
      {{"--fw"}, 64, "", "--fw: 1 required MAJ.MIN missing"},
      {{"--fw", "1.2"}, 64, "", "a COMMAND is required"},
      {{"frobnicate"}, 64, "", "unknown command 'frobnicate'"},
      {{"parse", ""}, 64, "", "must not be empty"},
      // "--option=" is the empty value, never the argument after it
      {{"--library=", "library"}, 64, "", "orvella-config: --library: must not be empty\n"},
      {{"--fw=", "check", driver}, 64, "", "orvella-config: --fw expects MAJ.MIN, got ''\n"},
      {{"check", "--mem=", driver}, 64, "", "orvella-config: --mem expects MAJ.MIN, got ''\n"},
      {{"dump", "--image", none, "--from=", "--to=5"}, 64, "",
       "orvella-config: --from expects an address from 0 to 8191 (decimal or 0x hex), got ''\n"},
      {{"dump", "--image", none, "--to="}, 64, "", "--to expects an address from 0 to 8191 (decimal or 0x hex), got ''\n"},
      {{"dump", "--image=", none}, 64, "", "orvella-config: --image: must not be empty\n"},
      {{"decode", "--port=", none}, 64, "", "orvella-config: --port: must not be empty\n"},
      {{"build", driver, "--format=", "-o", none}, 64, "",
       "orvella-config: --format: expects the memory format 7, 8 or 9, got ''\n"},
      {{"decode", "--image", none, "--listing=", "-o", none}, 64, "", "orvella-config: --listing: must not be empty\n"},
      {{"--library", none, "library"}, 66, "", "the library folder '" + none + "' does not exist"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.args));
    ProgramRun run = runOrvellaConfig(c.args);
    EXPECT_EQ(run.status, c.status);
    EXPECT_NE(run.out.find(c.out), std::string::npos) << run.out;
    if (c.err.empty()) {
      EXPECT_EQ(run.err, "");
    }
    EXPECT_NE(run.err.find(c.err), std::string::npos) << run.err;
    if (c.status == 64) {
      EXPECT_NE(run.err.find("\nusage: orvella-config"), std::string::npos);
    }
  }
  struct stat info {};
  EXPECT_NE(::stat(none.c_str(), &info), 0);  // nothing made where the library should be
}

}  // namespace
