#include "panel/image/text_fields.h"

#include <algorithm>

#include "common/device_id.h"
#include "common/hex_text.h"

namespace TextFields {

int32_t fieldEnd(const MemRuleSet& rules, int32_t start) {
  int32_t end = kPanelImageSize;
  for (const auto& rule : rules)
    if (rule->memoryStartAddress > start) end = std::min(end, rule->memoryStartAddress);
  return end;
}

int32_t lengthPrefixedBytes(std::string_view text) { return 1 + int32_t(text.size()); }

std::string bytesText(int32_t count) { return std::to_string(count) + (count == 1 ? " byte" : " bytes"); }

std::string tooLongLine(const std::string& remark, const std::string& owner, bool several,
                        int32_t needed, int32_t start, int32_t end, int32_t room) {
  return remark + (several ? " - the texts of " : " - the text of ") + owner +
         (several ? " need " : " needs ") + std::to_string(needed) +
         (several ? " bytes with their length bytes" : " bytes with its length byte") +
         ", but its field $" + VXCommon::hex4Str(start) + "-$" + VXCommon::hex4Str(end - 1) +
         " holds " + std::to_string(room);
}

}  // namespace TextFields
