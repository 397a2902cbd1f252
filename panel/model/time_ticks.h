// The panel's time units. Every time the image holds is a whole count of one of them; the
// settings hold times in microseconds, so the ticks are given in microseconds.
#pragma once

#include <cstdint>
#include <optional>

#include "common/decimal.h"

namespace TimeTicks {

constexpr int64_t k29ms = 29000;  // I/O down time, and the RS232 pause step (ESC L n, delay bytes)
constexpr int64_t k470ms = 470000;
constexpr int64_t k1880ms = 1880000;
constexpr int64_t k120s = 120000000;
// The IR carrier's period step, 0.2 microseconds.
Decimal carrierStep();

// The tick of a time grammar (the gramTimeTick encodings); none for any other grammar.
std::optional<Decimal> ofGrammar(int16_t grammar);

}  // namespace TimeTicks
