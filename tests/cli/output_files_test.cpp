// orvella-config's outputs, run as a program: an output that is an input, or two outputs that
// are one file, refused before anything is written; "-" as standard output; a link followed and
// kept; a FIFO written, not replaced; a folder that cannot hold the file.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <future>
#include <string>
#include <vector>

#include "platform/fs_util.h"
#include "tests/fakes/program_runner.h"
#include "tests/fakes/temp_xdg_home.h"

namespace {

const std::string kDriver =
    std::string(ORVELLA_SOURCE_DIR) + "/examples/library/orvella/drivers/Acme PX-200 (Rev B).prjdrv";

mode_t typeOf(const std::string& path) {
  struct stat info {};
  return ::lstat(path.c_str(), &info) == 0 ? info.st_mode & S_IFMT : 0;
}

TEST(OutputFiles, NeverDestroyAnInputOrADevice) {
  TempXdgHome home;
  const std::string dir = home.root() + "/", driver = dir + "d.prjdrv";
  home.writeFile("d.prjdrv", *platform::readWholeFile(kDriver));
  home.writeFile("target.room", "old");
  ::symlink((dir + "d.prjdrv").c_str(), (dir + "input-link.room").c_str());
  ::symlink("target.room", (dir + "link.room").c_str());
  ::symlink("made.room", (dir + "dangling.room").c_str());
  ::mkfifo((dir + "fifo.room").c_str(), 0600);
  auto fifoRead = std::async(std::launch::async, [&] { return platform::readWholeFile(dir + "fifo.room"); });
  ASSERT_EQ(runOrvellaConfig({"room", driver, "-o", dir + "first.room"}).status, 0);
  const std::string room = platform::readWholeFile(dir + "first.room").value_or("");
  struct {
    std::vector<std::string> args;
    int status;
    std::string err;  // part of stderr
  } cases[] = {
      {{"room", driver, "-o", driver}, 64, "-o '" + driver + "' is the input '" + driver + "'"},
      {{"room", driver, "-o", dir + "input-link.room"}, 64, "is the input"},
      {{"build", driver, "--format", "9", "-o", dir + "x.img", "--listing", dir + "x.img"}, 64,
       "--listing '" + dir + "x.img' and -o '" + dir + "x.img' are one file"},
      {{"build", driver, "--format", "9", "-o", "-"}, 64,
       "--listing (standard output) and -o (standard output) are one file"},
      {{"room", driver, "-o", ""}, 64, "must not be empty"},
      {{"room", driver, "-o", "-"}, 0, ""},
      {{"room", driver, "-o", dir + "link.room"}, 0, ""},
      {{"room", driver, "-o", dir + "dangling.room"}, 0, ""},
      {{"room", driver, "-o", dir + "fifo.room"}, 0, ""},
      {{"room", driver, "-o", driver + "/x.room"}, 73, "cannot write '" + driver + "/x.room': Not a directory"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.args));
    ProgramRun run = runOrvellaConfig(c.args);
    EXPECT_EQ(run.status, c.status);
    EXPECT_NE(run.err.find(c.err), std::string::npos) << run.err;
    EXPECT_EQ(run.out, c.args.back() == "-" && c.status == 0 ? room : "");
  }
  EXPECT_EQ(platform::readWholeFile(driver), platform::readWholeFile(kDriver));
  EXPECT_EQ(typeOf(dir + "x.img"), 0u);
  EXPECT_EQ(typeOf("-"), 0u);  // no file named "-" in the working folder
  for (const char* link : {"link.room", "dangling.room"}) EXPECT_EQ(typeOf(dir + link), mode_t(S_IFLNK)) << link;
  EXPECT_EQ(platform::readWholeFile(dir + "target.room"), room);
  EXPECT_EQ(platform::readWholeFile(dir + "made.room"), room);
  EXPECT_EQ(fifoRead.get(), room);
  EXPECT_EQ(typeOf(dir + "fifo.room"), mode_t(S_IFIFO));
}

}  // namespace
