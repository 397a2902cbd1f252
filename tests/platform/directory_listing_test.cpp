#include "platform/directory_listing.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/wildcard.h"
#include "tests/fakes/temp_xdg_home.h"

using platform::DirAttr;
using Names = std::vector<std::string>;

namespace {

TEST(Wildcard, MatchesIgnoringCase) {
  struct Case { const char *name, *pattern; bool matches; } cases[] = {
      {"README", "*.*", true},   {"fw010203.FW", "FW01*.fw", true}, {"FW010203.fwx", "FW01*.fw", false},
      {"x.rooms", "*.room", false}, {"abc", "a?c", true},           {"ac", "a?c", false},
      {"aXbXc", "a*b*c", true},  {"aXbX", "a*b*c", false},         {"", "*", true},
      {"abd", "abc", false},
  };
  for (const Case& c : cases)
    EXPECT_EQ(platform::matchesWildcard(c.name, c.pattern), c.matches) << c.name << " ~ " << c.pattern;
  EXPECT_TRUE(platform::hasWildcard("a*"));
  EXPECT_TRUE(platform::hasWildcard("a?"));
  EXPECT_FALSE(platform::hasWildcard("a.b"));
}

TEST(DirectoryListing, ListsMatchingNamesSortedByBytes) {
  TempXdgHome home;
  for (const char* name : {"b.prjdrv", "A.prj", "a.PDF", "Zeta", ".hidden.prj", "sub.prj/x"})
    home.writeFile(std::string("lib/") + name);
  home.makeDir("lib/Folder");
  const std::string dir = home.root() + "/lib/";
  ::symlink("missing-target", (dir + "dangling.prj").c_str());
  ::mkfifo((dir + "pipe.prj").c_str(), 0600);

  struct Case { const char* pattern; DirAttr attrs; Names names; } cases[] = {
      {"*.*", DirAttr::Normal, {"A.prj", "Zeta", "a.PDF", "b.prjdrv"}},
      {"*.*", DirAttr::WithFolders, {"A.prj", "Folder", "Zeta", "a.PDF", "b.prjdrv", "sub.prj"}},
      {"", DirAttr::Normal, {"A.prj", "Zeta", "a.PDF", "b.prjdrv"}},
      {"*.prj", DirAttr::Normal, {"A.prj"}},
      {"*.pdf", DirAttr::Normal, {"a.PDF"}},
      {"b.prjdrv", DirAttr::Normal, {"b.prjdrv"}},
      {"B.prjdrv", DirAttr::Normal, {}},  // a plain name is looked up exactly
      {"Folder", DirAttr::Normal, {}},
      {"Folder", DirAttr::WithFolders, {"Folder"}},
      {".hidden.prj", DirAttr::Normal, {}},
      {"pipe.prj", DirAttr::Normal, {}},
  };
  platform::PosixDirectoryLister lister;
  for (const Case& c : cases) {
    auto result = lister.list(dir + c.pattern, c.attrs);
    EXPECT_EQ(result.error, 0) << c.pattern;
    EXPECT_EQ(result.names, c.names) << c.pattern;
  }
  Names leftOut;  // what matched but is not listed, and why
  for (const platform::LeftOutEntry& entry : lister.list(dir + "*.*", DirAttr::Normal).leftOut)
    leftOut.push_back(entry.name + ": " + entry.reason);
  EXPECT_EQ(leftOut, Names({"Folder: it is a folder", "dangling.prj: No such file or directory",
                            "pipe.prj: it is not a regular file", "sub.prj: it is a folder"}));

  std::pair<std::string, int> failures[] = {
      {dir + "missing/*.*", platform::kErrDeviceUnavailable},
      {dir + "missing/a.prj", platform::kErrDeviceUnavailable},
      {dir + "Zeta/a.prj", ENOTDIR},  // a file used as a folder
      {dir + std::string(300, 'n') + "/x", ENAMETOOLONG},
  };
  for (const auto& [pattern, error] : failures) {
    auto result = lister.list(pattern, DirAttr::Normal);
    EXPECT_EQ(result.error, error) << pattern;
    EXPECT_TRUE(result.names.empty());
    EXPECT_FALSE(result.description.empty());
  }
  EXPECT_EQ(lister.list(dir + "missing/*.*", DirAttr::Normal).description, "Device unavailable");
}

}  // namespace
