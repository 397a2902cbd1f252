// orvella-config's outputs, run as a program: an output that is an input (the driver build or
// decode reads included), or two outputs that are one file (the null device takes both), refused
// before anything is written; "-" as standard output; a link followed and kept; a FIFO written,
// not replaced; a folder that cannot hold the file; a name that stands for an open descriptor
// written through it; a link loop refused; a file the user may not write kept, and a folder the
// user may not write refused first; a failed write to standard output failing every command; a
// signal leaving no temporary file; a file-size limit failing the write; no run touching the
// real home.
#include <gtest/gtest.h>

#include <poll.h>
#include <signal.h>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <future>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "panel/panel_settings.h"
#include "platform/fs_util.h"
#include "tests/fakes/listing_lines.h"
#include "tests/fakes/program_runner.h"
#include "tests/fakes/read_or_fail.h"
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
  home.writeFile("d.prjdrv", readOrFail(kDriver));
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
      {{"build", driver, "--format", "9", "-o", "/dev/null", "--listing", "/dev/null"}, 0, ""},
      {{"build", driver, "--format", "9", "-o", "-"}, 64,
       "the listing goes to standard output unless --listing FILE names another file, so -o (standard output) "
       "needs --listing FILE"},
      {{"room", driver, "-o", ""}, 64, "-o expects a file name, got ''"},
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

// Names that stand for the program's open descriptors are written through them, in place;
// /dev/stdout is standard output in the one-file rule; a link loop and the driver that decode
// re-reads are never written.
TEST(OutputFiles, DescriptorNamesLinkLoopsAndTheDecodedDriver) {
  TempXdgHome home;
  const std::string dir = home.root() + "/", driver = dir + "d.prjdrv", log = dir + "log";
  home.writeFile("d.prjdrv", readOrFail(kDriver));
  ::symlink("/dev/stdout", (dir + "stdout-link").c_str());
  ::symlink("a2", (dir + "a1").c_str());
  ::symlink("a1", (dir + "a2").c_str());
  ::symlink("self", (dir + "self").c_str());
  const std::string library = std::string(ORVELLA_SOURCE_DIR) + "/examples/library";
  const std::string libraryCopy = dir + "lib", libraryDriver = libraryCopy + "/orvella/drivers/Acme PX-100 (Rev A).prjdrv";
  const std::string libraryRoom = libraryCopy + "/orvella/userrooms/Room 101.room";  // names that driver
  std::filesystem::copy(library, libraryCopy, std::filesystem::copy_options::recursive);
  ::symlink(libraryDriver.c_str(), (dir + "driver-link").c_str());
  const std::string panel = std::string(ORVELLA_SOURCE_DIR) + "/examples/panel-format9.img";
  ASSERT_EQ(runOrvellaConfig({"room", driver, "-o", dir + "first.room"}).status, 0);
  const std::string room = readOrFail(dir + "first.room");
  const std::string saved = dir + "first.room";  // which, unlike the driver, has no comments to count

  using Kind = ProgramStdout::Kind;
  struct {
    std::vector<std::string> args;
    Kind stdoutKind;
    int status;
    std::string err;  // part of stderr ("" for none at all)
    std::string out;  // stdout: the pipe's bytes, or what the appended log holds after "kept\n"
  } cases[] = {
      {{"room", saved, "-o", "/dev/stdout"}, Kind::appendedTo, 0, "", room},
      {{"room", saved, "-o", dir + "stdout-link"}, Kind::appendedTo, 0, "", room},
      {{"room", saved, "-o", "/dev/stdout"}, Kind::pipe, 0, "", room},
      {{"room", saved, "-o", "/proc/self/fd/1"}, Kind::pipe, 0, "", room},
      {{"room", driver, "-o", "/dev/stderr"}, Kind::pipe, 0, room, ""},
      {{"room", driver, "-o", "/dev/fd/9"}, Kind::pipe, 73, "cannot write '/dev/fd/9': descriptor 9 was not open when the program started", ""},
      {{"build", driver, "--format", "9", "-o", "-", "--listing", "/dev/stdout"}, Kind::appendedTo, 64,
       "--listing '/dev/stdout' and -o (standard output) are one file", ""},
      {{"build", driver, "--format", "9", "-o", "/dev/fd/1"}, Kind::appendedTo, 64,
       "so -o '/dev/fd/1' needs --listing FILE", ""},
      {{"build", driver, "--format", "9", "-o", "-", "--listing", log}, Kind::appendedTo, 64,
       "--listing '" + log + "' and -o (standard output) are one file", ""},
      {{"room", driver, "-o", dir + "a1"}, Kind::pipe, 73,
       "cannot write '" + dir + "a1': Too many levels of symbolic links", ""},
      {{"build", driver, "--format", "9", "-o", dir + "x.img", "--listing", dir + "self"}, Kind::pipe, 73,
       "cannot write '" + dir + "self': Too many levels of symbolic links", ""},
      {{"--library", libraryCopy, "decode", "--image", panel, "-o", libraryDriver}, Kind::pipe, 64,
       "-o '" + libraryDriver + "' is the input '" + libraryDriver + "'", ""},
      {{"--library", libraryCopy, "decode", "--image", panel, "--listing", dir + "driver-link"}, Kind::pipe, 64,
       "--listing '" + dir + "driver-link' is the input '" + libraryDriver + "'", ""},
      {{"--library", libraryCopy, "build", libraryRoom, "--format", "9", "-o", libraryDriver}, Kind::pipe, 64,
       "-o '" + libraryDriver + "' is the input '" + libraryDriver + "'", ""},
      {{"--library", libraryCopy, "build", libraryRoom, "--format", "9", "-o", dir + "x.img", "--listing",
        dir + "driver-link"},
       Kind::pipe, 64, "--listing '" + dir + "driver-link' is the input '" + libraryDriver + "'", ""},
      {{"build", driver, "--format", "9", "-o", "-"}, Kind::pipe, 64,
       "so -o (standard output) needs --listing FILE", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.args));
    home.writeFile("log", "kept\n");
    struct stat before {};
    ::stat(log.c_str(), &before);
    ProgramRun run = runOrvellaConfig(c.args, {c.stdoutKind, log});
    EXPECT_EQ(run.status, c.status);
    if (c.err.empty()) {
      EXPECT_EQ(run.err, "");
    } else {
      EXPECT_NE(run.err.find(c.err), std::string::npos) << run.err;
    }
    EXPECT_EQ(c.stdoutKind == Kind::pipe ? run.out : platform::readWholeFile(log).value_or("").substr(5), c.out);
    struct stat after {};
    ::stat(log.c_str(), &after);
    EXPECT_EQ(after.st_ino, before.st_ino);  // written in place, never replaced
  }
  for (const char* link : {"stdout-link", "a1", "a2", "self", "driver-link"})
    EXPECT_EQ(typeOf(dir + link), mode_t(S_IFLNK)) << link;
  EXPECT_EQ(typeOf(dir + "x.img"), 0u);
  EXPECT_EQ(platform::readWholeFile(libraryDriver),
            platform::readWholeFile(library + "/orvella/drivers/Acme PX-100 (Rev A).prjdrv"));
}

