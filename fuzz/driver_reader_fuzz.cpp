// Reads arbitrary bytes as a projector driver in both formats: once under a ".prjdrv" name
// (the keyword-language lexer) and once under a ".prj" name (the older record reader), each
// into a new settings object that the driver check then completes and judges. Every call must
// return; the code table must stay shared by the IRCODE and RSCODE slots, the counters must
// stay non-negative and the check must give one of its load errors.
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>

#include "fuzz/scratch_folder.h"
#include "panel/panel_settings.h"

namespace {

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
  static const ScratchFolder folder("driver_reader_fuzz");
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  readAndCheck(folder.write(ScratchFolder::kKeywordDriver, bytes));
  readAndCheck(folder.write(ScratchFolder::kRecordDriver, bytes));
  return 0;
}
