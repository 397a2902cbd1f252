// The driver checker's defaults: what a driver may leave out and the room needs, filled into
// empty slots in the parser's layout so that the room properties, the encoder and the room
// file find them as if they had been read.
#include <algorithm>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "panel/check/driver_checker.h"
#include "panel/model/room_slot_values.h"

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

using RoomSlotValues::kAudioInputs;  // a panel's most inputs; an empty slot gets them all
using RoomSlotValues::kFixedAudioInputs;
using RoomSlotValues::kRelays;

int32_t highestNumber(const KeyValueClass& list) {
  int32_t highest = 0;
  for (int32_t i = 1; i <= list.count(); ++i)
    highest = std::max(highest, RoomSlotValues::numberOfKey(list.ItemKey(i)));
  return highest;
}

// Gives a numbered list every number from 1 to `last`: a number it lacks gets `defaultFor`,
// and the numbers then stand in order, the given entries as they were, ahead of every other
// key in its given order. The very list is rearranged, so whoever shares it sees the result;
// a list that lacks no number, or could not hold them all, stays as it is.
template <typename DefaultFor>
void completeNumbered(KeyValueClass& list, int32_t last, DefaultFor defaultFor) {
  int32_t missing = 0;
  for (int32_t n = 1; n <= last; ++n)
    if (list.GetIndex(Variant(std::to_string(n))) == 0) ++missing;
  if (missing == 0 || list.count() + missing > KeyValueClass::kMaxPairs) return;

  struct Pair {
    Variant key, value;
  };
  std::vector<Pair> given, ordered;
  for (int32_t i = 1; i <= list.count(); ++i) given.push_back({list.ItemKey(i), list.ItemVal(i)});
  std::vector<bool> placed(given.size(), false);
  for (int32_t n = 1; n <= last; ++n) {
    const Variant key(std::to_string(n));
    const int16_t at = list.GetIndex(key);
    if (at == 0) {
      ordered.push_back({key, Variant(defaultFor(n))});
    } else {
      ordered.push_back(given[size_t(at - 1)]);
      placed[size_t(at - 1)] = true;
    }
  }
  for (size_t i = 0; i < given.size(); ++i)
    if (!placed[i]) ordered.push_back(given[i]);

  list.Clear();
  for (const Pair& pair : ordered) list.AddPair(pair.key, pair.value);
}

KeyValuePtr flatPreamp(int32_t) { return positionalList({"0", "6", "6"}); }

}  // namespace

void PanelSettingsV2::DriverChecker::defaultPollingLockout() {
  if (slot(kwPowerPollLockout)) return;
  // The very list of DEFAULT-LOCKOUT: both keywords read the same time from then on.
  slot(kwPowerPollLockout) = slot(kwDefaultLockout);
  logInfo("Defaulted " + keyword(kwPowerPollLockout) + " to " + keyword(kwDefaultLockout) + ".");
}

void PanelSettingsV2::DriverChecker::defaultPreampSettings() {
  // Gain 0, treble 6 and bass 6 on every audio input the room does not set: five when it
  // sets none, else up to its highest, at least the four that every format writes and at
  // most the five a panel has (an input past them is never written, and a room numbering one
  // far beyond could leave no room in the list for the four).
  KeyValuePtr& inputs = slot(kwRoomAfvpGbt);
  if (!inputs) {
    inputs = std::make_shared<KeyValueClass>();
    completeNumbered(*inputs, kAudioInputs, flatPreamp);
    return;
  }
  const int32_t last = std::clamp<int32_t>(highestNumber(*inputs), kFixedAudioInputs, kAudioInputs);
  completeNumbered(*inputs, last, flatPreamp);
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
  // The room starts with the first option the driver offers; an empty list of options
  // ("IR-WIRING-OPTIONS=") offers none, and the choice stays unset rather than empty.
  struct Choice {
    KeywordRow room;
    KeywordRow options;
  };
  for (Choice choice : {Choice{kwRoomPowerSenseSelected, kwPowerSenseOptions},
                        Choice{kwRoomIrWiringSelected, kwIrWiringOptions}}) {
    const KeyValuePtr& options = slot(choice.options);
    if (slot(choice.room) || !options || options->ItemVal(1).isEmpty()) continue;
    auto chosen = std::make_shared<KeyValueClass>();
    chosen->AddPair("1", options->ItemVal(1));
    slot(choice.room) = chosen;
  }
}

void PanelSettingsV2::DriverChecker::defaultRelays() {
  // The factory setting of every relay the room does not set.
  KeyValuePtr& relays = slot(kwRoomRelay);
  if (!relays) relays = std::make_shared<KeyValueClass>();
  static_assert(std::size(kRelayDefaults) == kRelays);
  completeNumbered(*relays, kRelays, [](int32_t relay) {
    const RelayDefault& d = kRelayDefaults[size_t(relay - 1)];
    return positionalList({d.duration, d.event});
  });
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
