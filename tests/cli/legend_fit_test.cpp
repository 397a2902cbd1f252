// A room whose legend texts do not fit the image's legend table checks clean but does not
// build: the program says on stderr which table, how many bytes its texts need and hold, and
// which legend to shorten; no image is written.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

#include "platform/fs_util.h"
#include "tests/fakes/program_runner.h"
#include "tests/fakes/temp_xdg_home.h"

namespace {

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
  const std::string path = folder.root() + "/long.room", image = folder.root() + "/long.img";

  EXPECT_EQ(runOrvellaConfig({"check", path}).status, 0);
  ProgramRun run = runOrvellaConfig({"build", path, "--format", "9", "-o", image});
  EXPECT_EQ(run.status, 65);
  EXPECT_EQ(run.err,
            "orvella-config: the image of '" + path + "' has errors (see the listing); nothing written\n" + path +
                ": [CONFIG] Legend Table - the texts of 'ROOM-LEGEND-NAME' need 178 bytes with their length "
                "bytes, but its field $0180-$021F holds 152 after its 4 pointers; 'ROOM-LEGEND-NAME[1]' is 26 "
                "characters too long\n");
  EXPECT_FALSE(platform::readWholeFile(image));
}

}  // namespace
