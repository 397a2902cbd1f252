// The code-string scanner: items per medium, the messages of refused items, substitutions and
// their bounds.
#include "panel/code_string_compiler.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/panel/code_string_test_support.h"

using namespace codestring_test;

namespace {

struct ScanCase {
  CodeMedium medium;
  std::string code;
  std::string lexes;               // describe() of the result
  std::vector<std::string> log;    // every line logged, in order
};

void expectScan(const ScanCase& c, const KeyValueClass* codeSubst) {
  RecordingLog log;
  TypeValueListPtr lexes = CodeStrings::compileCodeString(c.code, c.medium, codeSubst, log.sink());
  ASSERT_NE(lexes, nullptr) << c.code;
  EXPECT_EQ(describe(*lexes), c.lexes) << "medium " << c.medium << " code " << c.code;
  EXPECT_EQ(log.lines, c.log) << "medium " << c.medium << " code " << c.code;
}

const char* kNoUnit = "(E) Expecting a 'm','u','s' terminating the time in the string";
const char* kRawWarning = "(W) Raw Codes are deprecated, they will be used, however";

TEST(CodeStringScanner, ItemsAllowedInEachMedium) {
  const std::vector<ScanCase> cases = {
      // RS232
      {mediumRS232, "", "", {}},
      {mediumRS232, "   ", "", {}},
      {mediumRS232, "'PWR ON'", "txt(PWR ON)", {}},
      {mediumRS232, "'a,b;c'", "txt(a,b;c)", {}},
      {mediumRS232, "''", "txt()", {}},
      {mediumRS232, "13", "dec(13)", {}},
      {mediumRS232, "0255", "dec(255)", {}},
      {mediumRS232, "$0D", "hex(13)", {}},
      {mediumRS232, "$f", "hex(15)", {}},
      {mediumRS232, "$Ff", "hex(255)", {}},
      {mediumRS232, "&vbin", "vbin(&vbin)", {}},
      {mediumRS232, "&VHEX,&VASC0,&Vasc1,&VASC2,&VASC3",
       "vhex(&VHEX) vasc0(&VASC0) vasc1(&Vasc1) vasc2(&VASC2) vasc3(&VASC3)", {}},
      {mediumRS232, "D100m", "dly(100000)", {}},
      {mediumRS232, "d5m", "dly(-5000)", {}},
      {mediumRS232, "D1.5m", "dly(1500)", {}},
      {mediumRS232, "D2M", "dly(120000000)", {}},
      {mediumRS232, "D250u,d1s", "dly(250) dly(-1000000)", {}},
      {mediumRS232, "1,2,", "dec(1) dec(2)", {}},
      {mediumRS232, " 'A' ,\t$01 ,2 ", "txt(A) hex(1) dec(2)", {}},
      {mediumRS232, "'A','B", "txt(A)", {}},
      {mediumRS232, "'open", "", {}},
      // IR
      {mediumIR, "%0110", "bin(0110)", {}},
      {mediumIR, "%", "bin()", {}},
      {mediumIR, "%01,D5m,%10,&qstop", "bin(01) dly(5000) bin(10) qstop(&qstop)", {}},
      {mediumIR, "R560u", "raw(560)", {kRawWarning}},
      {mediumIR, "r1.2m", "raw(-1200)", {kRawWarning}},
      // Poll match
      {mediumPollMatch, "'OK',$0D,10", "txt(OK) hex(13) dec(10)", {}},
  };
  for (const auto& c : cases) expectScan(c, nullptr);
}

TEST(CodeStringScanner, RefusedItemsEndTheScan) {
  const std::vector<ScanCase> cases = {
      // Commas and separators.
      {mediumRS232, ",1", "", {"(E) Not expecting a comma in the string"}},
      {mediumRS232, "1,,2", "dec(1)", {"(E) Not expecting a comma in the string"}},
      {mediumRS232, "1 2", "dec(1)", {"(E) Expecting a comma in the string"}},
      {mediumRS232, "2a", "dec(2)", {"(E) Expecting a comma in the string"}},
      {mediumRS232, "'A'B", "txt(A)", {"(E) Expecting a comma in the string"}},
      // Numbers.
      {mediumRS232, "$", "", {"(E) Hex values must be between $0 and $FF"}},
      {mediumRS232, "1,$123", "dec(1)", {"(E) Hex values must be between $0 and $FF"}},
      {mediumRS232, "300", "", {"(E) Decimal values must be between 0 and 255"}},
      {mediumRS232, "256", "", {"(E) Decimal values must be between 0 and 255"}},
      {mediumRS232, "99999", "", {"(E) Decimal values must be between 0 and 255"}},
      // Times.
      {mediumRS232, "D100", "", {kNoUnit}},
      {mediumRS232, "1,D5x", "dec(1)", {kNoUnit}},
      {mediumRS232, "D1.2.3m", "", {"(E) Invalid delay time"}},
      {mediumRS232, "D2S", "", {"(E) Invalid delay time"}},
      {mediumRS232, "D2U", "", {"(E) Invalid delay time"}},
      {mediumRS232, "Dm", "", {"(E) Invalid delay time"}},
      {mediumIR, "R5x", "", {kNoUnit}},
      {mediumIR, "R5S", "", {kRawWarning, "(E) Invalid delay time"}},
      // Items of another medium.
      {mediumIR, "'A'", "", {"(E) Single quoted strings are not allowable in IR codes"}},
      {mediumIR, "$0D", "", {"(E) Hexidecimal values are not allowed in IR codes"}},
      {mediumIR, "%1,13", "bin(1)", {"(E) Decimal values are not allowed in IR codes"}},
      {mediumRS232, "%01", "", {"(E) Binary strings are not allowable in RS232 codes"}},
      {mediumRS232, "R5m", "", {"(E) Raw delays are not allowable in RS232 codes"}},
      {mediumPollMatch, "%01", "", {"(E) Binary strings are not allowable in RS232 codes"}},
      {mediumPollMatch, "'A',D5m", "txt(A)", {"(E) Delays are not allowable in polling Match codes"}},
      {mediumPollMatch, "R5m", "", {"(E) Delays are not allowable in polling Match codes"}},
      {mediumPollMatch, "&VBIN", "", {"(E) Substitutions are not allowed in polling Match codes"}},
      // Marker names of the other medium and unknown names are substitutions.
      {mediumIR, "&VBIN", "", {"(E) Substitution code not found '&VBIN'"}},
      {mediumRS232, "&QSTOP", "", {"(E) Substitution code not found '&QSTOP'"}},
      {mediumRS232, "1,XYZ,2", "dec(1)", {"(E) Substitution code not found 'XYZ'"}},
      {mediumRS232, "#", "", {"(E) Substitution code not found '#'"}},
  };
  for (const auto& c : cases) expectScan(c, nullptr);
}

TEST(CodeStringScanner, LexValuesHaveTheirKinds) {
  RecordingLog log;
  TypeValueListPtr lexes =
      CodeStrings::compileCodeString("$0D,13,D1.5m,&vHex", mediumRS232, nullptr, log.sink());
  ASSERT_EQ(lexes->count(), 4);
  EXPECT_EQ(lexes->item(1)->theValue.kind(), Variant::Kind::Integer);
  EXPECT_EQ(lexes->item(2)->theValue.kind(), Variant::Kind::Integer);
  ASSERT_EQ(lexes->item(3)->theValue.kind(), Variant::Kind::Decimal);
  EXPECT_EQ(lexes->item(3)->theValue.toDecimal().toString(), "1500");
  EXPECT_EQ(lexes->item(4)->theValue.toText(), "&vHex");
}

std::string repeated(const std::string& item, int times, const std::string& separator) {
  std::string out;
  for (int i = 0; i < times; ++i) out += (i ? separator : "") + item;
  return out;
}

TEST(CodeStringScanner, SubstitutionsExpandInPlace) {
  KeyValuePtr subst = substitutions({
      {"HDR", "'A',$01"},
      {"TAIL", "$0D"},
      {"BOTH", "HDR,TAIL"},
      {"EMPTY", ""},
      {"&VBIN", "%1"},
      {"ONE", "1"},
  });
  const std::vector<ScanCase> cases = {
      {mediumRS232, "HDR,$0D", "txt(A) hex(1) hex(13)",
       {"(I) Substitutions Made ''A',$01,$0D '"}},
      {mediumRS232, "$02,HDR,TAIL", "hex(2) txt(A) hex(1) hex(13)",
       {"(I) Substitutions Made '$02,'A',$01,$0D '"}},
      {mediumRS232, "BOTH", "txt(A) hex(1) hex(13)", {"(I) Substitutions Made ''A',$01,$0D '"}},
      {mediumRS232, " TAIL , 2", "hex(13) dec(2)", {"(I) Substitutions Made '$0D , 2 '"}},
      {mediumRS232, "hdr", "", {"(E) Substitution code not found 'hdr'"}},
      {mediumRS232, "1,EMPTY", "dec(1)", {"(E) Substitution code not found 'EMPTY'"}},
      // The substituted text is scanned like the rest: its faults end the scan, and no
      // expansion line is written then.
      {mediumRS232, "TAIL TAIL", "hex(13)", {"(E) Expecting a comma in the string"}},
      // A marker name of the other medium may be defined as a substitution.
      {mediumIR, "&VBIN", "bin(1)", {"(I) Substitutions Made '%1 '"}},
      // 64 substitutions are allowed, the 65th is refused.
      {mediumRS232, repeated("ONE", 64, ","), repeated("dec(1)", 64, " "),
       {"(I) Substitutions Made '" + repeated("1", 64, ",") + " '"}},
      {mediumRS232, repeated("ONE", 65, ","), repeated("dec(1)", 64, " "),
       {"(E) Substitution too deep 'ONE'"}},
  };
  for (const auto& c : cases) expectScan(c, subst.get());
}

TEST(CodeStringScanner, SelfReferringSubstitutionsStop) {
  KeyValuePtr subst = substitutions({
      {"A", "A"},
      {"PING", "PONG"},
      {"PONG", "PING"},
      {"GROW", "GROW,GROW"},
  });
  const std::vector<ScanCase> cases = {
      {mediumRS232, "A", "", {"(E) Substitution too deep 'A'"}},
      {mediumRS232, "1,PING", "dec(1)", {"(E) Substitution too deep 'PING'"}},
      {mediumRS232, "GROW", "", {"(E) Substitution too deep 'GROW'"}},
  };
  for (const auto& c : cases) expectScan(c, subst.get());
}

TEST(CodeStringScanner, ExpandedTextIsBoundedInLength) {
  // The expanded text includes the blank appended to the code: X alone expands to its text
  // plus that blank.
  const std::string fits = "'" + std::string(4093, 'a') + "'";        // 4095 + 1 = 4096
  const std::string tooLong = "'" + std::string(4094, 'a') + "'";     // 4096 + 1 = 4097
  {
    KeyValuePtr subst = substitutions({{"X", fits}});
    RecordingLog log;
    TypeValueListPtr lexes = CodeStrings::compileCodeString("X", mediumRS232, subst.get(), log.sink());
    ASSERT_EQ(lexes->count(), 1);
    EXPECT_EQ(lexes->item(1)->theValue.toText().size(), 4093u);
    ASSERT_EQ(log.lines.size(), 1u);
    EXPECT_EQ(log.lines[0], "(I) Substitutions Made '" + fits + " '");
  }
  {
    KeyValuePtr subst = substitutions({{"X", tooLong}});
    RecordingLog log;
    TypeValueListPtr lexes = CodeStrings::compileCodeString("X", mediumRS232, subst.get(), log.sink());
    EXPECT_EQ(lexes->count(), 0);
    EXPECT_EQ(log.lines, std::vector<std::string>{"(E) Substitution too deep 'X'"});
  }
  {
    // Three expansions of ~2000 characters: the third would pass 4096.
    KeyValuePtr subst = substitutions({{"BIG", repeated("1", 1000, ",")}});
    RecordingLog log;
    TypeValueListPtr lexes =
        CodeStrings::compileCodeString("BIG,BIG,BIG", mediumRS232, subst.get(), log.sink());
    EXPECT_EQ(lexes->count(), 2000);
    EXPECT_EQ(log.lines, std::vector<std::string>{"(E) Substitution too deep 'BIG'"});
  }
}

}  // namespace
