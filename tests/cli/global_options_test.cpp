// orvella-config's help and option forms: help and version on stdout with exit 0; global
// options before or after the command, as "--option value" or "--option=value" ("--option=" the
// empty value, never the next argument); after "--" no option; usage errors (exit 64, one
// message on stderr in the program's own words naming the option as written, the first fault
// of the line first, then the usage line of the command); a library folder that does not exist
// (66, nothing made); --fw sets the firmware the checker compares, 1.2 without it.
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
      {{"build", "--help"}, 0, "(- for stdout, which needs --listing FILE)", ""},
      {{"decode", "-h"}, 0, "(- for stdout, which needs --listing FILE)", ""},
      {{"help", "--help"}, 0, "74  a device does not answer", ""},  // the program's help
      {{"help", "help"}, 0, "--mem MAJ.MIN", ""},
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
      {{"--speed", "2", "parse", driver}, 64, "", "orvella-config: unknown option '--speed'\n"},
      {{"--fw"}, 64, "", "orvella-config: --fw needs a value (MAJ.MIN)\n"},
      {{"--fw", "1.2"}, 64, "", "a COMMAND is required"},
      {{"frobnicate"}, 64, "", "unknown command 'frobnicate'"},
      {{"parse", ""}, 64, "", "orvella-config: FILE expects a file name, got ''\n"},
      // "--option=" is the empty value, never the argument after it
      {{"--library=", "library"}, 64, "", "orvella-config: --library expects a folder, got ''\n"},
      {{"--fw=", "check", driver}, 64, "", "orvella-config: --fw expects MAJ.MIN, got ''\n"},
      {{"check", "--mem=", driver}, 64, "", "orvella-config: --mem expects MAJ.MIN, got ''\n"},
      {{"dump", "--image", none, "--from=", "--to=5"}, 64, "",
       "orvella-config: --from expects an address from 0 to 8191 (decimal or 0x hex), got ''\n"},
      {{"dump", "--image", none, "--to="}, 64, "", "--to expects an address from 0 to 8191 (decimal or 0x hex), got ''\n"},
      {{"dump", "--image="}, 64, "", "orvella-config: --image expects a file name, got ''\n"},
      {{"dump", "--image=", none}, 64, "", "orvella-config: unexpected argument '" + none + "'\n"},
      {{"decode", "--port="}, 64, "", "orvella-config: --port expects a device, got ''\n"},
      {{"build", driver, "--format=", "-o", none}, 64, "",
       "orvella-config: --format expects the memory format 7, 8 or 9, got ''\n"},
      {{"decode", "--image", none, "--listing=", "-o", none}, 64, "",
       "orvella-config: --listing expects a file name, got ''\n"},
      // A flag takes no value, with "=" or without anything after it.
      {{"dump", "--image", none, "--trace="}, 64, "", "orvella-config: --trace takes no value, got '--trace='\n"},
      {{"build", "--defaults=yes", "--format", "9", "-o", none}, 64, "",
       "orvella-config: --defaults takes no value, got '--defaults=yes'\n"},
      {{"--version="}, 64, "", "orvella-config: --version takes no value, got '--version='\n"},
      // After "--" nothing is an option.
      {{"parse", "--", "--fw="}, 66, "", "orvella-config: cannot read '--fw=': No such file or directory\n"},
      {{"parse", driver, "--", "--fw=1.2"}, 64, "", "orvella-config: unexpected argument '--fw=1.2'\n"},
      {{"--", "--fw"}, 64, "", "orvella-config: unknown command '--fw'\n"},
      // Unknown options as written, the first fault first; another command's option.
      {{"--nosuch"}, 64, "", "orvella-config: unknown option '--nosuch'\n"},
      {{"build", driver, "--formt", "9", "-o", none}, 64, "", "orvella-config: unknown option '--formt'\nusage: "},
      {{"check", driver, "--format="}, 64, "",
       "orvella-config: check does not take the option '--format=' (build does)\n"},
      {{"check", driver, "--port", none}, 64, "",
       "orvella-config: check does not take the option '--port' (decode and dump do)\n"},
      {{"--format", "9", "build", driver}, 64, "",
       "orvella-config: '--format' is an option of build, not of the program: give it after the command\n"},
      // A separate word that is one of the program's options is no value; "=" gives it as one.
      {{"build", driver, "--format", "9", "--listing", none, "-o", "--defaults"}, 64, "",
       "orvella-config: -o needs a value (IMAGE), not the option '--defaults' (a file of that name is ./--defaults)\n"},
      {{"--fw", "--library", none, "library"}, 64, "",
       "orvella-config: --fw needs a value (MAJ.MIN), not the option '--library' (give it as --fw=--library)\n"},
      {{"--fw=--library", "library"}, 64, "", "orvella-config: --fw expects MAJ.MIN, got '--library'\n"},
      {{"dump", "--image=--trace"}, 66, "", "orvella-config: cannot read image file '--trace': No such file"},
      {{"--fw", "1.2", "library", "--fw=1.3"}, 64, "", "orvella-config: --fw is given twice\n"},
      {{"check", driver, "extra"}, 64, "", "orvella-config: unexpected argument 'extra'\n"},
      // A command's usage error ends with that command's usage line.
      {{"build", driver, "-o", none}, 64, "",
       "orvella-config: --format is required\nusage: orvella-config build (FILE | --defaults) --format 7|8|9 -o IMAGE "
       "[--listing FILE]  (orvella-config build --help)\n"},
      {{"library", "x"}, 64, "", "\nusage: orvella-config library  (orvella-config library --help)\n"},
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
