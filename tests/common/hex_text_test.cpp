#include "common/hex_text.h"

#include <gtest/gtest.h>

#include "common/hex_dump.h"

namespace {

using namespace VXCommon;

TEST(HexText, Writers) {
  struct Case { int32_t n; const char* two; const char* four; };
  const Case cases[] = {{10, "0A", "000A"}, {255, "FF", "00FF"}, {300, "12C", "012C"}, {-1, "FFFF", "FFFFFFFF"}};
  for (const auto& c : cases) {
    EXPECT_EQ(c.two, hex2Str(int16_t(c.n))) << c.n;
    EXPECT_EQ(c.four, hex4Str(c.n)) << c.n;
  }
  EXPECT_EQ("10000", hex4Str(65536));
  EXPECT_EQ("%0D", urlEscapeByte(13));
}

TEST(HexText, Readers) {
  struct Case { const char* text; int16_t maxDigits; std::optional<int16_t> value; };
  const Case hexToVarCases[] = {
      {"1F", 2, 31},   {"Ab", 2, 171},   {"", 2, {}},           {"123", 2, {}},         {"1G", 2, {}},
      {"7FFF", 4, 32767}, {"8000", 4, {}}, {"0000007F", 8, 127}, {"100000000", 9, {}}, {"1", 0, {}},
  };
  for (const auto& c : hexToVarCases) EXPECT_EQ(c.value, hexToVar(c.text, c.maxDigits)) << c.text;

  struct Prefixed { const char* text; std::optional<int16_t> dollar, percent; };
  const Prefixed prefixed[] = {{"$1F", 31, {}}, {"%1f", {}, 31}, {"$", {}, {}}, {"$123", {}, {}}, {"1F", {}, {}}};
  for (const auto& c : prefixed) {
    EXPECT_EQ(c.dollar, parseDollarHex(c.text)) << c.text;
    EXPECT_EQ(c.percent, parsePercentHex(c.text)) << c.text;
  }

  std::pair<const char*, int16_t> hexToIntCases[] = {
      {"1FZ9", 31}, {"Z1", 0}, {"7fff", 32767}, {"8000", 0}, {"0000000A", 10}};
  for (const auto& [text, value] : hexToIntCases) EXPECT_EQ(value, hexToInt(text)) << text;
}

TEST(HexText, Checksums) {
  struct Case { std::string text; int16_t seed, sum, check; };
  const Case cases[] = {
      {"abc", 0, 38, 217}, {"", 7, 7, 248}, {std::string(2, '\xFF'), 0, 254, 1}, {"\x80", 127, 255, 0}};
  for (const auto& c : cases) {
    EXPECT_EQ(c.sum, sum8(c.text, c.seed));
    EXPECT_EQ(c.check, checkSum8(c.text, c.seed));
  }
}

TEST(HexDump, LinesOffsetsAndPadding) {
  std::string twenty;
  for (int i = 0; i < 20; ++i) twenty += char('A' + i);
  EXPECT_EQ("0000   41 42 43 44 45 46 47 48 49 4A 4B 4C 4D 4E 4F 50   ABCDEFGHIJKLMNOP\r\n"
            "0010   51 52 53 54   " + std::string(36, ' ') + "QRST\r\n",
            hexDump(twenty));

  struct Case { std::string data; int16_t direction; std::string expected; };
  const Case cases[] = {
      {"", 0, ""},
      {"\x1F !\x7F", 1, "<-0000   1F 20 21 7F   " + std::string(36, ' ') + ". !\x7F\r\n"},
      {"\x80\x81~", 2, "->0000   80 81 7E   " + std::string(39, ' ') + "\x80.~\r\n"},
      {std::string(1, '\0'), 3, "0000   00   " + std::string(45, ' ') + ".\r\n"},
  };
  for (const auto& c : cases) EXPECT_EQ(c.expected, hexDump(c.data, c.direction));
}

TEST(HexDump, BlockFlagsLeaveOutWholeBlocks) {
  std::string image(128, '\0');
  image[64] = 'x';
  FlagList secondOnly = FlagList::of({false, true});
  std::string dump = hexDump(image, 0, &secondOnly);
  EXPECT_EQ(0u, dump.find("0040   78 00"));
  EXPECT_NE(std::string::npos, dump.find("\r\n0070   "));
  EXPECT_EQ(4 * 75u, dump.size());  // offset, 3, 48, 2, 16 and CR LF

  FlagList none = FlagList::of({false, false});
  EXPECT_EQ("", hexDump(image, 0, &none));
  // Blocks without a flag are not listed.
  FlagList firstOnly = FlagList::of({true});
  EXPECT_EQ(hexDump(image.substr(0, 64)), hexDump(image, 0, &firstOnly));
}

TEST(HexDump, ListsOfNumbers) {
  Variant list = Variant::array({Variant(int16_t(65)), Variant(int32_t(300)), Variant("7")});
  EXPECT_EQ("0000   41 12C 07   " + std::string(39, ' ') + "A..\r\n", hexDump(list));
  Variant zeroBased = Variant::array({Variant(int16_t(1)), Variant(int16_t(66))}, 0);
  EXPECT_EQ(hexDump("B"), hexDump(zeroBased));
  EXPECT_EQ(hexDump("AB"), hexDump(Variant("AB")));
  EXPECT_EQ("", hexDump(Variant()));
}

TEST(QuoteCodeString, Notation) {
  std::pair<std::string, const char*> cases[] = {
      {"AB\r\n", "\"'AB',$0D,$0A\""},      {"", "\"\""},
      {"\r\nX", "\"$0D,$0A,'X'\""},        {"it's \"x\"", "\"'it's \"x\"'\""},
      {"a\x80\x81", "\"'a\x80',$81\""},    {std::string("\0\x1F", 2), "\"$00,$1F\""},
      {"~\x7F", "\"'~\x7F'\""},
  };
  for (const auto& [bytes, expected] : cases) EXPECT_EQ(expected, quoteCodeString(bytes));
}

}  // namespace
