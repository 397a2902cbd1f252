// orvella-config room and defaults, run as a program: the room written only after a clean
// check, the listing and the load error otherwise, and output files that are written whole or
// not at all.
#include <gtest/gtest.h>

#include <dirent.h>

#include <set>
#include <string>

#include "panel/panel_settings.h"
#include "platform/fs_util.h"
#include "tests/fakes/program_runner.h"
#include "tests/fakes/temp_xdg_home.h"

namespace {

// A driver that checks with result 0 (two informational lines only).
const std::string kDriver =
    "PROJ-FILE-FMT=2\r\nPROJ-NAME='Demo'\r\n"
    "IR-TIME-0L=560u\r\nIR-TIME-0H=560u\r\nIR-TIME-1L=1690u\r\nIR-TIME-1H=560u\r\n"
    "PROJ-BAUD-RATE=9600,8,N,1\r\n"
    "IRCODE['ON']=\"%0101\"\r\nIRCODE['OFF']=\"%0110\"\r\nIRCODE['VUP']=\"%0111\"\r\n"
    "IRCODE['VDN']=\"%1000\"\r\nIRCODE['IN1']=\"%1001,D90M\",IS-SELECTION\r\n"
    "BYTES-TO-QUEUE=4\r\nPOWER-POLL-INTERVAL=5s\r\nPOWER-POLL-TIMEOUT=1s\r\n"
    "POWER-POLL-THRESHOLD=3\r\nPOWER-POLL-STARTBYTE=1\r\nPOWER-POLL-MATCH-ANY=FALSE\r\n"
    "POWER-POLL-MATCH-BYTES=\"'ON'\"\r\nPROJ-USES-ABSOLUTE-VOL=FALSE\r\n"
    "VOL-MUTE=0\r\nVOL-RANGE=40\r\nVOL-FLOOR=0\r\n"
    "IO-DOWNTIME=100m\r\nWARM-UP-DELAY=30s\r\nPOWER-ON-DELAY=10s\r\n"
    "USE-MODULATION-WHEN-WIRED=TRUE\r\nINVERT-LINE-WHEN-WIRED=FALSE\r\nCARRIER-PERIOD=26u\r\n"
    "DEFAULT-CORE-FUNCT[ON]='ON'\r\nDEFAULT-CORE-FUNCT[OFF]='OFF'\r\n"
    "DEFAULT-CORE-FUNCT[VUP]='VUP'\r\nDEFAULT-CORE-FUNCT[VDN]='VDN'\r\n"
    "DEFAULT-SELECTION[1]='IN1'\r\nDEFAULT-HID-FUNCT[OFF]=''\r\n"
    "DEFAULT-LOCKOUT=20s\r\nIR-WIRING-OPTIONS=IR-Emitter\r\n";

// The room the writer gives for the driver, read and checked in this process.
std::string expectedRoom(const std::string& driverPath) {
  PanelSettingsV2 settings;
  settings.ReadAndParseProjFile(driverPath);
  int16_t result = -1;
  settings.IsDriverValid(result);
  EXPECT_EQ(result, 0);
  return settings.encodeRoomFile();
}

std::string bytesOf(const std::string& path) { return platform::readWholeFile(path).value_or("<none>"); }

TEST(RoomCommand, WritesTheRoomOnlyAfterACleanCheck) {
  TempXdgHome folder;
  const std::string dir = folder.root() + "/";
  folder.writeFile("Demo (Rev A).prjdrv", kDriver);
  folder.writeFile("broken.prjdrv", kDriver + "VOL-MUTE=300\r\n");
  folder.writeFile("newer.prjdrv", kDriver + "REQUIRES-FW-VERSION=1,5\r\n");
  folder.writeFile("broken.room", "PROJ-FILE-FMT=2\r\nROOM-USR-NOTE=n\r\n");
  folder.writeFile("noformat.prjdrv", "PROJ-NAME='X'\r\n");
  const std::string room = expectedRoom(dir + "Demo (Rev A).prjdrv");
  ASSERT_NE(room.find("IRCODE['IN1']=\"%1001,D90M\",IS-SELECTION\r\n"), std::string::npos);

  struct {
    std::vector<std::string> args;
    int status;
    bool listing;  // the parse listing printed on stdout
  } cases[] = {
      {{"room", dir + "Demo (Rev A).prjdrv", "-o", dir + "out.room"}, 0, false},
      {{"room", "-o", dir + "again.room", dir + "out.room"}, 0, false},
      {{"room", dir + "broken.prjdrv", "-o", dir + "out.room"}, 2, true},
      {{"room", dir + "newer.prjdrv", "-o", dir + "out.room"}, 5, true},
      {{"--fw", "1.5", "room", dir + "newer.prjdrv", "-o", dir + "newer.room"}, 0, false},
      {{"room", dir + "noformat.prjdrv", "-o", dir + "out.room"}, 10, true},
      {{"room", dir + "broken.room", "-o", dir + "out.room"}, 1, true},
      {{"room", dir + "missing.prjdrv", "-o", dir + "out.room"}, 66, false},
      {{"room", dir + "out.room"}, 64, false},
      {{"room", "-o", dir + "x.room"}, 64, false},
      {{"room", dir + "out.room", dir + "again.room", "-o", dir + "x.room"}, 64, false},
  };
  for (const auto& c : cases) {
    ProgramRun run = runOrvellaConfig(c.args);
    EXPECT_EQ(run.status, c.status) << c.args[1] << "\n" << run.out << run.err;
    EXPECT_EQ(run.out.rfind("\r\n0001    ", 0) == 0, c.listing) << c.args[1];
    // Whatever failed, the room written by the first run stays as it was.
    EXPECT_EQ(bytesOf(dir + "out.room"), room) << c.args[1];
  }
  // A room read back and written again is the same room.
  EXPECT_EQ(bytesOf(dir + "again.room"), room);
  EXPECT_EQ(bytesOf(dir + "x.room"), "<none>");
}

TEST(RoomCommand, OutputThatCannotBeWritten) {
  TempXdgHome folder;
  const std::string dir = folder.root() + "/";
  folder.writeFile("d.prjdrv", kDriver);
  folder.makeDir("taken.room");

  struct {
    std::string output;
    const char* error;
  } cases[] = {
      {dir + "missing/out.room", "No such file or directory"},
      {dir + "taken.room", "Is a directory"},
  };
  for (const auto& c : cases) {
    ProgramRun run = runOrvellaConfig({"room", dir + "d.prjdrv", "-o", c.output});
    EXPECT_EQ(run.status, 73) << c.output;
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, "orvella-config: cannot write '" + c.output + "': " + c.error + "\n");
  }
  // No temporary file was left beside the targets.
  std::set<std::string> names;
  if (DIR* d = ::opendir(dir.c_str())) {
    while (dirent* e = ::readdir(d)) names.insert(e->d_name);
    ::closedir(d);
  }
  EXPECT_EQ(names, (std::set<std::string>{".", "..", "d.prjdrv", "home", "taken.room"}));
}

