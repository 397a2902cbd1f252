#include "panel/image/legend_table.h"

#include <vector>

#include "panel/image/text_fields.h"

namespace LegendTable {
namespace {

// "A", "A and B", "A, B and C".
std::string listed(const std::vector<std::string>& items) {
  std::string text;
  for (size_t i = 0; i < items.size(); ++i)
    text += (i == 0 ? "" : i + 1 == items.size() ? " and " : ", ") + items[i];
  return text;
}

}  // namespace

std::string legendName(const std::string& keyword, int16_t n) { return keyword + "[" + std::to_string(n) + "]"; }

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

std::string tooLongForUser(const std::string& keyword, const Texts& texts, int32_t room) {
  std::vector<std::string> held;
  for (int16_t n = 1; n <= kLegends; ++n)
    if (const std::string& text = texts[size_t(n - 1)]; !text.empty())
      held.push_back(legendName(keyword, n) + " (" + TextFields::bytesText(int32_t(text.size())) + ")");
  const int32_t needed = textBytes(texts);
  std::string line = listed(held) + (held.size() == 1 ? " needs " : " need ") + std::to_string(needed) +
                     " bytes with the table's " + std::to_string(kLegends) + " length bytes; the field holds " +
                     std::to_string(room);
  if (const int16_t n = tooLongLegend(texts, room); n != 0)
    line += "; " + legendName(keyword, n) + " is " + TextFields::bytesText(needed - room) + " too long";
  return line;
}

}  // namespace LegendTable
