// ScratchFolder: one temporary folder per fuzz process (under $TMPDIR, else /tmp), removed with
// the files written into it when the process ends. A fuzz target rewrites its input files for
// each run, so readers that take a file name see the fuzzer's bytes.
#pragma once

#include <cstdlib>
#include <fstream>
#include <set>
#include <string>

#include <unistd.h>

class ScratchFolder {
 public:
  explicit ScratchFolder(const std::string& prefix) {
    const char* base = std::getenv("TMPDIR");
    std::string pattern = std::string(base && *base ? base : "/tmp") + "/" + prefix + ".XXXXXX";
    if (!mkdtemp(pattern.data())) std::abort();
    path_ = pattern;
  }
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;
  ~ScratchFolder() {
    for (const std::string& file : written_) unlink(file.c_str());
    rmdir(path_.c_str());
  }

  const std::string& path() const { return path_; }

  // Writes the bytes as the file `name` of the folder, replacing it; its path.
  std::string write(const char* name, const std::string& bytes) const {
    std::string file = path_ + "/" + name;
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), std::streamsize(bytes.size()));
    if (!out) std::abort();
    written_.insert(file);
    return file;
  }

  // The names under which the driver targets read their input in both driver formats.
  static constexpr const char* kKeywordDriver = "Fuzz Driver (Rev A).prjdrv";
  static constexpr const char* kRecordDriver = "Fuzz Driver (Rev A).prj";

 private:
  std::string path_;
  mutable std::set<std::string> written_;
};
