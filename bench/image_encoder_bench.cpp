// Building the panel image of a sample room (the example library's saved room with its RS232
// driver) in each memory format: the rule walk, the code table and the listing appended to the
// memory debug window. The target is well under a millisecond per image.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "common/memory_image.h"
#include "panel/panel_settings.h"
#include "wizard/mem_debug_form.h"

namespace {

const std::string kThisFile = __FILE__;
const std::string kSourceDir = kThisFile.substr(0, kThisFile.rfind("/bench/"));

void BM_BuildSampleRoomImage(benchmark::State& state) {
  PanelSettingsV2 settings;
  settings.ReadAndParseRoomFile(kSourceDir + "/examples/library/orvella/userrooms/Room 101.room");
  int16_t checked = -1;
  settings.IsDriverValid(checked);
  if (checked != 0) state.SkipWithError("the sample room does not check");
  for (auto _ : state) {
    int16_t version = int16_t(state.range(0));
    // The window keeps every listing; start each build with an empty one.
    MemDebugForm::instance().reset();
    std::shared_ptr<memBlockCls> image = settings.makeMemoryMap(version, 1, 0);
    if (!image) state.SkipWithError("the image has errors");
    benchmark::DoNotOptimize(image);
  }
}

BENCHMARK(BM_BuildSampleRoomImage)->DenseRange(1, 3)->Unit(benchmark::kMicrosecond);

}  // namespace
