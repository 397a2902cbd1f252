#include "common/text_helpers.h"

#include <gtest/gtest.h>

namespace {

using namespace VXCommon;

TEST(TextHelpers, TrimWhiteTrimsInPlace) {
  struct Case { std::string text; std::string expected; };
  const Case cases[] = {
      {"  a b \t", "a b"}, {"\t \t", ""}, {"", ""}, {"x", "x"}, {"\r\nx\r\n", "\r\nx\r\n"},
  };
  for (auto c : cases) {
    std::string result = trimWhite(c.text);
    EXPECT_EQ(c.expected, result);
    EXPECT_EQ(c.expected, c.text);
  }
}

TEST(TextHelpers, StripLineEnd) {
  struct Case { std::string text; bool oneOnly; std::string expected; };
  const Case cases[] = {
      {"ab\r\n\r\n", false, "ab"}, {"ab\r\n\r\n", true, "ab\r\n"},
      {"ab\n\r", true, "ab"},      {"ab\r", true, "ab"},
      {"ab\n", true, "ab"},        {"ab\n\n", true, "ab\n"},
      {"ab\r\r", true, "ab\r"},    {"\n\r\n", false, ""},
      {"", true, ""},              {"a\rb", false, "a\rb"},
  };
  for (const auto& c : cases) EXPECT_EQ(c.expected, stripLineEnd(c.text, c.oneOnly)) << c.text;
}

TEST(TextHelpers, PipeForms) {
  struct Case { std::string shown; std::string stored; };
  const Case roundTrips[] = {
      {"a\r\nb", "a|b"}, {"\r\n", "|"}, {"", ""}, {"x\r\n\r\ny", "x||y"}, {"a", "a"},
  };
  for (const auto& c : roundTrips) {
    EXPECT_EQ(c.stored, crLfToPipe(c.shown));
    EXPECT_EQ(c.shown, pipeToCrLf(c.stored));
  }
  // A CR without its LF is a line end too; the character after it is kept.
  EXPECT_EQ("a|b", crLfToPipe("a\rb"));
  EXPECT_EQ("a|", crLfToPipe("a\r"));
  EXPECT_EQ("a\nb", crLfToPipe("a\nb"));
}

TEST(TextHelpers, PadNul) {
  struct Case { std::string text; int16_t width; std::string expected; };
  const Case cases[] = {
      {"abc", 3, std::string("ab\0", 3)},
      {"a", 4, std::string("a\0\0\0", 4)},
      {"", 1, std::string(1, '\0')},
      {"", 0, ""},
      {"0123456789abcdefXYZ", 16, std::string("0123456789abcde\0", 16)},
  };
  for (const auto& c : cases) EXPECT_EQ(c.expected, padNul(c.text, c.width));
}

TEST(TextHelpers, TimeStampField) {
  std::string stamp = makeTimeStamp();
  ASSERT_EQ(32u, stamp.size());
  EXPECT_EQ(19u, stamp.find('\0'));
  EXPECT_EQ(std::string(13, '\0'), stamp.substr(19));
  const std::string shape = "dddd-dd-dd dd:dd:dd";
  for (size_t i = 0; i < shape.size(); ++i) {
    if (shape[i] == 'd') EXPECT_TRUE(stamp[i] >= '0' && stamp[i] <= '9') << stamp;
    else EXPECT_EQ(shape[i], stamp[i]) << stamp;
  }
}

TEST(TextHelpers, EmailSyntax) {
  struct Case { const char* text; bool valid; };
  const Case cases[] = {
      {"a@b.c", true},      {"first.last@host.example", true},
      {"@b.c", false},      {"a@.c", false},   {"a@b.", false},
      {"a @b.c", false},    {"a@bc", false},   {"a.b@c", false},
      {"", false},          {"a@b.c;", false}, {"\"a\"@b.c", false},
      {"a@b@c.d", true},    {"a@b.c.", true},
  };
  for (const auto& c : cases) EXPECT_EQ(c.valid, isValidEmail(c.text)) << c.text;
}

TEST(NumberHelpers, RangeCheckAndMinMax) {
  struct Case { const char* text; int32_t low; int32_t high; bool inRange; };
  const Case cases[] = {
      {"5", 1, 10, true},        {"0", 1, 10, false},       {"10", 1, 10, true},
      {"10.5", 1, 10, true},     {"11.5", 1, 11, false},    {" 3 ", 1, 10, true},
      {"-2", -5, 0, true},       {"abc", 0, 10, false},     {"", 0, 10, false},
      {"1e3", 0, 5000, false},   {"99999999999", 0, 2147483647, false},
      {"2147483647", 0, 2147483647, true},
  };
  for (const auto& c : cases) EXPECT_EQ(c.inRange, isNumInRange(c.text, c.low, c.high)) << c.text;

  EXPECT_EQ(1, boolToBit(-1));
  EXPECT_EQ(1, boolToBit(7));
  EXPECT_EQ(0, boolToBit(0));
  EXPECT_EQ(5, maxInt(5, -3));
  EXPECT_EQ(-3, minInt(5, -3));
  EXPECT_EQ(2.5, maxDbl(2.5, 1.0));
  EXPECT_EQ(1.0, minDbl(2.5, 1.0));
}

TEST(ListHelpers, FindAndRemoveIgnoringCase) {
  Variant words = Variant::stringList({"Alpha", "beta", "ALPHA", "Gamma"});
  struct Case { const char* text; int32_t position; };
  const Case cases[] = {{"alpha", 1}, {"BETA", 2}, {"gamma", 4}, {"delta", 0}, {"", 0}};
  for (const auto& c : cases) {
    EXPECT_EQ(c.position, findInArrayCI(words, c.text)) << c.text;
    EXPECT_EQ(c.position, findInArrayCI(std::vector<std::string>{"Alpha", "beta", "ALPHA", "Gamma"},
                                        c.text));
  }
  // Element 0 is never looked at; numbers compare by their text.
  Variant zeroBased = Variant::array({Variant("x"), Variant(int16_t(12)), Variant("X")}, 0);
  EXPECT_EQ(2, findInArrayCI(zeroBased, "x"));
  EXPECT_EQ(1, findInArrayCI(zeroBased, "12"));
  EXPECT_EQ(0, findInArrayCI(Variant("x"), "x"));

  Variant without = removeFromArrayCI(Variant::stringList({"On", "Off", "Binary"}), "off");
  EXPECT_EQ(Variant::stringList({"On", "Binary"}).arrayValue().items, without.arrayValue().items);
  EXPECT_EQ(1, without.lbound());
  Variant unchanged = removeFromArrayCI(Variant::stringList({"On", "Off"}), "x");
  EXPECT_EQ(2, unchanged.ubound());
  Variant allMatches = removeFromArrayCI(words, "alpha");
  EXPECT_EQ(2, allMatches.ubound());
  EXPECT_EQ("beta", allMatches.at(1).toText());
  EXPECT_EQ(0, removeFromArrayCI(Variant::stringList({"only"}), "ONLY").ubound());
}

}  // namespace
