// Reading a generated driver of 25,000 to 100,000 lines into a new settings object. The
// listing grows by appending and each statement touches only its own slot, so the time grows
// linearly with the number of lines (the reported complexity should be O(N)).
//
// The driver is a valid header followed by a repeating block: a comment, an IR code, a blank
// line, an RS232 code and an installation note. Code names and note numbers stay distinct up
// to 16,000 of each (the code table then holds 32,000 names, near its limit), so the lookups
// of a growing code table are part of what is measured.
#include <benchmark/benchmark.h>

#include <string>

#include "panel/panel_settings.h"
#include "tests/fakes/temp_xdg_home.h"
#include "wizard/parse_file_listing.h"

namespace {

std::string generatedDriver(int64_t lines) {
  std::string text =
      "PROJ-FILE-FMT=1\r\n"
      "PROJ-NAME='Bench 1'\r\n"
      "PROJ-BAUD-RATE=9600,8,N,1\r\n"
      "IR-TIME-0L=560u\r\n"
      "BYTES-TO-QUEUE=$0E\r\n"
      "CODE-SUBST[HDR]=\"'*',$01\"\r\n";
  for (int64_t i = 6; i < lines; ++i) {
    std::string n = std::to_string((i / 5) % 16000);
    switch (i % 5) {
      case 0: text += "; block " + std::to_string(i) + "\r\n"; break;
      case 1: text += "IRCODE['I" + n + "']=\"%0101100,D5m,%11\",USEREPEAT,REPEATS=3\r\n"; break;
      case 2: text += "\r\n"; break;
      case 3: text += "RSCODE['R" + n + "']=\"HDR,'PWR ON',$0D\",IS-SELECTION\r\n"; break;
      default: text += "DOC-INSTALLATION-NOTE[" + n + "]=\"Set the projector to 9600 baud\"\r\n";
    }
  }
  return text;
}

void BM_ReadGeneratedDriver(benchmark::State& state) {
  TempXdgHome folder;
  folder.writeFile("bench.prjdrv", generatedDriver(state.range(0)));
  const std::string path = folder.root() + "/bench.prjdrv";
  for (auto _ : state) {
    PanelSettingsV2 settings;
    if (!settings.ReadAndParseProjFile(path)) state.SkipWithError("the driver could not be read");
    benchmark::DoNotOptimize(ParseFileListing::instance().txtParseFileListing().size());
  }
  ParseFileListing::instance().txtParseFileListing("");
  state.SetComplexityN(state.range(0));
  state.SetItemsProcessed(state.iterations() * state.range(0));
}

BENCHMARK(BM_ReadGeneratedDriver)
    ->Arg(25000)
    ->Arg(50000)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);

}  // namespace
