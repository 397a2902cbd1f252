// How the panel image decoder reads each encoding back: single values and times, relays,
// the pre-amplifier, legend tables, the room's code choices, option bits and the fields that
// are read only so that their blocks are listed. The layout of every field is the encoder's.
#include <algorithm>
#include <array>
#include <memory>
#include <string>
#include <vector>

#include "common/decimal.h"
#include "common/hex_dump.h"
#include "common/list_helpers.h"
#include "common/text_helpers.h"
#include "common/time_codes.h"
#include "common/word_lists.h"
#include "panel/image/image_decoder.h"
#include "panel/image/code_table/code_table_items.h"
#include "panel/image/code_table/packed_code_flags.h"
#include "panel/image/legend_table.h"
#include "panel/model/keyword_arguments.h"
#include "panel/model/memory_grammar.h"
#include "panel/model/room_slot_values.h"
#include "panel/model/slot_reading.h"
#include "panel/model/time_ticks.h"

namespace {

using RoomSettingFields::kFixedAudioInputs;
constexpr int16_t kRelayCount = RoomSettingFields::kRelays;
constexpr int16_t kAfvpValues = 3;        // gain, treble, bass
constexpr int16_t kLegendCount = LegendTable::kLegends;
constexpr int16_t kNoPosition0 = 255;      // "none" of the 0-based index encodings
constexpr int16_t kBlankPointerByte = 255;  // what an erased EEPROM reads
constexpr int16_t kCodeTableIndexWords = 21;  // delay-table address and the first positions
constexpr int32_t kRs232Mark = 0x8000;
constexpr int16_t kTimeStampLength = 32;
constexpr int16_t kBaudBytes = 2;
constexpr int16_t kCoreIndexBytes = 8;

// A relay byte of the full form that holds a condition (low nibble 0xC or 0xE, class 0-3).
bool isConditionByte(int16_t relayByte) {
  const int16_t low = relayByte % 16;
  return (low == 0xC || low == 0xE) && relayByte / 16 <= 3;
}

// The values of a list joined by ",", as a room file writes them.
std::string valuesText(const KeyValueClass& list) {
  std::string text;
  for (int16_t i = 1; i <= list.count(); ++i) text += (i > 1 ? "," : "") + RoomSlotValues::asText(list.ItemVal(i));
  return text;
}

}  // namespace

void PanelSettingsV2::ImageDecoder::readValue(const memRuleClass& rule) {
  const int32_t a = rule.memoryStartAddress;
  switch (rule.memoryGrammar) {
    case gramLString:
      setTargetValue(Variant(image_.peekLString(a)));
      break;
    case gramByte:
      setTargetValue(Variant(image_.peekByte(a)));
      break;
    case gramBit:
      setTargetValue(Variant(image_.peekBit(rule.memoryBitNum, a)));
      break;
    case gramNotBit:
      setTargetValue(Variant(!image_.peekBit(rule.memoryBitNum, a)));
      break;
    case gramRoomFileName:
      owner_.roomFileName_ = image_.peekLString(a);
      break;
    default:
      break;
  }
}

void PanelSettingsV2::ImageDecoder::readTime(const memRuleClass& rule) {
  // No bound applies on the way back: a stored 0 is 0 µs.
  const int16_t count = image_.peekByte(rule.memoryStartAddress);
  setTargetValue(Variant(VXCommon::fromUnits(count, *TimeTicks::ofGrammar(rule.memoryGrammar))));
}

