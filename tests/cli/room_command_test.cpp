// orvella-config room and defaults, run as a program: the room written only after a clean
// check, the listing and the load error otherwise, 73 for an output that cannot be written.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "panel/panel_settings.h"
#include "platform/fs_util.h"
#include "tests/fakes/program_runner.h"
#include "tests/fakes/temp_xdg_home.h"

namespace {

const std::string kLibrary = std::string(ORVELLA_SOURCE_DIR) + "/examples/library";
const std::string kDrivers = kLibrary + "/orvella/drivers/";

std::string bytesOf(const std::string& path) { return platform::readWholeFile(path).value_or("<none>"); }

// The room the writer gives for a driver, read and checked in this process.
std::string roomOf(const std::string& driver) {
  PanelSettingsV2 settings;
  settings.ReadAndParseProjFile(driver);
  int16_t result = -1;
  settings.IsDriverValid(result);
  return settings.encodeRoomFile();
}

TEST(RoomCommand, WritesTheRoomOnlyAfterACleanCheck) {
  TempXdgHome folder;
  const std::string dir = folder.root() + "/", driver = kDrivers + "Acme PX-200 (Rev B).prjdrv";
  folder.writeFile("broken.prjdrv", bytesOf(driver) + "VOL-MUTE=300\r\n");
  folder.writeFile("newer.prjdrv", bytesOf(driver) + "REQUIRES-FW-VERSION=1,5\r\n");
  folder.writeFile("broken.room", "PROJ-FILE-FMT=2\r\nROOM-USR-NOTE=n\r\n");
  folder.makeDir("taken.room");
  const std::string room = roomOf(driver);
  // Comments after a value: after a blank, and right after a word.
  std::string trailing = bytesOf(kLibrary + "/orvella/userrooms/Room 101.room");
  for (const auto& [line, commented] : {std::pair{"ROOM-PROJ-LOCKOUT=45s\r", "ROOM-PROJ-LOCKOUT=45s ; short\r"},
                                        std::pair{"BYTES-TO-QUEUE=8\r", "BYTES-TO-QUEUE=8;queue\r"}})
    trailing.replace(trailing.find(line), std::string(line).size(), commented);
  folder.writeFile("trailing.room", trailing);
  trailing.replace(trailing.find("BYTES-TO-QUEUE=8;queue\r"), 23, "BYTES-TO-QUEUE=8\r");
  folder.writeFile("one-comment.room", trailing);

  struct {
    std::vector<std::string> args;
    int status;
    bool listing;  // the parse listing on stdout, else nothing
    std::string err;  // the start of stderr
  } cases[] = {
      {{"room", driver, "-o", dir + "out.room"}, 0, false,  // the ";" of a quoted text is no comment
       "orvella-config: " + driver + ": 7 comment lines are not written to '" + dir +
           "out.room': a room file keeps settings only\n"},
      {{"room", "-o", dir + "again.room", dir + "out.room"}, 0, false, ""},
      {{"room", dir + "trailing.room", "-o", dir + "plain.room"}, 0, false,
       "orvella-config: " + dir + "trailing.room: 2 comment lines are not written to '" + dir +
           "plain.room': a room file keeps settings only\n"},
      {{"room", dir + "one-comment.room", "-o", dir + "plain.room"}, 0, false,
       "orvella-config: " + dir + "one-comment.room: 1 comment line is not written to '" + dir +
           "plain.room': a room file keeps settings only\n"},
      {{"room", dir + "broken.prjdrv", "-o", dir + "out.room"}, 2, true,
       "orvella-config: " + dir + "broken.prjdrv: load error 2: "},
      {{"room", dir + "newer.prjdrv", "-o", dir + "out.room"}, 5, true,
       "orvella-config: " + dir + "newer.prjdrv: load error 5: "},
      {{"room", dir + "broken.room", "-o", dir + "out.room"}, 1, true,
       "orvella-config: " + dir + "broken.room: load error 1: "},
      {{"room", driver, "-o", dir + "taken.room"}, 73, false,
       "orvella-config: cannot write '" + dir + "taken.room': Is a directory\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.args[1]);
    ProgramRun run = runOrvellaConfig(c.args);
    EXPECT_EQ(run.status, c.status) << run.out << run.err;
    EXPECT_EQ(run.out.substr(0, 10), c.listing ? "\r\n0001    " : "");
    EXPECT_EQ(run.err.substr(0, c.listing ? c.err.size() : std::string::npos), c.err);
    EXPECT_EQ(bytesOf(dir + "out.room"), room);  // failures leave it as it was
  }
  EXPECT_EQ(bytesOf(dir + "again.room"), room);  // a room read back is the same room

  EXPECT_EQ(runOrvellaConfig({"room", driver}).status, 64);
  EXPECT_EQ(runOrvellaConfig({"defaults", "-o", dir + "x.room", "extra"}).status, 64);
}

TEST(DefaultsCommand, FactoryDefaultsOfTheLibrary) {
  TempXdgHome folder;
  const std::string out = folder.root() + "/factory.room";
  ProgramRun run = runOrvellaConfig({"--library", kLibrary, "defaults", "-o", out});
  EXPECT_EQ(run.status, 0) << run.out << run.err;
  EXPECT_EQ(run.out + run.err, "");
  EXPECT_EQ(bytesOf(out), roomOf(kDrivers + PanelSettingsV2::kFactoryDefaultsDriver));

  const std::string factory = std::string("lib/orvella/drivers/") + PanelSettingsV2::kFactoryDefaultsDriver;
  folder.makeDir("lib");
  run = runOrvellaConfig({"--library", folder.root() + "/lib", "defaults", "-o", out});
  EXPECT_EQ(run.status, 66);
  EXPECT_EQ(run.err, "orvella-config: cannot read '" + folder.root() + "/" + factory + "': No such file or directory\n");

  folder.writeFile(factory, "PROJ-FILE-FMT=2\r\nVOL-MUTE=300\r\n");
  run = runOrvellaConfig({"--library", folder.root() + "/lib", "defaults", "-o", out});
  EXPECT_EQ(run.status, 2);
  EXPECT_NE(run.out.find("Expecting a Number between 0 and 255"), std::string::npos) << run.out;
  EXPECT_NE(run.err.find("\n" + folder.root() + "/" + factory + ":2: Expecting a Number between 0 and 255\n"),
            std::string::npos) << run.err;
  EXPECT_EQ(bytesOf(out), roomOf(kDrivers + PanelSettingsV2::kFactoryDefaultsDriver));
}

}  // namespace
