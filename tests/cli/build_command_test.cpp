// orvella-config build, run as a program: the image written only after a clean check and a
// clean build, the memory listing on stdout or in the listing file, the factory defaults'
// image without a time stamp, and the exit statuses.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/fs_util.h"
#include "tests/fakes/listing_lines.h"
#include "tests/fakes/program_runner.h"
#include "tests/fakes/read_or_fail.h"
#include "tests/fakes/temp_xdg_home.h"
#include "tests/panel/checked_driver_text.h"

namespace {

using checked_driver::driverText;

const std::string kBanner = std::string(33, '+') + " Orvella ";
const std::string kLibrary = std::string(ORVELLA_SOURCE_DIR) + "/examples/library";
constexpr size_t kTimeStamp = 0x0120, kTimeStampSize = 32;  // format 9

std::string outputOf(const std::vector<std::string>& args) {
  for (size_t i = 0; i + 1 < args.size(); ++i)
    if (args[i] == "-o") return args[i + 1];
  return "";
}

TEST(BuildCommand, WritesTheImageOnlyAfterACleanCheckAndBuild) {
  TempXdgHome folder;
  const std::string dir = folder.root() + "/";
  folder.writeFile("clean.prjdrv", driverText({}, {}));
  folder.writeFile("broken.prjdrv", driverText({"VOL-RANGE"}, {}));
  folder.writeFile("broken.room", driverText({"VOL-RANGE"}, {}));
  folder.writeFile("slow.prjdrv", driverText({"IO-DOWNTIME"}, {"IO-DOWNTIME=10s"}));
  folder.makeDir("taken.img");
  // A driver from outside the library, whose name the library's drivers folder lacks.
  const std::string notInLibrary = dir + "clean.prjdrv: warning: the image names the driver 'clean.prjdrv', which "
                                   "the drivers folder " + dir + "data/VXC/orvella/drivers/ does not hold: decode "
                                   "reads the image back only once the driver is there";
  struct {
    std::vector<std::string> args;
    int status;
    std::string out;  // start of stdout
    std::string err;  // first line of stderr
    int format;    // of the written image; 0: none written
    int divisor;  // at 0x0408: 9600 baud with the fast clock (firmware 0.88 and later) or not
  } cases[] = {
      {{"--fw", "0.87", "build", dir + "clean.prjdrv", "--format", "8", "-o", dir + "a.img"}, 0, kBanner,
       notInLibrary, 8, 0x20},
      {{"build", "--listing", dir + "a.lst", dir + "clean.prjdrv", "-o", dir + "b.img", "--format", "9"}, 0, "",
       notInLibrary, 9, 0x81},
      {{"build", "--library", kLibrary, "--defaults", "--format=9", "-o", dir + "e.img", "--listing", dir + "e.lst"},
       0, "", "", 9, 0x81},
      {{"build", dir + "broken.prjdrv", "--format", "9", "-o", dir + "c.img"}, 2, "\r\n0001    ",
       "orvella-config: " + dir + "broken.prjdrv: load error 2: Error in parsing the driver file.  Click here for more info.", 0, 0},
      {{"build", dir + "broken.room", "--format", "9", "-o", dir + "c.img"}, 1, "\r\n0001    ",
       "orvella-config: " + dir + "broken.room: load error 1: Error in parsing the save settings file.  Click here for more info.  Call VX for support.", 0, 0},
      {{"build", dir + "slow.prjdrv", "--format", "7", "-o", dir + "c.img"}, 65, kBanner,
       "orvella-config: the image of '" + dir + "slow.prjdrv' has errors (see the listing) and was not written", 0, 0},
      {{"build", dir + "missing.prjdrv", "--format", "7", "-o", dir + "c.img"}, 66, "",
       "orvella-config: cannot read '" + dir + "missing.prjdrv': No such file or directory", 0, 0},
      // Refused before anything is written: no listing either.
      {{"build", dir + "clean.prjdrv", "--format", "7", "-o", dir + "taken.img"}, 73, "",
       "orvella-config: cannot write '" + dir + "taken.img': Is a directory", 0, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.args[c.args.size() - 1]);
    ProgramRun run = runOrvellaConfig(c.args);
    EXPECT_EQ(run.status, c.status) << run.err;
    EXPECT_EQ(run.out.substr(0, c.out.size()), c.out);
    EXPECT_EQ(run.err.substr(0, run.err.find('\n')), c.err);
    if (c.status == 65) {
      EXPECT_NE(run.out.find("[E]PokeByte error - out of bounds byte"), std::string::npos);
      EXPECT_NE(run.err.find("\n" + dir + "slow.prjdrv: [FW] ProjConfig: IO-DOWNTIME: IO-DOWNTIME=10s is past its "
                             "field, which holds at most 7.395s\n"),
                std::string::npos);
    }
    std::string image = platform::readWholeFile(outputOf(c.args)).value_or("");
    if (c.format == 0) {
      EXPECT_EQ(image, "");
      continue;
    }
    ASSERT_EQ(image.size(), 8192u);
    EXPECT_EQ(image[0x1F01], char(c.format));
    EXPECT_EQ(static_cast<unsigned char>(image[0x0408]), c.divisor);
  }
  EXPECT_EQ(platform::readWholeFile(dir + "a.lst").value_or("").substr(0, kBanner.size()), kBanner);
  // The factory defaults' image carries no time stamp; any other has one.
  const std::string noStamp(kTimeStampSize, '\0');
  EXPECT_EQ(platform::readWholeFile(dir + "e.img").value_or("").substr(kTimeStamp, kTimeStampSize), noStamp);
  EXPECT_NE(platform::readWholeFile(dir + "b.img").value_or("").substr(kTimeStamp, kTimeStampSize), noStamp);

  for (const std::vector<std::string>& args :
       {std::vector<std::string>{"build", dir + "clean.prjdrv", "-o", dir + "d.img"},
        {"build", dir + "clean.prjdrv", "--format", "6", "-o", dir + "d.img"},
        {"build", dir + "clean.prjdrv", "--format", "9"},
        {"build", dir + "clean.prjdrv", "--defaults", "--format", "9", "-o", dir + "d.img"}})
    EXPECT_EQ(runOrvellaConfig(args).status, 64);
}

// A room that checks but holds a value its field in the image cannot: each error line on
// stderr names the rule, the setting as the room file wrote it and, for a value past its
// byte, the largest value the byte holds, in bytes for a text; the poke's own line, which says
// only the address, stays in the listing.
TEST(BuildCommand, AnErrorLineNamesTheSettingAndWhatItsFieldHolds) {
  TempXdgHome folder;
  const std::string dir = folder.root() + "/", pastByte = " is past its field, which holds at most ";
  const std::string outOf = "[E]PokeByte error - out of bounds byte at location ";
  const std::string room = readOrFail(kLibrary + "/orvella/userrooms/Room 101.room");
  std::string eAcute;
  for (int i = 0; i < 128; ++i) eAcute += "\xC3\xA9";  // 128 characters, 256 bytes
  const struct {
    std::vector<std::string> changes;
    std::string format;
    std::vector<std::string> lines;   // after "FILE: "
    std::vector<std::string> listed;  // the listing's error lines
  } cases[] = {
      {{"ROOM-INACT-SHUTDOWN-TIMER=24H"}, "9",
       {"[FW] PanlConfig: NO_KEYPRESS_TIMEOUT: ROOM-INACT-SHUTDOWN-TIMER=24H" + pastByte + "8.5H"},
       {outOf + "7942"}},
      {{"ROOM-PROJ-LOCKOUT=481s"}, "9",
       {"[FW] PanlConfig: LOCKOUT_TIMEOUT: ROOM-PROJ-LOCKOUT=481s" + pastByte + "7.99M"}, {outOf + "7943"}},
      {{"ROOM-PROJ-LOCKOUT=121s ; two minutes"}, "7",
       {"[FW] PanlConfig: LOCKOUT_TIMEOUT: ROOM-PROJ-LOCKOUT=121s" + pastByte + "1.9975M"}, {outOf + "7943"}},
      // The duty cycle is a share of the carrier's period, itself past its field.
      {{"CARRIER-PERIOD=60u", "CARRIER-DUTY-CYCLE=90"}, "8",
       {"[FW] ProjConfig: SIR_PR2: CARRIER-PERIOD=60u" + pastByte + "51u",
        "[FW] ProjConfig: SIR_DC: CARRIER-DUTY-CYCLE=90" + pastByte + "85"},
       {outOf + "1029", outOf + "1030"}},
      // A time as long as a decimal holds is no more than past its field.
      {{"CARRIER-PERIOD=79228162514264337593543950335u"}, "7",
       {"[FW] ProjConfig: SIR_PR2: CARRIER-PERIOD=79228162514264337593543950335u" + pastByte + "51u",
        "[FW] ProjConfig: SIR_DC: CARRIER-DUTY-CYCLE=50" + pastByte + "0"},
       {outOf + "1029", outOf + "1030"}},
      // A text past what its length byte counts is named without its value, its length in bytes.
      {{"ROOM-LEGEND-GIF[1]=\"" + std::string(260, 'g') + "\""}, "9",
       {"[CONFIG] Legend GIFs: ROOM-LEGEND-GIF[1] is 260 bytes long, and its field holds at most 255"},
       {"[E]pokeLString error - string exceeds max length 712"}},
      {{"ROOM-LEGEND-GIF[1]=\"" + eAcute + "\""}, "9",
       {"[CONFIG] Legend GIFs: ROOM-LEGEND-GIF[1] is 256 bytes long, and its field holds at most 255"},
       {"[E]pokeLString error - string exceeds max length 712"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.changes[0].substr(0, 40) + " format " + c.format);
    std::string text = room;
    for (const std::string& change : c.changes) text = listing_lines::withLine(text, change);
    folder.writeFile("r.room", text);
    EXPECT_EQ(runOrvellaConfig({"check", dir + "r.room"}).status, 0);
    ProgramRun run = runOrvellaConfig({"build", dir + "r.room", "--format", c.format, "-o", dir + "r.img",
                                       "--listing", dir + "r.lst"});
    EXPECT_EQ(run.status, 65);
    std::string err = "orvella-config: the image of '" + dir + "r.room' has errors (see the listing in '" + dir +
                      "r.lst') and was not written\n";
    for (const std::string& line : c.lines) err += dir + "r.room: " + line + "\n";
    EXPECT_EQ(run.err, err);
    EXPECT_FALSE(platform::readWholeFile(dir + "r.img"));
    const std::string listing = platform::readWholeFile(dir + "r.lst").value_or("");
    EXPECT_EQ(listing.substr(0, kBanner.size()), kBanner);
    EXPECT_EQ(listing_lines::starting(listing, "[E]"), c.listed);
  }
}

// A value the image does not keep is named in a warning, a long one cut as error lines are: at
// 320 bytes, or before a character that the 320th byte falls inside.
TEST(BuildCommand, AWarningCutsALongValue) {
  TempXdgHome folder;
  const std::string dir = folder.root() + "/";
  const std::string room = readOrFail(kLibrary + "/orvella/userrooms/Room 101.room");
  auto times = [](int count, const std::string& text) {
    std::string repeated;
    for (int i = 0; i < count; ++i) repeated += text;
    return repeated;
  };
  const std::string statement = "ROOM-LEGEND-NAME[1]=\"";  // 21 bytes
  const struct {
    std::string name;
    std::string shown;  // of the statement
  } cases[] = {
      {times(2500, "\xC3\xA9"), statement + times(149, "\xC3\xA9") + " ... (4703 more bytes in the file)"},
      {times(2000, "\xE2\x82\xAC"), statement + times(99, "\xE2\x82\xAC") + " ... (5704 more bytes in the file)"},
      {std::string(298, 'P'), statement + std::string(298, 'P') + "\""},  // 320 bytes: whole
      {std::string(299, 'P'), statement + std::string(299, 'P') + " ... (1 more byte in the file)"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.shown.substr(0, 40));
    folder.writeFile("r.room", listing_lines::withLine(room, statement + c.name + "\""));
    ProgramRun run =
        runOrvellaConfig({"build", dir + "r.room", "--format", "7", "-o", dir + "r.img", "--listing", dir + "r.lst"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.err.find(dir + "r.room: warning: " + c.shown + " is not kept in memory format 7\n"), std::string::npos)
        << run.err.substr(0, 400);
  }
}

}  // namespace
