// A room whose legend texts do not fit the image's legend table, or a driver whose name does
// not fit the image's driver name field, checks clean but does not build: the program says on
// stderr which field, how many bytes its text needs and it holds, and which legends to shorten;
// the listing names the field by its addresses; no image is written.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "platform/fs_util.h"
#include "tests/fakes/listing_lines.h"
#include "tests/fakes/program_runner.h"
#include "tests/fakes/temp_xdg_home.h"

namespace {

// The file checks clean, but its format-9 build fails (65) with `error` as the one error line
// on stderr and `listed` as the one in the listing (`error` when none is given), and writes no
// image.
void expectChecksButDoesNotBuild(const std::string& path, const std::string& error, std::string listed = "") {
  if (listed.empty()) listed = error;
  const std::string image = path + ".img";
  EXPECT_EQ(runOrvellaConfig({"check", path}).status, 0);
  ProgramRun run = runOrvellaConfig({"build", path, "--format", "9", "-o", image});
  EXPECT_EQ(run.status, 65);
  EXPECT_EQ(run.err, "orvella-config: the image of '" + path + "' has errors (see the listing) and was not written\n" +
                         path + ": " + error + "\n");
  EXPECT_EQ(listing_lines::starting(run.out, "[E]"), std::vector<std::string>{"[E]" + listed});
  EXPECT_FALSE(platform::readWholeFile(image));
}

std::string exampleRoom() {
  std::ifstream saved(std::string(ORVELLA_SOURCE_DIR) + "/examples/library/orvella/userrooms/Room 101.room",
                      std::ios::binary);
  std::stringstream text;
  text << saved.rdbuf();
  return text.str();
}

TEST(LegendFit, ARoomWithALegendTooLongSaysWhichAndWritesNoImage) {
  TempXdgHome folder;
  std::string room = exampleRoom();
  const std::string legend = "ROOM-LEGEND-NAME[1]=\"PC\"";
  ASSERT_NE(room.find(legend), std::string::npos);
  room.replace(room.find(legend), legend.size(), "ROOM-LEGEND-NAME[1]=\"" + std::string(150, 'P') + "\"");
  folder.writeFile("long.room", room);
  expectChecksButDoesNotBuild(folder.root() + "/long.room",
                              "[CONFIG] Legend Table: ROOM-LEGEND-NAME[1] (150 bytes), ROOM-LEGEND-NAME[2] (11 bytes), "
                              "ROOM-LEGEND-NAME[3] (3 bytes) and ROOM-LEGEND-NAME[4] (10 bytes) need 178 bytes with "
                              "the table's 4 length bytes; the field holds 152; ROOM-LEGEND-NAME[1] is 26 bytes too long",
                              "[CONFIG] Legend Table - the texts of 'ROOM-LEGEND-NAME' need 178 bytes with their "
                              "length bytes, but its field $0180-$021F holds 152 after its 4 pointers; "
                              "'ROOM-LEGEND-NAME[1]' is 26 bytes too long");
}

// Two legends that each fit alone do not together: every legend that holds text is named with
// its bytes (an "é" is two), and none alone is to blame.
TEST(LegendFit, LegendsTooLongTogetherAreEachNamedWithTheirBytes) {
  TempXdgHome folder;
  std::string font = std::string(25, 'F');
  for (int i = 0; i < 25; ++i) font += "\xC3\xA9";  // é
  font += std::string(25, 'F');
  std::string room = listing_lines::withLine(exampleRoom(), "ROOM-LEGEND-FONT[1]=\"" + font + "\"");
  room = listing_lines::withLine(room, "ROOM-LEGEND-FONT[4]=\"" + std::string(64, 'F') + "\"");
  folder.writeFile("fonts.room", room);
  expectChecksButDoesNotBuild(folder.root() + "/fonts.room",
                              "[CONFIG] Legend Fonts: ROOM-LEGEND-FONT[1] (100 bytes), ROOM-LEGEND-FONT[2] (12 bytes), "
                              "ROOM-LEGEND-FONT[3] (12 bytes) and ROOM-LEGEND-FONT[4] (64 bytes) need 192 bytes with "
                              "the table's 4 length bytes; the field holds 152",
                              "[CONFIG] Legend Fonts - the texts of 'ROOM-LEGEND-FONT' need 192 bytes with their "
                              "length bytes, but its field $0220-$02BF holds 152 after its 4 pointers");
}

// A legend table exactly full (148 bytes of text and its 4 length bytes) builds, and decode
// gives every name back without a word, though the driver has legend names of its own.
TEST(LegendFit, AFullLegendTableComesBackWhole) {
  TempXdgHome folder;
  const std::string lib = folder.root() + "/lib", dir = folder.root() + "/";
  const std::string driverName = "Acme PX-100 (Rev A).prjdrv";
  const auto driver =
      platform::readWholeFile(std::string(ORVELLA_SOURCE_DIR) + "/examples/library/orvella/drivers/" + driverName);
  ASSERT_TRUE(driver);
  std::string own = *driver;
  for (const char* line : {"ROOM-LEGEND-NAME[1]=\"DrvA\"", "ROOM-LEGEND-NAME[2]=\"DrvB\"",
                           "ROOM-LEGEND-NAME[3]=\"DrvC\"", "ROOM-LEGEND-NAME[4]=\"DrvD\""})
    own = listing_lines::withLine(own, line);
  folder.writeFile("lib/orvella/drivers/" + driverName, own);
  const std::vector<std::string> names = {"ROOM-LEGEND-NAME[1]=\"" + std::string(145, 'N') + "\"",
                                          "ROOM-LEGEND-NAME[2]=\"a\"", "ROOM-LEGEND-NAME[3]=\"b\"",
                                          "ROOM-LEGEND-NAME[4]=\"c\""};
  std::string room = exampleRoom();
  for (const std::string& line : names) room = listing_lines::withLine(room, line);
  folder.writeFile("full.room", room);

  ASSERT_EQ(runOrvellaConfig({"--library", lib, "--fw", "2.0", "build", dir + "full.room", "--format", "9", "-o",
                              dir + "full.img", "--listing", dir + "full.txt"}).status, 0);
  const ProgramRun run = runOrvellaConfig({"--library", lib, "--fw", "2.0", "decode", "--image", dir + "full.img",
                                           "-o", dir + "back.room", "--listing", dir + "back.txt"});
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.err, "");
  const auto back = platform::readWholeFile(dir + "back.room");
  ASSERT_TRUE(back);
  std::vector<std::string> legends;
  for (const std::string& line : listing_lines::of(*back))
    if (line.rfind("ROOM-LEGEND-NAME[", 0) == 0) legends.push_back(line);
  EXPECT_EQ(legends, names);
}

// The driver's name is its file name, and format 9 keeps 109 bytes for it.
TEST(LegendFit, ADriverNameTooLongForItsFieldSaysSoAndWritesNoImage) {
  TempXdgHome folder;
  const auto driver = platform::readWholeFile(std::string(ORVELLA_SOURCE_DIR) +
                                              "/examples/library/orvella/drivers/Acme PX-200 (Rev A).prjdrv");
  ASSERT_TRUE(driver);
  const std::string name = "Acme PX-200 (Rev A) " + std::string(144, 'X') + ".prjdrv";
  ASSERT_EQ(name.size(), 171u);
  folder.writeFile(name, *driver);
  expectChecksButDoesNotBuild(folder.root() + "/" + name,
                              "[CONFIG] Projector Driver Name - the text of 'PROJ-DRIVER-NAME' needs 172 bytes with "
                              "its length byte, but its field $0013-$007F holds 109");
}

}  // namespace
