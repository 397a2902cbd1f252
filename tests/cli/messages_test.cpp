// What orvella-config says on stderr: the file a message is about and the system's reason
// (a library driver or a room file the user may not read, a --library that is a file), the
// control bytes of names and texts from files and panels shown escaped with every line whole,
// a warning of the start-up said once however often it is met, and help for a command that
// does not exist said as for the command itself. C1 controls in UTF-8 and stray bytes are
// escaped too (an accented name stays readable), and so are the characters that reorder or
// break a line, on stderr and in the names `library` lists; the listing's default output is told
// as such. A listing on a terminal is escaped the same way, line by line; in a file it keeps its
// bytes. A panel image never reaches a terminal.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <pty.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <set>
#include <sstream>

#include "platform/fs_util.h"
#include "platform/visible_text.h"
#include "tests/fakes/listing_lines.h"
#include "tests/fakes/program_runner.h"
#include "tests/fakes/read_or_fail.h"
#include "tests/fakes/temp_xdg_home.h"

namespace {

const std::string kExamples = std::string(ORVELLA_SOURCE_DIR) + "/examples/";
const std::string kPanelDriver = "Acme PX-100 (Rev A).prjdrv";  // the one the example image names

// Sets environment variables for one run and puts the old values back.
class EnvironmentFor {
 public:
  explicit EnvironmentFor(const std::vector<std::pair<std::string, std::string>>& values) {
    for (const auto& [name, value] : values) {
      const char* old = std::getenv(name.c_str());
      saved_.emplace_back(name, old ? std::optional<std::string>(old) : std::nullopt);
      ::setenv(name.c_str(), value.c_str(), 1);
    }
  }
  ~EnvironmentFor() {
    for (const auto& [name, value] : saved_) {
      if (value) ::setenv(name.c_str(), value->c_str(), 1);
      else ::unsetenv(name.c_str());
    }
  }