void PanelSettingsV2::ImageDecoder::readRelays(const memRuleClass& rule) {
  const int32_t a = rule.memoryStartAddress;
  const keywordDef& relays = owner_.keywordTable(kwRoomRelay);
  // Relays are visited 7 down to 1.
  for (int16_t k = 1; k <= kRelayCount; ++k) {
    const int16_t relay = int16_t(kRelayCount + 1 - k);
    std::string duration, event;
    switch (rule.memoryGrammar) {
      case gramRelaysV9:  // relay 7 first
        event = decodeRelayByte(image_, image_.peekByte(a + k - 1), duration);
        break;
      case gramRelaysV8: {  // relay 1 first
        const int16_t relayByte = image_.peekByte(a + relay - 1);
        // Format 8 is read in the reduced form, but the encoder writes its relays in the
        // full form: a condition it wrote is read back as that condition, not lost.
        event = isConditionByte(relayByte) ? decodeRelayByte(image_, relayByte, duration)
                                           : decodeRelayByteBasic(image_, relayByte, duration);
        break;
      }
      default:  // gramRelaysV7: one byte holds every relay
        event = decodeRelayBitsV7(image_, relay, image_.peekByte(a), duration);
        break;
    }
    // A byte that gives no event is no setting: the relay keeps both of its words.
    if (!KeywordArguments::accepts(relays, 1, Variant(duration)) ||
        !KeywordArguments::accepts(relays, 2, Variant(event))) {
      const std::string kept = RoomSlotValues::indexedList(owner_.kv(kwRoomRelay), relay)
                                   ? owner_.roomRelayDurationSelected(relay) + "," +
                                         owner_.roomRelayEventSelected(relay)
                                   : std::string();
      logRefused(relays.keyword + "[" + std::to_string(relay) + "]", duration + "," + event, kept);
      continue;
    }
    owner_.roomRelayEventSelected(relay, event);
    owner_.roomRelayDurationSelected(relay, duration);
  }
}

void PanelSettingsV2::ImageDecoder::readPreamp(const memRuleClass& rule) {
  KeyValuePtr& slot = owner_.kv(kwRoomAfvpGbt);
  const keywordDef& preamp = owner_.keywordTable(kwRoomAfvpGbt);
  // Format 9 holds as many inputs as the room numbers, up to the five its field has room for.
  const int16_t inputs =
      rule.memoryGrammar == gramAfvp
          ? RoomSlotValues::numberedPairs(slot, RoomSettingFields::kFormat9AudioInputs)->count()
          : kFixedAudioInputs;
  for (int16_t n = 1; n <= inputs; ++n) {
    const AfvpInput stored = decodeAfvpInput(image_, n, rule.memoryStartAddress);
    // An input the room lacks (fewer inputs than the format holds, or one without its list of
    // three values) gets one, so that the panel's settings are kept and can be written back.
    const KeyValuePtr list = RoomSlotValues::ensureIndexedList(slot, n);
    // A value outside its range keeps what the input held (0 for an input added here).
    const Variant zero(int16_t(0));
    const int16_t values[kAfvpValues] = {stored.gain, stored.treble, stored.bass};
    bool refused = false;
    for (int16_t pos = 1; pos <= kAfvpValues; ++pos) {
      const Variant value(values[pos - 1]);
      if (KeywordArguments::accepts(preamp, pos, value)) {
        RoomSlotValues::storeAt(*list, pos, value, zero, true);
      } else {
        refused = true;
        if (list->count() < pos) RoomSlotValues::storeAt(*list, pos, zero, zero, true);
      }
    }
    if (refused)
      logRefused(preamp.keyword + "[" + std::to_string(n) + "]",
                 std::to_string(stored.gain) + "," + std::to_string(stored.treble) + "," +
                     std::to_string(stored.bass),
                 valuesText(*list));
  }
}

