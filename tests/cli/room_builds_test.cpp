// Rooms edited from the example, run as a program: check names what a room lacks to build, an
// index written otherwise than a panel's own ("05") is one no panel has, and a room that
// checks builds in every memory format.
#include <gtest/gtest.h>

#include <string>

#include "platform/fs_util.h"
#include "tests/fakes/program_runner.h"
#include "tests/fakes/temp_xdg_home.h"

namespace {

const std::string kExamples = std::string(ORVELLA_SOURCE_DIR) + "/examples/library";

TEST(RoomBuilds, CheckNamesWhatWillNotBuildAndARoomThatChecksBuildsInEveryFormat) {
  TempXdgHome home;
  const std::string file = home.root() + "/room.room", noPanel = "warning: no panel has ";
  const std::string example = *platform::readWholeFile(kExamples + "/orvella/userrooms/Room 101.room");
  // The example's line that starts as `was` becomes `is` ("" drops it); check's status and a
  // line of its stderr (after "FILE: "). Build gives check's status in every format.
  const struct { std::string was, is; int check; std::string said; } cases[] = {
      {"ROOM-RELAY[2]=", "ROOM-RELAY[2]=500ms", 1,
       "'ROOM-RELAY[2]' gives a duration and no event: a relay needs both, as in ROOM-RELAY[2]=500ms,On"},
      {"PROJ-DRIVER-NAME=", "", 1, "Mandatory keyword 'PROJ-DRIVER-NAME' was not found."},
      {"ROOM-RELAY[2]=", "ROOM-RELAY[02]=500ms", 0, noPanel + "ROOM-RELAY[02] (a panel has ROOM-RELAY[1] to [7])"},
      {"ROOM-AFVP-GBT[5]=", "ROOM-AFVP-GBT[05]=0,6,6", 0, noPanel + "ROOM-AFVP-GBT[05] (a panel has ROOM-AFVP-GBT[1]"},
      {"ROOM-AFVP-GBT[5]=", "ROOM-AFVP-GBT[' 5']=0,6,6", 0, noPanel + "ROOM-AFVP-GBT[' 5'] (a panel has"},
      {"ROOM-SELECTION[1]=", "ROOM-SELECTION[+1]='HDMI'", 0, noPanel + "ROOM-SELECTION[+1] (a panel has"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.was + " " + c.is);
    std::string room = example;
    const size_t at = room.find("\n" + c.was) + 1, end = room.find("\r\n", at) + 2;
    room.replace(at, end - at, c.is.empty() ? "" : c.is + "\r\n");
    home.writeFile("room.room", room);
    const ProgramRun check = runOrvellaConfig({"--library", kExamples, "check", file});
    EXPECT_EQ(check.status, c.check);
    EXPECT_NE(check.err.find(file + ": " + c.said), std::string::npos) << check.err;
    for (const char* format : {"7", "8", "9"}) {
      const ProgramRun build = runOrvellaConfig(
          {"--library", kExamples, "build", file, "--format", format, "-o", home.root() + "/panel.img"});
      EXPECT_EQ(build.status, c.check) << format << "\n" << build.err;
      EXPECT_EQ((check.err + build.err).find("Program Error"), std::string::npos) << build.err;
    }
  }
}

}  // namespace
