// Room settings of one value each: switches, numbers, the driver's option lists with the
// room's choice among them, the CTS use, and the two case-insensitive searches.
#include <limits>

#include "common/ascii_text.h"
#include "common/list_helpers.h"
#include "panel/panel_settings.h"
#include "panel/model/room_slot_values.h"

using namespace RoomSlotValues;

namespace {

using VXCommon::equalsIgnoringCase;

// Every value of a slot as text, in slot order.
std::vector<std::string> valuesAsText(const KeyValuePtr& slot) {
  std::vector<std::string> values;
  if (!slot) return values;
  for (int32_t i = 1; i <= slot->count(); ++i) values.push_back(asText(slot->ItemVal(i)));
  return values;
}

// Position (1-based) of the room's choice among the options; 0 when nothing is chosen.
int16_t chosenPosition(const std::vector<std::string>& options, const KeyValuePtr& roomSlot) {
  if (!roomSlot || roomSlot->count() == 0) return 0;
  Variant chosen = roomSlot->ItemVal(1);
  if (!chosen.isString()) return 0;
  return int16_t(VXCommon::findInArrayCI(options, chosen.toText()));
}

}  // namespace

// ---- Single values: value 1 of the row's slot.

Variant PanelSettingsV2::roomSetting(int16_t row) const { return valueAt(kv(row), 1); }

void PanelSettingsV2::letRoomSetting(int16_t row, const Variant& value) {
  storeSetting(kv(row), keywordTable(row), value);
  isDirty_ = true;
}

bool PanelSettingsV2::roomUsePowerOnSelection() const {
  return asBool(roomSetting(kwRoomUsePowerOnSelection));
}
void PanelSettingsV2::roomUsePowerOnSelection(bool newVal) {
  letRoomSetting(kwRoomUsePowerOnSelection, Variant(newVal));
}

bool PanelSettingsV2::roomPressAndHoldOff() const {
  return asBool(roomSetting(kwRoomUseOffPressHold));
}
void PanelSettingsV2::roomPressAndHoldOff(bool newVal) {
  letRoomSetting(kwRoomUseOffPressHold, Variant(newVal));
}

bool PanelSettingsV2::roomIRPassThru() const { return asBool(roomSetting(kwRoomIrPassthruOn)); }
void PanelSettingsV2::roomIRPassThru(bool newVal) {
  letRoomSetting(kwRoomIrPassthruOn, Variant(newVal));
}

bool PanelSettingsV2::roomEnableAuxAudio() const {
  return asBool(roomSetting(kwRoomEnableAuxAudio));
}
void PanelSettingsV2::roomEnableAuxAudio(bool newVal) {
  letRoomSetting(kwRoomEnableAuxAudio, Variant(newVal));
}

bool PanelSettingsV2::roomUseShutdownTmr() const {
  return asBool(roomSetting(kwRoomUseInactShutdownTimer));
}
void PanelSettingsV2::roomUseShutdownTmr(bool newVal) {
  letRoomSetting(kwRoomUseInactShutdownTimer, Variant(newVal));
}

bool PanelSettingsV2::roomUsePassiveMode() const { return asBool(roomSetting(kwPassiveMode)); }
void PanelSettingsV2::roomUsePassiveMode(bool newVal) {
  letRoomSetting(kwPassiveMode, Variant(newVal));
}

bool PanelSettingsV2::roomUseAdvancedRelays() const {
  return asBool(roomSetting(kwRoomRelayUseAdvanced));
}
void PanelSettingsV2::roomUseAdvancedRelays(bool newVal) {
  letRoomSetting(kwRoomRelayUseAdvanced, Variant(newVal));
}

bool PanelSettingsV2::roomUsePowerOnVol() const { return asBool(roomSetting(kwRoomUsePowerOnVol)); }
void PanelSettingsV2::roomUsePowerOnVol(bool newVal) {
  letRoomSetting(kwRoomUsePowerOnVol, Variant(newVal));
}

bool PanelSettingsV2::roomStickyHiddenOn() const {
  return asBool(roomSetting(kwRoomStickyHiddenOn));
}
void PanelSettingsV2::roomStickyHiddenOn(bool newVal) {
  letRoomSetting(kwRoomStickyHiddenOn, Variant(newVal));
}

bool PanelSettingsV2::roomDefeatAFVP() const { return asBool(roomSetting(kwRoomAfvpDefeatPreamp)); }
void PanelSettingsV2::roomDefeatAFVP(bool newVal) {
  letRoomSetting(kwRoomAfvpDefeatPreamp, Variant(newVal));
}

