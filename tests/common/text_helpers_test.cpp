#include "common/text_helpers.h"

#include <gtest/gtest.h>

#include "common/list_helpers.h"
#include "common/number_helpers.h"

namespace {

using namespace VXCommon;

TEST(TextHelpers, TrimWhiteTrimsInPlace) {
  std::pair<std::string, std::string> cases[] = {{"  a b \t", "a b"}, {"\t \t", ""}, {"\r\nx\r\n", "\r\nx\r\n"}};
  for (auto [text, expected] : cases) {
    EXPECT_EQ(expected, trimWhite(text));
    EXPECT_EQ(expected, text);
  }
}

TEST(TextHelpers, LineEndsPipesAndPadding) {
  struct Case { std::string text; bool oneOnly; std::string expected; };
  const Case stripped[] = {
      {"ab\r\n\r\n", false, "ab"}, {"ab\r\n\r\n", true, "ab\r\n"}, {"ab\n\r", true, "ab"},
      {"ab\n\n", true, "ab\n"},    {"ab\r\r", true, "ab\r"},      {"a\rb", false, "a\rb"},
  };
  for (const auto& c : stripped) EXPECT_EQ(c.expected, stripLineEnd(c.text, c.oneOnly)) << c.text;

  for (const auto& [shown, stored] : {std::pair{"a\r\nb", "a|b"}, std::pair{"x\r\n\r\ny", "x||y"}}) {
    EXPECT_EQ(stored, crLfToPipe(shown));
    EXPECT_EQ(shown, pipeToCrLf(stored));
  }
  // A CR without its LF is a line end too; the character after it is kept.
  EXPECT_EQ("a|b", crLfToPipe("a\rb"));
  EXPECT_EQ("a|", crLfToPipe("a\r"));
  EXPECT_EQ("a\nb", crLfToPipe("a\nb"));

  EXPECT_EQ(std::string("ab\0", 3), padNul("abc", 3));
  EXPECT_EQ(std::string("a\0\0\0", 4), padNul("a", 4));
  EXPECT_EQ("", padNul("", 0));
  EXPECT_EQ(std::string("0123456789abcde\0", 16), padNul("0123456789abcdefXYZ", 16));
}

TEST(TextHelpers, TimeStampField) {
  std::string stamp = makeTimeStamp();
  ASSERT_EQ(32u, stamp.size());
  EXPECT_EQ(std::string(13, '\0'), stamp.substr(19));
  const std::string shape = "dddd-dd-dd dd:dd:dd";
  for (size_t i = 0; i < shape.size(); ++i)
    EXPECT_TRUE(shape[i] == 'd' ? stamp[i] >= '0' && stamp[i] <= '9' : stamp[i] == shape[i]) << stamp;
}

TEST(TextHelpers, EmailSyntax) {
  std::pair<const char*, bool> cases[] = {
      {"a@b.c", true},   {"@b.c", false},  {"a@.c", false},  {"a@b.", false},  {"a @b.c", false},
      {"a@bc", false},   {"a.b@c", false}, {"", false},      {"a@b@c.d", true}, {"a@b.c.", true},
  };
  for (const auto& [text, valid] : cases) EXPECT_EQ(valid, isValidEmail(text)) << text;
}

TEST(NumberHelpers, RangeCheckAndMinMax) {
  struct Case { const char* text; int32_t low, high; bool inRange; } cases[] = {
      {"0", 1, 10, false},   {"10", 1, 10, true},   {"10.5", 1, 10, true},  {"11.5", 1, 11, false},
      {" 3 ", 1, 10, true},  {"-2", -5, 0, true},   {"abc", 0, 10, false},  {"", 0, 10, false},
      {"1e3", 0, 5000, false},
      {"99999999999", 0, 2147483647, false},        {"2147483647", 0, 2147483647, true},
  };
  for (const auto& c : cases) EXPECT_EQ(c.inRange, isNumInRange(c.text, c.low, c.high)) << c.text;
  EXPECT_EQ(1, boolToBit(-1));
  EXPECT_EQ(0, boolToBit(0));
  EXPECT_EQ(5, maxInt(5, -3));
  EXPECT_EQ(-3, minInt(5, -3));
  EXPECT_EQ(2.5, maxDbl(2.5, 1.0));
  EXPECT_EQ(1.0, minDbl(2.5, 1.0));
}

TEST(ListHelpers, FindAndRemoveIgnoringCase) {
  Variant words = Variant::stringList({"Alpha", "beta", "ALPHA", "Gamma"});
  for (const auto& [text, position] : {std::pair{"alpha", 1}, std::pair{"gamma", 4}, std::pair{"delta", 0}}) {
    EXPECT_EQ(position, findInArrayCI(words, text)) << text;
    EXPECT_EQ(position, findInArrayCI(std::vector<std::string>{"Alpha", "beta", "ALPHA", "Gamma"}, text));
  }
  // Element 0 is never looked at; numbers compare by their text.
  Variant zeroBased = Variant::array({Variant("x"), Variant(int16_t(12)), Variant("X")}, 0);
  EXPECT_EQ(2, findInArrayCI(zeroBased, "x"));
  EXPECT_EQ(1, findInArrayCI(zeroBased, "12"));
  EXPECT_EQ(0, findInArrayCI(Variant("x"), "x"));

  Variant without = removeFromArrayCI(Variant::stringList({"On", "Off", "Binary"}), "off");
  EXPECT_EQ(Variant::stringList({"On", "Binary"}).arrayValue().items, without.arrayValue().items);
  EXPECT_EQ(1, without.lbound());
  Variant allMatches = removeFromArrayCI(words, "alpha");
  EXPECT_EQ(2, allMatches.ubound());
  EXPECT_EQ("beta", allMatches.at(1).toText());
  EXPECT_EQ(0, removeFromArrayCI(Variant::stringList({"only"}), "ONLY").ubound());
}

}  // namespace
