#include "common/time_codes.h"

#include <gtest/gtest.h>

#include "common/vb_error.h"

namespace {

using namespace VXCommon;

Decimal D(const char* text) { return *Decimal::parse(text); }

template <class F>
void expectOverflow(F f, const std::string& what) {
  try {
    f();
    ADD_FAILURE() << what << " did not overflow";
  } catch (const VbError& e) {
    EXPECT_EQ(VbError::kOverflow, e.number()) << what;
  }
}

TEST(ParseNumber, BasesRefusalsAndOverflow) {
  struct Case {
    const char* text;
    bool valid;
    int32_t value;
  } cases[] = {
      {"$1f", true, 31}, {"$1F", true, 31}, {"%101", true, 5}, {"42", true, 42},
      {"2147483647", true, 2147483647}, {"$7FFFFFFF", true, 2147483647},
      {"12a", false, 0}, {"$", false, 0}, {"%", false, 0}, {"-5", false, 0}, {"", false, 0},
      {"%102", false, 0}, {"$1G", false, 0}, {" 5", false, 0}, {"1.5", false, 0},
  };
  for (const Case& c : cases) {
    int32_t value = -1;
    EXPECT_EQ(c.valid, parseNumber(c.text, value)) << c.text;
    if (c.valid) {
      EXPECT_EQ(c.value, value) << c.text;
    }
  }
  const std::string tooLarge[] = {"$FFFFFFFF", "2147483648", "99999999999x", "%1" + std::string(32, '0')};
  for (const std::string& text : tooLarge) {
    int32_t value = 0;
    expectOverflow([&] { parseNumber(text, value); }, text);
  }
}

TEST(DecToVar, StopsOnceTheValueReaches256) {
  struct Case {
    const char* text;
    std::optional<int16_t> value;
  } cases[] = {
      {"255", 255}, {"256", 256}, {"2560000", 256}, {"300x", 300}, {"99999", 999}, {"007", 7},
      {"2a5", std::nullopt}, {"", std::nullopt}, {"-1", std::nullopt}, {"25 ", std::nullopt},
  };
  for (const Case& c : cases) EXPECT_EQ(c.value, decToVar(c.text)) << c.text;
}

TEST(ParseTimeValue, UnitsDirectionsAndRefusals) {
  struct Case {
    const char* text;
    bool withDirection;
    std::optional<const char*> microseconds;
  } cases[] = {
      {"1.5s", false, "1500000"}, {"2M", false, "120000000"}, {"2m", false, "2000"},
      {"3H", false, "10800000000"}, {"0.0512m", false, "51.2"}, {".5m", false, "500"},
      {"r10u", true, "-10"}, {"d2m", true, "-2000"}, {"R10u", true, "10"}, {"D1.5s", true, "1500000"},
      {"10u", true, std::nullopt}, {"5x", false, std::nullopt}, {"u", false, std::nullopt},
      {"Ru", true, std::nullopt}, {"5U", false, std::nullopt}, {"1.2.3s", false, std::nullopt},
      {".s", false, std::nullopt}, {"-5u", false, std::nullopt}, {"1e3u", false, std::nullopt},
      {"99999999999999999999999999999999u", false, std::nullopt},
      {"99999999999999999999H", false, std::nullopt},
  };
  for (const Case& c : cases) {
    std::optional<Decimal> want;
    if (c.microseconds) want = D(*c.microseconds);
    EXPECT_EQ(want, parseTimeValue(c.text, c.withDirection)) << c.text;
  }
}

TEST(FormatMicroseconds, LargestUnitExceededAndExactDigits) {
  struct Case {
    const char* microseconds;
    const char* text;
  } cases[] = {
      {"-1500", "1.5m"}, {"3600000001", "1H"}, {"90000000", "1.5M"}, {"103219.2", "103.2192m"},
      {"250", "250u"}, {"2000000", "2s"}, {"1000000", "1000m"}, {"1000", "1000u"},
      {"60000000", "60s"}, {"3600000000", "60M"}, {"0", "0u"}, {"1000001", "1.000001s"},
      // Minutes and hours keep 4 decimals, halves going to even.
      {"60003000", "1M"}, {"60009000", "1.0002M"}, {"3600180000", "1H"}, {"3600540000", "1.0002H"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(c.text, formatMicroseconds(D(c.microseconds))) << c.microseconds;
  }
  for (const char* t : {"51.2", "1000.5", "103219.2", "1500000.25", "59999999.9", "60000000"}) {
    EXPECT_EQ(std::optional<Decimal>(D(t)), parseTimeValue(formatMicroseconds(D(t)), false)) << t;
  }
}

TEST(DelayBytesAndUnits, ExactTimesAndCounts) {
  struct ByteCase {
    int16_t byte;
    const char* microseconds;
  } bytes[] = {{0xFF, "103219.2"}, {0xC1, "1638.4"}, {0x41, "102.4"}, {0x3F, "3225.6"},
               {0x80, "0"}, {0xBF, "12902.4"}, {0x1DD, "47513.6"}};
  for (const ByteCase& c : bytes) EXPECT_EQ(D(c.microseconds), decodeDelay(c.byte)) << c.byte;

  struct UnitCase {
    const char* microseconds;
    const char* step;
    int16_t count;
  } units[] = {{"128", "51.2", 2}, {"179.2", "51.2", 4}, {"72500", "29000", 2},
               {"72500.1", "29000", 3}, {"-128", "51.2", -2}, {"950243000", "29000", 32767}};
  for (const UnitCase& c : units) {
    EXPECT_EQ(c.count, toUnits(D(c.microseconds), D(c.step))) << c.microseconds;
    EXPECT_EQ(D(c.step) * Decimal(c.count), fromUnits(c.count, D(c.step)));
  }
  expectOverflow([] { toUnits(D("950272000"), D("29000")); }, "32768 steps");
}

}  // namespace
