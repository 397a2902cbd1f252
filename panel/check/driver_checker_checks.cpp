// The driver checker's checks: mandatory keywords, relays without an event, the code names
// the keywords refer to, continuations, the deprecated repeat, prefix and suffix codes, the
// hidden and selection flags of the default keys, and the warm-up delay.
#include <optional>
#include <string>

#include "common/decimal.h"
#include "common/text_helpers.h"
#include "panel/check/driver_checker.h"
#include "panel/model/room_slot_values.h"
#include "panel/model/slot_reading.h"

namespace {

constexpr int16_t kRelayDuration = 1;  // positions in a relay's value list
constexpr int16_t kRelayEvent = 2;

// A stored time in microseconds; no value when absent or not a number.
std::optional<Decimal> timeOf(const KeyValuePtr& slot) {
  if (!slot) return std::nullopt;
  Variant value = slot->ItemVal(1);
  return value.isEmpty() ? std::nullopt : value.tryToDecimal();
}

// Empty, or blanks and tabs only.
bool blankOrEmpty(std::string text) { return VXCommon::trimWhite(text).empty(); }

}  // namespace

void PanelSettingsV2::DriverChecker::checkMandatoryKeywords() {
  // A driver takes its name from its file when it is read; a room file must give the name of
  // the driver the panel is to load.
  const bool readFromRoomFile = !owner_.roomFileName().empty();
  for (int16_t row = 1; row <= kKeywordCount; ++row) {
    const keywordDef& def = owner_.keywordTable(row);
    const bool namesTheDriver = row == kwProjDriverName && readFromRoomFile;
    if (!def.mandatory && !namesTheDriver) continue;
    const KeyValuePtr& list = slot(row);
    if (!list) {
      logError("Mandatory keyword '" + def.keyword + "' was not found.");
      continue;
    }
    // A name of blanks finds no driver either. A statement the parser refused stored no name
    // and has its error already.
    if (namesTheDriver && list->count() > 0 && blankOrEmpty(owner_.fullDriverName()))
      logError("'" + def.keyword + "' is empty: a room file must name its driver.");
    if (def.subscriptKind != subList || !def.subscripts.isArray()) continue;
    const Variant& names = def.subscripts.at(1);
    const Variant& required = def.subscripts.at(2);
    for (int32_t j = names.lbound(); j <= names.ubound(); ++j) {
      bool mandatory = j <= required.ubound() && required.at(j).toBool();
      if (mandatory && list->GetIndex(names.at(j)) == 0)
        logError("Mandatory keyword '" + def.keyword + "[" + names.at(j).toText() + "]' was not found.");
    }
  }
}

void PanelSettingsV2::DriverChecker::checkRelayEvents() {
  // Every image writes relays 1 to 7 from both words; the parser takes a duration alone. A
  // statement it refused has its error, whatever it left of the relay.
  const KeyValuePtr relays = RoomSlotValues::numberedPairs(slot(kwRoomRelay), RoomSlotValues::kRelays);
  for (int32_t i = 1; i <= relays->count(); ++i) {
    const KeyValuePtr words = relays->ItemVal(i).object<KeyValueClass>();
    if (!words || !words->ItemVal(kRelayEvent).isEmpty() || owner_.refusedByParser(words)) continue;
    const std::string relay = keyword(kwRoomRelay) + "[" + relays->ItemKey(i).toText() + "]";
    logError("'" + relay + "' gives a duration and no event: a relay needs both, as in " + relay + "=" +
             SlotReading::textOf(words->ItemVal(kRelayDuration)) + ",On");
  }
}

void PanelSettingsV2::DriverChecker::checkFunctionNames() {
  for (int16_t row = 1; row <= kKeywordCount; ++row) {
    const KeyValuePtr& list = slot(row);
    if (!list || owner_.keywordTable(row).valueType != valCodeName) continue;
    // An empty name means "no code" where a key may be left free: the hidden functions, and
    // the room's selection keys, which the selection setter and the image decoder store
    // empty for every key without a code.
    bool emptyAllowed = row == kwDefaultHidFunct || row == kwRoomHidFunct || row == kwRoomSelection;
    for (int32_t i = 1; i <= list->count(); ++i) {
      std::string name = SlotReading::textOf(list->ItemVal(i));
      if (name.empty() && emptyAllowed) continue;
      if (owner_.codeTableIdx(name) == 0)
        logError("Undefined index '" + name + "' in keyword '" + keyword(row) + "'.");
    }
  }
}

