// Room settings kept per index: the button legends (name, font, picture), the relays (duration
// and event words) and the audio inputs' pre-amplifier (gain, treble, bass).
//
// Legends hold one pair per legend number; relays and inputs one pair per number whose value
// is the list of the setting's values in statement order: a relay (duration, event), an input
// (gain, treble, bass).
#include <string>

#include "common/text_helpers.h"
#include "panel/panel_settings.h"
#include "panel/model/room_slot_values.h"

using namespace RoomSlotValues;

namespace {

// Positions in a relay's and an input's value list.
constexpr int16_t kRelayDuration = 1;
constexpr int16_t kRelayEvent = 2;
constexpr int16_t kAfvpGain = 1;
constexpr int16_t kAfvpTreble = 2;
constexpr int16_t kAfvpBass = 3;

std::string legendText(const KeyValuePtr& slot, int16_t idx) {
  if (!slot) return std::string();
  return asText(slot->GetValue(Variant(indexKey(idx))));
}

}  // namespace

// ---- Legends.

bool PanelSettingsV2::legendFitsRoomFile(std::string_view stored) {
  return stored.find_first_of("\"\r\n") == std::string_view::npos;
}

bool PanelSettingsV2::letLegend(int16_t row, int16_t idx, const std::string& stored) {
  if (idx < 1 || !legendFitsRoomFile(stored)) return false;
  KeyValuePtr& slot = kv(row);
  if (!slot) slot = std::make_shared<KeyValueClass>();
  Variant key(indexKey(idx));
  int16_t pos = slot->GetIndex(key);
  if (pos != 0) {
    slot->ItemVal(pos, Variant(stored));
  } else {
    slot->AddPair(key, Variant(stored));
  }
  isDirty_ = true;
  return true;
}

std::string PanelSettingsV2::roomLegendName(int16_t idx) const {
  return VXCommon::pipeToCrLf(legendText(kv(kwRoomLegendName), idx));
}

void PanelSettingsV2::roomLegendName(int16_t idx, const std::string& newVal) {
  letLegend(kwRoomLegendName, idx, VXCommon::crLfToPipe(newVal));
}

std::string PanelSettingsV2::roomLegendFont(int16_t idx) const {
  return legendText(kv(kwRoomLegendFont), idx);
}

void PanelSettingsV2::roomLegendFont(int16_t idx, const std::string& newVal) {
  letLegend(kwRoomLegendFont, idx, newVal);
}

std::string PanelSettingsV2::roomLegendGIF(int16_t idx) const {
  return legendText(kv(kwRoomLegendGif), idx);
}

void PanelSettingsV2::roomLegendGIF(int16_t idx, const std::string& newVal) {
  letLegend(kwRoomLegendGif, idx, newVal);
}

// ---- Values of a relay's or an input's list.

void PanelSettingsV2::letIndexedValue(int16_t row, int16_t idx, int16_t pos, const Variant& value,
                                      const Variant& filler) {
  if (idx < 1) return;
  KeyValuePtr list = ensureIndexedList(kv(row), idx);
  storeAt(*list, pos, value, filler, true);
  isDirty_ = true;
}

std::string PanelSettingsV2::roomRelayDurationSelected(int16_t relayidx) const {
  return asText(valueAt(indexedList(kv(kwRoomRelay), relayidx), kRelayDuration));
}

void PanelSettingsV2::roomRelayDurationSelected(int16_t relayidx, const std::string& newVal) {
  letIndexedValue(kwRoomRelay, relayidx, kRelayDuration, Variant(newVal), Variant(std::string()));
}

std::string PanelSettingsV2::roomRelayEventSelected(int16_t relayidx) const {
  return asText(valueAt(indexedList(kv(kwRoomRelay), relayidx), kRelayEvent));
}

void PanelSettingsV2::roomRelayEventSelected(int16_t relayidx, const std::string& newVal) {
  letIndexedValue(kwRoomRelay, relayidx, kRelayEvent, Variant(newVal), Variant(std::string()));
}

int16_t PanelSettingsV2::roomAFVPGainSetting(int16_t inputIdx) const {
  return asInt16(valueAt(indexedList(kv(kwRoomAfvpGbt), inputIdx), kAfvpGain));
}

void PanelSettingsV2::roomAFVPGainSetting(int16_t inputIdx, int16_t newVal) {
  letIndexedValue(kwRoomAfvpGbt, inputIdx, kAfvpGain, Variant(newVal), Variant(int16_t(0)));
}

int16_t PanelSettingsV2::roomAFVPTrebleSetting(int16_t inputIdx) const {
  return asInt16(valueAt(indexedList(kv(kwRoomAfvpGbt), inputIdx), kAfvpTreble));
}

void PanelSettingsV2::roomAFVPTrebleSetting(int16_t inputIdx, int16_t newVal) {
  letIndexedValue(kwRoomAfvpGbt, inputIdx, kAfvpTreble, Variant(newVal), Variant(int16_t(0)));
}

int16_t PanelSettingsV2::roomAFVPbassSetting(int16_t inputIdx) const {
  return asInt16(valueAt(indexedList(kv(kwRoomAfvpGbt), inputIdx), kAfvpBass));
}

void PanelSettingsV2::roomAFVPbassSetting(int16_t inputIdx, int16_t newVal) {
  letIndexedValue(kwRoomAfvpGbt, inputIdx, kAfvpBass, Variant(newVal), Variant(int16_t(0)));
}
