#include "common/file_type_table.h"

#include <gtest/gtest.h>

#include "common/file_helpers.h"
#include "common/unreadable_folders.h"
#include "tests/fakes/platform_doubles.h"
#include "tests/fakes/temp_xdg_home.h"

namespace {

TEST(FileTypeTable, LooksUpTheFirstTypeOfAnId) {
  TempXdgHome home;
  const std::string root = home.root() + "/";
  dirStructCls table;
  table.addNew(4, root + "fw/", "http://h/fw/", {".fw", ".wrom", ".pdf"});
  table.addNew(4, root + "other/", "http://h/other/", {".x"});
  table.addNew(6, root + "none/", "", {});
  EXPECT_EQ(table.count(), 3);
  struct Case { int16_t id; std::string local, web; std::vector<std::string> extensions; } cases[] = {
      {4, root + "fw/", "http://h/fw/", {".fw", ".wrom", ".pdf"}}, {6, root + "none/", "", {}}, {9, "", "", {}}};
  for (const Case& c : cases) {
    EXPECT_EQ(table.localDir(c.id), c.local) << c.id;
    EXPECT_EQ(table.webDir(c.id), c.web) << c.id;
    EXPECT_EQ(table.extensions(c.id), c.extensions) << c.id;
  }
}

TEST(FileTypeTable, CreatesMissingFoldersOutermostFirst) {
  TempXdgHome home;
  FakeDirectoryLister lister;
  ScriptedMessageBoxes boxes;
  const std::string root = home.root();
  dirStructCls table;
  table.addNew(1, root + "/a/b/c/", "", {});
  EXPECT_TRUE(VXCommon::dirExists(root + "/a/b/c/"));
  // Each prefix after the root is tested in turn; the innermost could only be made after
  // the ones around it.
  ASSERT_GE(lister.patterns.size(), 4u);
  EXPECT_EQ(std::vector<std::string>(lister.patterns.end() - 4, lister.patterns.end() - 1),
            (std::vector<std::string>{root + "/a", root + "/a/b", root + "/a/b/c"}));

  // A last component without "/" is a file name: not created. Existing folders stay as they are.
  home.writeFile("a/b/keep.txt", "x");
  table.addNew(2, root + "/a/b/d", "", {});
  EXPECT_FALSE(VXCommon::dirExists(root + "/a/b/d"));
  EXPECT_TRUE(VXCommon::fileExists(root + "/a/b/keep.txt"));
  EXPECT_TRUE(boxes.shown.empty());
  EXPECT_TRUE(table.foldersLaidOut());

  // Where the test could not look (its error box shown), nothing is made and nothing more said.
  lister.failNext(13, "Permission denied");
  table.addNew(3, root + "/e/", "", {});
  EXPECT_EQ(boxes.shown.size(), 1u);
  EXPECT_FALSE(table.foldersLaidOut());
  VXCommon::resetUnreadableFolders();
}

}  // namespace