void PanelSettingsV2::DriverChecker::checkContinuations() {
  for (int32_t p = 1; p <= owner_.codeTableCount(); ++p) {
    Variant code(p);
    usesRepeat_ = usesRepeat_ || owner_.codeTableUseRepeat(code);
    usesPrefix_ = usesPrefix_ || owner_.codeTableUsePrefix(code);
    usesSuffix_ = usesSuffix_ || owner_.codeTableUseSuffix(code);
    std::string next = owner_.codeTableContinuation(code);
    if (next.empty()) continue;
    std::string name = owner_.codeTableName(p);
    if (owner_.codeTableIdx(next) == 0) {
      logError("Undefined index '" + next + "' in code '" + name + "'.");
    } else if (owner_.codeTableIsRS232(code) != owner_.codeTableIsRS232(Variant(next))) {
      logError("Continuation points to other inconsistent type '" + next + "' in code '" + name + "'.");
    }
  }
}

void PanelSettingsV2::DriverChecker::warnDeprecatedCodes() {
  if (usesRepeat_ || usesPrefix_ || usesSuffix_)
    logWarning("PREFIX, SUFFIX, and REPEAT CODES are deprecated and should probably not be used.");
}

void PanelSettingsV2::DriverChecker::checkCoreFunctions() {
  const KeyValuePtr& core = slot(kwDefaultCoreFunct);
  if (!core) return;
  struct Use {
    const char* word;
    bool used;
  };
  for (Use use : {Use{"REPEAT", usesRepeat_}, Use{"PREFIX", usesPrefix_}, Use{"SUFFIX", usesSuffix_}}) {
    std::string name = SlotReading::textOf(core->GetValue(use.word));
    std::string entry = "'" + keyword(kwDefaultCoreFunct) + "[" + use.word + "]'";
    if (name.empty()) {
      if (use.used) logError(entry + " is used and was not found.");
    } else if (!owner_.codeTableIsIR(Variant(name))) {
      logError(entry + " must be an IR code.");
    }
  }
}

void PanelSettingsV2::DriverChecker::addMissingFunctionFlags() {
  struct Keys {
    KeywordRow row;
    const char* flag;
  };
  const KeyValuePtr& codes = slot(kwIrCode);
  for (Keys keys : {Keys{kwDefaultHidFunct, "IS-HIDDEN"}, Keys{kwRoomHidFunct, "IS-HIDDEN"},
                    Keys{kwDefaultSelection, "IS-SELECTION"}, Keys{kwRoomSelection, "IS-SELECTION"}}) {
    const KeyValuePtr& list = slot(keys.row);
    if (!list || !codes) continue;
    bool hidden = keys.row == kwDefaultHidFunct || keys.row == kwRoomHidFunct;
    for (int32_t i = 1; i <= list->count(); ++i) {
      std::string name = SlotReading::textOf(list->ItemVal(i));
      if (name.empty()) continue;
      int16_t index = codes->GetIndex(Variant(name));
      if (index <= 0) continue;
      Variant code(index);
      bool flagged = hidden ? owner_.codeTableIsHidden(code) : owner_.codeTableIsSelection(code);
      if (flagged) continue;
      logWarning("'" + name + "' is not defined as a '" + keys.flag + "' function. It will be added.");
      // The code carries the flag from now on, for the encoder and the room file alike.
      if (KeyValuePtr entry = codes->ItemVal(index).object<KeyValueClass>())
        entry->AddPair(keys.flag, true);
    }
  }
}

void PanelSettingsV2::DriverChecker::checkWarmUpDelay() {
  // A missing time is already reported as a missing mandatory keyword.
  std::optional<Decimal> warmUp = timeOf(slot(kwWarmUpDelay));
  std::optional<Decimal> powerOn = timeOf(slot(kwPowerOnDelay));
  if (warmUp && powerOn && *warmUp < *powerOn) logError("Warmup Delay is less than power on delay!");
}
