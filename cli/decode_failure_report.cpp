#include "cli/decode_failure_report.h"

#include "common/hex_text.h"
#include "common/memory_image.h"
#include "panel/load_error.h"
#include "cli/failure_report.h"
#include "cli/panel_source.h"

namespace cli {
namespace {

constexpr unsigned char kErasedByte = 0xFF;
// The decoder's line for a driver name it could not find, here with no name after it.
const std::string kNamelessDriverLine = "\r\n[E]Can't find projector driver \r\n";

}  // namespace

std::string formatByteMessage(const std::string& source, PanelSource& panel, const PanelSettingsV2& settings) {
  // Each rule set opens with the format rule: the address and the number it writes there.
  std::string formats;
  for (int16_t set = 1; set <= PanelSettingsV2::kRuleSetCount; ++set) {
    formats += set == 1 ? "" : set == PanelSettingsV2::kRuleSetCount ? " or " : ", ";
    formats += std::to_string(settings.memRules(set).item(1).memoryPokeVal);
  }
  const int32_t address = settings.memRules(1).item(1).memoryStartAddress;
  const std::optional<std::string> block = panel.block(address / memBlockCls::kBlockSize);
  if (!block) return "";
  const auto byte = static_cast<unsigned char>((*block)[size_t(address % memBlockCls::kBlockSize)]);
  std::string message = source + ": the byte at $" + VXCommon::hex4Str(address) + ", which holds the memory format (" +
                        formats + "), reads $" + VXCommon::hex2Str(byte);
  if (byte == kErasedByte) message += "; an erased panel reads $" + VXCommon::hex2Str(kErasedByte) + " there";
  return message;
}

void reportDecodeErrors(const std::string& source, const std::string& listing, int16_t result,
                        const PanelSettingsV2& settings) {
  std::string shown = listing;
  if (result == loadCommError && settings.fullDriverName().empty()) {
    if (const size_t at = shown.find(kNamelessDriverLine); at != std::string::npos)
      shown.erase(at + 2, kNamelessDriverLine.size() - 2);
  }
  reportMemoryErrors(source, shown);
}

}  // namespace cli
