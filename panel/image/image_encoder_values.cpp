// Panel image grammars of single values: constants, bytes, bits and flag bits, times as tick
// counts, the IR carrier's duty cycle and the projector's serial line. Exact decimal
// arithmetic; every rounding is half to even.
#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "common/list_helpers.h"
#include "common/time_codes.h"
#include "panel/image/image_encoder.h"
#include "panel/model/room_slot_values.h"
#include "panel/model/time_ticks.h"

namespace {

const Decimal kFastBaud(9600);
// Firmware before 0.88 runs 9600 and 19200 baud with the slow clock divider.
constexpr int16_t kFirstFastFirmwareMinor = 88;

int16_t within16(int32_t value) {
  return int16_t(std::clamp<int32_t>(value, INT16_MIN, INT16_MAX));
}

bool isOneOf(const std::string& text, const std::vector<std::string>& words) {
  return VXCommon::findInArrayCI(words, text) > 0;
}

// The number that a baud word starts with; none without leading digits.
std::optional<Decimal> leadingNumber(const std::string& word) {
  size_t end = 0;
  while (end < word.size() && word[end] >= '0' && word[end] <= '9') ++end;
  if (end == 0) return std::nullopt;
  return Decimal::parse(std::string_view(word).substr(0, end));
}

}  // namespace

// ---- Values of the rule's keyword.

Variant PanelSettingsV2::ImageEncoder::value(int16_t n) const {
  return values_ ? values_->ItemVal(n) : Variant();
}

void PanelSettingsV2::ImageEncoder::logNoValue(int16_t row) {
  const std::string keyword =
      row >= 1 && row <= kKeywordCount ? owner_.keywordTable(row).keyword : std::to_string(row);
  owe(0);  // the line names the keyword, which has no value to show
  image_.memDebug(memDbgError, "Program Error - no value for '" + keyword + "'");
}

bool PanelSettingsV2::ImageEncoder::haveValues() {
  if (values_) return true;
  logNoValue(rule_->memoryValIndex);
  return false;
}

std::optional<Decimal> PanelSettingsV2::ImageEncoder::numberIn(int16_t row) {
  if (row >= 1 && row <= kKeywordCount) {
    if (const KeyValuePtr& slot = owner_.kv(row)) {
      const Variant first = slot->ItemVal(1);
      if (first.isEmpty()) return Decimal(0);
      if (std::optional<Decimal> number = RoomSlotValues::asDecimal(first)) return number;
    }
  }
  logNoValue(row);
  return std::nullopt;
}

int16_t PanelSettingsV2::ImageEncoder::nearest16(const Decimal& value) {
  const Decimal rounded = value.roundHalfEven(0);
  if (rounded > Decimal(INT16_MAX)) return INT16_MAX;
  if (rounded < Decimal(INT16_MIN)) return INT16_MIN;
  return rounded.toInt16();
}

int16_t PanelSettingsV2::ImageEncoder::ticksIn(const Decimal& time, const Decimal& tick) {
  // A count past 16 bits is held at the limit all the same; dividing a time that far past it
  // by a tick below one could pass the decimal's range.
  if (time.abs() >= tick * Decimal(INT16_MAX + 1)) return time.isNegative() ? INT16_MIN : INT16_MAX;
  return nearest16(time / tick);
}

// ---- Constants, bytes and bits.

void PanelSettingsV2::ImageEncoder::encodeConstByte() {
  image_.pokeByte(within16(rule_->memoryPokeVal), rule_->memoryStartAddress,
                  rule_->memLowBound);
}

void PanelSettingsV2::ImageEncoder::encodeConstWord() {
  image_.pokeAddressBEndian(rule_->memoryPokeVal, rule_->memoryStartAddress);
}

void PanelSettingsV2::ImageEncoder::encodeByte() {
  std::optional<Decimal> number = numberIn(rule_->memoryValIndex);
  if (!number) return;
  pokeCount(nearest16(*number), rule_->memoryStartAddress, Decimal(1));
}

void PanelSettingsV2::ImageEncoder::encodeBit(bool inverted) {
  if (!haveValues()) return;
  const bool set = RoomSlotValues::asBool(value(1));
  image_.pokeBit(inverted ? !set : set, rule_->memoryBitNum, rule_->memoryStartAddress);
}

void PanelSettingsV2::ImageEncoder::encodeSetBit() {
  image_.pokeBit(true, rule_->memoryBitNum, rule_->memoryStartAddress);
}

void PanelSettingsV2::ImageEncoder::encodeFlagBit(bool negated) {
  const std::string& flag = rule_->memoryGrammarFlagTest;
  image_.memDebug(memDbgInfo, std::string(negated ? "            NOT val='" : "            val='") +
                                  flag + "'");
  const bool found = flagExists(flag, values_);
  image_.pokeBit(negated ? !found : found, rule_->memoryBitNum, rule_->memoryStartAddress);
}

// ---- Times and the carrier.

void PanelSettingsV2::ImageEncoder::encodeTime(const Decimal& tick) {
  std::optional<Decimal> requested = numberIn(rule_->memoryValIndex);
  if (!requested) return;
  const int16_t count = std::max(ticksIn(*requested, tick), rule_->memLowBound);
  image_.memDebug(memDbgInfo, "            requested Time=" +
                                  VXCommon::formatMicroseconds(*requested) + " coerced by to=" +
                                  VXCommon::formatMicroseconds(VXCommon::fromUnits(count, tick)));
  pokeCount(count, rule_->memoryStartAddress, tick);
}

void PanelSettingsV2::ImageEncoder::encodeDutyCycle() {
  std::optional<Decimal> percent = numberIn(rule_->memoryValIndex);
  std::optional<Decimal> carrier = numberIn(kwCarrierPeriod);
  if (!percent || !carrier) return;
  const int16_t period = ticksIn(*carrier, TimeTicks::carrierStep());
  // A percent of the period's ticks: one tick is 100 / period percent.
  pokeCount(nearest16(*percent / Decimal(100) * Decimal(period)), rule_->memoryStartAddress,
            Decimal(100), Decimal(std::max<int16_t>(period, 1)));
}

// ---- Serial line: the divisor byte after the address, configuration bits 0-5 at it.

void PanelSettingsV2::ImageEncoder::encodeBaud() {
  if (!haveValues()) return;
  using RoomSlotValues::asText;
  const std::string baudWord = asText(value(1)), dataBits = asText(value(2));
  const std::string parity = asText(value(3)), stopBits = asText(value(4));

  const std::optional<Decimal> baud = leadingNumber(baudWord);
  bool brgh = baud && *baud >= kFastBaud;
  if (fwMajor_ == 0 && fwMinor_ < kFirstFastFirmwareMinor &&
      (baudWord == "19200" || baudWord == "9600"))
    brgh = false;
  const int16_t divisor = computeBaudDivisor(image_, baudWord, brgh);

  const int32_t at = rule_->memoryStartAddress;
  image_.pokeByte(divisor, at + 1, rule_->memLowBound);
  image_.pokeBit(brgh, 0, at);
  image_.pokeBit(isOneOf(dataBits, {"7"}), 1, at);
  image_.pokeBit(isOneOf(stopBits, {"2"}), 2, at);
  image_.pokeBit(!isOneOf(parity, {"N"}), 3, at);
  image_.pokeBit(isOneOf(parity, {"E", "O"}), 4, at);
  image_.pokeBit(isOneOf(parity, {"E", "M"}), 5, at);
}
