// Which of a room's settings a memory format's image holds, and how finely.
//
// A rule set reads a room setting back when one of its read-back rules names the setting's
// keyword row; a subscripted setting is held only for the subscripts its field has room for
// (selection keys 1-4; hidden functions OFF, VUP, VDN, 1-4; relays 1-7; pre-amplifier inputs
// 1-5 in format 9 and 1-4 in formats 7 and 8; legends 1-4). A bit that a later field of the set
// writes over whole holds nothing (format 8's advanced-relay switch shares its byte with the
// last hidden-function index). Subscripts are compared as a room file writes them ("3", "OFF").
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "common/decimal.h"
#include "common/variant.h"
#include "panel/model/mem_rule_set.h"
#include "panel/model/room_slot_values.h"

namespace RoomSettingFields {

constexpr int16_t kSelectionKeys = 4;
constexpr int16_t kHiddenFunctionKeys = 7;
constexpr int16_t kRelays = RoomSlotValues::kRelays;
constexpr int16_t kFormat9AudioInputs = RoomSlotValues::kAudioInputs;  // two bytes each from $1F20
constexpr int16_t kFixedAudioInputs = RoomSlotValues::kFixedAudioInputs;

// The kHiddenFunctionKeys hidden-function keys the panel addresses, in index order.
const std::vector<std::string>& hiddenFunctionKeys();

// The subscripts the field of `grammar` holds, in field order; empty for a field of one value.
std::vector<std::string> subscriptsOf(int16_t grammar);

// True when the bit rule at position pos lies in a byte that a later index rule of the set
// writes whole: what that byte holds is the index, not the bit.
bool bitRewrittenLater(const MemRuleSet& rules, int16_t pos);

// The subscripts of setting `row` that rule set `rules` holds in fields it reads back, in
// order (a bit that a later field writes over holds none).
std::vector<std::string> subscriptsHeld(const MemRuleSet& rules, int16_t row);

// True when rule set `rules` holds setting `row` with subscript `subscript` (Empty for a
// keyword without one) in a field that it reads back.
bool holds(const MemRuleSet& rules, int16_t row, const Variant& subscript);

// The tick of the time field that holds `row`; none when the set holds it in no time field.
std::optional<Decimal> tickOf(const MemRuleSet& rules, int16_t row);

}  // namespace RoomSettingFields