bool PanelSettingsV2::roomDefeatAvpEQ() const { return asBool(roomSetting(kwRoomAfvpDefeatEq)); }
void PanelSettingsV2::roomDefeatAvpEQ(bool newVal) {
  letRoomSetting(kwRoomAfvpDefeatEq, Variant(newVal));
}

int16_t PanelSettingsV2::roomPowerOnVol() const {
  return asInt16(roomSetting(kwRoomVolPowerOnLevel));
}
void PanelSettingsV2::roomPowerOnVol(int16_t newVal) {
  letRoomSetting(kwRoomVolPowerOnLevel, Variant(newVal));
}

int16_t PanelSettingsV2::roomPowerOnSelection() const {
  return asInt16(roomSetting(kwRoomPowerOnSelection));
}
void PanelSettingsV2::roomPowerOnSelection(int16_t newVal) {
  letRoomSetting(kwRoomPowerOnSelection, Variant(newVal));
}

bool PanelSettingsV2::isProjAbsolute() const { return asBool(roomSetting(kwProjUsesAbsoluteVol)); }

// ---- Options of the driver and the room's choice among them.

std::vector<std::string> PanelSettingsV2::powerSenseOptions() const {
  return valuesAsText(kv(kwPowerSenseOptions));
}

std::vector<std::string> PanelSettingsV2::IRwiringOptions() const {
  return valuesAsText(kv(kwIrWiringOptions));
}

int16_t PanelSettingsV2::roomPowerSenseOptionSelected() const {
  return chosenPosition(powerSenseOptions(), kv(kwRoomPowerSenseSelected));
}

void PanelSettingsV2::roomPowerSenseOptionSelected(int16_t newVal) {
  std::vector<std::string> options = powerSenseOptions();
  if (newVal < 1 || size_t(newVal) > options.size()) return;
  letRoomSetting(kwRoomPowerSenseSelected, Variant(options[size_t(newVal - 1)]));
}

int16_t PanelSettingsV2::roomIRWiringOptSelected() const {
  return chosenPosition(IRwiringOptions(), kv(kwRoomIrWiringSelected));
}

void PanelSettingsV2::roomIRWiringOptSelected(int16_t newVal) {
  std::vector<std::string> options = IRwiringOptions();
  if (newVal < 1 || size_t(newVal) > options.size()) return;
  letRoomSetting(kwRoomIrWiringSelected, Variant(options[size_t(newVal - 1)]));
}

// ---- CTS use: a word of the row's own word list.

int16_t PanelSettingsV2::roomCTSAlternateUseSelected() const {
  Variant chosen = roomSetting(kwRoomAlternateCtsUse);
  if (!chosen.isString()) return 0;
  const Variant& lists = keywordTable(kwRoomAlternateCtsUse).wordLists;
  if (!lists.isArray() || lists.ubound() < 1) return 0;
  return findValInArray(chosen.toText(), lists.at(1));
}

void PanelSettingsV2::roomCTSAlternateUseSelected(int16_t newVal) {
  const Variant& lists = keywordTable(kwRoomAlternateCtsUse).wordLists;
  if (!lists.isArray() || lists.ubound() < 1) return;
  const Variant& words = lists.at(1);
  if (!words.isArray() || newVal < 1 || newVal < words.lbound() || newVal > words.ubound()) return;
  Variant word = words.at(newVal);
  if (!word.isString()) return;
  letRoomSetting(kwRoomAlternateCtsUse, word);
}

// ---- Searches.

bool PanelSettingsV2::flagExists(const std::string& flag, const KeyValuePtr& theTuple) {
  if (!theTuple) return false;
  for (int32_t i = 1; i <= theTuple->count(); ++i) {
    // Flag words are texts; lists (a code's lexes) and Booleans never match.
    Variant value = theTuple->ItemVal(i);
    if (value.isString() && equalsIgnoringCase(value.toText(), flag)) return true;
  }
  return false;
}

int16_t PanelSettingsV2::findValInArray(const std::string& val, const Variant& theArray) {
  int32_t pos = VXCommon::findInArrayCI(theArray, val);
  // A position past the 16-bit range cannot be told; such a list is no word list.
  return pos > std::numeric_limits<int16_t>::max() ? int16_t(0) : int16_t(pos);
}
