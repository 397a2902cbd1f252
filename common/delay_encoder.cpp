// Encoding times as panel delay codes, with one log line per byte in the image's debug log.
#include "common/memory_image.h"
#include "common/time_codes.h"

namespace VXCommon {

namespace {

const Decimal kStep = *Decimal::parse("51.2");
constexpr int kMaxCount = 63;

struct DelayByte {
  int16_t byte;
  Decimal coerced;
};

// The smallest range whose rounded count fits 6 bits; beyond the largest, the count is 63.
DelayByte chooseDelayByte(const Decimal& requested) {
  static const int kMultiplier[4] = {1, 2, 4, 32};
  const Decimal steps = requested / kStep;
  int range = 0;
  Decimal count = steps.roundHalfEven(0);
  while (count > Decimal(kMaxCount) && range < 3) {
    ++range;
    count = (steps / Decimal(kMultiplier[range])).roundHalfEven(0);
  }
  if (count > Decimal(kMaxCount)) count = Decimal(kMaxCount);
  int16_t byte = static_cast<int16_t>(range * 64 + (count.toInt16() & kMaxCount));
  return {byte, decodeDelay(byte)};
}

// The error of the coerced time in percent; a byte of time 0 has no error to show.
std::string errorPercent(const Decimal& requested, const Decimal& coerced) {
  if (coerced.isZero()) return "0.0";
  return (requested / coerced * Decimal(100) - Decimal(100)).toFixed(1);
}

void logDelayByte(memBlockCls& mem, const Decimal& requested, const Decimal& coerced) {
  mem.memDebug(memDbgInfo, "          delay requested=" + formatMicroseconds(requested) +
                               " coerced=" + formatMicroseconds(coerced) +
                               " err=" + errorPercent(requested, coerced) + "%");
}

}  // namespace

std::string encodeDelay(memBlockCls& mem, const Decimal& requested) {
  std::string code;
  Decimal remaining = requested.abs();
  for (;;) {
    DelayByte next = chooseDelayByte(remaining);
    // A remainder of half a step or less adds nothing to a chain.
    if (next.byte == 0 && !code.empty()) break;
    logDelayByte(mem, remaining, next.coerced);
    code += static_cast<char>(next.byte);
    if (code.size() > kMaxDelayCodeLength) {
      mem.memDebug(memDbgError, "Delay too long to encode");
      break;
    }
    if (next.byte != 0xFF || remaining <= next.coerced) break;
    remaining -= next.coerced;
  }
  return code;
}

}  // namespace VXCommon
