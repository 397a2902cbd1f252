// Every output proved before any is written, run as a shell runs the program: a standard
// descriptor closed at start is no file's number; a descriptor name stands for what was open at
// start; two descriptors on one file or pipe are one output; a folder, a device that cannot be
// opened or a file the user may not replace is refused before anything is touched, and a long
// legal name is written; the image replaces its file only after its warnings are said.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "platform/fs_util.h"
#include "tests/fakes/program_runner.h"
#include "tests/fakes/temp_xdg_home.h"

namespace {

const std::string kExamples = std::string(ORVELLA_SOURCE_DIR) + "/examples/library";
const std::string kRoom = kExamples + "/orvella/userrooms/Room 101.room";
constexpr size_t kImageSize = 8192;

// A folder with r.room and a library copy, and the shell's function `oc` that runs the program
// on that library for a panel of firmware 2.0; w.img is r.room's image with a power-on selection
// its room cannot take, so that decode warns of it.
class ShellFolder {
 public:
  ShellFolder() {
    ::chmod(home_.root().c_str(), 0777);  // so that a second user may work in it
    std::filesystem::copy(kExamples, home_.root() + "/lib", std::filesystem::copy_options::recursive);
    home_.writeFile("r.room", *platform::readWholeFile(kRoom));
    run("oc build r.room --format 9 -o w.img --listing ref.txt");
    std::string image = platform::readWholeFile(path("w.img")).value_or("");
    if (image.size() == kImageSize) image[0x1F05] = 9;
    home_.writeFile("w.img", image);
    run("oc decode --image w.img -o ref.room && oc room r.room -o ref-r.room");
    listingSize_ = platform::readWholeFile(path("ref.txt")).value_or("").size();
    decodedRoomSize_ = platform::readWholeFile(path("ref.room")).value_or("").size();
    roomSize_ = platform::readWholeFile(path("ref-r.room")).value_or("").size();
  }

  const std::string& root() const { return home_.root(); }
  std::string path(const std::string& name) const { return home_.root() + "/" + name; }
  size_t listingSize() const { return listingSize_; }

  ProgramRun run(const std::string& commandLine) const {
    return runInShell("LIB=" + home_.root() + "/lib; oc() { \"$ORVELLA\" --library \"$LIB\" --fw 2.0 \"$@\"; }; " +
                          commandLine,
                      home_.root());
  }

  // What a file holds after a command, as the tables name it.
  std::string whatIsIn(const std::string& name) const {
    const std::optional<std::string> bytes = platform::readWholeFile(path(name));
    if (!bytes) return "absent";
    if (bytes->empty()) return "empty";
    if (bytes->size() == kImageSize) return "image";
    if (bytes->size() == listingSize_) return "listing";
    if (bytes->size() == listingSize_ + kImageSize) return "listing+image";
    if (bytes->size() == roomSize_) return "room";
    if (bytes->size() == decodedRoomSize_) return "decoded room";
    if (bytes->rfind("orvella-config: ", 0) == 0) return "messages";
    if (bytes->size() > kImageSize && bytes->compare(kImageSize, 7, "r.room:") == 0) return "image+warnings";
    return std::to_string(bytes->size()) + " bytes";
  }

