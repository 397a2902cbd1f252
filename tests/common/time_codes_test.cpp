#include "common/time_codes.h"

#include <gtest/gtest.h>

#include <functional>

#include "common/vb_error.h"

namespace {

using namespace VXCommon;

Decimal D(const char* text) { return *Decimal::parse(text); }

void expectOverflow(const std::function<void()>& f, const std::string& what) {
  try {
    f();
    ADD_FAILURE() << what << " did not overflow";
  } catch (const VbError& e) {
    EXPECT_EQ(VbError::kOverflow, e.number()) << what;
  }
}

TEST(ParseNumber, BasesRefusalsAndOverflow) {
  std::pair<const char*, std::optional<int32_t>> cases[] = {
      {"$1f", 31}, {"$1F", 31}, {"%101", 5}, {"42", 42}, {"2147483647", 2147483647}, {"$7FFFFFFF", 2147483647},
      {"12a", {}}, {"$", {}},   {"-5", {}},  {"", {}},   {"%102", {}},               {"$1G", {}},
  };
  for (const auto& [text, expected] : cases) {
    int32_t value = -1;
    const bool valid = parseNumber(text, value);
    EXPECT_EQ(expected, valid ? std::optional<int32_t>(value) : std::nullopt) << text;
  }
  for (const std::string& text : {std::string("$FFFFFFFF"), std::string("2147483648"), std::string("99999999999x"),
                                  "%1" + std::string(32, '0')}) {
    int32_t value = 0;
    expectOverflow([&] { parseNumber(text, value); }, text);
  }
}

TEST(DecToVar, StopsOnceTheValueReaches256) {
  std::pair<const char*, std::optional<int16_t>> cases[] = {
      {"256", 256}, {"2560000", 256}, {"300x", 300}, {"99999", 999}, {"2a5", {}}, {"", {}}};
  for (const auto& [text, value] : cases) EXPECT_EQ(value, decToVar(text)) << text;
}

TEST(ParseTimeValue, UnitsDirectionsAndRefusals) {
  struct Case { const char* text; bool withDirection; const char* microseconds; } cases[] = {
      {"1.5s", false, "1500000"}, {"2M", false, "120000000"}, {"2m", false, "2000"}, {"3H", false, "10800000000"},
      {"0.0512m", false, "51.2"}, {".5m", false, "500"},      {"r10u", true, "-10"}, {"d2m", true, "-2000"},
      {"R10u", true, "10"},       {"D1.5s", true, "1500000"},
      // Refused: "" for no value.
      {"10u", true, ""},    {"5x", false, ""}, {"u", false, ""},   {"5U", false, ""},  {"1.2.3s", false, ""},
      {".s", false, ""},    {"1e3u", false, ""}, {"99999999999999999999999999999999u", false, ""},
      {"99999999999999999999H", false, ""},
  };
  for (const Case& c : cases) {
    std::optional<Decimal> want;
    if (*c.microseconds) want = D(c.microseconds);
    EXPECT_EQ(want, parseTimeValue(c.text, c.withDirection)) << c.text;
  }
}

TEST(FormatMicroseconds, LargestUnitExceededAndExactDigits) {
  std::pair<const char*, const char*> cases[] = {
      {"-1500", "1.5m"},  {"90000000", "1.5M"}, {"103219.2", "103.2192m"}, {"1000000", "1000m"}, {"1000", "1000u"},
      {"60000000", "60s"}, {"3600000000", "60M"}, {"0", "0u"},             {"1000001", "1.000001s"},
      // Minutes and hours keep 4 decimals, halves going to even.
      {"60003000", "1M"}, {"60009000", "1.0002M"}, {"3600180000", "1H"}, {"3600540000", "1.0002H"},
  };
  for (const auto& [microseconds, text] : cases) EXPECT_EQ(text, formatMicroseconds(D(microseconds))) << microseconds;
  for (const char* t : {"51.2", "1000.5", "1500000.25", "59999999.9"})
    EXPECT_EQ(std::optional<Decimal>(D(t)), parseTimeValue(formatMicroseconds(D(t)), false)) << t;
}

TEST(DelayBytesAndUnits, ExactTimesAndCounts) {
  std::pair<int16_t, const char*> bytes[] = {
      {0x3F, "3225.6"}, {0x41, "102.4"}, {0xBF, "12902.4"}, {0xC1, "1638.4"}, {0x1DD, "47513.6"}};
  for (const auto& [byte, microseconds] : bytes) EXPECT_EQ(D(microseconds), decodeDelay(byte)) << byte;

  struct UnitCase { const char *microseconds, *step; int16_t count; } units[] = {
      {"128", "51.2", 2}, {"179.2", "51.2", 4}, {"72500.1", "29000", 3}, {"-128", "51.2", -2},
      {"950243000", "29000", 32767}};
  for (const UnitCase& c : units) {
    EXPECT_EQ(c.count, toUnits(D(c.microseconds), D(c.step))) << c.microseconds;
    EXPECT_EQ(D(c.step) * Decimal(c.count), fromUnits(c.count, D(c.step)));
  }
  expectOverflow([] { toUnits(D("950272000"), D("29000")); }, "32768 steps");
}

}  // namespace
