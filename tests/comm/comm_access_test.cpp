// Block reads over the serial line against a simulated device: addressing and checksums of
// each device kind, the four attempts and their trace, replies that must not count, and the
// identification globals.
#include "comm/comm_access.h"

#include <chrono>
#include <gtest/gtest.h>

#include "comm/rs232_lab.h"
#include "common/block_source.h"
#include "common/device_globals.h"
#include "common/memory_image.h"
#include "common/text_helpers.h"
#include "tests/fakes/simulated_panel.h"

namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;
using Answer = SimulatedPanel::Answer;

constexpr int16_t kPanel = devicePanel;
constexpr int16_t kAdapter = deviceAdapter;

// Every byte of block b holds b mod 256.
std::string blockNumberImage(size_t size) {
  std::string image(size, '\0');
  for (size_t a = 0; a < size; ++a) image[a] = char((a / 64) & 0xFF);
  return image;
}

std::string traceOf(std::initializer_list<std::string> lines) {
  std::string text;
  for (const auto& line : lines) text += line + "\r\n";
  return text;
}

size_t countOf(const std::string& text, const std::string& part) {
  size_t count = 0;
  for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++count;
  return count;
}

class CommAccessTest : public ::testing::Test {
 protected:
  void SetUp() override {
    VXCommon::resetDeviceGlobals();
    Rs232Lab::instance().clear();
  }
  void TearDown() override {
    frmCommAccess::instance().closePort();
    VXCommon::resetDeviceGlobals();
    Rs232Lab::instance().clear();
  }
  static void connect(const SimulatedPanel& device) {
    std::string error;
    ASSERT_TRUE(frmCommAccess::instance().openSerialDevice(device.devicePath(), error)) << error;
  }
  static std::string read(int32_t block, int16_t deviceID, int16_t& errnum) {
    std::string data = "untouched";
    frmCommAccess::instance().retrieveBlock(data, block, deviceID, errnum);
    return data;
  }
};

TEST_F(CommAccessTest, AddressesAndChecksumsOfEachDeviceKind) {
  struct Case {
    const char* name;
    int16_t device;
    int16_t fmtMajor;
    int32_t block;
    std::string request;
    int checksum;  // -1: the reply has none
  };
  const Case cases[] = {
      {"panel, format 2: no checksum", kPanel, 2, 0, "?\x80\r", -1},
      {"panel, format 3: checksum seeded with the block", kPanel, 3, 127, "?\xFF\r", 192},
      {"adapter", kAdapter, 0, 291, "?\x01\x23\r", 27},
      {"adapter block whose low byte is CR", kAdapter, 0, 13, std::string{'?', 0, 13, '\r'}, 178},
      {"adapter configuration page", kAdapter, 0, 1026, "?\xFF\x02\r", 126},
  };
  const std::string image = blockNumberImage(0x10100);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    VXCommon::gPanelFmtMajor = c.fmtMajor;
    size_t size = c.device == kPanel ? 8192 : image.size();
    SimulatedPanel device(image.substr(0, size), c.checksum >= 0, c.device);
    connect(device);
    int16_t errnum = -1;
    std::string data = read(c.block, c.device, errnum);
    EXPECT_EQ(errnum, 0);
    ASSERT_EQ(data.size(), c.checksum >= 0 ? 65u : 64u);
    EXPECT_EQ(data.substr(0, 64), std::string(64, char(c.block & 0xFF)));
    if (c.checksum >= 0) {
      EXPECT_EQ((unsigned char)data[64], c.checksum);
    }
    EXPECT_EQ(device.requests(), std::vector<std::string>{c.request});
  }
}

TEST_F(CommAccessTest, TracesEveryAttemptUntilAReplyCounts) {
  std::string image = blockNumberImage(8192);
  std::fill(image.begin() + 3 * 64, image.begin() + 4 * 64, 'A');
  VXCommon::gPanelFmtMajor = 3;
  SimulatedPanel device(image, true);
  connect(device);
  device.queueAnswers({Answer::DeviceError, Answer::BadChecksum});
  int16_t errnum = -1;
  std::string data = read(3, kPanel, errnum);
  const std::string as(64, 'A');
  EXPECT_EQ(errnum, 0);
  EXPECT_EQ(data, as + "\xBC");
  EXPECT_EQ(Rs232Lab::instance().text(),
            traceOf({" retrieveBlock: sending request block num 3",
                     " retrieveBlock: response=\"'!?'\"",
                     " retrieveBlock: retry",
                     " retrieveBlock: sending request block num 3",
                     " retrieveBlock: response=\"'" + as + "',$E6\"",
                     " retrieveBlock: ckecksum failed ",
                     " retrieveBlock: retry",
                     " retrieveBlock: sending request block num 3",
                     " retrieveBlock: response=\"'" + as + "',$BC\""}));
}

TEST_F(CommAccessTest, OnlyACompleteReplyWithAMatchingChecksumCounts) {
  struct Case {
    const char* name;
    int16_t fmtMajor;
    Answer answer;
    size_t requests;       // for the faulty block
    bool checksumFailed;
  };
  const Case cases[] = {
      {"silence", 3, Answer::Silent, 2, false},
      {"short reply", 3, Answer::Short, 2, false},
      {"long reply with a bad checksum", 3, Answer::LongBadChecksum, 2, true},
      {"long reply: the bytes after the checksum are dropped", 3, Answer::Long, 1, false},
      {"long reply without checksum", 2, Answer::Long, 1, false},
      {"reply arriving in pieces", 3, Answer::Split, 1, false},
  };
  const std::string image = blockNumberImage(8192);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Rs232Lab::instance().clear();
    VXCommon::gPanelFmtMajor = c.fmtMajor;
    SimulatedPanel device(image, c.fmtMajor >= 3);
    connect(device);
    device.queueAnswers({c.answer});
    int16_t errnum = -1;
    EXPECT_EQ(read(5, kPanel, errnum), device.normalReply(5));
    EXPECT_EQ(errnum, 0);
    EXPECT_EQ(device.requests().size(), c.requests);
    EXPECT_EQ(countOf(Rs232Lab::instance().text(), "ckecksum failed"), c.checksumFailed ? 1u : 0u);
    // Nothing of the faulty exchange leaks into the next one.
    EXPECT_EQ(read(6, kPanel, errnum), device.normalReply(6));
    EXPECT_EQ(errnum, 0);
    EXPECT_EQ(device.requests().size(), c.requests + 1);
  }
}

