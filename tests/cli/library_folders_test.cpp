// A library folder that cannot be read, or that a file or a loop of links takes the place of,
// ends the command naming the folder and the reason (never listed as empty; decode keeps its
// load error); one that is not there lists as empty. The
// start-up says why a folder of the library cannot be made, once, and stores no default library
// it could not lay out. Permissions do not bind root: those cases run as another user. An entry
// named like a driver, a room or an upgrade file that is left out of the listing is named on
// stderr with why.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <optional>

#include "platform/settings_store.h"
#include "tests/fakes/program_runner.h"
#include "tests/fakes/temp_xdg_home.h"

namespace {

const std::string kExamples = std::string(ORVELLA_SOURCE_DIR) + "/examples/";

TEST(LibraryFolders, AFolderThatCannotBeReadOrMadeIsNamedWithItsReason) {
  TempXdgHome home;
  ::chmod(home.root().c_str(), 0777);  // the other user keeps its settings here
  const std::string dir = home.root() + "/", lib = dir + "lib/", drivers = lib + "orvella/drivers/";
  const std::string panel = kExamples + "panel-format9.img", driver = "Acme PX-100 (Rev A).prjdrv";
  for (const char* copy : {"lib", "bare", "file-drivers", "file-orvella", "loop"})
    std::filesystem::copy(kExamples + "library", dir + copy, std::filesystem::copy_options::recursive);
  for (const char* folder :
       {"bare/orvella/drivers", "file-drivers/orvella/drivers", "file-orvella/orvella", "loop/orvella/drivers"})
    std::filesystem::remove_all(dir + folder);
  for (const char* file : {"file-drivers/orvella/drivers", "file-orvella/orvella"}) home.writeFile(file);
  ::symlink("drivers", (dir + "loop/orvella/drivers").c_str());
  const std::string fileDrivers = dir + "file-drivers/orvella/drivers/", loop = dir + "loop/orvella/drivers/";
  home.writeFile("plain-file");
  home.makeDir("not-theirs");
  const char *denied = "Permission denied", *notFolder = "Not a directory", *loops = "Too many levels of symbolic links";
  auto cannotRead = [](const std::string& folder, const char* reason = "Permission denied") {
    return "orvella-config: cannot read '" + folder + "': " + reason + "\n";
  };
  auto cannotMake = [](const std::string& folder, const char* reason) {
    return "orvella-config: warning: cannot make the folder '" + folder + "' for the library: " + reason + "\n";
  };
  auto stopBox = [](int error, const char* reason, const std::string& folder) {
    return "orvella-config: Error: unexpected error # " + std::to_string(error) + " occured :" + reason + ": '" +
           folder + "'\n";
  };
  auto driverMissing = [&](const std::string& folder) {  // decode's lines up to the folder's
    return "orvella-config: " + panel + ": load error 4: Can't find the driver loaded currently saved in the panel.  "
           "Try downloading updates.\norvella-config: the panel's driver '" + driver + "' was looked for in the drivers "
           "folder " + folder + "\n";
  };
  const std::string notFound = panel + ": Can't find projector driver " + driver + "\n";
  struct {
    std::vector<std::string> args;
    std::string locked;  // relative; mode 000 for the run (0555, not writable, when it ends in "/")
    bool asOtherUser;
    int status;
    std::string err;                                   // the whole of stderr
    std::string out = "";                              // part of stdout; "" for nothing at all
    std::string homeDir = "", dataHome = "";           // HOME and XDG_DATA_HOME when set
    std::optional<std::string> stored = std::nullopt;  // the DefaultDirectory stored after the run
  } cases[] = {
      {{"--library", lib, "library"}, "lib", true, 66, stopBox(13, denied, lib) + cannotRead(lib)},
      {{"--library", lib, "library"}, "lib/orvella/drivers", true, 66, cannotRead(drivers)},
      {{"--library", lib, "library"}, "lib/orvella/userrooms", true, 66, cannotRead(lib + "orvella/userrooms/")},
      {{"--library", lib, "library"}, "lib/orvella/firmware", true, 66, cannotRead(lib + "orvella/firmware/")},
      {{"--library", lib, "decode", "--image", panel}, "lib/orvella/drivers", true, 4,
       stopBox(13, denied, drivers) + driverMissing(drivers) + cannotRead(drivers) + notFound, "Can't find projector driver"},
      {{"--library", lib, "defaults", "-o", dir + "d.room"}, "lib/orvella/drivers", true, 66, cannotRead(drivers)},
      {{"--library", lib, "build", "--defaults", "--format", "9", "-o", dir + "d.img"}, "lib/orvella/drivers", true, 66,
       cannotRead(drivers)},
      {{"--library", dir + "bare", "library"}, "bare/orvella/", true, 0,
       cannotMake(dir + "bare/orvella/drivers/", "Permission denied"), "Drivers:\n  none\n"},
      {{"library"}, "not-theirs/", true, 0, cannotMake(dir + "not-theirs/.local/", "Permission denied"),
       "Drivers:\n  none\n", dir + "not-theirs", "", ""},
      {{"library"}, "", false, 66, cannotMake(dir + "plain-file/", notFolder) + cannotRead(dir + "plain-file/", notFolder),
       "", "", dir + "plain-file", ""},
      {{"--library", dir + "file-drivers", "library"}, "", false, 66,
       cannotMake(fileDrivers, notFolder) + cannotRead(fileDrivers, notFolder)},
      {{"--library", dir + "file-orvella", "library"}, "", false, 66,
       cannotMake(dir + "file-orvella/orvella/", notFolder) + cannotRead(dir + "file-orvella/orvella/", notFolder)},
      {{"--library", dir + "file-drivers", "decode", "--image", panel}, "", false, 4,
       cannotMake(fileDrivers, notFolder) + stopBox(20, notFolder, fileDrivers) + driverMissing(fileDrivers) +
           cannotRead(fileDrivers, notFolder) + notFound, "Can't find projector driver"},
      {{"--library", dir + "loop", "library"}, "", false, 66, stopBox(40, loops, loop) + cannotRead(loop, loops)},
      {{"library"}, "", false, 0, "", "Library: ", "", "", home.dataHome() + "/VXC"},  // one laid out is kept
  };
  const Unprivileged runner = unprivilegedUser();
  int notRun = 0;
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.args) + " " + c.locked);
    if (c.asOtherUser && !runner.possible) {
      ++notRun;
      continue;
    }
    std::filesystem::remove_all(home.configHome());
    ::setenv("HOME", c.homeDir.empty() ? (dir + "home").c_str() : c.homeDir.c_str(), 1);  // TempXdgHome puts them back
    ::setenv("XDG_DATA_HOME", c.homeDir.empty() && c.dataHome.empty() ? home.dataHome().c_str() : c.dataHome.c_str(), 1);
    const std::string locked = dir + c.locked;
    if (!c.locked.empty()) ::chmod(locked.c_str(), c.locked.back() == '/' ? 0555 : 0);
    ProgramRun run = runOrvellaConfig(c.args, {}, c.asOtherUser ? runner.user : std::nullopt);
    if (!c.locked.empty()) ::chmod(locked.c_str(), 0755);
    EXPECT_EQ(run.status, c.status);
    EXPECT_EQ(run.err, c.err);
    EXPECT_TRUE(c.out.empty() ? run.out.empty() : run.out.find(c.out) != std::string::npos) << run.out;
    if (c.stored) {
      EXPECT_EQ(platform::IniSettingsStore().getSetting("VezUradoDuruvo", "Startup", "DefaultDirectory"), *c.stored);
    }
  }
  if (notRun > 0) GTEST_SKIP() << notRun << " cases not run: " << runner.whyNot;
}