 private:
  std::vector<std::pair<std::string, std::optional<std::string>>> saved_;
};

std::vector<std::string> linesOf(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

// A line shown as visibleText shows it holds nothing a terminal could act on.
bool holdsRawControlBytes(const std::string& text) {
  for (const std::string& line : linesOf(text))
    if (platform::visibleText(line) != line) return true;
  return false;
}

TEST(Messages, NameTheFileAndTheReasonAndNeverPassControlBytes) {
  TempXdgHome home;
  ::chmod(home.root().c_str(), 0777);  // the other user lays out its settings here too
  const std::string dir = home.root() + "/", lib = dir + "lib";
  std::filesystem::copy(kExamples + "library", lib, std::filesystem::copy_options::recursive);
  const std::string drivers = lib + "/orvella/drivers/";

  // A library whose panel driver is there but may not be read.
  const std::string lockedLib = dir + "locked";
  std::filesystem::copy(kExamples + "library", lockedLib, std::filesystem::copy_options::recursive);
  ::chmod((lockedLib + "/orvella/drivers/" + kPanelDriver).c_str(), 0);
  home.writeFile("locked.room", "PROJ-FILE-FMT=1\r\n");
  ::chmod((dir + "locked.room").c_str(), 0);

  // The panel image with its driver name's length byte at 255: the name runs on over NULs.
  std::string image = readOrFail(kExamples + "panel-format9.img");
  home.writeFile("panel.img", image);
  image[0x13] = '\xFF';
  home.writeFile("long-name.img", image);
  // A driver whose first line is a terminal's title command.
  home.writeFile("title.prjdrv", "\x1B]0;TITLE\x07\r\n" +
                                     readOrFail(drivers + "Borel IR-5 (Rev A).prjdrv"));
  home.writeFile("plain-file", "");
  // An accented name with a CSI in UTF-8, which also starts the driver's first line; a panel
  // whose driver name starts with a lone CSI byte.
  const std::string csiName = "\xC3\xA9\xC2\x9B.prjdrv";
  home.writeFile(csiName, "\xC2\x9B[2J\r\n" + readOrFail(drivers + "Borel IR-5 (Rev A).prjdrv"));
  image = readOrFail(kExamples + "panel-format9.img");
  image[0x14] = '\x9B';
  home.writeFile("csi-name.img", image);

  struct {
    std::vector<std::string> args;
    int status;
    std::vector<std::string> err;  // parts of stderr
    bool unprivileged = false;  // run where permissions bind
    std::string homeUnder = "";  // a HOME and XDG folders under this path, when set
  } cases[] = {
      {{"--library", lockedLib, "decode", "--image", dir + "panel.img", "-o", dir + "r.room"},
       2,
       {"orvella-config: cannot read '" + lockedLib + "/orvella/drivers/" + kPanelDriver + "': Permission denied\n",
        "load error 2"},
       true},
      {{"check", dir + "locked.room"}, 66, {"orvella-config: cannot read '" + dir + "locked.room': Permission denied\n"}, true},
      {{"--library", lib, "decode", "--image", dir + "long-name.img"},
       4,
       {"the panel's driver '" + kPanelDriver + "\\x00\\x00", "(Re\\x00",
        "' was looked for in the drivers folder " + drivers + "\n"}},
      {{"check", dir + "title.prjdrv"}, 2, {"title.prjdrv:1: Unrecognized key '\\x1B'\n"}},
      {{"check", dir + "a\x1B[2Jb\r.prjdrv"}, 66, {"cannot read '" + dir + "a\\x1B[2Jb\\x0D.prjdrv': No such file"}},
      {{"check", dir + csiName}, 2, {dir + "\xC3\xA9\\xC2\\x9B.prjdrv:1: Unrecognized key '\\xC2\\x9B'\n"}},
      {{"--library", lib, "decode", "--image", dir + "csi-name.img"}, 4, {"the panel's driver '\\x9Bcme PX-100"}},
      {{"--library", lib, "decode", "--image", dir + "panel.img", "-o", "-"}, 64,
       {"orvella-config: the listing goes to standard output unless --listing FILE names another file, "
        "so -o (standard output) needs --listing FILE\n"}},
      {{"room", drivers + "Borel IR-5 (Rev A).prjdrv", "-o", dir + "\x7F/x.room"},
       73,
       {"cannot write '" + dir + "\\x7F/x.room': No such file or directory\n"}},
      {{"library"}, 66,
       {"orvella-config: warning: cannot make the folder '" + dir + "plain-file/' for the library: Not a directory\n"},
       false, dir + "plain-file"},
      {{"--library", dir + "plain-file", "library"}, 66, {"the library folder '" + dir + "plain-file' is not a folder\n"}},
      {{"help", "frob"}, 64, {"orvella-config: unknown command 'frob'\n"}},
      {{"build", "r.room", "--format", "nine", "-o", "x.img"}, 64,
       {"orvella-config: --format expects the memory format 7, 8 or 9, got 'nine'\n"}},
      {{"build", "r.room", "x.lst", "--format", "9", "-o", "x.img", "y.lst", "--bogus"}, 64,
       {"orvella-config: unexpected argument 'x.lst'\n"}},
      {{"help", "room"}, 0, {}},
  };
  const Unprivileged runner = unprivilegedUser();
  int notRun = 0;
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.args));
    if (c.unprivileged && !runner.possible) {
      ++notRun;
      continue;
    }
    std::optional<EnvironmentFor> environment;
    if (!c.homeUnder.empty())
      environment.emplace(std::vector<std::pair<std::string, std::string>>{
          {"HOME", c.homeUnder + "/home"}, {"XDG_CONFIG_HOME", ""}, {"XDG_DATA_HOME", ""}});
    ProgramRun run = runOrvellaConfig(c.args, {}, c.unprivileged ? runner.user : std::nullopt);
    EXPECT_EQ(run.status, c.status);
    for (const std::string& part : c.err) EXPECT_NE(run.err.find(part), std::string::npos) << part << "\n" << run.err;
    EXPECT_FALSE(holdsRawControlBytes(run.err)) << run.err;
    const std::vector<std::string> lines = linesOf(run.err);
    EXPECT_EQ(std::set<std::string>(lines.begin(), lines.end()).size(), lines.size()) << "a line said twice:\n" << run.err;
    EXPECT_EQ(run.err.find("not a regular file"), std::string::npos);  // never a folder in place of its file
  }
  if (notRun > 0) GTEST_SKIP() << notRun << " cases not run: " << runner.whyNot;
}

