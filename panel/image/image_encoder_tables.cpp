// Panel image grammars of lists: the selection, hidden-function and core-function indexes,
// the delay slots and the packed code table, the relays and the pre-amplifier inputs.
#include <algorithm>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "common/list_helpers.h"
#include "common/time_codes.h"
#include "panel/image/image_encoder.h"
#include "panel/image/room_setting_fields.h"
#include "panel/model/memory_grammar.h"
#include "panel/model/room_slot_values.h"

namespace {

using RoomSettingFields::kRelays;
using RoomSettingFields::kSelectionKeys;
constexpr int16_t kUnassigned0 = 255;  // "no code" in the 0-based index forms
// The first entries of the core-function key names: the positions the panel addresses, in
// index order.
const std::vector<std::string> kCoreKeys = {"REPEAT", "PREFIX", "SUFFIX", "POLL",
                                            "ON",     "OFF",    "VUP",    "VDN"};

// The byte of a position in a list of codes. In the 0-based forms position 256 would be 255,
// the byte of no code: it is kept past the byte, as position 256 is in the 1-based form.
int16_t indexByte(int32_t position, bool zeroBased) {
  if (!zeroBased || position > kUnassigned0) return int16_t(std::min<int32_t>(position, INT16_MAX));
  return position == 0 ? kUnassigned0 : int16_t(position - 1);
}

std::string textUnder(const KeyValuePtr& slot, const std::string& key) {
  return slot ? RoomSlotValues::asText(slot->GetValue(Variant(key))) : std::string();
}

}  // namespace

// ---- Indexes: positions in the driver's lists of code names.

void PanelSettingsV2::ImageEncoder::encodeIndexes(bool hidden, bool zeroBased) {
  const std::vector<std::string> names =
      hidden ? owner_.codeTableHidFuncts() : owner_.codeTableSelections();
  const std::vector<std::string>& hiddenKeys = RoomSettingFields::hiddenFunctionKeys();
  const int16_t slots = hidden ? int16_t(hiddenKeys.size()) : kSelectionKeys;
  for (int16_t n = 1; n <= slots; ++n) {
    const std::string key = hidden ? hiddenKeys[size_t(n - 1)] : RoomSlotValues::indexKey(n);
    const int32_t position = VXCommon::findInArrayCI(names, textUnder(values_, key));
    owe(rule_->memoryValIndex, Variant(key));
    pokeCount(indexByte(position, zeroBased), rule_->memoryStartAddress + n - 1, Decimal(1));
  }
}

void PanelSettingsV2::ImageEncoder::encodeCoreIndexes() {
  if (!haveValues()) return;
  const std::vector<std::string> names = owner_.codeTableCoreFuncts();
  for (int32_t n = 1; n <= values_->count(); ++n) {
    const int32_t position =
        VXCommon::findInArrayCI(names, RoomSlotValues::asText(values_->ItemVal(n)));
    owe(rule_->memoryValIndex, values_->ItemKey(n));
    pokeCount(indexByte(position, true), rule_->memoryStartAddress + n - 1, Decimal(1));
  }
}

// ---- Code table: the IR bit times first, then every code, packed at the rule's address.

void PanelSettingsV2::ImageEncoder::encodeDelaySlot() {
  std::optional<Decimal> time = numberIn(rule_->memoryValIndex);
  if (!time) return;
  // A bit time takes one delay byte: the first of its encoding.
  const std::string code = VXCommon::encodeDelay(image_, *time);
  const int16_t delayByte =
      code.empty() ? int16_t(0) : int16_t(static_cast<unsigned char>(code[0]));
  codeTable_.insertOrFindDelayTableEntry(image_, delayByte, rule_->delayTableOffset);
}

void PanelSettingsV2::ImageEncoder::encodeCodeTable() {
  const int32_t start = rule_->memoryStartAddress;
  const int16_t count = owner_.codeTableCount();
  // A table that cannot fit stops at its error lines, however many codes are left.
  for (int32_t j = 1; j <= count && !codeTable_.cannotFit(start); ++j) {
    const Variant code(j);
    owe(kwIrCode, Variant(owner_.codeTableName(j)));
    codeTable_.addCodeTableEntry(
        image_, owner_.codeTableName(j), owner_.codeTableLexes(code),
        owner_.codeTableContinuation(code), owner_.codeTableRepetitions(code),
        owner_.codeTableIsRS232(code), owner_.codeTableIsHidden(code),
        owner_.codeTableIsSelection(code), owner_.codeTableIncludeCont(code),
        owner_.codeTableUseSuffix(code), owner_.codeTableUseRepeat(code),
        owner_.codeTableUsePrefix(code));
  }
  owe(0);  // the table's own lines name what does not fit
  for (const std::string& key : kCoreKeys)
    codeTable_.createOrderedTableList(textUnder(owner_.kv(kwDefaultCoreFunct), key));
  for (int16_t n = 1; n <= kSelectionKeys; ++n)
    codeTable_.createOrderedTableList(
        textUnder(owner_.kv(kwRoomSelection), RoomSlotValues::indexKey(n)));
  for (const std::string& key : RoomSettingFields::hiddenFunctionKeys())
    codeTable_.createOrderedTableList(textUnder(owner_.kv(kwRoomHidFunct), key));

  const std::string region = codeTable_.getCodeTablePackedString(image_, start);
  if (region.empty()) return;  // it cannot be written; the packer has logged why
  const int16_t errorsBefore = image_.memDebugErrors();
  image_.pokeString(region, start);
  if (image_.memDebugErrors() == errorsBefore) keepTextField(start, start + int32_t(region.size()));
}

// ---- Relays and pre-amplifier: relay r and input n are the values numbered r and n; a key
// written otherwise ("02") numbers nothing.

void PanelSettingsV2::ImageEncoder::encodeRelays(int16_t grammar) {
  if (!haveValues()) return;
  const KeyValuePtr relays = RoomSlotValues::numberedPairs(values_, kRelays);
  const int32_t at = rule_->memoryStartAddress;
  if (grammar == gramRelaysV7) {
    int16_t bits = 0;
    for (int16_t relay = kRelays; relay >= 1; --relay) {
      owe(rule_->memoryValIndex, Variant(RoomSlotValues::indexKey(relay)));
      bits = int16_t(bits | encodeRelayBitsV7(image_, relay, relays));
    }
    owe(0);
    image_.pokeByte(bits, at, rule_->memLowBound);
    return;
  }
  // Format 9 stores relay 7 first, format 8 relay 1 first.
  for (int16_t j = 1; j <= kRelays; ++j) {
    const int16_t relay = grammar == gramRelaysV9 ? int16_t(kRelays + 1 - j) : j;
    owe(rule_->memoryValIndex, Variant(RoomSlotValues::indexKey(relay)));
    image_.pokeByte(encodeRelayByte(image_, relay, relays), at + j - 1, rule_->memLowBound);
  }
}

void PanelSettingsV2::ImageEncoder::encodePreamp(int16_t inputs) {
  if (!haveValues()) return;
  const KeyValuePtr entries = RoomSlotValues::numberedPairs(values_, inputs);
  const int32_t imageEnd = int32_t(image_.memImage().size());
  for (int32_t input = 1; input <= inputs; ++input) {
    owe(rule_->memoryValIndex, Variant(RoomSlotValues::indexKey(input)));
    encodeAfvpInput(image_, entries, input, rule_->memoryStartAddress, rule_->memLowBound);
    // Two bytes an input: the first input past the image has said so; the rest would repeat it.
    if (rule_->memoryStartAddress + 2 * input > imageEnd) break;
  }
}
