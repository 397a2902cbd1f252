// The code-string scanner: items per medium, the messages of refused items, substitutions and
// their bounds.
#include "panel/language/code_string_compiler.h"

#include <gtest/gtest.h>

#include "tests/panel/language/code_string_test_support.h"

using namespace codestring_test;

namespace {

constexpr CodeMedium IR = mediumIR, RS = mediumRS232, POLL = mediumPollMatch;

// The code, describe() of its lexes, and every line logged, in order.
struct ScanCase {
  CodeMedium medium;
  std::string code, lexes;
  std::vector<std::string> log;
};

void expectScans(const std::vector<ScanCase>& cases, const KeyValueClass* codeSubst) {
  for (const auto& c : cases) {
    RecordingLog log;
    TypeValueListPtr lexes = CodeStrings::compileCodeString(c.code, c.medium, codeSubst, log.sink());
    EXPECT_EQ(describe(*lexes), c.lexes) << c.medium << ": " << c.code;
    EXPECT_EQ(log.lines, c.log) << c.medium << ": " << c.code;
  }
}

std::string repeated(const std::string& item, int times, const std::string& separator) {
  std::string out;
  for (int i = 0; i < times; ++i) out += (i ? separator : "") + item;
  return out;
}

const char* kNoUnit = "(E) Expecting a 'm','u','s' terminating the time in the string";
const char* kRawWarning = "(W) Raw Codes are deprecated, they will be used, however";

TEST(CodeStringScanner, ItemsOfEachMediumAndRefusedItemsThatEndTheScan) {
  expectScans({
      {RS, "", "", {}},
      {RS, " 'PWR ON' ,\t'a,b;c',''", "txt(PWR ON) txt(a,b;c) txt()", {}},
      {RS, "13,0255,$0D,$f,$Ff", "dec(13) dec(255) hex(13) hex(15) hex(255)", {}},
      {RS, "&vbin,&VHEX,&VASC0,&Vasc1,&VASC2,&VASC3",
       "vbin(&vbin) vhex(&VHEX) vasc0(&VASC0) vasc1(&Vasc1) vasc2(&VASC2) vasc3(&VASC3)", {}},
      {RS, "D100m,d5m,D1.5m,D2M,D250u,d1s",
       "dly(100000) dly(-5000) dly(1500) dly(120000000) dly(250) dly(-1000000)", {}},
      {RS, "1,2,", "dec(1) dec(2)", {}},
      {RS, "'A','B", "txt(A)", {}},
      {IR, "%0110,%,D5m,&qstop", "bin(0110) bin() dly(5000) qstop(&qstop)", {}},
      {IR, "R560u,r1.2m", "raw(560) raw(-1200)", {kRawWarning, kRawWarning}},
      {POLL, "'OK',$0D,10", "txt(OK) hex(13) dec(10)", {}},
      // Refused items.
      {RS, "1,,2", "dec(1)", {"(E) Not expecting a comma in the string"}},
      {RS, "2a", "dec(2)", {"(E) Expecting a comma in the string"}},
      {RS, "$", "", {"(E) Hex values must be between $0 and $FF"}},
      {RS, "1,$123", "dec(1)", {"(E) Hex values must be between $0 and $FF"}},
      {RS, "256", "", {"(E) Decimal values must be between 0 and 255"}},
      {RS, "99999", "", {"(E) Decimal values must be between 0 and 255"}},
      {RS, "D100", "", {kNoUnit}},
      {RS, "D2S", "", {"(E) Invalid delay time"}},
      {IR, "R5S", "", {kRawWarning, "(E) Invalid delay time"}},
      {IR, "'A'", "", {"(E) Single quoted strings are not allowable in IR codes"}},
      {IR, "$0D", "", {"(E) Hexidecimal values are not allowed in IR codes"}},
      {IR, "%1,13", "bin(1)", {"(E) Decimal values are not allowed in IR codes"}},
      {RS, "%01", "", {"(E) Binary strings are not allowable in RS232 codes"}},
      {RS, "R5m", "", {"(E) Raw delays are not allowable in RS232 codes"}},
      {POLL, "'A',D5m", "txt(A)", {"(E) Delays are not allowable in polling Match codes"}},
      {POLL, "R5m", "", {"(E) Delays are not allowable in polling Match codes"}},
      {POLL, "&VBIN", "", {"(E) Substitutions are not allowed in polling Match codes"}},
      // A marker of the other medium is a substitution name like any other.
      {IR, "&VBIN", "", {"(E) Substitution code not found '&VBIN'"}},
  }, nullptr);
}

TEST(CodeStringScanner, LexValuesHaveTheirKinds) {
  TypeValueListPtr lexes = CodeStrings::compileCodeString("$0D,13,D1.5m", RS, nullptr, nullptr);
  ASSERT_EQ(lexes->count(), 3);
  for (int16_t i : {1, 2}) EXPECT_EQ(lexes->item(i)->theValue.kind(), Variant::Kind::Integer);
  EXPECT_EQ(lexes->item(3)->theValue.kind(), Variant::Kind::Decimal);
}

// Expansion is bounded: 64 substitutions in one code, an expanded text of 4096 characters.
TEST(CodeStringScanner, SubstitutionsExpandInPlaceWithinTheirBounds) {
  // X expands to its text plus the blank appended to the code: 4095 + 1 fits, 4096 + 1 not.
  const std::string fits = "'" + std::string(4093, 'a') + "'";
  const std::string tooLong = "'" + std::string(4094, 'a') + "'";
  KeyValuePtr subst = substitutions({{"HDR", "'A',$01"}, {"TAIL", "$0D"}, {"BOTH", "HDR,TAIL"},
                                     {"EMPTY", ""}, {"&VBIN", "%1"}, {"ONE", "1"}, {"A", "A"},
                                     {"PING", "PONG"}, {"PONG", "PING"}, {"X", fits}, {"Y", tooLong},
                                     {"BIG", repeated("1", 1000, ",")}});
  expectScans({
      {RS, "HDR,$0D", "txt(A) hex(1) hex(13)", {"(I) Substitutions Made ''A',$01,$0D '"}},
      {RS, "$02,HDR,TAIL", "hex(2) txt(A) hex(1) hex(13)", {"(I) Substitutions Made '$02,'A',$01,$0D '"}},
      {RS, "BOTH", "txt(A) hex(1) hex(13)", {"(I) Substitutions Made ''A',$01,$0D '"}},
      {RS, "hdr", "", {"(E) Substitution code not found 'hdr'"}},
      {RS, "1,EMPTY", "dec(1)", {"(E) Substitution code not found 'EMPTY'"}},
      // The expanded text is scanned like the rest; after an error no expansion line follows.
      {RS, "TAIL TAIL", "hex(13)", {"(E) Expecting a comma in the string"}},
      {IR, "&VBIN", "bin(1)", {"(I) Substitutions Made '%1 '"}},
      {RS, repeated("ONE", 64, ","), repeated("dec(1)", 64, " "),
       {"(I) Substitutions Made '" + repeated("1", 64, ",") + " '"}},
      {RS, repeated("ONE", 65, ","), repeated("dec(1)", 64, " "), {"(E) Substitution too deep 'ONE'"}},
      {RS, "A", "", {"(E) Substitution too deep 'A'"}},
      {RS, "1,PING", "dec(1)", {"(E) Substitution too deep 'PING'"}},
      {RS, "X", "txt(" + std::string(4093, 'a') + ")", {"(I) Substitutions Made '" + fits + " '"}},
      {RS, "Y", "", {"(E) Substitution too deep 'Y'"}},
      // Two expansions of 1999 characters fit, the third does not.
      {RS, "BIG,BIG,BIG", repeated("dec(1)", 2000, " "), {"(E) Substitution too deep 'BIG'"}},
  }, subst.get());
}

}  // namespace
