// The relays in the panel image: one byte per relay (formats 8 and 9, in the full form with
// the condition events, or the reduced form without them) or one byte of bits for all seven
// (format 7), and back to the duration and event words of ROOM-RELAY.
#include <array>
#include <string>
#include <string_view>

#include "common/ascii_text.h"
#include "common/list_helpers.h"
#include "common/memory_image.h"
#include "common/word_lists.h"
#include "panel/panel_settings.h"
#include "panel/image/relay_condition.h"
#include "panel/model/room_slot_values.h"

namespace {

constexpr int16_t kRelayDuration = 1;  // positions in a relay's value list
constexpr int16_t kRelayEvent = 2;
constexpr int16_t kConditionLow = 0xC;
constexpr int16_t kNotConditionLow = 0xE;
constexpr int16_t kDurationCount = 16;

constexpr std::string_view kMaintained = "Maintained";
// Format 7 keeps one duration: any timed relay reads back with it.
constexpr std::string_view kV7Timed = "600ms";

// Condition words by RelayCondition; the "~" form follows the opposite state.
constexpr std::array<std::string_view, 4> kConditionWords = {"AuxAudio", "AudioOn", "Locked",
                                                             "ProjResponding"};

struct EventCode {
  std::string_view word;
  int16_t low;
  int16_t condition;  // RelayCondition, or -1 for an action
};

// In the order the words are tried: conditions first, then the actions.
constexpr std::array<EventCode, 20> kEventCodes = {{
    {"AuxAudio", kConditionLow, relayCondAuxAudio},
    {"~AuxAudio", kNotConditionLow, relayCondAuxAudio},
    {"AudioOn", kConditionLow, relayCondAudioOn},
    {"~AudioOn", kNotConditionLow, relayCondAudioOn},
    {"Locked", kConditionLow, relayCondLocked},
    {"~Locked", kNotConditionLow, relayCondLocked},
    {"ProjResponding", kConditionLow, relayCondProjResponding},
    {"~ProjResponding", kNotConditionLow, relayCondProjResponding},
    {"Binary", 9, -1},
    {"~Binary", 0xB, -1},
    {"On", 0xF, -1},
    {"Off", 8, -1},
    {"Selection0", 0, -1},
    {"Selection1", 1, -1},
    {"Selection2", 2, -1},
    {"Selection3", 3, -1},
    {"Selection4", 4, -1},
    {"Selection5", 5, -1},
    {"Selection6", 6, -1},
    {"Selection7", 7, -1},
}};

// Relay words compare ignoring ASCII letter case.
using VXCommon::equalsIgnoringCase;

// The duration words, list 1 of gRelayWords; no list before a settings object was built.
Variant durationWords() {
  const Variant& lists = VXCommon::gRelayWords;
  if (!lists.isArray() || lists.ubound() < 1) return Variant();
  return lists.at(1);
}

// Duration word of a stored index 0..15; "" outside.
std::string durationWordAt(int32_t index) {
  Variant words = durationWords();
  if (index < 0 || index >= kDurationCount || !words.isArray() || index + 1 > words.ubound())
    return std::string();
  return RoomSlotValues::asText(words.at(index + 1));
}

// The duration and event words of relay r: its r-th value's list. False, after logging the
// missing setting with `kind`, when there is no such list.
bool relayWords(memBlockCls& image, int16_t relayNumber, const KeyValuePtr& relayValues,
                int16_t kind, std::string& duration, std::string& event) {
  KeyValuePtr entry;
  if (relayValues) entry = relayValues->ItemVal(relayNumber).object<KeyValueClass>();
  if (!entry) {
    image.memDebug(kind, "Program Error - no setting for relay " + std::to_string(relayNumber));
    return false;
  }
  duration = RoomSlotValues::asText(entry->ItemVal(kRelayDuration));
  event = RoomSlotValues::asText(entry->ItemVal(kRelayEvent));
  return true;
}

// One relay byte; the reduced form knows no condition words and logs as information only.
int16_t encodeRelayForm(memBlockCls& image, int16_t relayNumber, const KeyValuePtr& relayValues,
                        bool withConditions) {
  const int16_t kind = withConditions ? memDbgError : memDbgInfo;
  std::string duration, event;
  if (!relayWords(image, relayNumber, relayValues, kind, duration, event)) return 0;
  const int16_t durationIndex = int16_t(VXCommon::findInArrayCI(durationWords(), duration) - 1);
  int16_t high = durationIndex;
  int16_t low = 0;
  const EventCode* found = nullptr;
  for (const EventCode& code : kEventCodes) {
    if (code.condition >= 0 && !withConditions) continue;
    if (equalsIgnoringCase(code.word, event)) {
      found = &code;
      break;
    }
  }
  if (!found) {
    image.memDebug(kind, "Program Error - unclassified relay event");
  } else if (found->condition >= 0) {
    high = found->condition;
    low = found->low;
  } else {
    low = found->low;
    // An action keeps its duration in the high nibble; an unknown one would give a byte
    // that the image cannot hold and that no longer says what the relay should do.
    if (durationIndex < 0) image.memDebug(kind, "Program Error - unclassified relay duration");
  }
  return int16_t(high * 16 + low);
}

std::string decodeRelayForm(memBlockCls& image, int16_t relayByte, std::string& durationWord,
                            bool withConditions) {
  const int16_t kind = withConditions ? memDbgError : memDbgInfo;
  if (relayByte < 0 || relayByte > 255) {
    durationWord.clear();
    image.memDebug(kind, "Program Error - unclassified relay value");
    return std::string();
  }
  const int16_t low = relayByte % 16;
  const int16_t high = relayByte / 16;
  durationWord = durationWordAt(high);
  if (withConditions && (low == kConditionLow || low == kNotConditionLow) &&
      high < int16_t(kConditionWords.size())) {
    durationWord = kMaintained;
    return (low == kNotConditionLow ? "~" : "") + std::string(kConditionWords[size_t(high)]);
  }
  for (const EventCode& code : kEventCodes)
    if (code.condition < 0 && code.low == low) return std::string(code.word);
  image.memDebug(kind, "Program Error - unclassified relay value");
  return std::string();
}

}  // namespace

