#include "common/decimal.h"

#include <gtest/gtest.h>

#include "common/vb_error.h"

namespace {

Decimal D(const char* text) { return *Decimal::parse(text); }

TEST(Decimal, DividesExactlyAndRoundsHalvesToEven) {
  EXPECT_EQ(D("2.5"), D("128") / D("51.2"));
  // 7 % of a 150-tick period is exactly 10.5: rounds to 10 (binary floating point gives 11).
  Decimal ticks = D("150") * D("7") / D("100");
  EXPECT_EQ("10.5", ticks.toString());
  std::pair<Decimal, int64_t> rounded[] = {
      {D("128") / D("51.2"), 2}, {D("179.2") / D("51.2"), 4}, {ticks, 10},
      {D("-2.5"), -2},           {D("-3.5"), -4},             {D("2.5000001"), 3},
      {D("-9223372036854775808.4"), INT64_MIN},
  };
  for (const auto& [value, integer] : rounded) EXPECT_EQ(integer, value.toInt64()) << value.toString();
}

// Where a quotient or a product has more digits than a decimal holds, the digits dropped round
// it half to even: a tie goes to the even neighbour.
TEST(Decimal, DroppedDigitsRoundHalvesToEven) {
  const struct {
    const char* a;
    char op;
    const char* b;
    const char* result;
  } cases[] = {
      {"79228162514264337593543950335", '/', "2", "39614081257132168796771975168"},  // ...67.5: odd, up
      {"79228162514264337593543950333", '/', "2", "39614081257132168796771975166"},  // ...66.5: even, kept
      {"1", '/', "20000000000000000000000000000", "0"},                              // 28 zeros, then 5
      {"3", '/', "20000000000000000000000000000", "0.0000000000000000000000000002"},  // 1.5E-28
      {"0.00000000000001", '*', "0.000000000000005", "0"},                           // 5E-29
      {"0.00000000000001", '*', "0.000000000000015", "0.0000000000000000000000000002"},  // 15E-29
      {"0.00000000000001", '*', "0.000000000000025", "0.0000000000000000000000000002"},  // 25E-29
  };
  for (const auto& c : cases) {
    const Decimal result = c.op == '/' ? D(c.a) / D(c.b) : D(c.a) * D(c.b);
    EXPECT_EQ(result.toString(), c.result) << c.a << " " << c.op << " " << c.b;
  }
}

TEST(Decimal, ArithmeticIsExactAndComparesAcrossScales) {
  EXPECT_EQ("103219.2", (D("51.2") * D("32") * D("63")).toString());
  EXPECT_EQ("0.3", (D("0.1") + D("0.2")).toString());
  EXPECT_EQ("-0.1", (D("0.1") - D("0.2")).toString());
  EXPECT_EQ("7200000000", (Decimal(1000000) * Decimal(60) * Decimal(120)).toString());
  EXPECT_EQ("0.3333333333333333333333333333", (Decimal(1) / Decimal(3)).toString());
  EXPECT_EQ("0.6666666666666666666666666667", (Decimal(2) / Decimal(3)).toString());
  EXPECT_EQ("200", (Decimal(2) / D("0.01")).toString());
  EXPECT_EQ(D("1.50"), D("1.5"));
  EXPECT_LT(D("-3"), D("-2.99"));
  EXPECT_GT(D("3600000000.1"), D("3600000000"));
  EXPECT_EQ(D("-0"), Decimal(0));
}

TEST(Decimal, TextForms) {
  EXPECT_EQ("1.5", D("1.500").toString());
  EXPECT_EQ("0", D("-0.000").toString());
  std::pair<const char*, const char*> oneDecimal[] = {
      {"-2.34", "-2.3"}, {"-0.04", "0.0"}, {"0.25", "0.2"}, {"0.35", "0.4"}, {"45.3", "45.3"}};
  for (const auto& [value, text] : oneDecimal) EXPECT_EQ(text, D(value).toFixed(1)) << value;
  EXPECT_EQ("12.00", Decimal(12).toFixed(2));
  EXPECT_EQ("1.2346", D("1.23455").roundHalfEven(4).toString());
  EXPECT_EQ("1.2346", D("1.23465").roundHalfEven(4).toString());
  for (const char* malformed : {"1e5", "1.2.3", "", ".", "79228162514264337593543950336"})
    EXPECT_FALSE(Decimal::parse(malformed)) << malformed;
  EXPECT_EQ("51.2", Decimal::fromDouble(51.2).toString());
  EXPECT_EQ("29000", Decimal::fromDouble(29000.0).toString());
}

TEST(Decimal, OverflowIsAnError) {
  Decimal big = *Decimal::parse("79228162514264337593543950335");  // 2^96 - 1
  EXPECT_THROW(big + Decimal(1), VbError);
  EXPECT_THROW(big * Decimal(2), VbError);
  EXPECT_THROW(D("32767.5").toInt16(), VbError);
  EXPECT_EQ(32767, D("32766.5").toInt16() + 1);  // 32766.5 rounds to the even 32766
  EXPECT_THROW(Decimal(1) / Decimal(0), VbError);
}

}  // namespace
