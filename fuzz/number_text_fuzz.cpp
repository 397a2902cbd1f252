// The number and time text readers on arbitrary text, and the delay encoder on every time that
// reads. Every call must return (a number beyond 32 bits may raise the overflow error, and a
// time beyond 16-bit steps too; nothing else may escape). Where a value reads, its own text
// reads back to it: decimal and hex numbers exactly, times up to one minute exactly and longer
// ones within half a unit of the fourth decimal of their unit. A delay code is a run of 0xFF
// bytes and one last byte, never longer than the code table takes.
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>

#include "common/hex_text.h"
#include "common/memory_image.h"
#include "common/number_helpers.h"
#include "common/time_codes.h"
#include "common/vb_error.h"

namespace {

void require(bool holds) {
  if (!holds) std::abort();
}

void numbers(const std::string& text) {
  int32_t value = 0;
  bool reads = false;
  try {
    reads = VXCommon::parseNumber(text, value);
  } catch (const VbError& e) {
    require(e.number() == VbError::kOverflow);
  }
  if (reads) {
    int32_t again = -1;
    require(VXCommon::parseNumber(std::to_string(value), again) && again == value);
    require(VXCommon::parseNumber("$" + VXCommon::hex4Str(value), again) && again == value);
  }

  if (std::optional<int16_t> small = VXCommon::decToVar(text))
    require(VXCommon::decToVar(std::to_string(*small)) == small);
  for (int16_t digits : {2, 4, 8}) {
    if (std::optional<int16_t> hex = VXCommon::hexToVar(text, digits))
      require(*hex >= 0 && VXCommon::hexToVar(VXCommon::hex2Str(*hex), 4) == hex);
  }
  if (std::optional<int16_t> byte = VXCommon::parseDollarHex(text))
    require(VXCommon::parseDollarHex("$" + VXCommon::hex2Str(*byte)) == byte);
  require(VXCommon::hexToInt(text) >= 0);
  VXCommon::isNumInRange(text, -100, 100);
}

void times(const std::string& text, bool withDirection) {
  std::optional<Decimal> time = VXCommon::parseTimeValue(text, withDirection);
  if (!time) return;
  const Decimal magnitude = time->abs();
  const std::string written = VXCommon::formatMicroseconds(*time);
  std::optional<Decimal> again = VXCommon::parseTimeValue(written, false);
  require(again.has_value());
  const char unit = written.back();
  const Decimal slack = unit == 'H' ? Decimal(180000) : unit == 'M' ? Decimal(3000) : Decimal(0);
  require((*again - magnitude).abs() <= slack);

  memBlockCls log;
  log.Clear(64, 0);
  const std::string code = VXCommon::encodeDelay(log, magnitude);
  require(code.size() <= VXCommon::kMaxDelayCodeLength + 1);
  for (size_t at = 0; at + 1 < code.size(); ++at) require(static_cast<unsigned char>(code[at]) == 0xFF);

  const Decimal step(29000);
  try {
    const int16_t steps = VXCommon::toUnits(magnitude, step);
    require(VXCommon::toUnits(VXCommon::fromUnits(steps, step), step) == steps);
  } catch (const VbError& e) {
    require(e.number() == VbError::kOverflow);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  numbers(text);
  times(text, false);
  times(text, true);
  return 0;
}
