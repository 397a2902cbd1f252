// A room whose legend texts do not fit the image's legend table, or a driver whose name does
// not fit the image's driver name field, checks clean but does not build: the program says on
// stderr which field, how many bytes its text needs and it holds, and which legend to shorten;
// no image is written.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

#include "platform/fs_util.h"
#include "tests/fakes/program_runner.h"
#include "tests/fakes/temp_xdg_home.h"

namespace {

// The file checks clean, but its format-9 build fails (65) with `error` as the one error line
// and writes no image.
void expectChecksButDoesNotBuild(const std::string& path, const std::string& error) {
  const std::string image = path + ".img";
  EXPECT_EQ(runOrvellaConfig({"check", path}).status, 0);
  ProgramRun run = runOrvellaConfig({"build", path, "--format", "9", "-o", image});
  EXPECT_EQ(run.status, 65);
  EXPECT_EQ(run.err, "orvella-config: the image of '" + path + "' has errors (see the listing) and was not written\n" +
                         path + ": " + error + "\n");
  EXPECT_FALSE(platform::readWholeFile(image));
}

TEST(LegendFit, ARoomWithALegendTooLongSaysWhichAndWritesNoImage) {
  TempXdgHome folder;
  std::ifstream saved(std::string(ORVELLA_SOURCE_DIR) + "/examples/library/orvella/userrooms/Room 101.room",
                      std::ios::binary);
  std::stringstream text;
  text << saved.rdbuf();
  std::string room = text.str();
  const std::string legend = "ROOM-LEGEND-NAME[1]=\"PC\"";
  ASSERT_NE(room.find(legend), std::string::npos);
  room.replace(room.find(legend), legend.size(), "ROOM-LEGEND-NAME[1]=\"" + std::string(150, 'P') + "\"");
  folder.writeFile("long.room", room);
  expectChecksButDoesNotBuild(folder.root() + "/long.room",
                              "[CONFIG] Legend Table - the texts of 'ROOM-LEGEND-NAME' need 178 bytes with their "
                              "length bytes, but its field $0180-$021F holds 152 after its 4 pointers; "
                              "'ROOM-LEGEND-NAME[1]' is 26 bytes too long");
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