TEST_F(CommAccessTest, GivesUpAfterFourAttemptsSpacedApart) {
  SimulatedPanel device(blockNumberImage(8192), false);
  connect(device);
  device.queueAnswers({Answer::Silent, Answer::Silent, Answer::Silent, Answer::Silent});
  int16_t errnum = 0;
  auto start = Clock::now();
  std::string data = read(9, kPanel, errnum);
  auto took = Clock::now() - start;
  EXPECT_EQ(errnum, 1);
  EXPECT_EQ(data, "untouched");
  EXPECT_EQ(device.requests(), std::vector<std::string>(4, "?\x89\r"));
  // Four waits of 0.25 s and three pauses of 0.8 s.
  EXPECT_GE(took, 3400ms);
  EXPECT_LT(took, 4400ms);
  const std::string& trace = Rs232Lab::instance().text();
  EXPECT_EQ(countOf(trace, " retrieveBlock: sending request block num 9\r\n"), 4u);
  EXPECT_EQ(countOf(trace, " retrieveBlock: response=\"\"\r\n"), 4u);
  EXPECT_EQ(countOf(trace, " retrieveBlock: retry\r\n"), 3u);
  EXPECT_TRUE(trace.ends_with(" retrieveBlock: response=\"\"\r\n retrieveBlock: retry failed\r\n"));
}

TEST_F(CommAccessTest, AnImageKeepsNothingOfARejectedReply) {
  VXCommon::gPanelFmtMajor = 3;
  SimulatedPanel device(blockNumberImage(8192), true);
  connect(device);
  installBlockSource([]() -> BlockSource& { return frmCommAccess::instance(); });
  // Complete data with a wrong checksum and more bytes after it, four times over.
  device.queueAnswers(std::vector<Answer>(4, Answer::LongBadChecksum));
  memBlockCls image;
  image.Clear(8192, devicePanel);
  EXPECT_EQ(image.peekByte(2 * 64 + 5), 0);
  EXPECT_TRUE(image.memCommError());
  EXPECT_EQ(image.memImage().substr(2 * 64, 64), std::string(64, '\0'));
  // The next access asks the device again.
  EXPECT_EQ(image.peekByte(2 * 64 + 5), 2);
  EXPECT_EQ(device.requests().size(), 5u);
  installBlockSource(nullptr);
}

TEST_F(CommAccessTest, BlocksTheDeviceLacksAreRefusedWithoutARequest) {
  struct Case {
    int16_t device;
    int32_t block;
  };
  const Case cases[] = {{kPanel, 128}, {kPanel, -1}, {kAdapter, 1028}, {kAdapter, -1}};
  SimulatedPanel device(blockNumberImage(8192), false);
  connect(device);
  for (const Case& c : cases) {
    int16_t errnum = 0;
    EXPECT_EQ(read(c.block, c.device, errnum), "untouched") << c.block;
    EXPECT_EQ(errnum, 1);
  }
  EXPECT_TRUE(device.requests().empty());
}

TEST_F(CommAccessTest, WithoutAnOpenPortEveryReadFails) {
  std::string error;
  EXPECT_FALSE(frmCommAccess::instance().openSerialDevice("/dev/no-such-panel", error));
  EXPECT_FALSE(frmCommAccess::instance().isPortOpen());
  int16_t errnum = 0;
  auto start = Clock::now();
  EXPECT_EQ(read(0, kPanel, errnum), "untouched");
  EXPECT_EQ(errnum, 1);
  EXPECT_LT(Clock::now() - start, 100ms);
}

TEST_F(CommAccessTest, IdentificationReplySetsThePanelGlobals) {
  struct Case {
    std::string reply;
    bool stored;
    int16_t fmtMajor, fmtMinor, fwMajor, fwMinor, hwFlags;
  };
  const Case cases[] = {
      {"V\x03\x09\x01\x02\x05", true, 3, 9, 1, 2, 5},
      {std::string{'V', 2, 7, 0, char(200), char(0x80), 'x'}, true, 2, 7, 0, 200, 128},
      {"V\x03\x09\x01\x02", false, 0, 0, 0, 0, 0},
  };
  for (const Case& c : cases) {
    VXCommon::resetDeviceGlobals();
    EXPECT_EQ(frmCommAccess::storePanelIdentity(c.reply), c.stored);
    EXPECT_EQ(VXCommon::gPanelPresent, c.stored);
    EXPECT_EQ(VXCommon::gPanelFmtMajor, c.fmtMajor);
    EXPECT_EQ(VXCommon::gPanelFmtMinor, c.fmtMinor);
    EXPECT_EQ(VXCommon::gPanelFwMajor, c.fwMajor);
    EXPECT_EQ(VXCommon::gPanelFwMinor, c.fwMinor);
    EXPECT_EQ(VXCommon::gPanelHwFlags, c.hwFlags);
  }
}

}  // namespace
