// The projector's serial line in the panel image: the divisor of the panel's USART, clocked
// at 20 MHz, for a baud word, and the rate that divisor really gives. Exact decimal
// arithmetic; every rounding is half to even.
#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>

#include "common/decimal.h"
#include "common/memory_image.h"
#include "common/vb_error.h"
#include "panel/panel_settings.h"

namespace {

const Decimal kOscillatorHz(20000000);
// The USART divides the clock by 16 with BRGH set, by 64 without.
constexpr int64_t kFastFactor = 16;
constexpr int64_t kSlowFactor = 64;
constexpr int64_t kLargestDivisor = 255;

Decimal factor(bool brgh) { return Decimal(brgh ? kFastFactor : kSlowFactor); }

// The leading digits of a baud word as a number; none when it does not start with a digit or
// is too long to hold.
std::optional<Decimal> leadingDigits(const std::string& word) {
  size_t end = 0;
  while (end < word.size() && word[end] >= '0' && word[end] <= '9') ++end;
  if (end == 0) return std::nullopt;
  return Decimal::parse(std::string_view(word).substr(0, end));
}

}  // namespace

int32_t PanelSettingsV2::actualBaudRate(int16_t divisor, bool brgh) {
  const Decimal clocksPerBit = factor(brgh) * Decimal(int64_t(divisor) + 1);
  if (clocksPerBit.isZero()) return 0;  // a divisor of -1 gives no rate
  return (kOscillatorHz / clocksPerBit).toInt32();
}

int16_t PanelSettingsV2::computeBaudDivisor(memBlockCls& image, const std::string& baudWord,
                                            bool brgh) {
  std::optional<Decimal> baud = leadingDigits(baudWord);
  try {
    if (baud && !baud->isZero()) {
      const Decimal clocksPerBit = *baud * factor(brgh);
      // Rounded before it is limited, so no rate overflows the 16-bit divisor.
      const int64_t nearest = ((kOscillatorHz - clocksPerBit) / clocksPerBit).toInt64();
      const int16_t divisor = int16_t(std::min(nearest, kLargestDivisor));
      const int32_t actual = actualBaudRate(divisor, brgh);
      const Decimal error = (*baud - Decimal(actual)) / *baud * Decimal(100);
      image.memDebug(memDbgInfo, "           baud requested=" + baudWord + " with BRGH=" +
                                     (brgh ? "1" : "0") + " is actually " +
                                     std::to_string(actual) + " err=" + error.toFixed(2) + "%");
      return divisor;
    }
  } catch (const VbError&) {
    // A rate too large for the arithmetic is no rate the line can run at either.
  }
  image.memDebug(memDbgError, "Program Error - baud rate '" + baudWord + "' is not a number");
  return 0;
}