int16_t PanelSettingsV2::encodeRelayByte(memBlockCls& image, int16_t relayNumber,
                                         const KeyValuePtr& relayValues) {
  return encodeRelayForm(image, relayNumber, relayValues, true);
}

int16_t PanelSettingsV2::encodeRelayByteBasic(memBlockCls& image, int16_t relayNumber,
                                              const KeyValuePtr& relayValues) {
  return encodeRelayForm(image, relayNumber, relayValues, false);
}

std::string PanelSettingsV2::decodeRelayByte(memBlockCls& image, int16_t relayByte,
                                             std::string& durationWord) {
  return decodeRelayForm(image, relayByte, durationWord, true);
}

std::string PanelSettingsV2::decodeRelayByteBasic(memBlockCls& image, int16_t relayByte,
                                                  std::string& durationWord) {
  return decodeRelayForm(image, relayByte, durationWord, false);
}

int16_t PanelSettingsV2::encodeRelayBitsV7(memBlockCls& image, int16_t relayNumber,
                                           const KeyValuePtr& relayValues) {
  if (relayNumber < 1 || relayNumber > 7) return 0;
  std::string duration, event;
  if (!relayWords(image, relayNumber, relayValues, memDbgError, duration, event)) return 0;
  const bool timed = !equalsIgnoringCase(duration, kMaintained);
  int16_t bits = 0;
  if (relayNumber <= 3) {
    if (timed) bits |= int16_t(1 << (4 - relayNumber));
    if (equalsIgnoringCase(event, "On")) bits |= int16_t(1 << (7 - relayNumber));
  } else {
    if (timed) bits |= 0x01;
    if (equalsIgnoringCase(event, "Binary")) bits |= 0x80;
  }
  return bits;
}

std::string PanelSettingsV2::decodeRelayBitsV7(memBlockCls& /*image*/, int16_t relayNumber,
                                               int16_t relayBits, std::string& durationWord) {
  auto bitSet = [relayBits](int bit) { return (relayBits & (1 << bit)) != 0; };
  if (relayNumber >= 1 && relayNumber <= 3) {
    durationWord = bitSet(4 - relayNumber) ? kV7Timed : kMaintained;
    return bitSet(7 - relayNumber) ? "On" : "Off";
  }
  if (relayNumber >= 4 && relayNumber <= 7) {
    durationWord = bitSet(0) ? kV7Timed : kMaintained;
    if (bitSet(7)) return "Binary";
    return "Selection" + std::to_string(8 - relayNumber);
  }
  durationWord.clear();
  return std::string();
}
