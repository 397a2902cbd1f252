#include "cli/room_rebuild_check.h"

#include <memory>
#include <optional>

#include "common/device_globals.h"
#include "common/hex_text.h"
#include "common/memory_image.h"
#include "panel/model/memory_grammar.h"
#include "panel/panel_settings.h"
#include "cli/failure_report.h"
#include "cli/panel_source.h"

namespace cli {
namespace {

constexpr int32_t kBlockSize = memBlockCls::kBlockSize;
constexpr int32_t kBlocks = kPanelImageSize / kBlockSize;

struct Difference {
  int32_t bytes = 0;
  int16_t firstRule = 0;  // position in the set; 0 when only bytes no rule writes differ
  int32_t firstRuleAddress = -1;
  int32_t firstAddress = -1;
};

// The rule that wrote the bits of `changed` at `address` last and comes first in the set.
int16_t firstWriter(const memBlockCls& built, int32_t address, int changed) {
  int16_t first = 0;
  for (int16_t bit = 0; bit < 8; ++bit) {
    const int16_t writer = (changed >> bit) & 1 ? built.lastWriter(address, bit) : int16_t(0);
    if (writer != 0 && (first == 0 || writer < first)) first = writer;
  }
  return first;
}

bool writtenBy(const memBlockCls& built, int32_t address, const MemRuleSet& rules, int16_t grammar) {
  const int16_t writer = built.lastWriter(address, 0);
  return writer != 0 && rules.item(writer).memoryGrammar == grammar;
}

// Compares block n of the panel with the built image, leaving out the time-stamp field.
void compareBlock(const std::string& panelBlock, int32_t n, const memBlockCls& built,
                  const std::string& builtBytes, const MemRuleSet& rules, Difference& difference) {
  for (int32_t k = 0; k < kBlockSize; ++k) {
    const int32_t address = n * kBlockSize + k;
    const int changed = (unsigned char)panelBlock[size_t(k)] ^ (unsigned char)builtBytes[size_t(address)];
    if (changed == 0 || writtenBy(built, address, rules, gramTimeStamp)) continue;
    ++difference.bytes;
    if (difference.firstAddress < 0) difference.firstAddress = address;
    const int16_t writer = firstWriter(built, address, changed);
    if (writer != 0 && (difference.firstRule == 0 || writer < difference.firstRule)) {
      difference.firstRule = writer;
      difference.firstRuleAddress = address;
    }
  }
}

}  // namespace

void reportRoomRebuild(const std::string& source, const std::string& roomText, int16_t ruleSet,
                       PanelSource& panel) {
  const std::string room = "the room decoded from '" + source + "'";
  auto settings = std::make_shared<PanelSettingsV2>();
  settings->parseRoomFileText("decoded.room", roomText);
  int16_t checked = 0;
  settings->IsDriverValid(checked);
  if (checked != 0) {
    sayLine("orvella-config: " + room + " does not check (load error " + std::to_string(checked) +
            "), so it does not build the panel's image");
    return;
  }
  int16_t version = ruleSet;
  const std::shared_ptr<memBlockCls> built =
      settings->makeMemoryMap(version, VXCommon::gPanelFwMajor, VXCommon::gPanelFwMinor);
  if (!built) {
    sayLine("orvella-config: " + room + " does not build: its image's build logs errors");
    return;
  }

  const MemRuleSet& rules = settings->memRules(ruleSet);
  const std::string builtBytes = built->memImage();
  const FlagList written = built->dirtyBlocks();
  Difference difference;
  for (int32_t n = 0; n < kBlocks; ++n) {
    if (!panel.isImageFile() && !written.at(n + 1)) continue;
    const std::optional<std::string> panelBlock = panel.block(n);
    if (!panelBlock) {
      sayLine("orvella-config: cannot compare " + room + " with the panel's image: block " +
              std::to_string(n) + " cannot be read");
      return;
    }
    compareBlock(*panelBlock, n, *built, builtBytes, rules, difference);
  }
  if (difference.bytes == 0) return;

  std::string first = difference.firstRule != 0
      ? "the first of them written by " + rules.item(difference.firstRule).memoryValRemark + " at $" +
            VXCommon::hex4Str(difference.firstRuleAddress)
      : "the first at $" + VXCommon::hex4Str(difference.firstAddress) + ", which no rule writes";
  sayLine("orvella-config: " + room + " does not build the panel's image: " +
          std::to_string(difference.bytes) + (difference.bytes == 1 ? " byte differs, " : " bytes differ, ") +
          first);
}

}  // namespace cli
