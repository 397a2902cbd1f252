// Reading a panel's settings back from its memory: format detection, the walk over the rules
// marked for read-back, the re-read of the driver the panel names, the option words and the
// result.
#include <memory>
#include <optional>
#include <string>

#include "panel/image/image_decoder.h"
#include "panel/image/library_driver.h"
#include "panel/model/keyword_arguments.h"
#include "panel/load_error.h"
#include "panel/model/memory_grammar.h"
#include "panel/model/room_slot_values.h"
#include "wizard/mem_debug_form.h"

namespace {

constexpr int16_t kUnknownFormatVersion = 4;

}  // namespace

int16_t PanelSettingsV2::decodeMemoryMap(int16_t& version, const std::string* ownDriver) {
  return ImageDecoder(*this, ownDriver).run(version);
}

int16_t PanelSettingsV2::ImageDecoder::run(int16_t& version) {
  result_ = loadOk;
  image_.Clear(kPanelImageSize, devicePanel);
  log(memDbgInfo, "-------------- Read from EEPROM -----------------");
  version = detectFormat();
  if (version == 0) {
    version = kUnknownFormatVersion;
    log(memDbgError, "Can't find valid memory version.");
    result_ = loadUnknownFormat;
  } else {
    walkRules(owner_.memRules(version));
    settleOptionWords();
  }
  finish();
  return result_;
}

int16_t PanelSettingsV2::ImageDecoder::detectFormat() {
  for (int16_t set = 1; set <= kRuleSetCount; ++set) {
    const memRuleClass& formatRule = owner_.memRules(set).item(1);
    int16_t stored = image_.peekByte(formatRule.memoryStartAddress);
    if (stored == formatRule.memoryPokeVal) {
      log(memDbgInfo, "Found memory version " + std::to_string(stored) + ".");
      return set;
    }
  }
  return 0;
}

void PanelSettingsV2::ImageDecoder::walkRules(const MemRuleSet& rules) {
  rules_ = &rules;
  // The format rule, the set's first, was read by the detection.
  for (int32_t pos = 2; pos <= rules.count(); ++pos) {
    const memRuleClass& rule = rules.item(pos);
    if (rule.memRetreiveMe && decodeRule(rule, RoomSettingFields::bitRewrittenLater(rules, pos)) == Walk::Stop) return;
    // The rest of the panel is not read once a block could not be.
    if (image_.memCommError()) return;
  }
}

PanelSettingsV2::ImageDecoder::Walk PanelSettingsV2::ImageDecoder::decodeRule(
    const memRuleClass& rule, bool rewrittenLater) {
  log(memDbgInfo, rule.memoryValRemark);
  const int16_t row = rule.memoryValIndex;
  if (row > 0 && row <= kKeywordCount) {
    targetRow_ = row;
    log(memDbgInfo, "            to: '" + keyword(row) + "'");
  }
  if (rewrittenLater) {
    // The setting keeps the driver's value.
    log(memDbgInfo, "             not read: a later field holds this byte");
    log(memDbgBlank, "");
    return Walk::Next;
  }
  switch (rule.memoryGrammar) {
    case gramDriverName:
      if (reloadDriver(rule) == Walk::Stop) return Walk::Stop;
      break;
    case gramLString:
    case gramByte:
    case gramBit:
    case gramNotBit:
    case gramRoomFileName:
      readValue(rule);
      break;
    case gramTimeTick200ns:
    case gramTimeTick120s:
    case gramTimeTick470ms:
    case gramTimeTick1880ms:
    case gramTimeTick29ms:
      readTime(rule);
      break;
    case gramRelaysV9:
    case gramRelaysV8:
    case gramRelaysV7:
      readRelays(rule);
      break;
    case gramAfvp:
    case gramAfvp4:
      readPreamp(rule);
      break;
    case gramLegendTable:
      readLegendTable(rule);
      break;
    case gramSelIndex:
    case gramSelIndex0:
    case gramHidIndex:
    case gramHidIndex0:
      readChoices(rule);
      break;
    case gramFlagBit:
    case gramNotFlagBit:
      readOptionBit(rule);
      break;
    case gramCodeTableV7:
      readCodeTableIndex(rule);
      break;
    case gramDelaySlot:
      break;  // the delay table comes from the driver
    case gramBaud:
    case gramConstByte:
    case gramDutyCycle:
    case gramMatchBytes:
    case gramConstWord:
    case gramSetBit:
    case gramCoreIndex:
    case gramTimeStamp:
      readUnused(rule);
      break;
    default:  // the packed code table and the short fields are not read back
      log(memDbgError, "Program Error - unclassified memory rule");
      break;
  }
  log(memDbgBlank, "");
  return Walk::Next;
}

