#include "panel/model/time_ticks.h"

#include "panel/model/memory_grammar.h"

namespace TimeTicks {

Decimal carrierStep() { return Decimal::fromParts(false, 2, 1); }

std::optional<Decimal> ofGrammar(int16_t grammar) {
  switch (grammar) {
    case gramTimeTick200ns: return carrierStep();
    case gramTimeTick120s: return Decimal(k120s);
    case gramTimeTick470ms: return Decimal(k470ms);
    case gramTimeTick1880ms: return Decimal(k1880ms);
    case gramTimeTick29ms: return Decimal(k29ms);
    default: return std::nullopt;
  }
}

}  // namespace TimeTicks
