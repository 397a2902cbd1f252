// The room's timers: projector lockout in seconds, inactivity shutdown in minutes, both held
// in the slots as exact microseconds, and the largest lockout time a memory format can hold.
#include <optional>
#include <string>
#include <string_view>

#include "common/vb_error.h"
#include "panel/model/memory_grammar.h"
#include "panel/panel_settings.h"
#include "panel/model/room_slot_values.h"
#include "panel/model/time_ticks.h"

using namespace RoomSlotValues;

namespace {

const Decimal kMicrosecondsPerSecond(1000000);
const Decimal kMicrosecondsPerMinute(60000000);

// The one-byte lockout field holds at most this many ticks.
constexpr int64_t kLargestTickCount = 255;

// The tick, in microseconds, of the time grammars a lockout rule may use; none for others.
std::optional<Decimal> lockoutTick(int16_t grammar) {
  if (grammar != gramTimeTick470ms && grammar != gramTimeTick1880ms) return std::nullopt;
  return TimeTicks::ofGrammar(grammar);
}

// The leading decimal number of a typed text: after leading blanks and tabs, digits with an
// optional "." and fraction digits. 0 when the text starts with anything else; no value when
// the number is too large to hold.
std::optional<Decimal> leadingDecimal(std::string_view text) {
  size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
  std::string digits;
  size_t start = i;
  while (i < text.size() && text[i] >= '0' && text[i] <= '9') ++i;
  digits.assign(text.substr(start, i - start));
  if (digits.empty()) digits = "0";
  if (i < text.size() && text[i] == '.') {
    size_t fractionStart = ++i;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9') ++i;
    if (i > fractionStart)
      digits += "." + std::string(text.substr(fractionStart, i - fractionStart));
  }
  return Decimal::parse(digits);
}

// A stored time in whole units (halves to even) as text; "" when no time is stored.
std::string wholeUnits(const Variant& microseconds, const Decimal& unit) {
  std::optional<Decimal> time = asDecimal(microseconds);
  if (!time) return std::string();
  return (*time / unit).roundHalfEven(0).toString();
}

// A typed number of units as microseconds; no value when it cannot be held.
std::optional<Decimal> typedUnits(const std::string& typed, const Decimal& unit) {
  std::optional<Decimal> count = leadingDecimal(typed);
  if (!count) return std::nullopt;
  try {
    return *count * unit;
  } catch (const VbError&) {
    return std::nullopt;
  }
}

}  // namespace

std::string PanelSettingsV2::roomLockoutTime() const {
  return wholeUnits(roomSetting(kwRoomProjLockout), kMicrosecondsPerSecond);
}

void PanelSettingsV2::roomLockoutTime(const std::string& newVal) {
  if (auto microseconds = typedUnits(newVal, kMicrosecondsPerSecond))
    letRoomSetting(kwRoomProjLockout, Variant(*microseconds));
}

std::string PanelSettingsV2::roomShutdownTimer() const {
  return wholeUnits(roomSetting(kwRoomInactShutdownTimer), kMicrosecondsPerMinute);
}

void PanelSettingsV2::roomShutdownTimer(const std::string& newVal) {
  if (auto microseconds = typedUnits(newVal, kMicrosecondsPerMinute))
    letRoomSetting(kwRoomInactShutdownTimer, Variant(*microseconds));
}

int16_t PanelSettingsV2::roomLockoutTimeUbound(int16_t version) const {
  if (version < 7 || version > 9) return 0;
  for (const auto& rule : memRules(int16_t(version - 6))) {
    if (rule->memoryValIndex != kwRoomProjLockout) continue;
    std::optional<Decimal> tick = lockoutTick(rule->memoryGrammar);
    if (!tick) continue;
    Decimal seconds = Decimal(kLargestTickCount) * *tick / kMicrosecondsPerSecond;
    return seconds.roundHalfEven(0).toInt16();
  }
  return 0;
}