TEST(Messages, NamesThatCouldDriveOrReorderTheTerminalAreEscapedInLibraryToo) {
  const struct {
    std::string name, shown;
  } cases[] = {
      {"Ev\x1B[2Jil", "Ev\\x1B[2Jil"},
      {"Bell\x07" "Csi\x9B" "2J", "Bell\\x07Csi\\x9B2J"},
      {"BOGUS\xE2\x80\xAEKEY", "BOGUS\\xE2\\x80\\xAEKEY"},  // U+202E
      // U+061C, U+200E, U+200F, U+202A, U+2066, U+2069, U+2028, U+2029
      {"Dir\xD8\x9C\xE2\x80\x8E\xE2\x80\x8F\xE2\x80\xAA\xE2\x81\xA6\xE2\x81\xA9\xE2\x80\xA8\xE2\x80\xA9",
       "Dir\\xD8\\x9C\\xE2\\x80\\x8E\\xE2\\x80\\x8F\\xE2\\x80\\xAA\\xE2\\x81\\xA6\\xE2\\x81\\xA9\\xE2\\x80\\xA8\\xE2\\x80\\xA9"},
      // Their neighbours (U+061B, U+200D, U+2027, U+202F, U+2065, U+206A) and accents stay.
      {"Kept\xD8\x9B\xE2\x80\x8D\xE2\x80\xA7\xE2\x80\xAF\xE2\x81\xA5\xE2\x81\xAA\xC3\xA9",
       "Kept\xD8\x9B\xE2\x80\x8D\xE2\x80\xA7\xE2\x80\xAF\xE2\x81\xA5\xE2\x81\xAA\xC3\xA9"},
  };
  TempXdgHome home;
  for (const auto& c : cases) {
    home.writeFile("lib/orvella/userrooms/" + c.name + ".room");
    home.writeFile("lib/orvella/drivers/" + c.name + " M (A).prjdrv");
  }
  ProgramRun run = runOrvellaConfig({"--library", home.root() + "/lib", "library"});
  EXPECT_EQ(run.status, 0);
  EXPECT_FALSE(holdsRawControlBytes(run.out)) << run.out;
  for (const auto& c : cases) {
    EXPECT_EQ(platform::visibleText(c.name), c.shown);
    for (const std::string& line : {"  " + c.shown + "\n", "[" + c.shown + " M (A).prjdrv]"})  // room, maker, driver
      EXPECT_NE(run.out.find(line), std::string::npos) << line << "\n" << run.out;
  }
}

