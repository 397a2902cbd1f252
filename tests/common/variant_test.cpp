#include "common/variant.h"

#include <gtest/gtest.h>

#include "common/key_value_list.h"

namespace {

TEST(Variant, ConversionsFollowTheRuntimeRules) {
  // Each value as a 16-bit integer, or the error the checked conversion raises, where the
  // non-raising one gives no value.
  struct Row { Variant value; int16_t integer; int error; };
  const Row rows[] = {
      {true, -1, 0},          {Variant(), 0, 0},          {"2.5", 2, 0},
      {" 12 ", 12, 0},        {"-32768.4", -32768, 0},    {int32_t(40000), 0, VbError::kOverflow},
      {"32767.5", 0, VbError::kOverflow},  {"x", 0, VbError::kTypeMismatch},
      {Variant::nothing(), 0, VbError::kTypeMismatch},
  };
  for (const auto& [value, integer, error] : rows) {
    const std::string name = value.tryToText().value_or("Nothing");
    EXPECT_EQ(error ? std::nullopt : std::optional<int16_t>(integer), value.tryToInt16()) << name;
    try {
      EXPECT_EQ(integer, value.toInt16()) << name;
      EXPECT_EQ(0, error) << name;
    } catch (const VbError& e) {
      EXPECT_EQ(error, e.number()) << name;
    }
  }
  EXPECT_EQ(INT32_MIN, Variant("-2147483648").tryToInt32());
  EXPECT_FALSE(Variant("2147483648").tryToInt32());
  EXPECT_EQ("True", Variant(true).toText());
  EXPECT_FALSE(Variant::stringList({"a"}).tryToText());
  EXPECT_TRUE(Variant("TRUE").toBool());
  EXPECT_FALSE(Variant(int16_t(0)).toBool());
  EXPECT_TRUE(Variant("-1").toBool());
  EXPECT_FALSE(Variant("yes").tryToBool());
  EXPECT_TRUE(Variant("1.5").isNumeric());
  EXPECT_FALSE(Variant("1.5x").isNumeric());
  EXPECT_EQ("10.5", Variant(*Decimal::parse("10.50")).toText());
}

TEST(Variant, ArraysAreValuesObjectsAreSharedAndNumbersCompareByValue) {
  Variant a = Variant::stringList({"x", "y"});
  Variant b = a;
  b.at(1) = Variant("changed");
  EXPECT_EQ("x", a.at(1).toText());
  EXPECT_EQ(2, a.ubound());
  EXPECT_THROW(a.at(3), VbError);
  EXPECT_THROW(a.at(0), VbError);
  EXPECT_EQ(0, Variant::stringList({"a"}, 0).ubound());

  Variant o1(std::make_shared<KeyValueClass>());
  Variant o2 = o1;
  o2.object<KeyValueClass>()->AddPair("k", int16_t(1));
  EXPECT_EQ(1, o1.object<KeyValueClass>()->count());
  EXPECT_TRUE(Variant(std::shared_ptr<KeyValueClass>()).isNothing());

  EXPECT_EQ(Variant(int16_t(5)), Variant(Decimal(5)));
  EXPECT_NE(Variant("5"), Variant(int16_t(5)));
  EXPECT_NE(Variant("abc"), Variant("ABC"));
  EXPECT_EQ(Variant(), Variant(""));
  EXPECT_EQ(Variant(), Variant(int16_t(0)));
  EXPECT_EQ(Variant(true), Variant(int16_t(-1)));
}

TEST(KeyValueList, OrderedFirstMatchExactKeysUpToTheLargestCount) {
  KeyValueClass kv;
  EXPECT_EQ(0, kv.GetIndex("a"));
  EXPECT_TRUE(kv.GetValue("a").isEmpty());
  EXPECT_TRUE(kv.ItemKey(1).isEmpty());
  kv.AddPair("a", int16_t(1));
  kv.AddPair("a", int16_t(2));
  kv.AddPair("A", int16_t(3));
  EXPECT_EQ(1, kv.GetValue("a").toInt16());
  EXPECT_EQ(3, kv.GetIndex("A"));
  EXPECT_FALSE(kv.AddUniquePair("a", int16_t(9)));
  EXPECT_EQ(3, kv.count());
  EXPECT_TRUE(kv.AddUniquePair(int16_t(7), "seven"));
  EXPECT_EQ(4, kv.GetIndex(int32_t(7)));
  kv.ItemVal(0, "x");
  kv.ItemVal(5, "x");
  kv.ItemVal(2, "two");
  EXPECT_EQ("two", kv.ItemVal(2).toText());
  kv.Clear();
  kv.AddPair("z", int16_t(0));
  EXPECT_EQ("z", kv.ItemKey(1).toText());
  for (int i = 1; i < 32767; ++i) kv.AddPair(Variant(), Variant());
  kv.AddPair("overflow", Variant());
  EXPECT_FALSE(kv.AddUniquePair("unique", Variant()));
  EXPECT_EQ(32767, kv.count());
  EXPECT_EQ(0, kv.GetIndex("overflow"));
  EXPECT_EQ("z", kv.ItemKey(1).toText());
  EXPECT_TRUE(kv.ItemKey(32768).isEmpty());
}

TEST(KeyValueList, TextKeysFoundByTheirFirstPosition) {
  KeyValueClass kv;
  kv.AddPair(Variant(), "empty");
  kv.AddPair("", "blank");
  kv.AddPair(int16_t(5), "five");
  kv.AddPair("5", "text five");
  kv.AddPair("x", "first");
  kv.AddPair("x", "second");
  EXPECT_EQ(1, kv.GetIndex(""));  // Empty equals the empty text
  EXPECT_EQ(3, kv.GetIndex(int32_t(5)));
  EXPECT_EQ(4, kv.GetIndex("5"));
  EXPECT_EQ("first", kv.GetValue("x").toText());
  kv.Clear();
  EXPECT_EQ(0, kv.GetIndex("x"));
  kv.AddPair("y", int16_t(1));
  kv.AddPair("x", int16_t(2));
  EXPECT_EQ(2, kv.GetIndex("x"));
}

}  // namespace