// An existing file that the user may not write is refused before anything is written and
// stays as it was; one the user may write (root may write any) is replaced, keeping its mode,
// owner and group.
TEST(OutputFiles, AFileTheUserMayNotWriteIsNeverReplaced) {
  TempXdgHome home;
  ::chmod(home.root().c_str(), 0777);  // a folder the other user can write
  const std::string dir = home.root() + "/", driver = dir + "d.prjdrv";
  home.writeFile("d.prjdrv", readOrFail(kDriver));
  ASSERT_EQ(runOrvellaConfig({"room", driver, "-o", dir + "first.room"}).status, 0);
  const std::string room = readOrFail(dir + "first.room");
  const Unprivileged runner = unprivilegedUser();
  const bool root = ::geteuid() == 0;

  enum class Who { runner, testsUser };  // the unprivileged runner, or the tests' own user
  struct {
    const char* what;
    Who owner, writer;
    mode_t mode;
    bool replaced;
  } cases[] = {
      {"a read-only file of the user's", Who::runner, Who::runner, 0444, false},
      {"another user's file in a folder the user may write", Who::testsUser, Who::runner, 0644, false},
      {"a file the user may write", Who::runner, Who::runner, 0640, true},
      {"a read-only file, written by root", Who::testsUser, Who::testsUser, 0444, true},
      {"another user's file, written by root", Who::runner, Who::testsUser, 0664, true},
  };
  int notRun = 0;
  std::string whyNot;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    // Two users need root to switch from one to the other; only root writes over a read-only
    // file of its own.
    const bool runnable = c.owner != c.writer     ? runner.user.has_value()
                          : c.writer == Who::runner ? runner.possible
                                                    : root;
    if (!runnable) {
      whyNot = runner.possible ? "the tests do not run as root" : runner.whyNot;
      ++notRun;
      continue;
    }
    const std::string file = dir + "protected.room", listing = dir + "listing.txt";
    std::remove(listing.c_str());
    std::remove(file.c_str());  // a new file, owned by the tests' user
    home.writeFile("protected.room", "old bytes\n");
    if (c.owner == Who::runner && runner.user) {
      ASSERT_EQ(::chown(file.c_str(), runner.user->uid, runner.user->gid), 0);
    }
    ::chmod(file.c_str(), c.mode);
    struct stat before {};
    ::stat(file.c_str(), &before);
    const auto as = c.writer == Who::runner ? runner.user : std::nullopt;

    ProgramRun run = runOrvellaConfig({"room", driver, "-o", file}, {}, as);
    struct stat after {};
    ::stat(file.c_str(), &after);
    EXPECT_EQ(after.st_mode & 07777, c.mode);
    EXPECT_EQ(after.st_uid, before.st_uid);
    EXPECT_EQ(after.st_gid, before.st_gid);
    if (c.replaced) {
      EXPECT_EQ(run.status, 0) << run.err;
      EXPECT_EQ(platform::readWholeFile(file), room);
      continue;
    }
    EXPECT_EQ(run.status, 73);
    EXPECT_EQ(run.err, "orvella-config: cannot write '" + file + "': Permission denied\n");
    EXPECT_EQ(platform::readWholeFile(file), "old bytes\n");
    EXPECT_EQ(after.st_ino, before.st_ino);
    // Refused before anything is written: the listing, named first, is not made either.
    run = runOrvellaConfig({"build", driver, "--format", "9", "--listing", listing, "-o", file}, {}, as);
    EXPECT_EQ(run.status, 73);
    EXPECT_EQ(typeOf(listing), 0u);
    EXPECT_EQ(platform::readWholeFile(file), "old bytes\n");
  }
  if (notRun > 0) GTEST_SKIP() << notRun << " cases not run: " << whyNot;
}