PanelSettingsV2::ImageDecoder::Walk PanelSettingsV2::ImageDecoder::reloadDriver(
    const memRuleClass& rule) {
  std::string name = image_.peekLString(rule.memoryStartAddress);
  bool found = ownDriver_ != nullptr;
  if (!ownDriver_) {
    const std::optional<std::string> inLibrary = LibraryDriver::fileNameFor(name);
    found = inLibrary.has_value();
    if (found) name = *inLibrary;
  }
  auto storeDriverName = [this, &name] {
    auto slot = std::make_shared<KeyValueClass>();
    slot->AddPair(Variant("1"), Variant(name));
    owner_.kv(kwProjDriverName) = slot;
  };
  if (!found) {
    log(memDbgError, "Can't find projector driver " + name);
    result_ = loadDriverMissing;
    storeDriverName();
    return Walk::Stop;
  }
  if (ownDriver_) owner_.parseRoomFileText(name, *ownDriver_);
  else owner_.ReadAndParseProjFile(LibraryDriver::folder() + name);
  int16_t checked = 0;
  owner_.IsDriverValid(checked);
  if (checked != 0) {
    log(memDbgError, "Projector driver does not parse " + name);
    result_ = loadDriverParseError;
    storeDriverName();  // also when the file could not be read at all, so the caller can say which
    return Walk::Stop;
  }
  storeDriverName();
  return Walk::Next;
}

void PanelSettingsV2::ImageDecoder::settleOptionWords() {
  for (const OptionWords& option : optionWords_) {
    // Every word may have been excluded (no built-in rule set can do that): the keyword then
    // keeps what the driver gave it.
    if (option.words.isArray() && option.words.ubound() >= option.words.lbound()) {
      targetRow_ = option.row;
      setTargetValue(option.words.at(option.words.lbound()));
    }
    log(memDbgInfo, "FLAG: '" + keyword(option.row) + "'");
    const KeyValuePtr& slot = owner_.kv(option.row);
    log(memDbgInfo, "             must be:" + RoomSlotValues::asText(slot ? slot->ItemVal(1) : Variant()));
  }
}

void PanelSettingsV2::ImageDecoder::finish() {
  MemDebugForm::instance().appendListing(image_.memDebugListing(true));
  if (image_.memCommError()) result_ = loadCommError;
  if (image_.memDebugErrors() > 0 && result_ == loadOk) result_ = loadBadMemory;
  // The room Lets of the walk marked the object changed; it holds what the panel holds.
  owner_.isDirty(false);
}

void PanelSettingsV2::ImageDecoder::logRefused(const std::string& name, const std::string& value,
                                               const std::string& kept) {
  log(memDbgWarning, "             '" + name + "' cannot be " + value + " - kept " +
                         (kept.empty() ? std::string("no value") : kept));
}

void PanelSettingsV2::ImageDecoder::setTargetValue(const Variant& value) {
  if (targetRow_ < 1 || targetRow_ > kKeywordCount) return;
  KeyValuePtr& slot = owner_.kv(targetRow_);
  // Only a value that a room file can give again is stored; the driver's (or the checker's
  // default) stays otherwise.
  if (!KeywordArguments::accepts(owner_.keywordTable(targetRow_), 1, value)) {
    logRefused(keyword(targetRow_), RoomSlotValues::asText(value),
               RoomSlotValues::asText(slot ? slot->ItemVal(1) : Variant()));
    return;
  }
  if (slot) {
    slot->ItemVal(1, value);
  } else {
    RoomSlotValues::storeSetting(slot, owner_.keywordTable(targetRow_), value);
  }
}

PanelSettingsV2::ImageDecoder::OptionWords& PanelSettingsV2::ImageDecoder::optionWordsOf(
    int16_t row) {
  for (OptionWords& option : optionWords_)
    if (option.row == row) return option;
  // A copy of the keyword's first word list: every word is possible until a bit says not.
  const Variant& lists = owner_.keywordTable(row).wordLists;
  Variant words = Variant::array({});
  if (lists.isArray() && lists.ubound() >= lists.lbound() && lists.at(lists.lbound()).isArray())
    words = lists.at(lists.lbound());
  optionWords_.push_back(OptionWords{row, words});
  return optionWords_.back();
}
