#include "panel/image/room_setting_fields.h"

#include <algorithm>

#include "panel/image/legend_table.h"
#include "panel/model/memory_grammar.h"
#include "panel/model/room_slot_values.h"
#include "panel/model/time_ticks.h"

namespace RoomSettingFields {
namespace {

std::vector<std::string> numbered(int16_t count) {
  std::vector<std::string> keys;
  for (int16_t n = 1; n <= count; ++n) keys.push_back(RoomSlotValues::indexKey(n));
  return keys;
}

bool isBitRule(int16_t grammar) {
  return grammar == gramBit || grammar == gramNotBit || grammar == gramFlagBit || grammar == gramNotFlagBit;
}

}  // namespace

const std::vector<std::string>& hiddenFunctionKeys() {
  static const std::vector<std::string> keys = {"OFF", "VUP", "VDN", "1", "2", "3", "4"};
  return keys;
}

std::vector<std::string> subscriptsOf(int16_t grammar) {
  switch (grammar) {
    case gramSelIndex:
    case gramSelIndex0: return numbered(kSelectionKeys);
    case gramHidIndex:
    case gramHidIndex0: return hiddenFunctionKeys();
    case gramRelaysV7:
    case gramRelaysV8:
    case gramRelaysV9: return numbered(kRelays);
    case gramAfvp: return numbered(kFormat9AudioInputs);
    case gramAfvp4: return numbered(kFixedAudioInputs);
    case gramLegendTable: return numbered(LegendTable::kLegends);
    default: return {};
  }
}

bool bitRewrittenLater(const MemRuleSet& rules, int16_t pos) {
  const memRuleClass& rule = rules.item(pos);
  if (!isBitRule(rule.memoryGrammar)) return false;
  for (int16_t later = int16_t(pos + 1); later <= rules.count(); ++later) {
    const memRuleClass& field = rules.item(later);
    const int16_t g = field.memoryGrammar;
    if (g != gramSelIndex && g != gramSelIndex0 && g != gramHidIndex && g != gramHidIndex0) continue;
    const int32_t offset = rule.memoryStartAddress - field.memoryStartAddress;
    if (offset >= 0 && offset < int32_t(subscriptsOf(g).size())) return true;
  }
  return false;
}

std::vector<std::string> subscriptsHeld(const MemRuleSet& rules, int16_t row) {
  std::vector<std::string> held;
  for (int16_t pos = 1; pos <= rules.count(); ++pos) {
    const memRuleClass& rule = rules.item(pos);
    if (!rule.memRetreiveMe || rule.memoryValIndex != row || bitRewrittenLater(rules, pos)) continue;
    // A field of one value holds the setting without subscript, written "".
    const std::vector<std::string> subscripts = subscriptsOf(rule.memoryGrammar);
    held.insert(held.end(), subscripts.begin(), subscripts.end());
    if (subscripts.empty()) held.emplace_back();
  }
  return held;
}

bool holds(const MemRuleSet& rules, int16_t row, const Variant& subscript) {
  const std::string key = subscript.isEmpty() ? std::string() : RoomSlotValues::asText(subscript);
  const std::vector<std::string> held = subscriptsHeld(rules, row);
  return std::find(held.begin(), held.end(), key) != held.end();
}

std::optional<Decimal> tickOf(const MemRuleSet& rules, int16_t row) {
  for (const auto& rule : rules)
    if (rule->memRetreiveMe && rule->memoryValIndex == row)
      if (std::optional<Decimal> tick = TimeTicks::ofGrammar(rule->memoryGrammar)) return tick;
  return std::nullopt;
}

}  // namespace RoomSettingFields
