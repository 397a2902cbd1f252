#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "common/memory_image.h"
#include "tests/fakes/fake_block_source.h"

namespace {

using Peek = std::function<void(memBlockCls&)>;
using testing::HasSubstr;

std::string blockOf(char fill) { return std::string(64, fill); }

int countOf(const std::string& listing, const std::string& text) {
  int n = 0;
  for (size_t at = listing.find(text); at != std::string::npos; at = listing.find(text, at + 1)) ++n;
  return n;
}

class MemoryImageFetch : public ::testing::Test {
 protected:
  void SetUp() override {
    for (int32_t b = 0; b < 128; ++b) device.setBlock(b, blockOf(char('a' + b % 26)));
    mem.Clear(8192, devicePanel);
  }
  FakeBlockSource device;
  ScopedBlockSource installed{device};
  memBlockCls mem;
};

TEST_F(MemoryImageFetch, APeekFetchesItsBlockOnceWithTheDeviceTypeAndPokesNever) {
  EXPECT_EQ('b', mem.peekByte(64));
  EXPECT_EQ('b', mem.peekByte(127));
  ASSERT_EQ(1u, device.calls().size());
  EXPECT_EQ(1, device.calls()[0].blocknum);
  EXPECT_EQ(devicePanel, device.calls()[0].deviceID);
  EXPECT_EQ(blockOf('b'), mem.memImage().substr(64, 64));
  EXPECT_FALSE(mem.dirtyBlocks().at(1));
  EXPECT_TRUE(mem.dirtyBlocks().at(2));
  EXPECT_FALSE(mem.memCommError());

  device.setBlock(2, blockOf('x') + "\x7F");  // a checksum byte after the data is no part of it
  EXPECT_EQ('x', mem.peekByte(191));
  EXPECT_EQ('d', mem.peekByte(192));

  device.clearCalls();
  mem.pokeNibHigh(1, 1000);
  mem.pokeBit(true, 0, 1070);
  mem.pokeCheckSum(10, 1140);
  mem.pokeString("zz", 1300);
  EXPECT_TRUE(device.calls().empty());
}

TEST_F(MemoryImageFetch, BlocksTouchedBySpansAreFetchedInOrder) {
  device.setBlock(0, std::string(63, 'a') + "\x02");
  struct Case { const char* what; Peek peek; std::vector<int32_t> blocks; } cases[] = {
      {"length byte last of its block", [](memBlockCls& m) { EXPECT_EQ("bb", m.peekLString(63)); }, {0, 1}},
      {"string from the last byte of a block", [](memBlockCls& m) { m.peekString(127, 128); }, {1, 2}},
      {"checksum byte last of its block", [](memBlockCls& m) { m.peekCheckSum(63, 127); }, {1}},
      {"checksum over two blocks", [](memBlockCls& m) { m.peekCheckSum(4, 130); }, {1, 2}},
      {"dword with its top byte set", [](memBlockCls& m) { EXPECT_EQ(16777216, m.peekDWordLEndian(62)); }, {1}},
      {"file span", [](memBlockCls& m) { m.peekFile(130, 10); }, {0, 1, 2}},
      {"little-endian octets", [](memBlockCls& m) { m.peekOctetsLEndian(2, 63); }, {1, 0}},
  };
  for (const auto& c : cases) {
    memBlockCls fresh;
    fresh.Clear(8192, devicePanel);
    device.clearCalls();
    c.peek(fresh);
    EXPECT_EQ(c.blocks, device.requestedBlocks()) << c.what;
    EXPECT_EQ(0, fresh.memDebugErrors()) << c.what;
  }
}

TEST_F(MemoryImageFetch, FailedBlocksAreLoggedAndAskedForAgainByTheNextAccess) {
  for (int32_t b : {0, 5, 9}) device.failBlock(b);
  EXPECT_EQ(0, mem.peekByte(0));
  mem.peekByte(5 * 64 + 3);
  mem.peekBit(1, 9 * 64);
  EXPECT_TRUE(mem.memCommError());
  EXPECT_EQ(3, mem.memDebugErrors());
  for (int block : {0, 5, 9}) {
    const std::string line = "[E]Communications error reading block " + std::to_string(block) + "\r\n";
    EXPECT_EQ(1, countOf(mem.memDebugListing(true), line)) << line;
  }
  mem.peekByte(1);
  EXPECT_EQ(2, device.callsFor(0));
  EXPECT_EQ(4, mem.memDebugErrors());

  device.failBlock(0, false);
  EXPECT_EQ('a', mem.peekByte(2));
  EXPECT_EQ(3, device.callsFor(0));
  EXPECT_EQ(4, mem.memDebugErrors());
  EXPECT_TRUE(mem.memCommError());  // never cleared
}

TEST_F(MemoryImageFetch, WithinOneOperationAFailedBlockIsAskedForOnce) {
  device.failBlock(1);
  const std::pair<const char*, Peek> cases[] = {
      {"raw string over three blocks", [](memBlockCls& m) { EXPECT_EQ(192u, m.peekString(0, 191).size()); }},
      {"octet list", [](memBlockCls& m) { m.peekOctetsBEndian(10, 60); }},
      {"checksum", [](memBlockCls& m) { m.peekCheckSum(100, 150); }},
      {"file", [](memBlockCls& m) { EXPECT_EQ(std::string(64, '\0'), m.peekFile(64, 64)); }},
      {"length-prefixed string", [](memBlockCls& m) { EXPECT_EQ("", m.peekLString(64)); }},
  };
  for (const auto& [what, peek] : cases) {
    SCOPED_TRACE(what);
    memBlockCls fresh;
    fresh.Clear(8192, devicePanel);
    device.clearCalls();
    peek(fresh);
    EXPECT_EQ(1, device.callsFor(1));
    EXPECT_EQ(1, fresh.memDebugErrors());
    EXPECT_EQ(1, countOf(fresh.memDebugListing(true), "Communications error reading block 1\r\n"));
    peek(fresh);  // the next operation asks again
    EXPECT_EQ(2, device.callsFor(1));
  }
}

TEST_F(MemoryImageFetch, ShortRepliesAndMissingSourcesAreFailures) {
  device.setBlock(3, "short");
  mem.peekByte(3 * 64);
  EXPECT_EQ(1, mem.memDebugErrors());
  EXPECT_FALSE(mem.dirtyBlocks().at(4));

  installBlockSource(nullptr);
  memBlockCls unreachable;
  unreachable.Clear(8192, devicePanel);
  unreachable.peekByte(0);
  EXPECT_TRUE(unreachable.memCommError());
  EXPECT_EQ(1, unreachable.memDebugErrors());
}

TEST_F(MemoryImageFetch, AdapterConfigurationPage) {
  memBlockCls adapter;
  adapter.Clear(0x10100, deviceAdapter);
  device.setBlock(1024, blockOf('\x7E'));
  device.clearCalls();
  EXPECT_EQ(0x7E, adapter.peekByte(0x10000));
  ASSERT_EQ(1u, device.calls().size());
  EXPECT_EQ(1024, device.calls()[0].blocknum);
  EXPECT_EQ(deviceAdapter, device.calls()[0].deviceID);
  EXPECT_THAT(adapter.memDebugListing(true), HasSubstr("\r\n    10000 Byte=$7E\r\n"));
  EXPECT_THAT(adapter.memDebugListing(true), HasSubstr("\r\n10000   7E 7E "));
}

}  // namespace
