// Listings on a terminal: what a room file or a panel holds is shown escaped there, as messages
// show it, and the lines keep their CR LF; a file gets the listing's bytes as they are.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/fs_util.h"
#include "tests/fakes/listing_lines.h"
#include "tests/fakes/program_runner.h"
#include "tests/fakes/temp_xdg_home.h"

namespace {

const std::string kRoom = std::string(ORVELLA_SOURCE_DIR) + "/examples/library/orvella/userrooms/Room 101.room";

TEST(TerminalListing, EscapedOnATerminalKeptInAFile) {
  TempXdgHome home;
  const std::string dir = home.root() + "/";
  home.writeFile("note.room", listing_lines::withLine(*platform::readWholeFile(kRoom),
                                                      "ROOM-USR-NOTE=\"A\x1B[2JB\x1B]0;t\x07" "C\""));
  std::string image(8192, '\0');
  image.replace(0, 4, "AB\x7F\x80");
  home.writeFile("panel.img", image);

  using Kind = ProgramStdout::Kind;
  const struct {
    std::vector<std::string> args;
    Kind to;
    std::string shown, never;
  } cases[] = {
      {{"check", dir + "note.room"}, Kind::terminal, "    ROOM-USR-NOTE=\"A\\x1B[2JB\\x1B]0;t\\x07C\"\r\n", "\x1B"},
      {{"check", dir + "note.room"}, Kind::captured, "    ROOM-USR-NOTE=\"A\x1B[2JB\x1B]0;t\x07" "C\"\r\n", "\\x1B"},
      {{"dump", "--image", dir + "panel.img", "--to", "15"}, Kind::terminal, "   AB\\x7F\\x80............\r\n", "\x7F"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.args[0] + (c.to == Kind::terminal ? " on a terminal" : " to a file"));
    const ProgramRun run = runOrvellaConfig(c.args, {c.to, ""});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.out.find(c.shown), std::string::npos) << run.out;
    EXPECT_EQ(run.out.find(c.never), std::string::npos) << run.out;
  }
}

}  // namespace
