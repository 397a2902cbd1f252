// Reading 20 blocks from a simulated panel over a pseudo-terminal. A block read ends as soon
// as its reply is complete, so 20 blocks take a small fraction of the 20 x 0.25 s that waiting
// out each reply's time limit would cost.
#include <benchmark/benchmark.h>

#include <string>

#include "comm/comm_access.h"
#include "comm/rs232_lab.h"
#include "common/device_globals.h"
#include "tests/fakes/simulated_panel.h"

namespace {

void BM_FetchTwentyBlocks(benchmark::State& state) {
  const bool withChecksum = state.range(0) != 0;
  VXCommon::gPanelFmtMajor = withChecksum ? 3 : 2;
  std::string image(8192, '\0');
  for (size_t a = 0; a < image.size(); ++a) image[a] = char(a * 7 + 3);
  SimulatedPanel panel(image, withChecksum);
  std::string error;
  if (!frmCommAccess::instance().openSerialDevice(panel.devicePath(), error)) {
    state.SkipWithError(error.c_str());
    return;
  }
  for (auto _ : state) {
    for (int32_t block = 0; block < 20; ++block) {
      std::string data;
      int16_t errnum = 1;
      frmCommAccess::instance().retrieveBlock(data, block, 1, errnum);
      if (errnum != 0) state.SkipWithError("a block read failed");
      benchmark::DoNotOptimize(data);
    }
    Rs232Lab::instance().clear();  // keep the trace from growing across iterations
  }
  state.SetItemsProcessed(state.iterations() * 20);
  frmCommAccess::instance().closePort();
  VXCommon::resetDeviceGlobals();
}

BENCHMARK(BM_FetchTwentyBlocks)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
