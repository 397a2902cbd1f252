// Reads arbitrary bytes as a projector driver in both formats: once under a ".prjdrv" name
// (the keyword-language lexer) and once under a ".prj" name (the older record reader), each
// into a new settings object that the driver check then completes and judges. Every call must
// return; the code table must stay shared by the IRCODE and RSCODE slots, the counters must
// stay non-negative and the check must give one of its load errors.
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <string>

#include <unistd.h>

#include "panel/panel_settings.h"

namespace {

// One folder per process, removed at exit; the two driver files are rewritten for each input.
class ScratchFolder {
 public:
  ScratchFolder() {
    const char* base = std::getenv("TMPDIR");
    std::string pattern = std::string(base && *base ? base : "/tmp") + "/driver_reader_fuzz.XXXXXX";
    if (!mkdtemp(pattern.data())) std::abort();
    path_ = pattern;
  }
  ~ScratchFolder() {
    for (const char* name : {kKeywordDriver, kRecordDriver}) unlink((path_ + "/" + name).c_str());
    rmdir(path_.c_str());
  }
  std::string write(const char* name, const std::string& bytes) const {
    std::string file = path_ + "/" + name;
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), std::streamsize(bytes.size()));
    if (!out) std::abort();
    return file;
  }

  static constexpr const char* kKeywordDriver = "Fuzz Driver (Rev A).prjdrv";
  static constexpr const char* kRecordDriver = "Fuzz Driver (Rev A).prj";

 private:
  std::string path_;
};

bool isLoadError(int16_t result) { return result == 0 || result == 2 || result == 5 || result == 10; }

void readAndCheck(const std::string& file) {
  auto settings = std::make_shared<PanelSettingsV2>();
  if (!settings->ReadAndParseProjFile(file)) std::abort();
  if (settings->directAccess(12) != settings->directAccess(13)) std::abort();
  int16_t result = 1;
  settings->IsDriverValid(result);
  if (!isLoadError(result)) std::abort();
  if (settings->parseErrors() < 0 || settings->parseWarnings() < 0) std::abort();
  if (settings->directAccess(12) != settings->directAccess(13)) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const ScratchFolder folder;
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  readAndCheck(folder.write(ScratchFolder::kKeywordDriver, bytes));
  readAndCheck(folder.write(ScratchFolder::kRecordDriver, bytes));
  return 0;
}
