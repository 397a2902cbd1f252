#include "tests/fakes/temp_xdg_home.h"

#include <ftw.h>
#include <stdlib.h>
#include <unistd.h>

#include <cstdio>
#include <stdexcept>

#include "platform/fs_util.h"

namespace {

int removeEntry(const char* path, const struct stat*, int, struct FTW*) { return ::remove(path); }

}  // namespace

TempXdgHome::TempXdgHome() {
  char pattern[] = "/tmp/orvella-test-XXXXXX";
  if (::mkdtemp(pattern) == nullptr) throw std::runtime_error("mkdtemp failed");
  root_ = pattern;
  const std::pair<const char*, std::string> vars[] = {
      {"HOME", root_ + "/home"}, {"XDG_CONFIG_HOME", configHome()}, {"XDG_DATA_HOME", dataHome()}};
  for (const auto& [name, value] : vars) {
    const char* old = std::getenv(name);
    saved_.emplace_back(name, old ? std::optional<std::string>(old) : std::nullopt);
    ::setenv(name, value.c_str(), 1);
  }
  platform::makeDirs(root_ + "/home");
  ++live_;
}

TempXdgHome::~TempXdgHome() {
  --live_;
  for (const auto& [name, value] : saved_) {
    if (value) ::setenv(name.c_str(), value->c_str(), 1);
    else ::unsetenv(name.c_str());
  }
  ::nftw(root_.c_str(), removeEntry, 16, FTW_DEPTH | FTW_PHYS);
}

void TempXdgHome::writeFile(const std::string& relative, const std::string& bytes) const {
  std::string path = root_ + "/" + relative;
  platform::makeDirs(path.substr(0, path.rfind('/')));
  FILE* f = std::fopen(path.c_str(), "wb");
  if (f == nullptr) throw std::runtime_error("cannot write " + path);
  std::fwrite(bytes.data(), 1, bytes.size(), f);
  std::fclose(f);
}

void TempXdgHome::makeDir(const std::string& relative) const {
  platform::makeDirs(root_ + "/" + relative);
}
