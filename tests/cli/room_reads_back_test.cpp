// Every room file the program writes reads back: a driver name or a text that no room file can
// hold is refused by room and decode -o (73, nothing written) and said by build; an older-format
// code that a room could not say again fails its check; each time is written so that the room
// reads back as the same time, writes again byte for byte and builds its source's image.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/fs_util.h"
#include "tests/fakes/listing_lines.h"
#include "tests/fakes/program_runner.h"
#include "tests/fakes/temp_xdg_home.h"

namespace {

const std::string kSamples = std::string(ORVELLA_SOURCE_DIR) + "/examples/library/orvella/";
constexpr size_t kTimeStamp = 0x0120, kTimeStampSize = 32;

std::string sample(const std::string& path) {
  const auto bytes = platform::readWholeFile(kSamples + path);
  EXPECT_TRUE(bytes) << path;
  return bytes.value_or("");
}

std::string firstLine(const std::string& text) { return text.substr(0, text.find('\n')); }

bool holds(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

// The program with the library of `home` and a panel of firmware 2.0.
ProgramRun run(const TempXdgHome& home, std::vector<std::string> args) {
  args.insert(args.begin(), {"--library", home.root() + "/lib", "--fw", "2.0"});
  return runOrvellaConfig(args);
}

// An image without the time it was built.
std::string untimed(const std::string& path) {
  std::string image = platform::readWholeFile(path).value_or("");
  if (image.size() >= kTimeStamp + kTimeStampSize) image.replace(kTimeStamp, kTimeStampSize, kTimeStampSize, '\0');
  return image;
}

TEST(RoomReadsBack, ADriverNameOrTextNoRoomFileHoldsIsRefused) {
  const std::string quote = "it holds a single quote, which would end it";
  const std::string lineEnd = "it holds a line end, which would end its statement";
  const std::string cut = "a driver is named by its file name after its last '";
  const std::string named = "', so the room would name the driver 'IR (Rev A).prjdrv'";
  struct {
    std::string driver;   // a copy of the infrared driver under this name
    std::string shown;    // the name as a message shows it
    std::string why;
    int decoded;          // decode -o of its image: 73, or 4 when the image names another driver
  } cases[] = {
      {"O'Neil IR (Rev A).prjdrv", "O'Neil IR (Rev A).prjdrv", quote, 73},
      {"Borel\nIR (Rev A).prjdrv", "Borel\\x0AIR (Rev A).prjdrv", lineEnd, 73},
      {"Borel\rIR (Rev A).prjdrv", "Borel\\x0DIR (Rev A).prjdrv", lineEnd, 73},
      {"Borel\r\nIR (Rev A).prjdrv", "Borel\\x0D\\x0AIR (Rev A).prjdrv", lineEnd, 73},
      {"Borel:IR (Rev A).prjdrv", "Borel:IR (Rev A).prjdrv", cut + ":" + named, 4},
      {"Borel\\IR (Rev A).prjdrv", "Borel\\IR (Rev A).prjdrv", cut + "\\" + named, 4},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.shown);
    TempXdgHome home;
    const std::string dir = home.root() + "/", drivers = dir + "lib/orvella/drivers/";
    home.writeFile("lib/orvella/drivers/" + c.driver, sample("drivers/Borel IR-5 (Rev A).prjdrv"));
    const std::string refusal =
        "a room file cannot hold PROJ-DRIVER-NAME '" + c.shown + "': " + c.why;

    ProgramRun room = run(home, {"room", drivers + c.driver, "-o", dir + "out.room"});
    EXPECT_EQ(room.status, 73);
    EXPECT_EQ(room.err, "orvella-config: cannot write '" + dir + "out.room': " + refusal + "\n");
    EXPECT_FALSE(platform::readWholeFile(dir + "out.room"));

    // build writes its image and says so once, in the same words.
    ProgramRun build = run(home, {"build", drivers + c.driver, "--format", "9", "-o", dir + "x.img", "--listing",
                                  dir + "x.txt"});
    EXPECT_EQ(build.status, 0);
    EXPECT_EQ(firstLine(build.err),
              drivers + c.shown + ": warning: " + refusal + "; decode of the image writes no room");
    EXPECT_FALSE(holds(build.err, "cannot tell")) << build.err;
    ASSERT_EQ(untimed(dir + "x.img").size(), 8192u);

    // decode refuses before it writes anything: neither listing nor room.
    ProgramRun decode = run(home, {"decode", "--image", dir + "x.img", "-o", dir + "d.room", "--listing", dir + "d.txt"});
    EXPECT_EQ(decode.status, c.decoded);
    if (c.decoded == 73) {
      EXPECT_EQ(decode.err, "orvella-config: cannot write '" + dir + "d.room': " + refusal + "\n");
      EXPECT_FALSE(platform::readWholeFile(dir + "d.txt"));
    }
    EXPECT_FALSE(platform::readWholeFile(dir + "d.room"));
  }
}

// An older-format record whose code a room could not say again, or whose escape the panel has no
// code for, fails the driver's check with its one error, and nothing is written from it.
TEST(RoomReadsBack, AnOlderFormatCodeNoRoomFileHoldsFailsTheCheck) {
  const std::string original = sample("drivers/Acme PX-100 (Rev A).prj");
  struct {
    std::string line, changed;  // a line of the driver and what it becomes
    std::string error;          // its error on stderr, after the driver's name and line
  } cases[] = {
      {"POWER-POLL-MATCH-STR|'PW',$31|", "POWER-POLL-MATCH-STR|'PW\"'|",
       ":38: Record 'POWER-POLL-MATCH-STR': a code string may not hold a double quote: 'PW\"'"},
      {"PROJ-NAME|Acme PX-100|", "PROJ-NAME|O'Neil|", ":2: Record 'PROJ-NAME': a text may not hold its own quote character: O'Neil"},
      {"CODE|VUP|2|N|N|N|0||N|$02,'VOL',$1B,'W',2,$03|2|", "CODE|VUP|2|N|N|N|0||N|$02,'VOL',$1B,'W',5,$03|2|",
       ":15: The value following a W is 5, and a W takes 0 to 3."},
      {"CODE|VDN|2|N|N|N|0||N|$02,'VOL',$1B,'W',2,$03|2|", "CODE|VDN|2|N|N|N|0||N|$02,'VOL',$1B,'W',4|2|",
       ":16: The value following a W is 4, and a W takes 0 to 3."},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.changed);
    TempXdgHome home;
    const std::string dir = home.root() + "/";
    std::string driver = original;
    ASSERT_TRUE(holds(driver, c.line));
    driver.replace(driver.find(c.line), c.line.size(), c.changed);
    home.writeFile("lib/orvella/drivers/Acme PX-100 (Rev A).prj", driver);
    const std::string path = dir + "lib/orvella/drivers/Acme PX-100 (Rev A).prj";
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"room", path, "-o", dir + "out"}, {"build", path, "--format", "9", "-o", dir + "out"}}) {
      ProgramRun written = run(home, args);
      EXPECT_EQ(written.status, 2) << args[0];
      EXPECT_TRUE(holds(written.err, "\n" + path + c.error + "\n")) << written.err;
      EXPECT_FALSE(platform::readWholeFile(dir + "out")) << args[0];
    }
  }
}

