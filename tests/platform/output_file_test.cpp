// Output files: written whole or not at all, the old file kept on every failure, no temporary
// file left behind (nor by a signal that ends the program), the permissions of a replaced file
// kept, and a temporary file's name within the folder's limit.
#include "platform/output_file.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstring>

#include <filesystem>
#include <optional>
#include <set>

#include "platform/fs_util.h"
#include "tests/fakes/temp_xdg_home.h"

namespace {

std::set<std::string> namesIn(const std::string& dir) {
  std::set<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(dir)) names.insert(entry.path().filename());
  return names;
}

mode_t modeOf(const std::string& path) {
  struct stat info {};
  return ::stat(path.c_str(), &info) == 0 ? info.st_mode & 07777 : 0;
}

TEST(OutputFile, WritesWholeOrKeepsTheOldFile) {
  TempXdgHome folder;
  folder.writeFile("out/old.room", "old bytes");
  ::chmod((folder.root() + "/out/old.room").c_str(), 0640);
  folder.makeDir("out/folder.room");
  const std::string out = folder.root() + "/out/";

  // A full file system lets no file grow beyond 1,000 bytes.
  struct { const char* target; bool fileSystemFull, written; } cases[] = {
      {"old.room", true, false}, {"missing/new.room", false, false}, {"folder.room", false, false},
      {"old.room", false, true}};
  rlimit saved{};
  ::getrlimit(RLIMIT_FSIZE, &saved);
  const rlimit full = {1000, saved.rlim_max};
  ::signal(SIGXFSZ, SIG_IGN);  // a write beyond the limit fails instead of ending the process
  for (const auto& c : cases) {
    const std::string path = out + c.target, bytes(5000, 'n');
    const std::string before = platform::readWholeFile(path).value_or("<none>");
    const std::set<std::string> names = namesIn(out);
    if (c.fileSystemFull) ::setrlimit(RLIMIT_FSIZE, &full);
    std::string reason = "unchanged";
    bool written = platform::writeOutputFile(path, bytes, reason);
    ::setrlimit(RLIMIT_FSIZE, &saved);

    EXPECT_EQ(written, c.written) << c.target;
    EXPECT_EQ(reason.empty(), c.written) << c.target << ": " << reason;
    EXPECT_TRUE(platform::readWholeFile(path).value_or("<none>") == (c.written ? bytes : before)) << c.target;
    EXPECT_EQ(namesIn(out), names) << c.target;
    EXPECT_EQ(modeOf(out + "old.room"), mode_t(0640)) << c.target;
  }
  ::signal(SIGXFSZ, SIG_DFL);

  mode_t mask = ::umask(022);
  std::string reason;
  EXPECT_TRUE(platform::writeOutputFile(out + "new.room", "x", reason));
  ::umask(mask);
  EXPECT_EQ(modeOf(out + "new.room"), mode_t(0644));
}

// A name that the folder takes, with ".XXXXXX" added, may pass the folder's limit: the temporary
// file's name is cut short, at the start of a character.
TEST(OutputFile, ALongNameGetsATemporaryFileWithinTheFolderLimit) {
  TempXdgHome folder;
  folder.makeDir("out");
  const std::string out = folder.root() + "/out/";
  const std::string name = std::string(246, 'm') + "\xE2\x82\xAC" + std::string(5, 'z');  // 254 bytes
  platform::OutputFile output(out + name);
  ASSERT_EQ(output.refusal(), 0) << std::strerror(output.refusal());
  const std::set<std::string> names = namesIn(out);
  ASSERT_EQ(names.size(), 1u);
  EXPECT_EQ(names.begin()->size(), 246u + 7);
  EXPECT_EQ(names.begin()->substr(0, 247), std::string(246, 'm') + ".");
  std::string reason;
  EXPECT_TRUE(output.write("new", reason) && output.putInPlace(reason)) << reason;
  EXPECT_EQ(namesIn(out), std::set<std::string>{name});
}

volatile sig_atomic_t caught = 0;
void catchSignal(int) { caught = 1; }