// A folder the user may not write cannot take the temporary file that replaces a file there, nor
// a new file: refused before anything is written, the file there kept.
TEST(OutputFiles, AFolderTheUserMayNotWriteIsRefusedFirst) {
  const Unprivileged runner = unprivilegedUser();
  if (!runner.possible) GTEST_SKIP() << runner.whyNot;
  TempXdgHome home;
  ::chmod(home.root().c_str(), 0777);  // the listing's folder, which the other user can write
  const std::string dir = home.root() + "/", locked = dir + "locked/", listing = dir + "listing.txt";
  home.writeFile("d.prjdrv", readOrFail(kDriver));
  ASSERT_EQ(::mkdir(locked.c_str(), 0777), 0);
  home.writeFile("locked/old.img", "old bytes\n");
  ::chmod((locked + "old.img").c_str(), 0666);
  ::chmod(locked.c_str(), 0555);
  for (const std::string& image : {locked + "new.img", locked + "old.img"}) {
    SCOPED_TRACE(image);
    ProgramRun run = runOrvellaConfig(
        {"build", dir + "d.prjdrv", "--format", "9", "--listing", listing, "-o", image}, {}, runner.user);
    EXPECT_EQ(run.status, 73);
    EXPECT_EQ(run.err, "orvella-config: cannot write '" + image + "': Permission denied\n");
    EXPECT_EQ(typeOf(listing), 0u);
  }
  EXPECT_EQ(typeOf(locked + "new.img"), 0u);
  EXPECT_EQ(platform::readWholeFile(locked + "old.img"), "old bytes\n");
  ::chmod(locked.c_str(), 0755);  // so that the temporary home can be removed
}

