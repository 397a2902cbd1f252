// The code lists that the wizard's key-mapping pages offer (selections, hidden functions, core
// functions) and the room's choice of code for each selection button and hidden-function key.
//
// A room's choices live as code names: slot 52 (ROOM-SELECTION) keyed by the button number as
// decimal text, slot 53 (ROOM-HID-FUNCT) keyed by the hidden-function key name. The pages work
// with positions in the offered lists, so the accessors translate between the two.
#include "common/list_helpers.h"
#include "common/word_lists.h"
#include "panel/panel_settings.h"
#include "panel/model/slot_reading.h"

namespace {

// Put before the names of IR codes in the lists shown to the user.
const std::string kIrMarker = "\xBA";

// The name of the hidden-function key in slot 1..11 (OFF, VUP, VDN, 1..8); "" outside.
std::string hidFunctKeyName(int16_t slot) {
  const Variant& lists = VXCommon::gHidFunctWords;
  if (!lists.isArray() || lists.ubound() < 1) return "";
  const Variant& names = lists.at(1);
  if (!names.isArray() || slot < names.lbound() || slot > names.ubound()) return "";
  return SlotReading::textOf(names.at(slot));
}

// Position (from 1) of the room's chosen code among the offered names; 0 when none is chosen
// or the chosen code is not offered.
int16_t positionOfChoice(const KeyValuePtr& choices, const std::string& key,
                         const std::vector<std::string>& offered) {
  if (!choices || key.empty()) return 0;
  Variant chosen = choices->GetValue(Variant(key));
  std::string name = SlotReading::textOf(chosen);
  if (name.empty()) return 0;  // the button was cleared
  return int16_t(VXCommon::findInArrayCI(offered, name));
}

// Replaces the value under the key, or appends the pair when the key is new.
void storeChoice(KeyValueClass& choices, const std::string& key, const std::string& name) {
  int16_t index = choices.GetIndex(Variant(key));
  if (index != 0) choices.ItemVal(index, Variant(name));
  else choices.AddPair(Variant(key), Variant(name));
}

// The name at 1-based position in the list, or "" (no code) for any other position.
std::string nameAt(const std::vector<std::string>& names, int16_t position) {
  if (position < 1 || size_t(position) > names.size()) return "";
  return names[size_t(position - 1)];
}

using CodeTest = bool (*)(const PanelSettingsV2&, int16_t index);

bool isSelectionCode(const PanelSettingsV2& settings, int16_t i) {
  return settings.codeTableIsSelection(Variant(i));
}

bool isHiddenCode(const PanelSettingsV2& settings, int16_t i) {
  return settings.codeTableIsHidden(Variant(i));
}

bool isCoreCode(const PanelSettingsV2& settings, int16_t i) {
  return !isSelectionCode(settings, i) && !isHiddenCode(settings, i);
}

// The names of the codes that pass the test, in code order.
std::vector<std::string> codeNamesWhere(const PanelSettingsV2& settings, CodeTest test,
                                        bool withIrMarker) {
  std::vector<std::string> names;
  for (int32_t i = 1; i <= settings.codeTableCount(); ++i) {
    if (!test(settings, i)) continue;
    std::string name = settings.codeTableName(i);
    if (withIrMarker && settings.codeTableIsIR(Variant(i))) name = kIrMarker + name;
    names.push_back(std::move(name));
  }
  return names;
}

}  // namespace

std::vector<std::string> PanelSettingsV2::codeTableSelections() const {
  return codeNamesWhere(*this, isSelectionCode, false);
}

std::vector<std::string> PanelSettingsV2::codeTableSelectionsWithSymbol() const {
  return codeNamesWhere(*this, isSelectionCode, true);
}

std::vector<std::string> PanelSettingsV2::codeTableHidFuncts() const {
  return codeNamesWhere(*this, isHiddenCode, false);
}

std::vector<std::string> PanelSettingsV2::codeTableHidFunctsWithSymbol() const {
  return codeNamesWhere(*this, isHiddenCode, true);
}

std::vector<std::string> PanelSettingsV2::codeTableCoreFuncts() const {
  return codeNamesWhere(*this, isCoreCode, false);
}

int16_t PanelSettingsV2::codeTableRoomSelectionIdx(int16_t button) const {
  return positionOfChoice(kv(kwRoomSelection), std::to_string(button), codeTableSelections());
}

void PanelSettingsV2::codeTableRoomSelectionIdx(int16_t button, int16_t position) {
  KeyValuePtr& choices = kv(kwRoomSelection);
  if (!choices) choices = std::make_shared<KeyValueClass>();
  storeChoice(*choices, std::to_string(button), nameAt(codeTableSelections(), position));
  isDirty(true);
}

int16_t PanelSettingsV2::codeTableRoomHidFunctIdx(int16_t slot) const {
  return positionOfChoice(kv(kwRoomHidFunct), hidFunctKeyName(slot), codeTableHidFuncts());
}

void PanelSettingsV2::codeTableRoomHidFunctIdx(int16_t slot, int16_t position) {
  std::string key = hidFunctKeyName(slot);
  if (key.empty()) return;  // no such hidden-function key
  KeyValuePtr& choices = kv(kwRoomHidFunct);
  if (!choices) choices = std::make_shared<KeyValueClass>();
  storeChoice(*choices, key, nameAt(codeTableHidFuncts(), position));
  isDirty(true);
}