// A time reads back as the very time it was written from: a room of the room is the same bytes,
// and the room builds its source's image in every format.
TEST(RoomReadsBack, TimesAreWrittenExactly) {
  const std::string room101 = sample("userrooms/Room 101.room");
  struct {
    std::string source;  // "room": Room 101 with `statement`; "driver": the infrared driver with it
    std::string statement, written;
  } cases[] = {
      {"room", "ROOM-PROJ-LOCKOUT=60.000001s", "ROOM-PROJ-LOCKOUT=60.000001s"},
      {"room", "ROOM-PROJ-LOCKOUT=45s", "ROOM-PROJ-LOCKOUT=45s"},
      {"room", "WARM-UP-DELAY=60.3947s", "WARM-UP-DELAY=60.3947s"},
      {"room", "DEFAULT-LOCKOUT=60.3947s", "DEFAULT-LOCKOUT=60.3947s"},
      {"room", "POWER-POLL-LOCKOUT=60.3947s", "POWER-POLL-LOCKOUT=60.3947s"},
      {"room", "ROOM-INACT-SHUTDOWN-TIMER=4020s", "ROOM-INACT-SHUTDOWN-TIMER=67M"},
      {"room", "POWER-POLL-INTERVAL=90s", "POWER-POLL-INTERVAL=1.5M"},
      {"room", "ROOM-INACT-SHUTDOWN-TIMER=60.9999M", "ROOM-INACT-SHUTDOWN-TIMER=60.9999M"},
      {"room", "ROOM-INACT-SHUTDOWN-TIMER=2H", "ROOM-INACT-SHUTDOWN-TIMER=2H"},
      {"driver", "IRCODE['REPEAT']=\"D61s\"", "IRCODE['REPEAT']=\"D61s\""},
      {"driver", "IRCODE['REPEAT']=\"D1.5M,d60.3947s\"", "IRCODE['REPEAT']=\"D1.5M,d60.3947s\""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.statement);
    TempXdgHome home;
    const std::string dir = home.root() + "/";
    const std::string driver = sample("drivers/Borel IR-5 (Rev A).prjdrv");
    home.writeFile("lib/orvella/drivers/Acme PX-100 (Rev A).prjdrv", sample("drivers/Acme PX-100 (Rev A).prjdrv"));
    home.writeFile("lib/orvella/drivers/Borel IR-5 (Rev A).prjdrv", listing_lines::withLine(driver, c.statement));
    const std::string source = c.source == "room" ? dir + "r.room" : dir + "lib/orvella/drivers/Borel IR-5 (Rev A).prjdrv";
    if (c.source == "room") home.writeFile("r.room", listing_lines::withLine(room101, c.statement));

    ASSERT_EQ(run(home, {"room", source, "-o", dir + "a.room"}).status, 0);
    ASSERT_EQ(run(home, {"room", dir + "a.room", "-o", dir + "b.room"}).status, 0);
    const std::string written = platform::readWholeFile(dir + "a.room").value_or("");
    EXPECT_TRUE(holds(written, "\n" + c.written + "\r\n")) << written;
    EXPECT_EQ(platform::readWholeFile(dir + "b.room").value_or(""), written);
    for (const char* format : {"7", "8", "9"}) {
      ASSERT_EQ(run(home, {"build", source, "--format", format, "-o", dir + "s.img", "--listing", dir + "s.txt"}).status, 0);
      ASSERT_EQ(run(home, {"build", dir + "a.room", "--format", format, "-o", dir + "a.img", "--listing", dir + "a.txt"})
                    .status, 0);
      EXPECT_TRUE(untimed(dir + "a.img") == untimed(dir + "s.img")) << "format " << format;
    }
  }
}

