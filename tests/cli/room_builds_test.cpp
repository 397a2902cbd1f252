// Rooms and a driver edited from the examples, run as a program: check names what a room lacks
// to build, says each error once (a line the parser refused gets no second error from the
// checker), an index written otherwise than a panel's own ("05") is one no panel has, and a
// file that checks builds in every memory format; one that does not writes no image.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "platform/fs_util.h"
#include "tests/fakes/listing_lines.h"
#include "tests/fakes/program_runner.h"
#include "tests/fakes/read_or_fail.h"
#include "tests/fakes/temp_xdg_home.h"

namespace {

const std::string kExamples = std::string(ORVELLA_SOURCE_DIR) + "/examples/library";

TEST(RoomBuilds, CheckNamesWhatWillNotBuildAndARoomThatChecksBuildsInEveryFormat) {
  TempXdgHome home;
  const std::string noPanel = "warning: no panel has ", noDriver = "a room file must name its driver.";
  const std::string durations = "Must be one of 'Maintained','100ms'", events = "Must be one of 'On','Off'";
  const std::string image = home.root() + "/panel.img";
  const std::string texts[] = {
      readOrFail(kExamples + "/orvella/userrooms/Room 101.room"),
      readOrFail(kExamples + "/orvella/drivers/_SPECIAL Factory Defaults (Rev A).prjdrv")};
  // In the example room (or the factory-defaults driver), the line that starts as `was` becomes
  // `is` ("" drops it; no `was` adds `is` at the end); check's status, the error lines of its
  // listing, and a line of its stderr (after "FILE: " or "FILE:LINE: "), none when "". Build
  // gives check's status in every format.
  const struct { std::string was, is; int check, errors; std::string said; bool inDriver = false; } cases[] = {
      {"ROOM-RELAY[2]=", "ROOM-RELAY[2]=500ms", 1, 1,
       "'ROOM-RELAY[2]' gives a duration and no event: a relay needs both, as in ROOM-RELAY[2]=500ms,On"},
      {"ROOM-RELAY[1]=", "ROOM-RELAY[1]=Maintained", 1, 1,
       "'ROOM-RELAY[1]' gives a duration and no event: a relay needs both, as in ROOM-RELAY[1]=Maintained,On"},
      // A relay line the parser refused has its one error.
      {"ROOM-RELAY[2]=", "ROOM-RELAY[2]=On", 1, 1, "Invalid flag 'On'.  " + durations},
      {"ROOM-RELAY[2]=", "ROOM-RELAY[2]=300ms,maybe", 1, 1, "Invalid flag 'maybe'.  " + events},
      {"ROOM-RELAY[2]=", "ROOM-RELAY[2]=Maintained,", 1, 1, "Delimiter or argument at end of line"},
      {"ROOM-RELAY[2]=", "ROOM-RELAY[2]=", 1, 1, "Insufficient number of Arguments"},
      {"PROJ-DRIVER-NAME=", "", 1, 1, "Mandatory keyword 'PROJ-DRIVER-NAME' was not found."},
      {"PROJ-DRIVER-NAME=", "PROJ-DRIVER-NAME=''", 1, 1, "'PROJ-DRIVER-NAME' is empty: " + noDriver},
      {"PROJ-DRIVER-NAME=", "PROJ-DRIVER-NAME=' \t '", 1, 1, "'PROJ-DRIVER-NAME' is empty: " + noDriver},
      {"PROJ-DRIVER-NAME=", "PROJ-DRIVER-NAME=", 1, 1, "Insufficient number of Arguments"},
      {"ROOM-RELAY[2]=", "ROOM-RELAY[02]=500ms", 0, 0, noPanel + "ROOM-RELAY[02] (a panel has ROOM-RELAY[1] to [7])"},
      {"ROOM-AFVP-GBT[5]=", "ROOM-AFVP-GBT[05]=0,6,6", 0, 0, noPanel + "ROOM-AFVP-GBT[05] (a panel has ROOM-AFVP-GBT[1]"},
      {"ROOM-AFVP-GBT[5]=", "ROOM-AFVP-GBT[' 5']=0,6,6", 0, 0, noPanel + "ROOM-AFVP-GBT[' 5'] (a panel has"},
      {"ROOM-SELECTION[1]=", "ROOM-SELECTION[+1]='HDMI'", 0, 0, noPanel + "ROOM-SELECTION[+1] (a panel has"},
      // A driver takes its name from its file.
      {"", "", 0, 0, "", true},
      {"", "PROJ-DRIVER-NAME=''", 0, 0, "", true},
      {"ROOM-RELAY[2]=", "ROOM-RELAY[2]=On", 2, 1, "Invalid flag 'On'.  " + durations, true},
      {"ROOM-RELAY[2]=", "ROOM-RELAY[2]=300ms", 2, 1,
       "'ROOM-RELAY[2]' gives a duration and no event: a relay needs both, as in ROOM-RELAY[2]=300ms,On", true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.was + " " + c.is + (c.inDriver ? " in the driver" : ""));
    std::string text = texts[c.inDriver ? 1 : 0];
    if (c.was.empty()) {
      text += c.is.empty() ? "" : c.is + "\r\n";
    } else {
      const size_t at = text.find("\n" + c.was) + 1, end = text.find("\r\n", at) + 2;
      text.replace(at, end - at, c.is.empty() ? "" : c.is + "\r\n");
    }
    const std::string name = c.inDriver ? "driver.prjdrv" : "room.room", file = home.root() + "/" + name;
    home.writeFile(name, text);
    const ProgramRun check = runOrvellaConfig({"--library", kExamples, "check", file});
    EXPECT_EQ(check.status, c.check);
    EXPECT_EQ(listing_lines::starting(check.out, "    (E) ").size(), size_t(c.errors)) << check.out;
    EXPECT_NE(check.err.find(c.said.empty() ? "" : ": " + c.said), std::string::npos) << check.err;
    EXPECT_EQ(check.err.empty(), c.said.empty()) << check.err;
    for (const char* format : {"7", "8", "9"}) {
      std::filesystem::remove(image);
      const ProgramRun build =
          runOrvellaConfig({"--library", kExamples, "build", file, "--format", format, "-o", image});
      EXPECT_EQ(build.status, c.check) << format << "\n" << build.err;
      EXPECT_EQ(std::filesystem::exists(image), c.check == 0) << format;
      EXPECT_EQ((check.err + build.err).find("Program Error"), std::string::npos) << build.err;
      EXPECT_EQ(build.err.find("was looked for"), std::string::npos) << build.err;
    }
  }
}

}  // namespace
