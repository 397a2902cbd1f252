#include "common/memory_image.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "common/hex_dump.h"
#include "tests/fakes/listing_lines.h"

namespace {

constexpr int32_t kSize = 256;
using Op = std::function<void(memBlockCls&)>;
using Lines = std::vector<std::string>;

// The log part of the listing: what follows the banner, the dump and the blank line.
std::string logOf(const memBlockCls& mem) {
  std::string listing = mem.memDebugListing(false);
  size_t skip = listing.rfind('+', 0) == 0 ? listing.find("\r\n") + 2 : 0;
  skip += VXCommon::hexDump(mem.memImage()).size();
  EXPECT_EQ("\r\n\r\n", listing.substr(skip, 4));
  return listing.substr(skip + 4);
}

Lines linesOf(const std::string& log) {
  EXPECT_TRUE(log.empty() || log.ends_with("\r\n")) << "log does not end in CR LF";
  return listing_lines::of(log);
}

std::string bytes(std::initializer_list<int> values) { return std::string(values.begin(), values.end()); }

TEST(MemoryImage, RefusedAccessesLogOneErrorAndChangeNothing) {
  auto oneToThree = Variant::array({Variant(int16_t(1)), Variant(int16_t(2)), Variant(int16_t(3))});
  const std::string oob = " error - out of bounds location ", badByte = " error - out of bounds byte at location ",
                    pastEnd = " error - string exceeds Memory limit @ ";
  const std::pair<Op, Lines> cases[] = {
      {[](memBlockCls& m) { EXPECT_EQ(0, m.peekByte(kSize)); }, {"[E]PeekByte" + oob + "256"}},
      {[](memBlockCls& m) { m.pokeFlag(true, -1); }, {"[E]PokeFlag" + oob + "-1"}},
      {[](memBlockCls& m) { EXPECT_EQ(0, m.peekSignedChar(-1)); }, {"[E]peekSignedChar" + oob + "-1"}},
      {[](memBlockCls& m) { m.pokeAddressBEndian(0x1234, kSize - 1); }, {"[E]pokeAddressBEndian" + oob + "255"}},
      {[](memBlockCls& m) { m.pokeDWordLEndian(7, kSize - 3); }, {"[E]pokeDWordLEndian" + oob + "253"}},
      {[](memBlockCls& m) { EXPECT_EQ(0, m.peekDWordLEndian(kSize - 3)); }, {"[E]peekDWordLEndian" + oob + "253"}},
      {[](memBlockCls& m) { m.pokeByte(256, 7, 0); }, {"[E]PokeByte" + badByte + "7"}},
      {[](memBlockCls& m) { m.pokeByte(300, 9999, 0); }, {"[E]PokeByte" + badByte + "9999"}},  // value first
      {[](memBlockCls& m) { m.pokeSignedChar(-257, 4); }, {"[E]pokeSignedChar" + badByte + "4"}},
      {[](memBlockCls& m) { m.pokeNibHigh(16, 2); }, {"[E]pokeNibHigh error - out of bounds nib at location 2"}},
      {[](memBlockCls& m) { m.pokeBit(true, 8, 3); }, {"[E]pokeBit error - out of bounds bitidx at location 3"}},
      {[](memBlockCls& m) { m.pokeAddressLEndian(65536, 0); }, {"[E]pokeAddressLEndian" + badByte + "0"}},
      {[](memBlockCls& m) { m.pokeDWordLEndian(-1, 0); }, {"[E]pokeDWordLEndian" + badByte + "0"}},
      {[](memBlockCls& m) { EXPECT_EQ(15, m.pokeZString("abcd", 10, 3)); },
       {"[E]pokeZString error - string exceeds max length 10"}},
      {[](memBlockCls& m) { m.pokeZString("ab", kSize - 2, 5); }, {"[E]pokeZString" + oob + "254"}},
      {[](memBlockCls& m) { m.pokeLString(std::string(256, 'x'), 10); },
       {"[E]pokeLString error - string exceeds max length 10"}},
      {[](memBlockCls& m) { m.pokeLString("abc", kSize - 3); }, {"[E]pokeLString" + pastEnd + "253"}},
      {[](memBlockCls& m) { m.pokeString("AB", kSize - 1); }, {"[E]pokeString" + pastEnd + "255"}},
      {[](memBlockCls& m) { EXPECT_EQ("", m.peekZString(-5)); }, {"[E]peekZString" + oob + "-5"}},
      {[](memBlockCls& m) { EXPECT_EQ("", m.peekFile(10, kSize - 9)); }, {"[E]peekFile" + oob + "247"}},
      {[](memBlockCls& m) { m.pokeCheckSum(3, 2); }, {"[E]pokeCheckSum" + oob + "2"}},
      {[](memBlockCls& m) { EXPECT_FALSE(m.peekCheckSum(1, kSize)); }, {"[E]PeekByte" + oob + "256"}},
      {[&](memBlockCls& m) { m.pokeOctetsBEndian(oneToThree, kSize + 1); },
       {"[E]PokeByte" + oob + "257", "[E]PokeByte" + oob + "258", "[E]PokeByte" + oob + "259"}},
      {[](memBlockCls& m) { m.pokeOctetsLEndian(Variant::array({Variant("x"), Variant(int32_t(70000))}), 0); },
       {"[E]PokeByte" + badByte + "1", "[E]PokeByte" + badByte + "0"}},
  };
  for (const auto& [op, log] : cases) {
    SCOPED_TRACE(log.front());
    memBlockCls mem;
    mem.Clear(kSize, devicePanel);
    mem.pokeString(std::string(kSize, '\x5A'), 0);  // every block present: no fetch
    const std::string before = mem.memImage();
    const size_t logBefore = logOf(mem).size();
    op(mem);
    EXPECT_EQ(before, mem.memImage());
    EXPECT_EQ(log, linesOf(logOf(mem).substr(logBefore)));
    EXPECT_EQ(int16_t(log.size()), mem.memDebugErrors());
    EXPECT_EQ(0, mem.memDebugWarnings());
  }
}

TEST(MemoryImage, PokesWriteTheirBytesAndTraceLines) {
  struct Case { Op op; int32_t at; std::string written; Lines log; };
  const Case cases[] = {
      {[](memBlockCls& m) { m.pokeAddressBEndian(0x0430, 19); }, 19, bytes({0x04, 0x30}), {"    0013 Addr=$0430"}},
      {[](memBlockCls& m) { m.pokeFlag(true, 5); }, 5, bytes({0xFF}), {"    0005 Flag=255"}},
      {[](memBlockCls& m) { m.pokeByte(0xAB, 16, 0); }, 16, bytes({0xAB}), {"    0010 Byte=$AB"}},
      {[](memBlockCls& m) { m.pokeByte(3, 16, 10); }, 16, bytes({10}),
       {"[W]Value less than lowbound - coercing to low value of 10", "    0010 Byte=$0A"}},
      {[](memBlockCls& m) { m.pokeSignedChar(-1, 7); }, 7, bytes({0xFF}), {"    0007 SChar=255"}},
      {[](memBlockCls& m) { m.pokeNibHigh(0xC, 1); m.pokeNibLow(3, 1); }, 1, bytes({0xC3}),
       {"    0001 HNib=$C", "    0001 LNib=$3"}},
      {[](memBlockCls& m) { m.pokeDWordLEndian(1000000, 8); }, 8, bytes({0x40, 0x42, 0x0F, 0}),
       {"    0008 DWORD=1000000"}},
      {[](memBlockCls& m) { m.pokeBit(true, 3, 0); m.pokeBit(true, 7, 0); m.pokeBit(false, 3, 0); }, 0,
       bytes({0x80}), {"    0000 Bit3=$1", "    0000 Bit7=$1", "    0000 Bit3=$0"}},
      {[](memBlockCls& m) { EXPECT_EQ(35, m.pokeZString("ab", 32, 4)); }, 32, bytes({'a', 'b', 0}),
       {"    0020 Zstr=\"'ab',$00,$00\""}},
      {[](memBlockCls& m) { EXPECT_EQ(36, m.pokeZString("abc", 32, 3)); }, 32, "abc", {"    0020 Zstr=\"'abc'\""}},
      {[](memBlockCls& m) { EXPECT_EQ(43, m.pokeLString("Hi", 40)); }, 40, bytes({2, 'H', 'i'}),
       {"    0028 Lstr=$02,'Hi'"}},
      {[](memBlockCls& m) { EXPECT_EQ(256, m.pokeLString(std::string(255, 'q'), 0)); }, 0,
       char(255) + std::string(255, 'q'), {"    0000 Lstr=$FF,'" + std::string(255, 'q') + "'"}},
      {[](memBlockCls& m) { EXPECT_EQ(53, m.pokeString("AB", 50)); }, 50, "AB",
       {"    0000   41 42   " + std::string(42, ' ') + "AB", ""}},
      {[](memBlockCls& m) { m.pokeOctetsBEndian(Variant::array({Variant(int16_t(1)), Variant(int16_t(-2))}), 60); },
       60, bytes({1, 0}),
       {"    003C Byte=$01", "[W]Value less than lowbound - coercing to low value of 0", "    003D Byte=$00"}},
      // Element 0 of a list is no octet.
      {[](memBlockCls& m) {
         m.pokeOctetsLEndian(Variant::array({Variant(int16_t(9)), Variant(int16_t(1)), Variant(int16_t(2))}, 0), 60);
       },
       60, bytes({2, 1}), {"    003D Byte=$01", "    003C Byte=$02"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.log.front());
    memBlockCls mem;
    mem.Clear(kSize, devicePanel);
    mem.pokeByte(0x55, 32 + 3, 0);  // a field byte after a terminator stays as it is
    const size_t logBefore = logOf(mem).size();
    c.op(mem);
    EXPECT_EQ(c.written, mem.memImage().substr(size_t(c.at), c.written.size()));
    EXPECT_EQ(c.log, linesOf(logOf(mem).substr(logBefore)));
    EXPECT_EQ(0, mem.memDebugErrors());
  }
}

TEST(MemoryImage, PeeksReadWhatWasWritten) {
  memBlockCls mem;
  mem.Clear(kSize, devicePanel);
  mem.pokeString(std::string(kSize, '\0'), 0);
  mem.pokeString(bytes({0xC3, 0x04, 0x30, 0xFF, 0x40, 0x42, 0x0F, 0x00}), 0);
  mem.pokeZString("zed", 20, 10);
  mem.pokeLString("Hi", 40);
  mem.pokeString("ABC", 50);
  auto octets = [](const Variant& v) { return Variant(v.at(1).toInt32() * 256 + v.at(2).toInt32()); };
  struct Case { std::function<Variant()> peek; Variant result; Lines log; };
  const Case cases[] = {
      {[&] { return Variant(mem.peekByte(0)); }, int16_t(0xC3), {"    0000 Byte=$C3"}},
      {[&] { return Variant(mem.peekSignedChar(0)); }, int16_t(-61), {"    0000 SChar=195"}},
      {[&] { return Variant(mem.peekFlag(3)); }, true, {"    0003 Flag=255"}},
      {[&] { return Variant(mem.peekNibHigh(0)); }, int16_t(12), {"    0000 Byte=$C3"}},
      {[&] { return Variant(mem.peekNibLow(0)); }, int16_t(3), {"    0000 Byte=$C3"}},
      {[&] { return Variant(mem.peekAddressBEndian(1)); }, int32_t(0x0430), {"    0001 Addr=$0430"}},
      {[&] { return Variant(mem.peekAddressLEndian(1)); }, int32_t(0x3004), {"    0001 Addr=$3004"}},
      {[&] { return Variant(mem.peekDWordLEndian(4)); }, int32_t(1000000), {"    0004 DWORD=1000000"}},
      {[&] { return Variant(mem.peekBit(7, 0)); }, true, {"    0000 Bit7=$1"}},
      {[&] { return Variant(mem.peekBit(9, 3)); }, false, {"    0003 Bit9=$0"}},  // no such bit
      {[&] { return Variant(mem.peekZString(20)); }, "zed", {"    0014 Zstr=$03,'zed'"}},
      {[&] { return Variant(mem.peekZString(20, 2)); }, "ze", {"    0014 Zstr=$02,'ze'"}},
      {[&] { return Variant(mem.peekLString(40)); }, "Hi", {"    0028 Lstr=$02,'Hi'"}},
      {[&] { return Variant(mem.peekString(50, 52)); }, "ABC", {"    0032 str=$03,'ABC'"}},
      {[&] { return Variant(mem.peekString(kSize - 2, 30000)); }, std::string(2, '\0'),
       {"    00FE str=$02,'" + std::string(2, '\0') + "'"}},  // up to the last byte
      {[&] { return Variant(mem.peekFile(3, 50)); }, "ABC", {}},
      {[&] { return octets(mem.peekOctetsBEndian(2, 1)); }, int32_t(0x0430),
       {"    0001 Byte=$04", "    0002 Byte=$30"}},
      {[&] { return octets(mem.peekOctetsLEndian(2, 1)); }, int32_t(0x3004),
       {"    0002 Byte=$30", "    0001 Byte=$04"}},
  };
  size_t seen = logOf(mem).size();
  for (const auto& c : cases) {
    EXPECT_EQ(c.result, c.peek()) << c.result.toText();
    std::string log = logOf(mem);
    EXPECT_EQ(c.log, linesOf(log.substr(seen)));
    seen = log.size();
  }
  EXPECT_EQ(0, mem.memDebugErrors());
}

TEST(MemoryImage, ZeroTerminatedStringLimits) {
  memBlockCls mem;
  mem.Clear(512, devicePanel);
  mem.pokeString(std::string(512, 'A'), 0);
  EXPECT_EQ(std::string(255, 'A'), mem.peekZString(0));
  EXPECT_EQ("A", mem.peekZString(512 - 3));  // the last two bytes never belong to a string
  EXPECT_EQ("", mem.peekZString(512 - 1));
  EXPECT_EQ(0, mem.memDebugErrors());
}

TEST(MemoryImage, Checksums) {
  memBlockCls mem;
  mem.Clear(kSize, devicePanel);
  mem.pokeString(bytes({1, 2, 3}), 0);
  const size_t logBefore = logOf(mem).size();
  mem.pokeCheckSum(3, 3);
  EXPECT_EQ(bytes({0xF9}), mem.memImage().substr(3, 1));
  EXPECT_TRUE(mem.peekCheckSum(3, 3));
  mem.pokeByte(4, 2, 0);
  EXPECT_FALSE(mem.peekCheckSum(3, 3));
  mem.pokeCheckSum(0, 10);  // no bytes: 255
  EXPECT_EQ(bytes({0xFF}), mem.memImage().substr(10, 1));
  EXPECT_EQ(Lines({"    0003 Byte=$F9", "    0003 Byte=$F9", "    0002 Byte=$04", "    0003 Byte=$F9",
                   "    000A Byte=$FF"}),
            linesOf(logOf(mem).substr(logBefore)));
}

TEST(MemoryImage, LogKindsAndCounters) {
  struct Case { int16_t kind; std::string line; int16_t errors, warnings; };
  const Case cases[] = {
      {memDbgInfo, "[I]text", 0, 0},   {memDbgError, "[E]text", 1, 0},   {memDbgTrace, "    text", 0, 0},
      {memDbgBlank, "", 0, 0},         {memDbgWarning, "[W]text", 0, 1}, {9, "", 0, 0},
  };
  for (const auto& c : cases) {
    memBlockCls mem;
    mem.memDebug(c.kind, "text");
    EXPECT_EQ(c.line + "\r\n", logOf(mem));
    EXPECT_EQ(c.errors, mem.memDebugErrors());
    EXPECT_EQ(c.warnings, mem.memDebugWarnings());
  }
  memBlockCls many;
  for (int i = 0; i < 32770; ++i) {
    many.memDebug(memDbgError, "e");
    many.memDebug(memDbgWarning, "w");
  }
  EXPECT_EQ(32767, many.memDebugErrors());
  EXPECT_EQ(32767, many.memDebugWarnings());
}

TEST(MemoryImage, ListingBannersAndTouchedBlocks) {
  const std::string plus(33, '+');
  std::pair<int16_t, std::string> cases[] = {
      {devicePanel, plus + " Orvella " + std::string(42, '+') + "\r\n"},
      {deviceAdapter, plus + " Brenmor Net " + std::string(42, '+') + "\r\n"},
      {deviceController, plus + " Perrow Q400 " + std::string(41, '+') + "\r\n"},
      {0, ""},
  };
  for (const auto& [device, banner] : cases) {
    memBlockCls mem;
    mem.memDebug(memDbgInfo, "before");
    mem.Clear(128, device);
    EXPECT_EQ(banner + "\r\n\r\n[I]before\r\n", mem.memDebugListing(true));
    mem.pokeByte(0x41, 64, 0);
    const std::string fullDump = VXCommon::hexDump(mem.memImage());
    const std::string log = "\r\n\r\n[I]before\r\n    0040 Byte=$41\r\n";
    ASSERT_EQ(8 * 75u, fullDump.size());  // 75 bytes a line
    EXPECT_EQ(4 * 75u, fullDump.find("0040   41 00 "));
    EXPECT_EQ(banner + fullDump.substr(4 * 75) + log, mem.memDebugListing(true));
    EXPECT_EQ(banner + fullDump + log, mem.memDebugListing());
  }
}

TEST(MemoryImage, ClearKeepsLogCountersAndCommError) {
  memBlockCls unused;
  EXPECT_EQ(0, unused.peekByte(0));  // nothing is usable before Clear
  EXPECT_EQ(1, unused.memDebugErrors());

  memBlockCls mem;
  mem.Clear(128, devicePanel);
  mem.pokeByte(1, 0, 0);
  mem.pokeByte(999, 0, 0);
  mem.Clear(192, deviceAdapter);
  EXPECT_EQ(std::string(192, '\0'), mem.memImage());
  EXPECT_EQ(FlagList(3), mem.dirtyBlocks());
  EXPECT_EQ(1, mem.memDebugErrors());
  mem.pokeByte(7, 130, 0);
  EXPECT_EQ(FlagList::of({false, false, true}), mem.dirtyBlocks());
  EXPECT_EQ(3u, linesOf(logOf(mem)).size());
}

}  // namespace
