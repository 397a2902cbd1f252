// The audio pre-amplifier in the panel image: two bytes per input, the gain, then the treble
// in the high nibble and the bass in the low nibble of the next byte.
#include <string>

#include "common/memory_image.h"
#include "panel/panel_settings.h"
#include "panel/model/room_slot_values.h"

namespace {

constexpr int16_t kGain = 1;  // positions in an input's value list
constexpr int16_t kTreble = 2;
constexpr int16_t kBass = 3;

int32_t inputAddress(int32_t address, int16_t input) { return address + 2 * int32_t(input) - 2; }

}  // namespace

void PanelSettingsV2::encodeAfvpInput(memBlockCls& image, const KeyValuePtr& afvpValues,
                                      int16_t input, int32_t address, int16_t lowBound) {
  KeyValuePtr entry;
  if (afvpValues) entry = afvpValues->ItemVal(input).object<KeyValueClass>();
  if (!entry) {
    image.memDebug(memDbgError,
                   "Program Error - no setting for audio input " + std::to_string(input));
    return;
  }
  const int32_t at = inputAddress(address, input);
  using RoomSlotValues::asInt16;
  image.pokeByte(asInt16(entry->ItemVal(kGain)), at, lowBound);
  image.pokeNibHigh(asInt16(entry->ItemVal(kTreble)), at + 1);
  image.pokeNibLow(asInt16(entry->ItemVal(kBass)), at + 1);
}

PanelSettingsV2::AfvpInput PanelSettingsV2::decodeAfvpInput(memBlockCls& image, int16_t input,
                                                            int32_t address) {
  const int32_t at = inputAddress(address, input);
  AfvpInput values;
  values.gain = image.peekByte(at);
  values.treble = image.peekNibHigh(at + 1);
  values.bass = image.peekNibLow(at + 1);
  return values;
}