// A time that the panel keeps in ticks comes back from decode as the ticks' time, exactly: 128
// ticks of 470 ms are 60.16 s.
TEST(RoomReadsBack, ADecodedTimeIsWrittenExactly) {
  TempXdgHome home;
  const std::string dir = home.root() + "/";
  home.writeFile("lib/orvella/drivers/Acme PX-100 (Rev A).prjdrv", sample("drivers/Acme PX-100 (Rev A).prjdrv"));
  home.writeFile("r.room", listing_lines::withLine(sample("userrooms/Room 101.room"), "ROOM-PROJ-LOCKOUT=60.16s"));
  ASSERT_EQ(run(home, {"build", dir + "r.room", "--format", "8", "-o", dir + "r.img", "--listing", dir + "r.txt"}).status, 0);
  ProgramRun decode = run(home, {"decode", "--image", dir + "r.img", "-o", dir + "d.room", "--listing", dir + "d.txt"});
  EXPECT_EQ(decode.status, 0) << decode.err;
  EXPECT_TRUE(holds(platform::readWholeFile(dir + "d.room").value_or(""), "\nROOM-PROJ-LOCKOUT=60.16s\r\n"));
}

// A room whose driver the library lacks builds, with a word that decode will not read the image
// back until the driver is there.
TEST(RoomReadsBack, BuildNamesADriverTheLibraryLacks) {
  TempXdgHome home;
  const std::string dir = home.root() + "/";
  home.writeFile("lib/orvella/drivers/Acme PX-100 (Rev A).prjdrv", sample("drivers/Acme PX-100 (Rev A).prjdrv"));
  home.writeFile("r.room", listing_lines::withLine(sample("userrooms/Room 101.room"),
                                                   "PROJ-DRIVER-NAME='Nobody Z9 (Rev A).prjdrv'"));
  ProgramRun build = run(home, {"build", dir + "r.room", "--format", "9", "-o", dir + "r.img", "--listing", dir + "r.txt"});
  EXPECT_EQ(build.status, 0);
  EXPECT_EQ(firstLine(build.err), dir + "r.room: warning: the image names the driver 'Nobody Z9 (Rev A).prjdrv', which "
                                  "the drivers folder " + dir + "lib/orvella/drivers/ does not hold: decode reads the "
                                  "image back only once the driver is there");
  EXPECT_EQ(untimed(dir + "r.img").size(), 8192u);
  EXPECT_EQ(run(home, {"decode", "--image", dir + "r.img", "--listing", dir + "d.txt"}).status, 4);
}

}  // namespace