void PanelSettingsV2::ImageDecoder::readLegendTable(const memRuleClass& rule) {
  const int32_t a = rule.memoryStartAddress;
  // The high byte of the first pointer.
  if (image_.peekByte(a) == kBlankPointerByte) {
    log(memDbgWarning, "             table value is 255 - probably uninitialized");
    return;
  }
  LegendTable::Texts fromPanel;
  for (int16_t n = 1; n <= kLegendCount; ++n) {
    // A pointer outside the image is refused by the image itself, with an error line.
    const int32_t pointer = image_.peekAddressBEndian(a + 2 * n - 2);
    fromPanel[size_t(n - 1)] = image_.peekLString(pointer);
  }
  const int16_t row = rule.memoryValIndex;
  if (row != kwRoomLegendName && row != kwRoomLegendFont && row != kwRoomLegendGif) return;

  // The table as the room holds it now, the driver's legends; each panel text takes its
  // place only when the table's texts still fit in its field, so that the room builds again.
  const KeyValuePtr& slot = owner_.kv(row);
  auto keptText = [&slot](int16_t n) { return RoomSlotValues::numberedValue(slot, n); };
  LegendTable::Texts table, offered;
  std::array<bool, kLegendCount> usable{};
  for (int16_t n = 1; n <= kLegendCount; ++n) {
    const size_t i = size_t(n - 1);
    table[i] = RoomSlotValues::asText(keptText(n));
    // The room file keeps a legend name's line ends as "|", as the name's Let stores them.
    offered[i] = row == kwRoomLegendName ? VXCommon::crLfToPipe(fromPanel[i]) : fromPanel[i];
    usable[i] = legendFitsRoomFile(offered[i]);
  }
  const int32_t room = LegendTable::textRoom(*rules_, a);
  LegendTable::Texts all = table;
  for (size_t i = 0; i < size_t(kLegendCount); ++i)
    if (usable[i]) all[i] = offered[i];
  // Texts that fit together are all taken; otherwise each in turn that fits with the rest.
  const bool allFit = LegendTable::textBytes(all) <= room;
  for (int16_t n = 1; n <= kLegendCount; ++n) {
    const size_t i = size_t(n - 1);
    LegendTable::Texts trial = table;
    trial[i] = offered[i];
    if (usable[i] && (allFit || LegendTable::textBytes(trial) <= room) &&
        owner_.letLegend(row, n, offered[i])) {
      table[i] = offered[i];
      continue;
    }
    const Variant kept = keptText(n);
    logRefused(keyword(row) + "[" + std::to_string(n) + "]", VXCommon::quoteCodeString(fromPanel[i]),
               kept.isEmpty() ? std::string() : VXCommon::quoteCodeString(RoomSlotValues::asText(kept)));
  }
}

void PanelSettingsV2::ImageDecoder::readChoices(const memRuleClass& rule) {
  const int16_t g = rule.memoryGrammar;
  const bool hidden = g == gramHidIndex || g == gramHidIndex0;
  const bool zeroBased = g == gramSelIndex0 || g == gramHidIndex0;
  const int16_t keys = hidden ? kHiddenFunctionKeys : kSelectionKeys;
  std::array<int16_t, kHiddenFunctionKeys> positions{};
  for (int16_t key = 1; key <= keys; ++key) {
    const int16_t stored = image_.peekByte(rule.memoryStartAddress + key - 1);
    positions[size_t(key - 1)] = stored;
    if (zeroBased) positions[size_t(key - 1)] = stored == kNoPosition0 ? int16_t(0) : int16_t(stored + 1);
  }
  // The encoder counted the positions in the lists with the flags that the room's check added,
  // which the panel's code table holds.
  const PackedCodeFlags& panel = panelCodeFlags();
  const std::vector<std::string> panelNames =
      panel.namesFlagged(hidden ? kCodeFlagHidden : kCodeFlagSelection);
  // The decoded driver's codes have the panel's flags now: its list holds every code resolved.
  const std::vector<std::string> names =
      hidden ? owner_.codeTableHidFuncts() : owner_.codeTableSelections();
  for (int16_t key = 1; key <= keys; ++key) {
    const int16_t position = positions[size_t(key - 1)];
    std::string code, unresolved;
    if (position == 0) {
      // No code for this key.
    } else if (!panel.fault().empty()) {
      unresolved = "the panel's code table cannot be read: " + panel.fault();
    } else if (size_t(position) > panelNames.size()) {
      unresolved = "the panel's code table flags " + std::to_string(panelNames.size()) +
                   (hidden ? " hidden functions" : " selections");
    } else {
      code = panelNames[size_t(position - 1)];
      if (owner_.codeTableIdx(code) == 0)
        unresolved = "the panel's code " + VXCommon::quoteCodeString(code) + " is not in the driver";
    }
    if (!unresolved.empty()) {
      // The key gets no code rather than one that the panel does not send.
      const std::string name = hidden ? VXCommon::gHidFunctWords.at(1).at(key).toText() : std::to_string(key);
      logRefused(keyword(hidden ? kwRoomHidFunct : kwRoomSelection) + "[" + name + "]",
                 "position " + std::to_string(position) + " (" + unresolved + ")", "");
      code.clear();
    }
    const auto found = code.empty() ? names.end() : std::find(names.begin(), names.end(), code);
    const int16_t own = found == names.end() ? int16_t(0) : int16_t(found - names.begin() + 1);
    if (hidden) owner_.codeTableRoomHidFunctIdx(key, own);
    else owner_.codeTableRoomSelectionIdx(key, own);
  }
}