// Whatever a command writes on a full standard output, it fails with 73 and says so once.
TEST(OutputFiles, AFailedWriteToStandardOutputFailsEveryCommand) {
  TempXdgHome home;
  const std::string dir = home.root() + "/", library = std::string(ORVELLA_SOURCE_DIR) + "/examples/library";
  const std::string panel = std::string(ORVELLA_SOURCE_DIR) + "/examples/panel-format9.img";
  const std::vector<std::string> commands[] = {
      {"parse", kDriver},
      {"check", kDriver},
      {"room", kDriver, "-o", "-"},
      {"build", kDriver, "--format", "9", "-o", dir + "x.img"},
      {"--library", library, "--fw", "2.0", "decode", "--image", panel},
      {"dump", "--image", panel},
      {"--library", library, "library"},
      {"--help"},
      {"room", "--help"},
      {"help", "build"},
      {"--version"},
  };
  for (const auto& args : commands) {
    SCOPED_TRACE(testing::PrintToString(args));
    ProgramRun run = runOrvellaConfig(args, {ProgramStdout::Kind::appendedTo, "/dev/full"});
    EXPECT_EQ(run.status, 73);
    EXPECT_EQ(run.err, "orvella-config: cannot write to standard output: No space left on device\n");
  }
}

// The parse listing of a file that fails its check goes where the command's listing goes (the
// --listing file, else standard output) and never into the standard output that -o names:
// room and defaults, which have no --listing, then leave it out and say so.
TEST(OutputFiles, AFailedChecksListingNeverTakesTheOutputsPlace) {
  TempXdgHome home;
  const std::string dir = home.root() + "/", room = dir + "bad.room", listing = dir + "L.lst", library = dir + "lib";
  const std::string examples = std::string(ORVELLA_SOURCE_DIR) + "/examples/library";
  home.writeFile("bad.room", listing_lines::withLine(readOrFail(examples + "/orvella/userrooms/Room 101.room"),
                                                     "ROOM-INACT-SHUTDOWN-TIMER=-1H"));
  const std::string factory = "lib/orvella/drivers/" + std::string(PanelSettingsV2::kFactoryDefaultsDriver);
  home.writeFile(factory, "PROJ-FILE-FMT=2\r\nVOL-MUTE=300\r\n");
  const std::string roomListing = runOrvellaConfig({"check", room}).out;
  const std::string factoryListing = runOrvellaConfig({"check", dir + factory}).out;
  auto leftOut = [](const std::string& file) {
    return "orvella-config: the parse listing of '" + file + "' is not written, since -o sends the room to standard output";
  };
  const struct {
    std::vector<std::string> args;
    int status;
    std::string out, inListing, err;  // stdout; the --listing file ("" for none); part of stderr
  } cases[] = {
      {{"build", room, "--format", "9", "-o", dir + "x.img", "--listing", listing}, 1, "", roomListing, ""},
      {{"build", room, "--format", "9", "-o", "-", "--listing", listing}, 1, "", roomListing, ""},
      {{"--library", library, "build", "--defaults", "--format", "9", "-o", "-", "--listing", listing}, 2, "",
       factoryListing, ""},
      {{"room", room, "-o", "-"}, 1, "", "", leftOut(room)},
      {{"--library", library, "defaults", "-o", "/dev/stdout"}, 2, "", "", leftOut(dir + factory)},
  };
  ASSERT_NE(roomListing.find("    (E) Expecting a time\r\n"), std::string::npos) << roomListing;
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.args));
    std::remove(listing.c_str());
    ProgramRun run = runOrvellaConfig(c.args);
    EXPECT_EQ(run.status, c.status);
    EXPECT_EQ(run.out, c.out);
    EXPECT_EQ(platform::readWholeFile(listing).value_or(""), c.inListing);
    EXPECT_EQ(run.err.find(c.err.empty() ? "is not written" : c.err) != std::string::npos, !c.err.empty()) << run.err;
  }
  EXPECT_EQ(typeOf(dir + "x.img"), 0u);
}

std::set<std::string> namesIn(const std::string& dir) {
  std::set<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(dir)) names.insert(entry.path().filename());
  return names;
}

// Waits (10 s at most) until `dir` holds a name that starts with `prefix`; true when it does.
bool waitForNameIn(const std::string& dir, const std::string& prefix) {
  const int events = ::inotify_init1(IN_CLOEXEC | IN_NONBLOCK);
  if (events < 0 || ::inotify_add_watch(events, dir.c_str(), IN_CREATE) < 0) return false;
  bool found = false;
  for (;;) {
    for (const auto& entry : std::filesystem::directory_iterator(dir))
      found = found || entry.path().filename().string().rfind(prefix, 0) == 0;
    pollfd ready{events, POLLIN, 0};
    if (found || ::poll(&ready, 1, 10000) != 1) break;
    char buffer[4096];
    while (::read(events, buffer, sizeof buffer) > 0) {
    }
  }
  ::close(events);
  return found;
}