TEST(LibraryFolders, AnEntryLeftOutIsNamedWithItsReasonAndTheListingStays) {
  TempXdgHome home;
  const std::string lib = home.root() + "/lib", drivers = lib + "/orvella/drivers/", rooms = lib + "/orvella/userrooms/";
  std::filesystem::copy(kExamples + "library", lib, std::filesystem::copy_options::recursive);
  const ProgramRun before = runOrvellaConfig({"--library", lib, "library"});
  ::symlink("nowhere", (drivers + "Acme Gone\x1b (Rev A).prjdrv").c_str());
  ::symlink("Loop B.prjdrv", (drivers + "Loop A.prjdrv").c_str());
  ::symlink("Loop A.prjdrv", (drivers + "Loop B.prjdrv").c_str());
  ::symlink("nowhere", (drivers + "notes.txt").c_str());  // not named like a driver
  home.makeDir("lib/orvella/drivers/X (Rev A).prjdrv");
  ::symlink("nowhere", (rooms + "Gone.room").c_str());
  home.makeDir("lib/orvella/firmware");
  ::symlink("nowhere", (lib + "/orvella/firmware/FW010500.fw").c_str());
  ::symlink("nowhere", (lib + "/orvella/firmware/FW01 old.fw").c_str());  // not named like an upgrade

  const ProgramRun after = runOrvellaConfig({"--library", lib, "library"});
  const std::string leftOut = "orvella-config: warning: '";
  EXPECT_EQ(after.err, leftOut + rooms + "Gone.room' is left out: No such file or directory\n" + leftOut + drivers +
                           "Acme Gone\\x1B (Rev A).prjdrv' is left out: No such file or directory\n" + leftOut +
                           drivers + "Loop A.prjdrv' is left out: Too many levels of symbolic links\n" + leftOut +
                           drivers + "Loop B.prjdrv' is left out: Too many levels of symbolic links\n" + leftOut +
                           drivers + "X (Rev A).prjdrv' is left out: it is a folder\n" + leftOut + lib +
                           "/orvella/firmware/FW010500.fw' is left out: No such file or directory\n");
  EXPECT_EQ(after.status, 0);
  EXPECT_EQ(after.out, before.out);
  EXPECT_EQ(before.err, "");
}

}  // namespace
