// Output files: written whole or not at all, with the old file kept on every failure and no
// temporary file left behind; the permissions of a replaced file are kept.
#include "platform/output_file.h"

#include <dirent.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <set>

#include "platform/fs_util.h"
#include "tests/fakes/temp_xdg_home.h"

namespace {

std::set<std::string> namesIn(const std::string& dir) {
  std::set<std::string> names;
  if (DIR* d = ::opendir(dir.c_str())) {
    while (dirent* e = ::readdir(d))
      if (std::string(e->d_name) != "." && std::string(e->d_name) != "..") names.insert(e->d_name);
    ::closedir(d);
  }
  return names;
}

mode_t modeOf(const std::string& path) {
  struct stat info {};
  return ::stat(path.c_str(), &info) == 0 ? info.st_mode & 07777 : 0;
}

// Lets the process write at most `bytes` bytes into any one file while it lives.
class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t bytes) {
    ::getrlimit(RLIMIT_FSIZE, &saved_);
    oldHandler_ = ::signal(SIGXFSZ, SIG_IGN);
    rlimit limit = saved_;
    limit.rlim_cur = bytes;
    ::setrlimit(RLIMIT_FSIZE, &limit);
  }
  ~FileSizeLimit() {
    ::setrlimit(RLIMIT_FSIZE, &saved_);
    ::signal(SIGXFSZ, oldHandler_);
  }

 private:
  rlimit saved_{};
  void (*oldHandler_)(int) = nullptr;
};

TEST(OutputFile, WritesWholeOrKeepsTheOldFile) {
  TempXdgHome folder;
  folder.writeFile("out/old.room", "old bytes");
  ::chmod((folder.root() + "/out/old.room").c_str(), 0640);
  folder.makeDir("out/folder.room");
  const std::string out = folder.root() + "/out/";

  struct {
    const char* target;
    size_t size;        // bytes written: "n" repeated
    bool limited;       // any one file may grow to 1,000 bytes only
    bool written;
  } cases[] = {
      {"old.room", 5000, true, false},
      {"missing/new.room", 10, false, false},
      {"folder.room", 10, false, false},
      {"new.room", 5000, false, true},
      {"old.room", 5000, false, true},
  };
  for (const auto& c : cases) {
    const std::string path = out + c.target;
    const std::string bytes(c.size, 'n');
    const std::string before = platform::readWholeFile(path).value_or("<none>");
    const mode_t modeBefore = modeOf(path);
    std::set<std::string> names = namesIn(out);
    std::string reason = "unchanged";
    bool written;
    {
      std::unique_ptr<FileSizeLimit> limit;
      if (c.limited) limit = std::make_unique<FileSizeLimit>(1000);
      written = platform::writeOutputFile(path, bytes, reason);
    }
    EXPECT_EQ(written, c.written) << c.target;
    EXPECT_EQ(reason.empty(), c.written) << c.target << ": " << reason;
    EXPECT_TRUE(platform::readWholeFile(path).value_or("<none>") == (c.written ? bytes : before))
        << c.target;
    if (c.written) names.insert(c.target);
    EXPECT_EQ(namesIn(out), names) << c.target;  // no temporary file left behind
    if (modeBefore != 0) EXPECT_EQ(modeOf(path), modeBefore) << c.target;
  }

  mode_t mask = ::umask(022);
  std::string reason;
  ASSERT_TRUE(platform::writeOutputFile(out + "fresh.room", "x", reason));
  ::umask(mask);
  EXPECT_EQ(modeOf(out + "fresh.room"), mode_t(0644));
}

}  // namespace
