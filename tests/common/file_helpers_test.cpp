#include "common/file_helpers.h"

#include <gtest/gtest.h>

#include <chrono>
#include <ctime>

#include "common/unreadable_folders.h"
#include "tests/fakes/platform_doubles.h"
#include "tests/fakes/temp_xdg_home.h"

using platform::MsgAnswer;
using platform::MsgButtons;
using platform::MsgIcon;

namespace {

TEST(FileNames, SplitAtEverySeparatorAndTheLastDot) {
  struct Case { const char *path, *fileName, *baseName, *ext; } cases[] = {
      {"C:\\a\\b.tar.gz", "b.tar.gz", "b.tar", "gz"},
      {"C:b.txt", "b.txt", "b", "txt"},
      {"/lib/orvella/drivers/Acme PX (1.2).prjdrv", "Acme PX (1.2).prjdrv", "Acme PX (1.2)", "prjdrv"},
      {"README", "README", "README", "README"},
      {"dir.d/README", "README", "README", "d/README"},
      {"a/", "", "", "a/"},
      {"x.", "x.", "x", ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(VXCommon::fileNameOf(c.path), c.fileName) << c.path;
    EXPECT_EQ(VXCommon::baseNameOf(c.path), c.baseName) << c.path;
    EXPECT_EQ(VXCommon::extOf(c.path), c.ext) << c.path;
  }
}

TEST(FileTests, TellFilesFromFolders) {
  TempXdgHome home;
  ScriptedMessageBoxes boxes;
  FakeDirectoryLister lister;
  home.writeFile("lib/a.room");
  home.writeFile("lib/.hidden");
  home.makeDir("lib/sub");
  const std::string lib = home.root() + "/lib/";
  struct Case { std::string path; bool file, dir; } cases[] = {
      {"", false, false},      {lib, false, true},           {lib + "a.room", true, true},
      {lib + "sub", false, true}, {lib + "sub//", false, true}, {lib + "missing.room", false, false},
      {lib + ".hidden", false, false}, {lib + "*.room", false, false}, {lib + "a.roo?", false, false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(VXCommon::fileExists(c.path), c.file) << c.path;
    EXPECT_EQ(VXCommon::dirExists(c.path), c.dir) << c.path;
  }
  EXPECT_TRUE(boxes.shown.empty());
  // Empty and wildcard paths name no file: they are never listed.
  for (const std::string& pattern : lister.patterns)
    EXPECT_TRUE(!pattern.empty() && pattern.find_first_of("*?") == std::string::npos) << pattern;
}

// Each box as its text, buttons and icon.
std::vector<std::string> described(const std::vector<ShownBox>& boxes) {
  std::vector<std::string> out;
  for (const ShownBox& b : boxes)
    out.push_back(b.text + " " + std::to_string(int(b.buttons)) + std::to_string(int(b.icon)));
  return out;
}

TEST(FileTests, AnswerDiskErrorsWithMessageBoxes) {
  TempXdgHome home;
  home.writeFile("f.txt");
  const std::string path = home.root() + "/f.txt";
  const ShownBox floppy = {"Put floppy disk in drive and clode the drive door", MsgButtons::OkCancel, MsgIcon::Warning};
  struct Case {
    std::vector<std::pair<int, std::string>> failures;
    std::vector<MsgAnswer> answers;
    bool exists;
    std::vector<ShownBox> shown;
  } cases[] = {
      {{{71, "Disk not ready"}}, {MsgAnswer::Cancel}, false, {floppy}},
      {{{71, "x"}, {71, "x"}}, {MsgAnswer::Ok, MsgAnswer::Ok}, true, {floppy, floppy}},
      {{{68, "Device unavailable"}}, {}, false,
       {{"This drive or path does not exist: " + path, MsgButtons::Ok, MsgIcon::Warning}}},
      {{{13, "Permission denied"}}, {}, false,
       {{"unexpected error # 13 occured :Permission denied: '" + home.root() + "/'", MsgButtons::Ok, MsgIcon::Stop}}},
  };
  for (const Case& c : cases) {
    for (bool dirTest : {false, true}) {
      SCOPED_TRACE(c.shown.back().text);
      FakeDirectoryLister lister;
      ScriptedMessageBoxes boxes;
      for (const auto& [error, text] : c.failures) lister.failNext(error, text);
      boxes.script(c.answers);
      EXPECT_EQ(dirTest ? VXCommon::dirExists(path) : VXCommon::fileExists(path), c.exists);
      EXPECT_EQ(described(boxes.shown), described(c.shown));
    }
  }
  VXCommon::resetUnreadableFolders();  // the unexpected error noted its folder
}

TEST(WaitMs, SleepsForTheTimeAsked) {
  using namespace std::chrono;
  auto start = steady_clock::now();
  VXCommon::waitMs(0);
  VXCommon::waitMs(-5);
  EXPECT_LT(steady_clock::now() - start, milliseconds(5));
  const std::clock_t cpuBefore = std::clock();
  start = steady_clock::now();
  VXCommon::waitMs(60);
  auto waited = steady_clock::now() - start;
  EXPECT_GE(waited, milliseconds(60));
  EXPECT_LT(waited, milliseconds(1000));
  // Sleeping, not spinning: the wait costs next to no processor time.
  EXPECT_LT(double(std::clock() - cpuBefore) / CLOCKS_PER_SEC, 0.020);
}

}  // namespace