const PackedCodeFlags& PanelSettingsV2::ImageDecoder::panelCodeFlags() {
  if (panelCodes_) return *panelCodes_;
  const memRuleClass* table = nullptr;
  for (const auto& rule : *rules_)
    if (!table && (rule->memoryGrammar == gramCodeTable || rule->memoryGrammar == gramCodeTableV7))
      table = rule.get();
  panelCodes_ = table ? PackedCodeFlags::read(image_, table->memoryStartAddress)
                      : PackedCodeFlags::missing("the memory format places none");
  // Each of the driver's codes takes the flags the panel holds for it, as the room's check
  // gave them, so that the room written lists them again in the same places.
  const struct { int16_t bit; const char* word; } flagWords[] = {
      {kCodeFlagHidden, "IS-HIDDEN"}, {kCodeFlagSelection, "IS-SELECTION"}};
  for (const PackedCodeFlags::Code& code : panelCodes_->codes()) {
    KeyValuePtr entry = SlotReading::codeEntry(owner_.kv(kwIrCode), Variant(code.name));
    if (!entry) continue;
    for (const auto& flag : flagWords)
      if ((code.flags & flag.bit) != 0 && !SlotReading::attributePresent(entry, flag.word))
        entry->AddPair(flag.word, true);
  }
  return *panelCodes_;
}

void PanelSettingsV2::ImageDecoder::readOptionBit(const memRuleClass& rule) {
  const std::string& flag = rule.memoryGrammarFlagTest;
  if (targetRow_ == 0) return;  // every option rule names its keyword
  OptionWords& option = optionWordsOf(targetRow_);
  bool isSet = image_.peekBit(rule.memoryBitNum, rule.memoryStartAddress);
  if (rule.memoryGrammar == gramNotFlagBit) isSet = !isSet;
  if (isSet) {
    log(memDbgInfo, "             is='" + flag + "'");
    option.words = Variant::stringList({flag});
  } else {
    log(memDbgInfo, "      cannot be='" + flag + "'");
    option.words = VXCommon::removeFromArrayCI(option.words, flag);
  }
}

void PanelSettingsV2::ImageDecoder::readCodeTableIndex(const memRuleClass& rule) {
  // The code table itself comes from the driver; its index is read so that the blocks it
  // points into are fetched and listed.
  for (int16_t r = 0; r < kCodeTableIndexWords; ++r) {
    const int32_t word = image_.peekAddressBEndian(rule.memoryStartAddress + 2 * r);
    const int32_t address = word & ~kRs232Mark;
    // Past the index proper the words are table bytes, which may point beyond the image.
    if (address < kPanelImageSize) image_.peekByte(address);
  }
}

void PanelSettingsV2::ImageDecoder::readUnused(const memRuleClass& rule) {
  const int32_t a = rule.memoryStartAddress;
  switch (rule.memoryGrammar) {
    case gramBaud: image_.peekOctetsLEndian(kBaudBytes, a); break;
    case gramMatchBytes: image_.peekLString(a); break;
    case gramConstWord: image_.peekAddressBEndian(a); break;
    case gramSetBit: image_.peekBit(rule.memoryBitNum, a); break;
    case gramCoreIndex: image_.peekOctetsBEndian(kCoreIndexBytes, a); break;
    case gramTimeStamp: image_.peekOctetsBEndian(kTimeStampLength, a); break;
    default: image_.peekByte(a); break;  // gramConstByte, gramDutyCycle
  }
}