// A signal that ends build while the image's temporary file exists removes it and leaves the
// old image whole, and the program ends by that signal (SIGQUIT and SIGXCPU, whose default
// action dumps core, with core dumps limited to none). The temporary file is made when the
// outputs are prepared, and the listing goes to a FIFO that nobody opens for reading, which the
// program opens last of its outputs (or to a pipe nobody reads from any more, which raises
// SIGPIPE when the listing is written), so the program waits there with the file made.
TEST(OutputFiles, ASignalLeavesNoTemporaryFileAndTheOldFileWhole) {
  TempXdgHome home;
  home.makeDir("out");
  const std::string dir = home.root() + "/out/", image = dir + "existing.img", fifo = dir + "listing.fifo";
  const std::string room = std::string(ORVELLA_SOURCE_DIR) + "/examples/library/orvella/userrooms/Room 101.room";
  ::mkfifo(fifo.c_str(), 0600);
  const std::string old(8192, 'o');
  const struct {
    int signal;
    bool sent;  // by the test; otherwise raised by the write to the pipe
  } cases[] = {{SIGINT, true},  {SIGTERM, true}, {SIGHUP, true},  {SIGPIPE, false},   {SIGQUIT, true},
               {SIGALRM, true}, {SIGXCPU, true}, {SIGUSR1, true}, {SIGRTMIN + 1, true}};
  for (const auto& c : cases) {
    SCOPED_TRACE(strsignal(c.signal));
    home.writeFile("out/existing.img", old);
    ProgramRun run;
    if (c.sent) {
      StartedProgram program =
          startOrvellaConfig({"build", room, "--format", "9", "-o", image, "--listing", fifo}, {}, std::nullopt,
                             {std::nullopt, true});
      ASSERT_GT(program.pid, 0);
      const bool made = waitForNameIn(dir, "existing.img.");
      ::kill(program.pid, c.signal);
      run = finishOrvellaConfig(program);
      ASSERT_TRUE(made);
    } else {
      run = runOrvellaConfig({"build", room, "--format", "9", "-o", image}, {ProgramStdout::Kind::closedPipe, ""});
    }
    EXPECT_EQ(run.signal, c.signal) << run.status << " " << run.err;
    EXPECT_EQ(platform::readWholeFile(image), old);
    EXPECT_EQ(namesIn(dir), (std::set<std::string>{"existing.img", "listing.fifo"}));
  }
}

// Under a file-size limit, the write that passes it fails as a full disk would (73, with the
// system's reason) instead of ending the program by SIGXFSZ: no temporary file is left, and the
// old files stay as they were. The listing is larger than the limit, the image is not.
TEST(OutputFiles, AFileSizeLimitFailsTheWriteAndKeepsTheOldFiles) {
  TempXdgHome home;
  const std::string dir = home.root() + "/out/";
  const std::string room = std::string(ORVELLA_SOURCE_DIR) + "/examples/library/orvella/userrooms/Room 101.room";
  home.writeFile("out/out.img", "old image");
  home.writeFile("out/out.txt", "old listing");
  ProgramRun run = runOrvellaConfig(
      {"build", room, "--format", "9", "-o", dir + "out.img", "--listing", dir + "out.txt"}, {}, std::nullopt,
      {16 * 1024, true});
  EXPECT_EQ(run.status, 73) << run.signal;
  EXPECT_EQ(run.err, "orvella-config: cannot write '" + dir + "out.txt': File too large\n");
  EXPECT_EQ(namesIn(dir), (std::set<std::string>{"out.img", "out.txt"}));
  EXPECT_EQ(platform::readWholeFile(dir + "out.img"), "old image");
  EXPECT_EQ(platform::readWholeFile(dir + "out.txt"), "old listing");
}

// A test that forgets its own home still runs the program in a temporary one.
TEST(OutputFiles, TheProgramNeverRunsInTheRealHome) {
  ProgramRun run = runOrvellaConfig({"library"});
  ASSERT_EQ(run.status, 0) << run.err;
  const std::string firstLine = run.out.substr(0, run.out.find('\n'));
  EXPECT_EQ(firstLine.rfind("Library: /tmp/orvella-test-", 0), 0u) << firstLine;
  const char* realHome = std::getenv("HOME");
  if (realHome) {
    EXPECT_EQ(firstLine.find(realHome), std::string::npos) << firstLine;
  }
}

}  // namespace
