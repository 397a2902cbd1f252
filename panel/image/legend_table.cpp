#include "panel/image/legend_table.h"

#include "panel/image/text_fields.h"

namespace LegendTable {

int32_t textRoom(const MemRuleSet& rules, int32_t start) {
  return TextFields::fieldEnd(rules, start) - start - kPointerBytes;
}

int32_t textBytes(const Texts& texts) {
  int32_t bytes = 0;
  for (const std::string& text : texts) bytes += TextFields::lengthPrefixedBytes(text);
  return bytes;
}

int16_t tooLongLegend(const Texts& texts, int32_t room) {
  if (textBytes(texts) <= room) return 0;
  const int32_t share = room / kLegends;
  int16_t found = 0;
  for (int16_t n = 1; n <= kLegends; ++n) {
    if (TextFields::lengthPrefixedBytes(texts[size_t(n - 1)]) <= share) continue;
    if (found != 0) return 0;
    found = n;
  }
  return found;
}

}  // namespace LegendTable