 private:
  TempXdgHome home_;
  size_t listingSize_ = 0, roomSize_ = 0, decodedRoomSize_ = 0;
};

struct ShellCase {
  std::string command;
  int status;
  std::vector<std::pair<std::string, std::string>> filesAfter;  // name, what it holds
  std::string err;  // part of stderr
};

void runCases(ShellFolder& folder, const std::vector<ShellCase>& cases) {
  ASSERT_GT(folder.listingSize(), 0u);
  for (const ShellCase& c : cases) {
    SCOPED_TRACE(c.command);
    for (const auto& [name, unused] : c.filesAfter) std::filesystem::remove(folder.path(name));
    const ProgramRun run = folder.run(c.command);
    EXPECT_EQ(run.status, c.status) << run.err;
    for (const auto& [name, holds] : c.filesAfter) EXPECT_EQ(folder.whatIsIn(name), holds) << name;
    EXPECT_NE(run.err.find(c.err), std::string::npos) << run.err;
    std::set<std::string> temporary;
    for (const auto& entry : std::filesystem::directory_iterator(folder.root()))
      if (entry.path().filename().string().find(".img.") != std::string::npos) temporary.insert(entry.path());
    EXPECT_EQ(temporary, std::set<std::string>{});
  }
}

const std::string kClosed = "orvella-config: cannot write to standard output: it is closed";

TEST(OutputsProvedFirst, StandardDescriptorsAndDescriptorNames) {
  ShellFolder folder;
  const std::vector<ShellCase> cases = {
      // A standard descriptor closed at start is no file's number; one an output needs is refused.
      {"oc build r.room --format 9 -o out.img >&-", 73, {{"out.img", "absent"}}, kClosed},
      {"oc build --defaults --format 9 -o out.img >&-", 73, {{"out.img", "absent"}}, kClosed},
      {"oc build r.room --format 9 -o - --listing L.txt >&-", 73, {{"L.txt", "absent"}}, kClosed},
      {"oc decode --image w.img -o back.room >&-", 73, {{"back.room", "absent"}}, kClosed},
      {"oc check r.room >&-", 73, {}, kClosed},
      {"oc parse r.room >&-", 73, {}, kClosed},
      {"oc dump --image w.img >&-", 73, {}, kClosed},
      {"oc library >&-", 73, {}, kClosed},
      {"oc build --help >&-", 73, {}, kClosed},
      {"oc --version >&-", 73, {}, kClosed},
      {"oc room r.room -o /dev/stdout >&-", 73, {}, kClosed},
      {"oc room r.room -o room.room >&-", 0, {{"room.room", "room"}}, ""},
      // A message to a standard error closed at start is lost, never written into the room.
      {"oc decode --image w.img -o back.room 2>&-", 0, {{"back.room", "decoded room"}}, ""},
      {"oc build r.room --format 9 -o out.img --listing L.txt 2>&-", 0, {{"out.img", "image"}, {"L.txt", "listing"}},
       ""},
      {"oc build r.room --format 9 -o out.img --listing L.txt <&-", 0, {{"out.img", "image"}, {"L.txt", "listing"}},
       ""},
      // A descriptor name stands for what was open at start, and open for writing.
      {"oc build r.room --format 9 -o out.img --listing /dev/fd/3", 73, {{"out.img", "absent"}},
       "orvella-config: cannot write '/dev/fd/3': descriptor 3 was not open when the program started"},
      {"oc build r.room --format 9 -o out.img --listing /dev/stderr 2>&-", 73, {{"out.img", "absent"}}, ""},
      {"oc build r.room --format 9 -o /dev/fd/3 --listing L.txt", 73, {{"L.txt", "absent"}},
       "orvella-config: cannot write '/dev/fd/3': descriptor 3 was not open when the program started"},
      {"cp w.img in.img; oc build r.room --format 9 -o /dev/fd/3 --listing L.txt 3<in.img", 73, {{"L.txt", "absent"}, {"in.img", "image"}},
       "orvella-config: cannot write '/dev/fd/3': descriptor 3 is not open for writing"},
      {"oc check r.room 1<r.room", 73, {}, "orvella-config: cannot write to standard output: it is not open for writing"},
      {"oc build r.room --format 9 -o /proc/self/fd/3 --listing L.txt 3>fd3.img", 0,
       {{"L.txt", "listing"}, {"fd3.img", "image"}}, ""},
      // Two descriptors on one file or pipe are one output.
      {"oc build r.room --format 9 -o /dev/fd/4 --listing /dev/fd/3 3>both.bin 4>both.bin", 64, {{"both.bin", "empty"}},
       "--listing '/dev/fd/3' and -o '/dev/fd/4' are one file"},
      {"oc build r.room --format 9 -o - --listing /dev/stderr >mix.bin 2>&1", 64, {{"mix.bin", "messages"}},
       ""},
      {"oc build r.room --format 9 -o - --listing /dev/stderr 2>&1 | cat >piped.bin; exit ${PIPESTATUS[0]}", 64,
       {{"piped.bin", "messages"}}, ""},
      {"oc decode --image w.img -o /dev/stderr 2>&1 | cat >piped.bin; exit ${PIPESTATUS[0]}", 64,
       {{"piped.bin", "messages"}}, ""},
      // Standard error is an output only where an option names it.
      {"oc build r.room --format 9 -o - --listing L.txt >f.bin 2>&1", 0, {{"f.bin", "image+warnings"}, {"L.txt", "listing"}},
       ""},
      {"oc build r.room --format 9 -o /dev/null --listing /dev/null >/dev/null 2>&1", 0, {}, ""},
  };
  runCases(folder, cases);
}

TEST(OutputsProvedFirst, EveryOutputIsProvedReplaceableBeforeAnyIsWritten) {
  ShellFolder folder;
  folder.run("mkdir sub");
  const std::string long250(250, 'n'), long255 = std::string(252, 'm') + "\xE2\x82\xAC";  // ends in a 3-byte "€"
  std::vector<ShellCase> cases = {
      {"oc build r.room --format 9 -o sub --listing L.txt", 73, {{"L.txt", "absent"}},
       "orvella-config: cannot write 'sub': Is a directory"},
      {"oc decode --image w.img -o sub --listing L.txt", 73, {{"L.txt", "absent"}},
       "orvella-config: cannot write 'sub': Is a directory"},
      {"setsid -w \"$ORVELLA\" --library \"$LIB\" --fw 2.0 build r.room --format 9 -o /dev/tty --listing L.txt", 73,
       {{"L.txt", "absent"}}, "orvella-config: cannot write '/dev/tty': No such device or address"},
      // A long legal name is written, new or replaced.
      {"oc build r.room --format 9 -o " + long250 + " --listing L.txt", 0, {{long250, "image"}, {"L.txt", "listing"}}, ""},
      {"echo old >" + long250 + "; oc build r.room --format 9 -o " + long250 + " --listing L.txt", 0,
       {{long250, "image"}, {"L.txt", "listing"}}, ""},
      {"oc room r.room -o " + long255, 0, {{long255, "room"}}, ""},
      {"echo old >" + long255 + "; oc room r.room -o " + long255, 0, {{long255, "room"}}, ""},
  };
  // A file the user may open but not replace: another user's file in a folder with the sticky
  // bit, as the shared temporary folder is.
  const Unprivileged runner = unprivilegedUser();
  if (runner.user) {
    cases.push_back({"mkdir -m 1777 shared && echo old >shared/f.img && chmod 666 shared/f.img && "
                     "setpriv --reuid=" + std::to_string(runner.user->uid) + " --regid=" +
                         std::to_string(runner.user->gid) +
                         " --clear-groups \"$ORVELLA\" --library \"$LIB\" --fw 2.0 "
                         "build r.room --format 9 -o shared/f.img --listing shared/L.txt",
                     73, {{"shared/f.img", "4 bytes"}, {"shared/L.txt", "absent"}},
                     "orvella-config: cannot write 'shared/f.img': Operation not permitted"});
  }
  runCases(folder, cases);
  if (!runner.user)
    GTEST_SKIP() << "the sticky-folder case needs a second user, and the tests do not run as root"
                 << (runner.whyNot.empty() ? "" : ": " + runner.whyNot);
}

// Whether process `pid` waits in a write to its descriptor `fd`.
bool waitsWritingTo(pid_t pid, int fd) {
  std::ifstream syscall("/proc/" + std::to_string(pid) + "/syscall");
  long number = -1;
  std::string first;
  if (!(syscall >> number >> first)) return false;
  return number == SYS_write && std::stol(first, nullptr, 16) == fd;
}

// The image replaces its file last: while the warnings cannot be said (a standard error whose
// pipe is full), the old image stays in place and the new one waits in its temporary file; a
// reader that goes away ends the build by SIGPIPE with the old image kept, one that reads lets it
// finish.
TEST(OutputsProvedFirst, TheImageReplacesTheOldFileAfterItsWarnings) {
  if (::access("/proc/self/syscall", R_OK) != 0) GTEST_SKIP() << "no /proc/PID/syscall to see the program wait";
  TempXdgHome home;
  home.writeFile("out/r.room", *platform::readWholeFile(kRoom));
  const std::string dir = home.root() + "/out/", image = dir + "existing.img", old(kImageSize, 'o');
  for (const bool readerStays : {true, false}) {
    SCOPED_TRACE(readerStays ? "the reader reads on" : "the reader goes away");
    home.writeFile("out/existing.img", old);
    int ends[2];
    ASSERT_EQ(::pipe2(ends, O_CLOEXEC | O_NONBLOCK), 0);
    ::fcntl(ends[1], F_SETPIPE_SZ, 4096);
    const std::string filler(4096, 'f');
    size_t filled = 0;
    for (ssize_t n; (n = ::write(ends[1], filler.data(), filler.size())) > 0;) filled += size_t(n);
    ::fcntl(ends[1], F_SETFL, 0);  // the program's writes wait
    StartedProgram program = startOrvellaConfig({"--library", kExamples, "--fw", "2.0", "build", dir + "r.room",
                                                 "--format", "9", "-o", image, "--listing", dir + "L.txt"},
                                                {}, std::nullopt, {}, ends[1]);
    ::close(ends[1]);
    ASSERT_GT(program.pid, 0);
    bool waiting = false;
    for (int tries = 0; tries < 10000 && !(waiting = waitsWritingTo(program.pid, 2)); ++tries) ::usleep(1000);
    ASSERT_TRUE(waiting);
    EXPECT_EQ(platform::readWholeFile(image), old);
    size_t temporaryFiles = 0;
    for (const auto& entry : std::filesystem::directory_iterator(dir)) {
      if (entry.path().filename().string().rfind("existing.img.", 0) != 0) continue;
      ++temporaryFiles;
      EXPECT_EQ(entry.file_size(), kImageSize);  // the new image, written, not yet in place
    }
    EXPECT_EQ(temporaryFiles, 1u);

    std::string said;
    if (readerStays) {
      ::fcntl(ends[0], F_SETFL, 0);
      char buffer[4096];
      for (ssize_t n; (n = ::read(ends[0], buffer, sizeof buffer)) > 0;) said.append(buffer, size_t(n));
    }
    ::close(ends[0]);
    const ProgramRun run = finishOrvellaConfig(program);
    if (readerStays) {
      EXPECT_EQ(run.status, 0);
      EXPECT_NE(said.find("r.room: warning: ", filled), std::string::npos) << said.size() << " bytes said";
      EXPECT_EQ(platform::readWholeFile(image).value_or("").size(), kImageSize);
      EXPECT_NE(platform::readWholeFile(image), old);
    } else {
      EXPECT_EQ(run.signal, SIGPIPE);
      EXPECT_EQ(platform::readWholeFile(image), old);
    }
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(dir)) names.insert(entry.path().filename());
    EXPECT_EQ(names, (std::set<std::string>{"L.txt", "existing.img", "r.room"}));
    std::filesystem::remove(dir + "L.txt");
  }
}

}  // namespace
