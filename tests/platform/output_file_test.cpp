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

// A signal that ends the program while an output's temporary file exists removes it, leaves the
// old file whole and ends the program by that signal; a signal the program ignores changes
// nothing, and one after the rename leaves the new file. Each case runs in a child process.
TEST(OutputFile, ASignalThatEndsTheProgramLeavesNoTemporaryFile) {
  TempXdgHome folder;
  const std::string dir = folder.root() + "/out/", path = dir + "old.img";
  const struct {
    int signal;
    bool ignored, afterTheRename;
    const char* left;
  } cases[] = {
      {SIGINT, false, false, "old bytes"},  {SIGTERM, false, false, "old bytes"},
      {SIGHUP, false, false, "old bytes"},  {SIGPIPE, false, false, "old bytes"},
      {SIGPIPE, true, false, "new bytes"},  {SIGTERM, false, true, "new bytes"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << strsignal(c.signal) << (c.ignored ? " ignored" : "")
                                    << (c.afterTheRename ? " after the rename" : ""));
    std::filesystem::remove_all(dir);
    folder.writeFile("out/old.img", "old bytes");
    const pid_t child = ::fork();
    if (child == 0) {
      ::signal(c.signal, c.ignored ? SIG_IGN : SIG_DFL);
      std::string reason;
      platform::OutputFile output(path);
      if (c.afterTheRename) (void)(output.write("new bytes", reason) && output.putInPlace(reason));
      else if (namesIn(dir).size() != 2) ::_exit(3);  // no temporary file to remove
      ::raise(c.signal);
      (void)(output.write("new bytes", reason) && output.putInPlace(reason));
      ::_exit(0);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_EQ(WIFSIGNALED(status) ? WTERMSIG(status) : -WEXITSTATUS(status), c.ignored ? 0 : c.signal) << status;
    EXPECT_EQ(namesIn(dir), std::set<std::string>{"old.img"});
    EXPECT_EQ(platform::readWholeFile(path), c.left);
  }
}

}  // namespace
