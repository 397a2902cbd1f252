#include "common/file_helpers.h"

#include <gtest/gtest.h>

#include <time.h>

#include <chrono>

#include "tests/fakes/platform_doubles.h"
#include "tests/fakes/temp_xdg_home.h"

using platform::MsgAnswer;
using platform::MsgButtons;
using platform::MsgIcon;

namespace {

TEST(FileNames, SplitAtEverySeparatorAndTheLastDot) {
  struct Case {
    const char* path;
    const char* fileName;
    const char* baseName;
    const char* ext;
  } cases[] = {
      {"C:\\a\\b.txt", "b.txt", "b", "txt"},
      {"C:b.txt", "b.txt", "b", "txt"},
      {"/lib/orvella/drivers/Acme PX (1.2).prjdrv", "Acme PX (1.2).prjdrv", "Acme PX (1.2)", "prjdrv"},
      {"C:\\a\\b.tar.gz", "b.tar.gz", "b.tar", "gz"},
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
  EXPECT_EQ(VXCommon::stripExt("README"), "README");
  EXPECT_EQ(VXCommon::stripExt("b.tar.gz"), "b.tar");
}

TEST(FileTests, TellFilesFromFolders) {
  TempXdgHome home;
  ScriptedMessageBoxes boxes;
  home.writeFile("lib/a.room");
  home.writeFile("lib/.hidden");
  home.makeDir("lib/sub");
  const std::string lib = home.root() + "/lib/";
  struct Case {
    std::string path;
    bool file;
    bool dir;
  } cases[] = {
      {"", false, false},
      {lib, false, true},
      {lib + "a.room", true, true},
      {lib + "sub", false, true},
      {lib + "sub/", false, true},
      {lib + "sub//", false, true},
      {lib + "missing.room", false, false},
      {lib + ".hidden", false, false},
      {lib + "*.room", false, false},
      {lib + "a.roo?", false, false},
  };
  FakeDirectoryLister lister;
  for (const Case& c : cases) {
    EXPECT_EQ(VXCommon::fileExists(c.path), c.file) << c.path;
    EXPECT_EQ(VXCommon::dirExists(c.path), c.dir) << c.path;
  }
  EXPECT_TRUE(boxes.shown.empty());
  // Empty and wildcard paths name no file: they are never listed.
  for (const std::string& pattern : lister.patterns)
    EXPECT_TRUE(!pattern.empty() && pattern.find_first_of("*?") == std::string::npos) << pattern;
}

TEST(FileTests, AnswerDiskErrorsWithMessageBoxes) {
  const std::string floppy = "Put floppy disk in drive and clode the drive door";
  struct Case {
    const char* name;
    std::vector<std::pair<int, std::string>> failures;
    std::vector<MsgAnswer> answers;
    bool exists;
    std::vector<ShownBox> shown;
  } cases[] = {
      {"not ready, cancel", {{71, "Disk not ready"}}, {MsgAnswer::Cancel}, false,
       {{floppy, MsgButtons::OkCancel, MsgIcon::Warning}}},
      {"not ready twice, then found", {{71, "x"}, {71, "x"}}, {MsgAnswer::Ok, MsgAnswer::Ok}, true,
       {{floppy, MsgButtons::OkCancel, MsgIcon::Warning}, {floppy, MsgButtons::OkCancel, MsgIcon::Warning}}},
      {"device unavailable", {{68, "Device unavailable"}}, {}, false,
       {{"This drive or path does not exist: PATH", MsgButtons::Ok, MsgIcon::Warning}}},
      {"other error", {{13, "Permission denied"}}, {}, false,
       {{"unexpected error # 13 occured :Permission denied", MsgButtons::Ok, MsgIcon::Stop}}},
  };
  TempXdgHome home;
  home.writeFile("f.txt");
  const std::string path = home.root() + "/f.txt";
  for (const Case& c : cases) {
    for (bool dirTest : {false, true}) {
      FakeDirectoryLister lister;
      ScriptedMessageBoxes boxes;
      for (const auto& [error, text] : c.failures) lister.failNext(error, text);
      boxes.script(c.answers);
      bool exists = dirTest ? VXCommon::dirExists(path) : VXCommon::fileExists(path);
      EXPECT_EQ(exists, c.exists) << c.name;
      ASSERT_EQ(boxes.shown.size(), c.shown.size()) << c.name;
      for (size_t i = 0; i < c.shown.size(); ++i) {
        std::string expected = c.shown[i].text;
        if (auto at = expected.find("PATH"); at != std::string::npos) expected.replace(at, 4, path);
        EXPECT_EQ(boxes.shown[i].text, expected) << c.name;
        EXPECT_EQ(boxes.shown[i].buttons, c.shown[i].buttons) << c.name;
        EXPECT_EQ(boxes.shown[i].icon, c.shown[i].icon) << c.name;
      }
    }
  }
}

TEST(WaitMs, SleepsForTheTimeAsked) {
  using namespace std::chrono;
  auto start = steady_clock::now();
  VXCommon::waitMs(0);
  VXCommon::waitMs(-5);
  EXPECT_LT(steady_clock::now() - start, milliseconds(5));
  timespec cpuBefore{}, cpuAfter{};
  ::clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &cpuBefore);
  start = steady_clock::now();
  VXCommon::waitMs(60);
  auto waited = steady_clock::now() - start;
  ::clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &cpuAfter);
  EXPECT_GE(waited, milliseconds(60));
  EXPECT_LT(waited, milliseconds(1000));
  // Sleeping, not spinning: the wait costs next to no processor time.
  auto cpu = nanoseconds((cpuAfter.tv_sec - cpuBefore.tv_sec) * 1000000000LL + (cpuAfter.tv_nsec - cpuBefore.tv_nsec));
  EXPECT_LT(cpu, milliseconds(20));
}

}  // namespace