TEST(DefaultsCommand, FactoryDefaultsOfTheLibrary) {
  TempXdgHome folder;
  const std::string library = folder.root() + "/lib";
  const std::string drivers = library + "/orvella/drivers/";
  const std::string factory = std::string("lib/orvella/drivers/") + PanelSettingsV2::kFactoryDefaultsDriver;
  const std::string out = folder.root() + "/factory.room";

  ProgramRun run = runOrvellaConfig({"--library", library, "defaults", "-o", out});
  EXPECT_EQ(run.status, 66);
  EXPECT_EQ(run.err, "orvella-config: cannot read '" + drivers + PanelSettingsV2::kFactoryDefaultsDriver + "'\n");

  folder.writeFile(factory, kDriver + "VOL-MUTE=300\r\n");
  run = runOrvellaConfig({"--library", library, "defaults", "-o", out});
  EXPECT_EQ(run.status, 2);
  EXPECT_NE(run.out.find("Expecting a Number between 0 and 255"), std::string::npos) << run.out;
  EXPECT_EQ(bytesOf(out), "<none>");

  folder.writeFile(factory, kDriver);
  run = runOrvellaConfig({"--library", library, "defaults", "-o", out});
  EXPECT_EQ(run.status, 0) << run.out << run.err;
  EXPECT_EQ(run.out + run.err, "");
  std::string room = expectedRoom(folder.root() + "/" + factory);
  EXPECT_EQ(bytesOf(out), room);

  EXPECT_EQ(runOrvellaConfig({"defaults"}).status, 64);
  EXPECT_EQ(runOrvellaConfig({"defaults", "-o", out, "extra"}).status, 64);
}

}  // namespace
