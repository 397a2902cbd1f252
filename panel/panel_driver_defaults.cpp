// The driver checker's defaults: what a driver may leave out and the room needs, filled into
// empty slots in the parser's layout so that the room properties, the encoder and the room
// file find them as if they had been read.
#include <memory>
#include <string>

#include "panel/driver_checker.h"

namespace {

// A new list of the pairs ("1", first), ("2", second), ...
KeyValuePtr positionalList(std::initializer_list<const char*> values) {
  auto list = std::make_shared<KeyValueClass>();
  int position = 0;
  for (const char* value : values) list->AddPair(std::to_string(++position), value);
  return list;
}

// The factory relay settings, relays 1 to 7: duration word, event word.
struct RelayDefault {
  const char* duration;
  const char* event;
};
constexpr RelayDefault kRelayDefaults[] = {
    {"Maintained", "On"},         {"400ms", "On"},
    {"400ms", "Off"},             {"Maintained", "Selection1"},
    {"Maintained", "Selection2"}, {"Maintained", "Selection3"},
    {"Maintained", "Selection4"},
};

constexpr int kAudioInputs = 5;

}  // namespace

void PanelSettingsV2::DriverChecker::defaultPollingLockout() {
  if (slot(kwPowerPollLockout)) return;
  // The very list of DEFAULT-LOCKOUT: both keywords read the same time from then on.
  slot(kwPowerPollLockout) = slot(kwDefaultLockout);
  logInfo("Defaulted " + keyword(kwPowerPollLockout) + " to " + keyword(kwDefaultLockout) + ".");
}

void PanelSettingsV2::DriverChecker::defaultPreampSettings() {
  if (slot(kwRoomAfvpGbt)) return;
  auto inputs = std::make_shared<KeyValueClass>();
  // Gain 0, treble 6 and bass 6 on every audio input.
  for (int input = 1; input <= kAudioInputs; ++input)
    inputs->AddPair(std::to_string(input), positionalList({"0", "6", "6"}));
  slot(kwRoomAfvpGbt) = inputs;
}

void PanelSettingsV2::DriverChecker::completePowerSenseOptions() {
  for (const char* word : {"None", "Sensor"}) {
    KeyValuePtr& options = slot(kwPowerSenseOptions);
    if (!options) {
      options = positionalList({word});
    } else if (!flagExists(word, options)) {
      options->AddPair(std::to_string(options->count() + 1), word);
    } else {
      continue;
    }
    logInfo(std::string("Added '") + word + "' to '" + keyword(kwPowerSenseOptions) + "'.");
  }
}

void PanelSettingsV2::DriverChecker::defaultChosenOptions() {
  // The room starts with the first option the driver offers.
  struct Choice {
    KeywordRow room;
    KeywordRow options;
  };
  for (Choice choice : {Choice{kwRoomPowerSenseSelected, kwPowerSenseOptions},
                        Choice{kwRoomIrWiringSelected, kwIrWiringOptions}}) {
    const KeyValuePtr& options = slot(choice.options);
    if (slot(choice.room) || !options) continue;
    auto chosen = std::make_shared<KeyValueClass>();
    chosen->AddPair("1", options->ItemVal(1));
    slot(choice.room) = chosen;
  }
}

void PanelSettingsV2::DriverChecker::defaultRelays() {
  if (slot(kwRoomRelay)) return;
  auto relays = std::make_shared<KeyValueClass>();
  int relay = 0;
  for (const RelayDefault& d : kRelayDefaults)
    relays->AddPair(std::to_string(++relay), positionalList({d.duration, d.event}));
  slot(kwRoomRelay) = relays;
}

void PanelSettingsV2::DriverChecker::copyDefaultFunctions() {
  // The room's keys start as the driver's defaults: a copy, so the room can change them.
  struct Copy {
    KeywordRow from;
    KeywordRow to;
  };
  for (Copy copy : {Copy{kwDefaultSelection, kwRoomSelection},
                    Copy{kwDefaultHidFunct, kwRoomHidFunct}}) {
    const KeyValuePtr& source = slot(copy.from);
    if (slot(copy.to) || !source) continue;
    auto room = std::make_shared<KeyValueClass>();
    for (int32_t i = 1; i <= source->count(); ++i) room->AddPair(source->ItemKey(i), source->ItemVal(i));
    slot(copy.to) = room;
  }
}

void PanelSettingsV2::DriverChecker::defaultProjectorLockout() {
  if (slot(kwRoomProjLockout)) return;
  // Without a DEFAULT-LOCKOUT time there is nothing to copy: the slot stays empty and the
  // mandatory-keyword check reports it, rather than holding an empty time that the encoder
  // and a room file could not use.
  const KeyValuePtr& defaultLockout = slot(kwDefaultLockout);
  if (!defaultLockout || defaultLockout->ItemVal(1).isEmpty()) return;
  auto lockout = std::make_shared<KeyValueClass>();
  lockout->AddPair("1", defaultLockout->ItemVal(1));
  slot(kwRoomProjLockout) = lockout;
}

void PanelSettingsV2::DriverChecker::applyTableDefaults() {
  for (int16_t row = 1; row <= kKeywordCount; ++row) {
    const Variant& defaultValue = owner_.keywordTable(row).defaultVal;
    if (slot(row) || defaultValue.isEmpty()) continue;
    auto list = std::make_shared<KeyValueClass>();
    list->AddPair("1", defaultValue);
    slot(row) = list;
    logInfo("Keyword '" + keyword(row) + "' defaulted to '" + defaultValue.toText() + "'.");
  }
}