TEST(Messages, AListingOrARoomOnATerminalCannotDriveIt) {
  TempXdgHome home;
  const std::string dir = home.root() + "/", note = "ROOM-USR-NOTE=\"A\x1B[2JB\x1B]0;t\x07" "C\"";
  const std::string room = readOrFail(kExamples + "library/orvella/userrooms/Room 101.room");
  home.writeFile("note.room", listing_lines::withLine(room, note));
  home.writeFile("panel.img", "AB\x7F\x80" + std::string(8188, '\0'));
  using Kind = ProgramStdout::Kind;
  const struct {
    std::vector<std::string> args;
    Kind to;
    std::string shown, never;
  } cases[] = {
      {{"check", dir + "note.room"}, Kind::terminal, "    ROOM-USR-NOTE=\"A\\x1B[2JB\\x1B]0;t\\x07C\"\r\n", "\x1B"},
      {{"check", dir + "note.room"}, Kind::captured, "    " + note + "\r\n", "\\x1B"},
      {{"room", dir + "note.room", "-o", "-"}, Kind::terminal, "\nROOM-USR-NOTE=\"A\\x1B[2JB\\x1B]0;t\\x07C\"\r\n", "\x1B"},
      {{"room", dir + "note.room", "-o", "-"}, Kind::captured, "\n" + note + "\r\n", "\\x1B"},
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

// A panel image is binary: it never reaches a terminal, however the terminal is named, and is
// refused before anything is built or written; into a pipe it goes whole. A listing still
// goes to a terminal, as text.
TEST(Messages, AnImageIsNeverWrittenToATerminal) {
  TempXdgHome home;
  const std::string dir = home.root() + "/", listing = dir + "L.lst", image = dir + "x.img";
  const std::string room = kExamples + "library/orvella/userrooms/Room 101.room";
  const std::string library = kExamples + "library";
  int ownTerminal = -1, ownTerminalSide = -1;
  ASSERT_EQ(::openpty(&ownTerminal, &ownTerminalSide, nullptr, nullptr, nullptr), 0);
  const std::string ownTerminalName = ::ttyname(ownTerminalSide);
  // The factory defaults' image has no time stamp: every build gives the same bytes.
  ASSERT_EQ(runOrvellaConfig({"--library", library, "build", "--defaults", "--format", "9", "-o", image}).status, 0);
  const std::string bytes = readOrFail(image);
  std::remove(image.c_str());
  using Kind = ProgramStdout::Kind;
  const struct {
    std::vector<std::string> args;
    Kind to;
    std::string refused;  // the output the refusal names; "" for none
  } cases[] = {
      {{"build", room, "--format", "9", "-o", "-", "--listing", listing}, Kind::terminal, "-o (standard output)"},
      {{"build", room, "--format", "9", "-o", "-"}, Kind::terminal, "-o (standard output)"},
      {{"--library", library, "build", "--defaults", "--format", "9", "-o", "/dev/stdout", "--listing", listing},
       Kind::terminal, "-o '/dev/stdout'"},
      {{"build", room, "--format", "9", "-o", ownTerminalName, "--listing", listing}, Kind::captured,
       "-o '" + ownTerminalName + "'"},
      {{"--library", library, "build", "--defaults", "--format", "9", "-o", "-", "--listing", listing}, Kind::pipe, ""},
      {{"--library", library, "build", "--defaults", "--format", "9", "-o", image}, Kind::terminal, ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.args));
    std::remove(listing.c_str());
    const ProgramRun run = runOrvellaConfig(c.args, {c.to, ""});
    if (!c.refused.empty()) {
      EXPECT_EQ(run.status, 64);
      EXPECT_EQ(run.err.substr(0, run.err.find('\n') + 1),
                "orvella-config: " + c.refused + " is a terminal: the image is binary and is not written to a "
                "terminal; name a file with -o, or give -o - with --listing FILE and send standard output to a file or a pipe\n");
      EXPECT_EQ(run.out, "");
      EXPECT_FALSE(std::filesystem::exists(listing));  // refused before the build
      continue;
    }
    EXPECT_EQ(run.status, 0) << run.err;
    // The image whole in the pipe; on the terminal, the listing as text.
    EXPECT_EQ(c.to == Kind::pipe ? run.out : platform::readWholeFile(image).value_or("<none>"), bytes);
    if (c.to == Kind::terminal) {
      EXPECT_NE(run.out.find("\r\n"), std::string::npos);
    }
  }
  ::fcntl(ownTerminal, F_SETFL, O_NONBLOCK);
  char byte;
  EXPECT_EQ(::read(ownTerminal, &byte, 1), -1);  // nothing reached it
  ::close(ownTerminal);
  ::close(ownTerminalSide);
}

}  // namespace
