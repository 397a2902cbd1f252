// The code-table packer: delay-table sharing and overflow, RS232 and IR packing, the region's
// index, name table, flag bytes and continuations, and the faults it reports.
#include "panel/image/code_table/code_table_v789.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "common/memory_image.h"
#include "panel/language/code_string_compiler.h"
#include "tests/fakes/listing_lines.h"

namespace {

using Lines = std::vector<std::string>;

std::string bytes(std::initializer_list<int> values) {
  std::string out;
  for (int v : values) out += char(v);
  return out;
}

TypeValueListPtr compiled(CodeMedium medium, const std::string& text) {
  return CodeStrings::compileCodeString(text, medium, nullptr, [](ParseLogKind, const std::string&) {});
}

// A device-0 image has no banner and, untouched, no dump: its listing is CR LF CR LF and the log.
struct Log {
  memBlockCls mem;
  size_t seen = 0;
  Log() { mem.Clear(64, 0); }
  Lines fresh() {  // the lines logged since the last call
    Lines lines = listing_lines::of(mem.memDebugListing(true).substr(4));
    Lines out(lines.begin() + std::min(seen, lines.size()), lines.end());
    seen = lines.size();
    return out;
  }
};

// Flag bits in the order of the packer's arguments: 1 isHidden, 2 isSelection, 4 includeCont,
// 8 useSuffix, 16 useRepeat, 32 usePrefix.
void add(CodeTableV789& t, memBlockCls& mem, const std::string& name, bool rs232, TypeValueListPtr lexes,
         const std::string& next = "", int16_t repeats = 0, int flags = 0) {
  t.addCodeTableEntry(mem, name, lexes, next, repeats, rs232, flags & 1, flags & 2, flags & 4, flags & 8,
                      flags & 16, flags & 32);
}

void setBitTimes(CodeTableV789& table, memBlockCls& mem) {
  for (int16_t slot : {0, 1, 2, 3}) table.insertOrFindDelayTableEntry(mem, slot == 3 ? 0x21 : 0x0B, slot);
}

const std::string kEntry = "[I]         DELAY TABLE entry ";
const std::string kFull = "[W]         DELAY TABLE insert requested but delay table is full - using RAW";

TEST(CodeTablePacker, DelayTableSetsFindsGivesOutAndFills) {
  Log log;
  CodeTableV789 table;
  struct Call { int16_t delay, offset, slot; Lines lines; };
  std::vector<Call> calls = {
      {0x0B, 0, 0, {kEntry + "0 set with val =11"}}, {0x21, 3, 3, {kEntry + "3 set with val =33"}},
      {0x21, -1, 3, {}}, {0x40, -1, 4, {kEntry + "4 inserted with val =64"}}, {0x40, -1, 4, {}},
      {0x99, 24, -1, {"[E]         DELAY TABLE entry 24 out of range with val =153"}},
      {300, 1, -1, {"[E]         DELAY TABLE entry 1 out of range with val =300"}}};
  for (int16_t slot = 5; slot < 24; ++slot)
    calls.push_back({int16_t(0x3C + slot), -1, slot, {kEntry + std::to_string(slot) + " inserted with val =" + std::to_string(0x3C + slot)}});
  calls.push_back({0x60, -1, -1, {kFull}});
  calls.push_back({0x53, -1, 23, {}});
  for (const Call& c : calls) {
    EXPECT_EQ(c.slot, table.insertOrFindDelayTableEntry(log.mem, c.delay, c.offset)) << c.delay;
    EXPECT_EQ(c.lines, log.fresh()) << c.delay;
  }
  EXPECT_EQ(bytes({0x0B, 0, 0, 0x21, 0x40, 0x41}), table.getCodeTablePackedString(log.mem, 0).substr(2, 6));
}

TEST(CodeTablePacker, PacksOneCodeOfEachMedium) {
  auto manual = [](std::vector<std::pair<int16_t, Variant>> lexes) {
    auto list = std::make_shared<TypeValueList>();
    for (auto& [type, value] : lexes) list->add(type, value);
    return list;
  };
  const std::string bitTime = "[I]          delay requested=563.2u coerced=563.2u err=0.0%";
  struct Case { bool rs232; TypeValueListPtr lexes; std::string packed; Lines lines; };
  const std::vector<Case> cases = {
      {true, compiled(mediumRS232, "'A',$1B"), bytes({65, 27, 27, 27, 69}), {"[I]    RSCODE[X]=\"'A',$1B,$1B,$1B,'E'\""}},
      {true, compiled(mediumRS232, "D100m,D7395m"), bytes({27, 76, 3, 27, 76, 255, 27, 69}),
       {"[I]    RSCODE[X]=\"$1B,'L',$03,$1B,'L',$FF,$1B,'E'\""}},
      {true, compiled(mediumRS232, "&VBIN,&vhex,&VASC0,&VASC3,13"), bytes({27, 86, 27, 72, 27, 87, 0, 27, 87, 3, 13, 27, 69}),
       {"[I]    RSCODE[X]=\"$1B,'V',$1B,'H',$1B,'W',$00,$1B,'W',$03,$0D,$1B,'E'\""}},
      // The lowest and the highest data byte are packed as they are.
      {true, compiled(mediumRS232, "$00,$FF"), bytes({0, 255, 27, 69}), {"[I]    RSCODE[X]=\"$00,$FF,$1B,'E'\""}},
      // A data byte 27 inside a text is doubled like any other.
      {true, compiled(mediumRS232, "'\x1b'"), bytes({27, 27, 27, 69}), {"[I]    RSCODE[X]=\"$1B,$1B,$1B,'E'\""}},
      {true, compiled(mediumRS232, "D7.5s,'A'"), bytes({65, 27, 69}),
       {"[E]RS232 delay too long=7.5s", "[I]    RSCODE[X]=\"'A',$1B,'E'\""}},
      {true, manual({{0, Variant()}, {lexBinary, "01"}, {lexHex, int16_t(300)}}), bytes({27, 69}),
       {"[E]Unknown lexical type=0", "[E]Unknown lexical type=2", "[E]Lexical value out of range for type=10",
        "[I]    RSCODE[X]=\"$1B,'E'\""}},
      {false, compiled(mediumIR, "%0101"), bytes({0xBB, 0}), {"[I]    IRCODE[X]=<0101><.>"}},
      {false, compiled(mediumIR, "&QSTOP,%1"), bytes({0xC0}), {"[I]    IRCODE[X]=<1.>"}},
      {false, compiled(mediumIR, "%1,D563.2u"), bytes({0xDC, 0, 0}), {bitTime, "[I]    IRCODE[X]=<1SD><$00><.>"}},
      {false, compiled(mediumIR, "d5m"), bytes({0x60, 4, 0}),
       {"[I]          delay requested=5m coerced=5.0176m err=-0.4%", kEntry + "4 inserted with val =113",
        "[I]    IRCODE[X]=<Sd><$04><.>"}},
      {false, compiled(mediumIR, "D150m"), bytes({0x70, 4, 0x70, 5, 0}),
       {"[I]          delay requested=150m coerced=103.2192m err=45.3%",
        "[I]          delay requested=46.7808m coerced=47.5136m err=-1.5%", kEntry + "4 inserted with val =255",
        kEntry + "5 inserted with val =221", "[I]    IRCODE[X]=<SD><$04><SD><$05><.>"}},
      {false, compiled(mediumIR, "R563.2u,r563.2u"), bytes({0x50, 0x0B, 0x40, 0x0B, 0}),
       {bitTime, bitTime, "[I]    IRCODE[X]=<SR><$0B><Sr><$0B><.>"}},
      {false, manual({{lexText, "A"}}), bytes({0}), {"[E]Unknown lexical type=1", "[I]    IRCODE[X]=<.>"}},
  };
  for (const Case& c : cases) {
    Log log;
    CodeTableV789 table;
    setBitTimes(table, log.mem);
    log.fresh();
    add(table, log.mem, "X", c.rs232, c.lexes);
    EXPECT_EQ(c.lines, log.fresh()) << c.lines.back();
    // The only code, "X": its packed bytes follow 27 + 2 + 2 + 2 bytes and its 3 flag bytes.
    EXPECT_EQ(c.packed, table.getCodeTablePackedString(log.mem, 0).substr(36)) << c.lines.back();
  }
}

TEST(CodeTablePacker, CodesShareDelaySlotsUntilTheTableIsFullThenPackRaw) {
  Log log;
  CodeTableV789 table;
  setBitTimes(table, log.mem);
  // Delays of 40 to 60 steps of 51.2 us: 20 take slots 4-23, the 21st packs its byte raw.
  for (int steps = 40; steps <= 60; ++steps) {
    std::string time = std::to_string(steps * 512 / 10) + "." + std::to_string(steps * 512 % 10) + "u";
    add(table, log.mem, "C" + std::to_string(steps), false, compiled(mediumIR, "D" + time));
  }
  add(table, log.mem, "AGAIN", false, compiled(mediumIR, "D2048u,D563.2u"));
  Lines lines = log.fresh();
  EXPECT_EQ(1, std::count(lines.begin(), lines.end(), kFull));
  EXPECT_NE(lines.end(), std::find(lines.begin(), lines.end(), "[I]    IRCODE[C60]=<SR><$3C><.>"));
  EXPECT_EQ("[I]    IRCODE[AGAIN]=<SD><$04><SD><$00><.>", lines.back());
}

TEST(CodeTablePacker, RegionHoldsIndexDelaysNamesAndCodesWithResolvedContinuations) {
  Log log;
  CodeTableV789 table;
  setBitTimes(table, log.mem);
  add(table, log.mem, "PWR", true, compiled(mediumRS232, "'P',$0D"), "TAIL", 3, 1 | 4 | 32);
  add(table, log.mem, "TAIL", true, compiled(mediumRS232, "$0A"));
  add(table, log.mem, "VUP", false, compiled(mediumIR, "%1"), "", 65, 2 | 8 | 16);
  for (const char* name : {"VUP", "", "NOPE", "PWR", "VUP"}) table.createOrderedTableList(name);
  log.fresh();
  const std::string region = table.getCodeTablePackedString(log.mem, 0x0430);
  EXPECT_EQ(bytes({0x04, 0x3E, 0x04, 0x77, 0, 0, 0, 0, 0x84, 0x6A, 0x04, 0x77, 0x84, 0x71,  // index
                   0x0B, 0x0B, 0x0B, 0x21}) + std::string(20, '\0') +                       // delays
                bytes({3, 0x04, 0x5D, 0x04, 0x61, 0x04, 0x66,                                // name index
                       3, 'P', 'W', 'R', 4, 'T', 'A', 'I', 'L', 3, 'V', 'U', 'P',            // names
                       0x83, 0x86, 0x01, 'P', 0x0D, 27, 'E', 0, 0, 0, 0x0A, 27, 'E', 0x41, 0x40, 0x02, 0xC0}),
            region);
  Lines expected = {
      "[I] CODE TABLE -------------------", "[I]    CODE TABLE INDEX", "[I]          00 at 043E - delay Table Address",
      "[I]          01 at 0477 - 'VUP'", "[I]          02 at 0000 - ''", "[I]          03 at 0000 - 'NOPE'",
      "[I]          04 at 846A - 'PWR'", "[I]          05 at 0477 - 'VUP'", "[I]          06 at 8471 - 'TAIL'",
      "[I]    DELAY TABLE", "[I]          00 = 0B (563.2u)", "[I]          01 = 0B (563.2u)",
      "[I]          02 = 0B (563.2u)", "[I]          03 = 21 (1.6896m)"};
  for (int slot = 4; slot < 24; ++slot)
    expected.push_back("[I]          " + std::string(1, "01"[slot / 16]) + "0123456789ABCDEF"[slot % 16] + " = 00 (0u)");
  expected.insert(expected.end(), {
      "[I]    NAME TABLE INDEX lenbyte=03", "[I]          00 at 045D - (03)'PWR'", "[I]          01 at 0461 - (04)'TAIL'",
      "[I]          02 at 0466 - (03)'VUP'", "[I]    CONTINUATION RESOLUTION",
      "[I]          'PWR'---------------------->06 'TAIL'", "[I]    CODE TABLE ASSEMBLY",
      "[I]          04 at 046A IncC=1 UseR=0 Reps=03 UseP=1 UseS=0 Cont=06 'PWR'=\"'P',$0D,$1B,'E'\" Flags=01",
      "[I]          06 at 0471 IncC=0 UseR=0 Reps=00 UseP=0 UseS=0 Cont=00 'TAIL'=\"$0A,$1B,'E'\" Flags=00",
      "[I]          01 at 0477 IncC=0 UseR=1 Reps=01 UseP=0 UseS=1 Cont=00 'VUP'=\"$C0\" Flags=02", "[I]"});
  EXPECT_EQ(expected, log.fresh());
  EXPECT_EQ(region, table.getCodeTablePackedString(log.mem, 0x0430));  // asked again: same bytes
  EXPECT_EQ(0, log.mem.memDebugErrors());
}

TEST(CodeTablePacker, EmptyTableIsDelayAddressSlotsAndNameCount) {
  Log log;
  CodeTableV789 empty, placeholders;
  EXPECT_EQ(bytes({0x01, 0x02}) + std::string(25, '\0'), empty.getCodeTablePackedString(log.mem, 0x0100));
  for (int k = 0; k < 19; ++k) placeholders.createOrderedTableList("");
  EXPECT_EQ(bytes({0x01, 0x28}) + std::string(38 + 25, '\0'), placeholders.getCodeTablePackedString(log.mem, 0x0100));
}

TEST(CodeTablePacker, TablesThatCannotBeLaidOutAreErrors) {
  auto ir = [](CodeTableV789& t, memBlockCls& mem, const std::string& name, const std::string& next = "") {
    add(t, mem, name, false, nullptr, next);
  };
  struct Case { std::function<void(CodeTableV789&, memBlockCls&)> fill; int32_t start; std::string error; };
  const std::vector<Case> cases = {
      {[&](auto& t, auto& m) { ir(t, m, "A", "NONE"); }, 0, "[E]CONTINUATION not found 'NONE' for 'A'"},
      {[&](auto& t, auto& m) {
         for (int k = 0; k < 64; ++k) t.createOrderedTableList("");
         ir(t, m, "A", "B");
         ir(t, m, "B");
       }, 0, "[E]CONTINUATION position above 63 'B' for 'A'"},
      {[&](auto& t, auto& m) { for (int k = 0; k < 256; ++k) ir(t, m, "N" + std::to_string(k)); }, 0,
       "[E]NAME TABLE has more than 255 names=256"},
      {[&](auto& t, auto& m) { ir(t, m, std::string(256, 'L')); }, 0,
       "[E]Code name longer than 255 characters '" + std::string(256, 'L') + "'"},
      {[&](auto& t, auto& m) { ir(t, m, "A"); }, 0x7FF0,
       "[E]CODE TABLE does not fit below address 8000 - start 32752 length 37"},
  };
  for (const Case& c : cases) {
    Log log;
    CodeTableV789 table;
    c.fill(table, log.mem);
    table.getCodeTablePackedString(log.mem, c.start);
    EXPECT_EQ(Lines{c.error}, listing_lines::starting(log.mem.memDebugListing(true).substr(4), "[E]"));
  }
}

}  // namespace
