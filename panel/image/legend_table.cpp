#include "panel/image/legend_table.h"

#include <algorithm>

#include "common/device_id.h"

namespace LegendTable {

int32_t fieldEnd(const MemRuleSet& rules, int32_t start) {
  int32_t end = kPanelImageSize;
  for (const auto& rule : rules)
    if (rule->memoryStartAddress > start) end = std::min(end, rule->memoryStartAddress);
  return end;
}

int32_t textRoom(const MemRuleSet& rules, int32_t start) {
  return fieldEnd(rules, start) - start - kPointerBytes;
}

int32_t textBytes(const Texts& texts) {
  int32_t bytes = 0;
  for (const std::string& text : texts) bytes += 1 + int32_t(text.size());
  return bytes;
}

int16_t tooLongLegend(const Texts& texts, int32_t room) {
  if (textBytes(texts) <= room) return 0;
  const int32_t share = room / kLegends;
  int16_t found = 0;
  for (int16_t n = 1; n <= kLegends; ++n) {
    if (1 + int32_t(texts[size_t(n - 1)].size()) <= share) continue;
    if (found != 0) return 0;
    found = n;
  }
  return found;
}

}  // namespace LegendTable
