// orvella-config decode, run as a program: a panel image read back into a room file with its
// listing, and the exit status and messages of each failure (a driver that fails its check
// gives its error lines and its parse listing; a missing one is named with the folder searched).
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "platform/fs_util.h"
#include "tests/fakes/listing_lines.h"
#include "tests/fakes/program_runner.h"
#include "tests/fakes/read_or_fail.h"
#include "tests/fakes/simulated_panel.h"
#include "tests/fakes/temp_xdg_home.h"

namespace {

const std::string kDriver = "Acme PX-200 (Rev B).prjdrv";

// A format-9 panel naming `driver`, whose relay 1 is "500ms", "Selection3".
std::string panelImage(const std::string& driver, char format = 9) {
  std::string image(8192, '\0');
  image[0x13] = char(driver.size());
  image.replace(0x14, driver.size(), driver);
  image[0x1F01] = format;
  image[0x1F0E] = char(0x53);
  return image;
}

TEST(DecodeCommand, ReadsAPanelBackIntoARoom) {
  TempXdgHome home;
  const std::string dir = home.root() + "/", library = dir + "lib";
  const std::string driver =
      readOrFail(std::string(ORVELLA_SOURCE_DIR) + "/examples/library/orvella/drivers/" + kDriver);
  home.writeFile("lib/orvella/drivers/" + kDriver, driver);
  home.writeFile("lib/orvella/drivers/Newer.prjdrv", driver + "REQUIRES-FW-VERSION=1,5\r\n");
  home.writeFile("newer.img", panelImage("Newer.prjdrv"));
  const std::string drivers = library + "/orvella/drivers/";
  // A panel built from the driver, whose relay 1 the room then set to "500ms", "Selection3".
  ASSERT_EQ(runOrvellaConfig({"--library", library, "build", drivers + kDriver, "--format", "9", "-o", dir + "built.img"})
                .status, 0);
  std::string built = platform::readWholeFile(dir + "built.img").value_or("");
  built.at(0x1F0E) = char(0x53);
  home.writeFile("panel.img", built);
  home.writeFile("gone.img", panelImage("Gone.prjdrv"));
  home.writeFile("blank.img", panelImage(kDriver, char(0xFF)));
  home.writeFile("short.img", "");
  home.writeFile("erased.img", std::string(8192, '\xFF'));
  home.writeFile("zeros.img", std::string(8192, '\0'));
  const std::string formatByte = ": the byte at $1F01, which holds the memory format (7, 8 or 9), reads $";
  const std::string usage = "orvella-config: decode reads either --image FILE or --port DEVICE";
  struct {
    std::vector<std::string> args;
    int status;
    std::string err;   // first line
    std::string also = "";  // a later line
  } cases[] = {
      {{"--image", dir + "panel.img", "-o", dir + "out.room", "--listing", dir + "out.txt"}, 0, ""},
      {{"--image", dir + "gone.img", "-o", dir + "gone.room"}, 4,
       "orvella-config: " + dir + "gone.img: load error 4: Can't find the driver loaded currently saved in the panel.  Try downloading updates.",
       "orvella-config: the panel's driver 'Gone.prjdrv' was looked for in the drivers folder " + drivers},
      {{"--image", dir + "newer.img", "-o", dir + "gone.room", "--listing", dir + "newer.txt"}, 2,
       "orvella-config: " + dir + "newer.img: load error 2: Error in parsing the driver file.  Click here for more info.",
       drivers + "Newer.prjdrv: Firmware upgrade required for this driver"},
      {{"--image", dir + "blank.img"}, 7,
       "orvella-config: " + dir + "blank.img: load error 7: A more up to date configuration utility is needed.  Click here for more info.",
       dir + "blank.img: Can't find valid memory version."},
      {{"--image", dir + "erased.img"}, 7,
       "orvella-config: " + dir + "erased.img: load error 7: A more up to date configuration utility is needed.  Click here for more info.",
       "orvella-config: " + dir + "erased.img" + formatByte + "FF; an erased panel reads $FF there"},
      {{"--image", dir + "zeros.img"}, 7,
       "orvella-config: " + dir + "zeros.img: load error 7: A more up to date configuration utility is needed.  Click here for more info.",
       "orvella-config: " + dir + "zeros.img" + formatByte + "00"},
      {{"--image", dir + "panel.img", "-o", dir + "no/such/dir/out.room"}, 73,
       "orvella-config: cannot write '" + dir + "no/such/dir/out.room': No such file or directory"},
      {{"--image", dir + "short.img"}, 66,
       "orvella-config: image file '" + dir + "short.img' holds 0 bytes; a panel image holds 8192"},
      {{"--port", "/dev/no-such-panel"}, 66,
       "orvella-config: cannot open serial port '/dev/no-such-panel': No such file or directory"},
      {{}, 64, usage},
  };
  for (const auto& c : cases) {
    std::vector<std::string> args = {"--library", library, "decode"};
    args.insert(args.end(), c.args.begin(), c.args.end());
    SCOPED_TRACE(testing::PrintToString(c.args));
    ProgramRun run = runOrvellaConfig(args);
    EXPECT_EQ(run.status, c.status);
    EXPECT_EQ(run.err.substr(0, run.err.find('\n')), c.err);
    if (!c.also.empty()) {
      EXPECT_NE(run.err.find("\n" + c.also + "\n"), std::string::npos) << run.err;
    }
    // A decode lists the panel on stdout unless --listing names a file, or an output is refused
    // before anything is read.
    bool listedOnStdout = c.status == 4 || c.status == 7;
    EXPECT_EQ(run.out.rfind("+++", 0) == 0, listedOnStdout);
  }
  std::string room = platform::readWholeFile(dir + "out.room").value_or("");
  EXPECT_NE(room.find("\r\nROOM-RELAY[1]=500ms,Selection3\r\n"), std::string::npos);
  EXPECT_NE(room.find("\r\nPROJ-DRIVER-NAME='" + kDriver + "'\r\n"), std::string::npos);
  EXPECT_NE(platform::readWholeFile(dir + "out.txt").value_or("").find("[I]Found memory version 9.\r\n"),
            std::string::npos);
  EXPECT_FALSE(platform::readWholeFile(dir + "gone.room"));
  // The driver's parse listing follows the memory listing.
  std::string newer = platform::readWholeFile(dir + "newer.txt").value_or("");
  EXPECT_LT(newer.find("[E]Projector driver does not parse Newer.prjdrv"),
            newer.find("    (E) Firmware upgrade required for this driver\r\n"));
}

// A panel whose first block, which holds its driver's name, cannot be read names no driver:
// stderr says the block and load error 8, and no missing driver of an empty name.
TEST(DecodeCommand, AnUnreadDriverNameIsNoMissingDriver) {
  TempXdgHome home;
  SimulatedPanel panel(panelImage(kDriver), false);
  using Answer = SimulatedPanel::Answer;
  panel.queueAnswers({Answer::Normal, Answer::DeviceError, Answer::DeviceError, Answer::DeviceError,
                      Answer::DeviceError});  // the format's block, then none of block 0
  ProgramRun run = runOrvellaConfig({"decode", "--port", panel.devicePath()});
  EXPECT_EQ(run.status, 74);
  EXPECT_EQ(run.err.rfind("orvella-config: " + panel.devicePath() + ": load error 8: ", 0), 0u) << run.err;
  EXPECT_NE(run.err.find("cannot read block 0 ($0000-$003F)"), std::string::npos) << run.err;
  EXPECT_EQ(run.err.find("Can't find projector driver"), std::string::npos) << run.err;
  EXPECT_NE(run.out.find("[E]Can't find projector driver \r\n"), std::string::npos);  // the listing keeps it
}

// A panel built from a room whose driver part was edited decodes to a room holding the
// library driver's values: decode still writes it, and says that it builds another image and
// which rule's bytes differ first. A room the library's driver agrees with says nothing.
TEST(DecodeCommand, SaysWhenItsRoomWouldNotBuildThePanelsImage) {
  TempXdgHome home;
  const std::string dir = home.root() + "/", examples = std::string(ORVELLA_SOURCE_DIR) + "/examples/library";
  const std::string room = readOrFail(examples + "/orvella/userrooms/Room 101.room");
  const std::string differs = "orvella-config: the room decoded from '" + dir + "panel.img' does not build the panel's image: ";
  const struct {
    std::string change, format, err;  // the room's line changed, when one is
  } cases[] = {
      {"", "9", ""},
      {"", "7", ""},
      {"VOL-MUTE=7", "9", differs + "1 byte differs, the first of them written by [FW] ProjConfig: VOL_MUTE at $0409\n"},
      {"RSCODE['ON']=\"$02,'PWR1',$03\"", "8",
       differs + "172 bytes differ, the first of them written by [FW] CODE TABLE ----------------------------- at $0439\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.err);
    home.writeFile("room.room", c.change.empty() ? room : listing_lines::withLine(room, c.change));
    std::remove((dir + "decoded.room").c_str());  // written again whatever decode says
    ASSERT_EQ(runOrvellaConfig({"--library", examples, "build", dir + "room.room", "--format", c.format, "-o",
                                dir + "panel.img", "--listing", dir + "build.txt"}).status, 0);
    ProgramRun run = runOrvellaConfig({"--library", examples, "decode", "--image", dir + "panel.img", "-o",
                                       dir + "decoded.room", "--listing", dir + "decode.txt"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err, c.err);
    EXPECT_TRUE(platform::readWholeFile(dir + "decoded.room"));
  }
}

// Over a serial line decode reads each block it needs once, its comparison with the image the
// room builds included, and gives the room an image file of the same panel gives.
TEST(DecodeCommand, ReadsAPanelOverTheSerialLineOnceABlock) {
  TempXdgHome home;
  const std::string dir = home.root() + "/", examples = std::string(ORVELLA_SOURCE_DIR) + "/examples/";
  SimulatedPanel panel(readOrFail(examples + "panel-format9.img"), false);
  const std::vector<std::string> decode = {"--library", examples + "library", "--fw", "2.0", "decode", "--listing",
                                           dir + "listing.txt", "-o"};
  auto withSource = [&decode](std::vector<std::string> source) {
    source.insert(source.begin(), decode.begin(), decode.end());
    return source;
  };
  const ProgramRun run = runOrvellaConfig(withSource({dir + "port.room", "--port", panel.devicePath()}));
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.err, "");
  std::vector<std::string> requests = panel.requests();
  std::sort(requests.begin(), requests.end());
  EXPECT_EQ(std::adjacent_find(requests.begin(), requests.end()), requests.end());
  ASSERT_EQ(runOrvellaConfig(withSource({dir + "file.room", "--image", examples + "panel-format9.img"})).status, 0);
  EXPECT_EQ(platform::readWholeFile(dir + "port.room"), platform::readWholeFile(dir + "file.room"));
}

// A block the panel cannot read is asked for in one round of attempts however often the
// decoder reads it (the legend table peeks into block 6 five times), and its error is said once.
TEST(DecodeCommand, AsksForABlockThatCannotBeReadOnce) {
  TempXdgHome home;
  const std::string examples = std::string(ORVELLA_SOURCE_DIR) + "/examples/";
  SimulatedPanel panel(readOrFail(examples + "panel-format9.img"), false);
  panel.refuseBlock(6);
  const ProgramRun run =
      runOrvellaConfig({"--library", examples + "library", "--fw", "2.0", "decode", "--port", panel.devicePath()});
  EXPECT_EQ(run.status, 74);
  const std::vector<std::string> requests = panel.requests();
  EXPECT_EQ(std::count(requests.begin(), requests.end(), "?\x86\r"), 4);
  EXPECT_EQ(listing_lines::starting(run.out, "[E]"), std::vector<std::string>{"[E]Communications error reading block 6"});
  const std::string error = panel.devicePath() + ": Communications error reading block 6\n";
  const size_t said = run.err.find(error);
  EXPECT_NE(said, std::string::npos) << run.err;
  EXPECT_EQ(run.err.find(error, said + 1), std::string::npos) << run.err;
}

}  // namespace
