// orvella-config check, run as a program: the listing with the checker's summary on stdout and
// the load error as the exit status, for drivers and room files; a failure also on stderr, its
// load-error line and then its error lines (with the line they belong to, when they have one).
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/fs_util.h"
#include "tests/fakes/program_runner.h"
#include "tests/fakes/temp_xdg_home.h"
#include "tests/panel/checked_driver_text.h"

namespace {

using checked_driver::driverText;

TEST(CheckCommand, ExitsWithTheLoadError) {
  TempXdgHome folder;
  const std::string needs15 = "REQUIRES-FW-VERSION=1,5", upgrade = "Firmware upgrade required for this driver";
  const std::string named = "PROJ-DRIVER-NAME='Test PJ.prjdrv'";  // a room file names its driver
  const std::string outOfRange = driverText({"VOL-MUTE"}, {"VOL-MUTE=300"});
  const std::string lastLine = std::to_string(std::count(outOfRange.begin(), outOfRange.end(), '\n'));
  struct Case {
    const char* name;
    std::string text;
    std::vector<std::string> options;
    int status;
    std::string problem;  // the first error line on stderr, after "<path>"
    std::string text1;    // the start of the load error's text
  } cases[] = {
      {"broken.prjdrv", driverText({"VOL-RANGE"}, {}), {}, 2,
       ": Mandatory keyword 'VOL-RANGE' was not found.", "Error in parsing the driver file."},
      {"range.prjdrv", outOfRange, {}, 2, ":" + lastLine + ": Expecting a Number between 0 and 255",
       "Error in parsing the driver file."},
      {"current.prjdrv", driverText({}, {needs15}), {"check", "--fw", "1.5"}, 0, "", ""},
      {"no-panel.prjdrv", driverText({}, {needs15}), {}, 5, ": " + upgrade, "This driver requires"},
      {"demo.prjdrv", driverText({}, {"REQUIRES-FW-VERSION=1,2"}), {}, 0, "", ""},
      {"unformatted.prjdrv", driverText({"PROJ-FILE-FMT"}, {}), {}, 10,
       ": Can't find Driver file format statement.  ABORT.", "The driver format is unrecognized."},
      {"clean.room", driverText({}, {named}), {}, 0, "", ""},
      {"broken.ROOM", driverText({"VOL-RANGE"}, {named}), {}, 1,
       ": Mandatory keyword 'VOL-RANGE' was not found.", "Error in parsing the save settings file."},
      {"newer.room", driverText({}, {named, needs15}), {"--fw=1.4"}, 1, ": " + upgrade, "Error in parsing the save"},
  };
  for (const Case& c : cases) {
    folder.writeFile(c.name, c.text);
    const std::string path = folder.root() + "/" + c.name;
    std::vector<std::string> args = c.options;
    if (std::find(args.begin(), args.end(), "check") == args.end()) args.push_back("check");
    args.push_back(path);
    ProgramRun run = runOrvellaConfig(args);
    EXPECT_EQ(run.status, c.status) << c.name << "\n" << run.out;
    EXPECT_EQ(run.out.rfind("\r\n0001    ", 0), 0u) << c.name;
    if (c.status == 0) {
      EXPECT_EQ(run.err, "") << c.name;
      continue;
    }
    const std::string loadError = "orvella-config: " + path + ": load error " + std::to_string(c.status) + ": ";
    EXPECT_EQ(run.err.rfind(loadError + c.text1, 0), 0u) << run.err;
    EXPECT_EQ(run.err.substr(run.err.find('\n') + 1).rfind(path + c.problem + "\n", 0), 0u) << run.err;
  }

  ProgramRun run = runOrvellaConfig({"check", folder.root() + "/missing.prjdrv"});
  EXPECT_EQ(run.status, 66);
  EXPECT_EQ(run.out, "");
  EXPECT_EQ(run.err, "orvella-config: cannot read '" + folder.root() + "/missing.prjdrv': No such file or directory\n");
  EXPECT_EQ(runOrvellaConfig({"check"}).status, 64);
  EXPECT_EQ(runOrvellaConfig({"check", "a.prjdrv", "b.prjdrv"}).status, 64);
}

// A refused serial record of an older-format driver is the one error of its lines: the
// STOP-BITS record after it holds no fault and makes no PROJ-BAUD-RATE, which the driver then
// lacks.
TEST(CheckCommand, ARefusedSerialRecordIsTheOnlyLineInError) {
  TempXdgHome folder;
  const std::optional<std::string> original = platform::readWholeFile(
      std::string(ORVELLA_SOURCE_DIR) + "/examples/library/orvella/drivers/Acme PX-100 (Rev A).prj");
  ASSERT_TRUE(original);
  const size_t at = original->find("BAUD-RATE|2|");
  ASSERT_NE(at, std::string::npos);
  folder.writeFile("px.prj", std::string(*original).replace(at, 12, "BAUD-RATE|10|"));
  const std::string path = folder.root() + "/px.prj";
  ProgramRun run = runOrvellaConfig({"check", path});
  EXPECT_EQ(run.status, 2);
  EXPECT_EQ(run.err, "orvella-config: " + path + ": load error 2: Error in parsing the driver file.  Click here for "
                     "more info.\n" + path + ":4: Record 'BAUD-RATE': 10 is not one of the record's values -2 to 7, "
                     "which stand for its 10 baud rates\n" + path +
                     ": Mandatory keyword 'PROJ-BAUD-RATE' was not found.\n");
}

// stderr holds one "FILE..." line for every error the listing's summary counts, problems (P)
// and errors (E) alike, with or without a line of the file.
TEST(CheckCommand, SaysEveryErrorTheListingCounts) {
  TempXdgHome folder;
  const std::string repeatsX = "IRCODE['A']=\"%01\",REPEATS=x";
  const std::pair<const char*, std::string> cases[] = {
      {"repeats.prjdrv", driverText({}, {repeatsX, repeatsX})},
      {"mixed.prjdrv", driverText({"VOL-RANGE"}, {"VOL-MUTE=300", repeatsX, "RSCODE['B']=\"'B'\",CONTINUE=3"})},
      {"mixed.room", driverText({"VOL-FLOOR"}, {repeatsX, "VOL-MUTE=-1"})},
  };
  for (const auto& [name, text] : cases) {
    folder.writeFile(name, text);
    const std::string path = folder.root() + "/" + name;
    ProgramRun run = runOrvellaConfig({"check", path});
    const size_t summary = run.out.rfind(" errors.\r\n");
    ASSERT_NE(summary, std::string::npos) << run.out;
    const int counted = std::stoi(run.out.substr(run.out.rfind(' ', summary - 1) + 1));
    const std::string err = "\n" + run.err, line = "\n" + path + ":";
    int said = 0;
    for (size_t at = err.find(line); at != std::string::npos; at = err.find(line, at + 1)) ++said;
    EXPECT_GE(counted, 2) << name;
    EXPECT_EQ(said, counted) << name << "\n" << run.err;
  }
}

// A file of endless errors still gives a stderr that can be read: the first 50 error lines,
// each long text cut short, and then how many more the listing holds, which keeps them all.
TEST(CheckCommand, SaysTheFirstFiftyErrorLinesAndCountsTheRest) {
  TempXdgHome folder;
  std::string nulLines;
  for (int line = 0; line < 60; ++line) nulLines += std::string(400, '\0') + "\r\n";
  folder.writeFile("nul.prjdrv", nulLines);
  const std::string path = folder.root() + "/nul.prjdrv";
  ProgramRun run = runOrvellaConfig({"check", path});
  EXPECT_EQ(run.status, 10);
  EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 52) << run.err;  // load error, 50 lines, the count
  std::string shown = "Unrecognized key '";  // 18 bytes and 302 NULs: the 320 bytes shown
  for (int nul = 0; nul < 302; ++nul) shown += "\\x00";
  EXPECT_TRUE(run.err.ends_with("\n" + path + ":50: " + shown + " ... (99 more bytes in the listing)\norvella-config: " +
                                path + ": 11 more error lines are in the listing\n")) << run.err;
  size_t listed = 0;
  for (size_t at = run.out.find("\r\n    (E) "); at != std::string::npos; at = run.out.find("\r\n    (E) ", at + 1)) ++listed;
  EXPECT_EQ(listed, 61u);

  // A text one byte past the cut counts that byte as one.
  folder.writeFile("nul.prjdrv", std::string(302, '\0') + "\r\n");
  run = runOrvellaConfig({"check", path});
  EXPECT_NE(run.err.find("\n" + path + ":1: " + shown + " ... (1 more byte in the listing)\n"), std::string::npos)
      << run.err;
}

}  // namespace