// A signal that ends the program while outputs' temporary files exist removes them all, leaves
// the old files whole and ends the program by that signal (SIGQUIT's default action dumps core:
// none is made here); a signal the program ignores or catches itself changes nothing, a fault
// signal keeps its default action (the temporary file stays), and one after the rename leaves
// the new file. Each case runs in a child process.
TEST(OutputFile, ASignalThatEndsTheProgramLeavesNoTemporaryFile) {
  TempXdgHome folder;
  const std::string dir = folder.root() + "/out/";
  const std::string paths[] = {dir + "old.img", dir + "old.lst"};
  enum class Before { defaultAction, ignored, caught };  // the signal's action when the outputs are made
  const struct {
    int signal;
    Before before;
    size_t outputs;
    bool afterTheRename;
    const char* left;  // in each file
    size_t temporaryFilesLeft;
  } cases[] = {
      {SIGINT, Before::defaultAction, 1, false, "old bytes", 0},
      {SIGTERM, Before::defaultAction, 1, false, "old bytes", 0},
      {SIGHUP, Before::defaultAction, 1, false, "old bytes", 0},
      {SIGPIPE, Before::defaultAction, 1, false, "old bytes", 0},
      {SIGQUIT, Before::defaultAction, 1, false, "old bytes", 0},
      {SIGUSR2, Before::defaultAction, 1, false, "old bytes", 0},
      {SIGVTALRM, Before::defaultAction, 1, false, "old bytes", 0},
      {SIGPROF, Before::defaultAction, 1, false, "old bytes", 0},
      {SIGIO, Before::defaultAction, 1, false, "old bytes", 0},
      {SIGPWR, Before::defaultAction, 1, false, "old bytes", 0},
      {SIGSTKFLT, Before::defaultAction, 1, false, "old bytes", 0},
      {SIGXFSZ, Before::defaultAction, 1, false, "old bytes", 0},
      {SIGRTMAX, Before::defaultAction, 1, false, "old bytes", 0},
      {SIGTERM, Before::defaultAction, 2, false, "old bytes", 0},
      {SIGTRAP, Before::defaultAction, 1, false, "old bytes", 1},
      {SIGPIPE, Before::ignored, 1, false, "new bytes", 0},
      {SIGPROF, Before::caught, 2, false, "new bytes", 0},
      {SIGTERM, Before::defaultAction, 1, true, "new bytes", 0},
  };
  rlimit noCore{};
  ::getrlimit(RLIMIT_CORE, &noCore);
  noCore.rlim_cur = 0;
  for (const auto& c : cases) {
    const char* before[] = {"", " ignored", " caught"};
    SCOPED_TRACE(testing::Message() << strsignal(c.signal) << before[int(c.before)] << ", " << c.outputs
                                    << " outputs" << (c.afterTheRename ? ", after the rename" : ""));
    std::filesystem::remove_all(dir);
    std::set<std::string> old;
    for (size_t i = 0; i < c.outputs; ++i) {
      folder.writeFile("out/" + platform::nameOf(paths[i]), "old bytes");
      old.insert(platform::nameOf(paths[i]));
    }
    const pid_t child = ::fork();
    if (child == 0) {
      ::setrlimit(RLIMIT_CORE, &noCore);
      ::signal(c.signal, c.before == Before::ignored ? SIG_IGN : c.before == Before::caught ? catchSignal : SIG_DFL);
      std::string reason;
      std::optional<platform::OutputFile> outputs[2];
      for (size_t i = 0; i < c.outputs; ++i) outputs[i].emplace(paths[i]);
      if (c.afterTheRename) (void)(outputs[0]->write("new bytes", reason) && outputs[0]->putInPlace(reason));
      else if (namesIn(dir).size() != 2 * c.outputs) ::_exit(3);  // no temporary file to remove
      ::raise(c.signal);
      for (size_t i = 0; i < c.outputs; ++i) (void)(outputs[i]->write("new bytes", reason) && outputs[i]->putInPlace(reason));
      ::_exit(c.before == Before::caught && !caught ? 4 : 0);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    const bool ends = c.before == Before::defaultAction;
    EXPECT_EQ(WIFSIGNALED(status) ? WTERMSIG(status) : -WEXITSTATUS(status), ends ? c.signal : 0) << status;
    EXPECT_EQ(namesIn(dir).size(), old.size() + c.temporaryFilesLeft);
    for (size_t i = 0; i < c.outputs; ++i) {
      EXPECT_TRUE(namesIn(dir).count(platform::nameOf(paths[i])));
      EXPECT_EQ(platform::readWholeFile(paths[i]), c.left) << paths[i];
    }
  }
}

}  // namespace
