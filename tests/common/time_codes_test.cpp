#include "common/time_codes.h"

#include <gtest/gtest.h>

#include "common/vb_error.h"

namespace {

using VXCommon::decodeDelay;
using VXCommon::decToVar;
using VXCommon::formatMicroseconds;
using VXCommon::fromUnits;
using VXCommon::parseNumber;
using VXCommon::parseTimeValue;
using VXCommon::toUnits;

Decimal D(const char* text) { return *Decimal::parse(text); }

TEST(ParseNumber, BasesAndRefusals) {
  struct Case {
    const char* text;
    bool valid;
    int32_t value;
  } cases[] = {
      {"$1f", true, 31},          {"$1F", true, 31},        {"%101", true, 5},
      {"0", true, 0},             {"42", true, 42},         {"2147483647", true, 2147483647},
      {"$7FFFFFFF", true, 2147483647},                      {"%0", true, 0},
      {"12a", false, 0},          {"$", false, 0},          {"%", false, 0},
      {"-5", false, 0},           {"", false, 0},           {"%102", false, 0},
      {"$1G", false, 0},          {" 5", false, 0},         {"1.5", false, 0},
      {"$-1", false, 0},          {"0x10", false, 0},
  };
  for (const Case& c : cases) {
    int32_t value = -1;
    EXPECT_EQ(c.valid, parseNumber(c.text, value)) << c.text;
    if (c.valid) {
      EXPECT_EQ(c.value, value) << c.text;
    }
  }
}

TEST(ParseNumber, BeyondThe32BitRangeRaisesOverflow) {
  for (const char* text : {"$FFFFFFFF", "2147483648", "$80000000", "99999999999x",
                           "%100000000000000000000000000000000"}) {
    int32_t value = 0;
    try {
      parseNumber(text, value);
      ADD_FAILURE() << text << " did not overflow";
    } catch (const VbError& e) {
      EXPECT_EQ(VbError::kOverflow, e.number()) << text;
    }
  }
}

TEST(DecToVar, StopsOnceTheValueReaches256) {
  struct Case {
    const char* text;
    std::optional<int16_t> value;
  } cases[] = {
      {"255", 255},   {"256", 256},  {"2560000", 256}, {"300x", 300}, {"99999", 999},
      {"0", 0},       {"007", 7},    {"2a5", std::nullopt},           {"", std::nullopt},
      {"-1", std::nullopt},          {"25 ", std::nullopt},
  };
  for (const Case& c : cases) EXPECT_EQ(c.value, decToVar(c.text)) << c.text;
}

TEST(ParseTimeValue, UnitsDirectionsAndRefusals) {
  struct Case {
    const char* text;
    bool withDirection;
    std::optional<const char*> microseconds;
  } cases[] = {
      {"1.5s", false, "1500000"},
      {"2M", false, "120000000"},
      {"2m", false, "2000"},
      {"3H", false, "10800000000"},
      {"250u", false, "250"},
      {"0.0512m", false, "51.2"},
      {".5m", false, "500"},
      {"7.u", false, "7"},
      {"r10u", true, "-10"},
      {"d2m", true, "-2000"},
      {"R10u", true, "10"},
      {"D1.5s", true, "1500000"},
      {"10u", true, std::nullopt},
      {"5x", false, std::nullopt},
      {"u", false, std::nullopt},
      {"Ru", true, std::nullopt},
      {"5U", false, std::nullopt},
      {"5h", false, std::nullopt},
      {"1.2.3s", false, std::nullopt},
      {".s", false, std::nullopt},
      {"-5u", false, std::nullopt},
      {"1e3u", false, std::nullopt},
      {"1,000u", false, std::nullopt},
      {" 5u", false, std::nullopt},
      {"R 5u", true, std::nullopt},
      {"99999999999999999999999999999999u", false, std::nullopt},
      {"99999999999999999999H", false, std::nullopt},
  };
  for (const Case& c : cases) {
    std::optional<Decimal> got = parseTimeValue(c.text, c.withDirection);
    if (!c.microseconds) {
      EXPECT_FALSE(got) << c.text;
    } else {
      EXPECT_EQ(std::optional<Decimal>(D(*c.microseconds)), got) << c.text;
    }
  }
}

TEST(FormatMicroseconds, LargestUnitExceededAndExactDigits) {
  struct Case {
    const char* microseconds;
    const char* text;
  } cases[] = {
      {"-1500", "1.5m"},
      {"3600000001", "1H"},
      {"90000000", "1.5M"},
      {"1500000", "1.5s"},
      {"103219.2", "103.2192m"},
      {"250", "250u"},
      {"2000000", "2s"},
      {"1000000", "1000m"},
      {"1000", "1000u"},
      {"60000000", "60s"},
      {"3600000000", "60M"},
      {"0", "0u"},
      {"51.2", "51.2u"},
      {"1000001", "1.000001s"},
      // Minutes and hours keep 4 decimals, halves going to even.
      {"60003000", "1M"},
      {"60009000", "1.0002M"},
      {"3600180000", "1H"},
      {"3600540000", "1.0002H"},
      {"61234567", "1.0206M"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(c.text, formatMicroseconds(D(c.microseconds))) << c.microseconds;
  }
}

TEST(FormatMicroseconds, ReadsBackExactlyUpToOneMinute) {
  for (const char* t : {"1", "51.2", "999.9", "1000", "1000.5", "3225.6", "103219.2",
                        "1000000", "1500000.25", "59999999.9", "60000000"}) {
    std::string text = formatMicroseconds(D(t));
    std::optional<Decimal> back = parseTimeValue(text, false);
    ASSERT_TRUE(back) << text;
    EXPECT_EQ(D(t), *back) << text;
  }
}

TEST(DecodeDelay, RangesAndCounts) {
  struct Case {
    int16_t byte;
    const char* microseconds;
  } cases[] = {
      {0xFF, "103219.2"}, {0xC1, "1638.4"}, {0x41, "102.4"}, {0x02, "102.4"},
      {0x3F, "3225.6"},   {0x60, "3276.8"}, {0x00, "0"},     {0x80, "0"},
      {0xBF, "12902.4"},  {0xDD, "47513.6"},
      {0x1FF, "103219.2"},  // only the low 8 bits count
  };
  for (const Case& c : cases) EXPECT_EQ(D(c.microseconds), decodeDelay(c.byte)) << c.byte;
}

TEST(Units, RoundHalfToEvenAndExactSteps) {
  struct Case {
    const char* microseconds;
    const char* step;
    int16_t count;
  } cases[] = {
      {"128", "51.2", 2},       {"179.2", "51.2", 4},     {"43500", "29000", 2},
      {"72500", "29000", 2},    {"72500.1", "29000", 3},  {"-128", "51.2", -2},
      {"0", "29000", 0},        {"950234600", "29000", 32767},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(c.count, toUnits(D(c.microseconds), D(c.step))) << c.microseconds;
  }
  EXPECT_EQ(D("102.4"), fromUnits(2, D("51.2")));
  EXPECT_EQ(D("-58000"), fromUnits(-2, D("29000")));
  EXPECT_EQ(D("950243000"), fromUnits(32767, D("29000")));
}

TEST(Units, CountBeyond16BitsRaisesOverflow) {
  try {
    toUnits(D("950272000"), D("29000"));  // 32768 steps
    ADD_FAILURE() << "no overflow";
  } catch (const VbError& e) {
    EXPECT_EQ(VbError::kOverflow, e.number());
  }
}

}  // namespace
