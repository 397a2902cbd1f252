// Block reads over the serial line against a simulated device: addressing and checksums of
// each device kind, the four attempts and their trace, replies that must not count, and the
// identification globals.
#include "comm/comm_access.h"

#include <chrono>
#include <gtest/gtest.h>

#include "comm/rs232_lab.h"
#include "common/device_globals.h"
#include "common/memory_image.h"
#include "tests/fakes/fake_block_source.h"
#include "tests/fakes/simulated_panel.h"

namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;
using Answer = SimulatedPanel::Answer;
using Read = std::pair<std::string, int16_t>;

// Every byte of block b holds b mod 256.
std::string blockNumberImage(size_t size) {
  std::string image(size, '\0');
  for (size_t a = 0; a < size; ++a) image[a] = char((a / 64) & 0xFF);
  return image;
}

std::string traceOf(std::initializer_list<std::string> lines) {
  std::string text;
  for (const auto& line : lines) text += " retrieveBlock: " + line + "\r\n";
  return text;
}

class CommAccessTest : public ::testing::Test {
 protected:
  void SetUp() override {
    VXCommon::resetDeviceGlobals();
    Rs232Lab::instance().clear();
  }
  void TearDown() override {
    frmCommAccess::instance().closePort();
    SetUp();
  }
  static void connect(const SimulatedPanel& device) {
    std::string error;
    ASSERT_TRUE(frmCommAccess::instance().openSerialDevice(device.devicePath(), error)) << error;
  }
  // The data and errnum after the read; the data stays "untouched" when the read fails.
  static Read read(int32_t block, int16_t deviceID = devicePanel) {
    Read result = {"untouched", -1};
    frmCommAccess::instance().retrieveBlock(result.first, block, deviceID, result.second);
    return result;
  }
};

TEST_F(CommAccessTest, AddressesAndChecksumsOfEachDeviceKind) {
  struct Case {
    int16_t device, fmtMajor;
    int32_t block;
    std::string request;
    int checksum;  // -1: the reply has none
  } cases[] = {
      {devicePanel, 2, 0, "?\x80\r", -1},
      {devicePanel, 3, 127, "?\xFF\r", 192},  // seeded with the block
      {deviceAdapter, 0, 291, "?\x01\x23\r", 27},
      {deviceAdapter, 0, 1026, "?\xFF\x02\r", 126},  // configuration page
  };
  const std::string image = blockNumberImage(0x10100);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.block);
    VXCommon::gPanelFmtMajor = c.fmtMajor;
    size_t size = c.device == devicePanel ? 8192 : image.size();
    SimulatedPanel device(image.substr(0, size), c.checksum >= 0, c.device);
    connect(device);
    std::string expected(64, char(c.block & 0xFF));
    if (c.checksum >= 0) expected += char(c.checksum);
    EXPECT_EQ(read(c.block, c.device), Read(expected, 0));
    EXPECT_EQ(device.requests(), std::vector<std::string>{c.request});
  }
}

TEST_F(CommAccessTest, TracesEveryAttemptUntilAReplyCounts) {
  std::string image = blockNumberImage(8192);
  std::fill(image.begin() + 3 * 64, image.begin() + 4 * 64, 'A');
  VXCommon::gPanelFmtMajor = 3;
  SimulatedPanel device(image, true);
  connect(device);
  device.queueAnswers({Answer::DeviceError, Answer::BadChecksum, Answer::Short});
  const std::string as(64, 'A');
  EXPECT_EQ(read(3), Read(as + "\xBC", 0));  // the fourth and last attempt counts
  const std::string sending = "sending request block num 3";
  EXPECT_EQ(Rs232Lab::instance().text(),
            traceOf({sending, "response=\"'!?'\"", "retry", sending, "response=\"'" + as + "',$E6\"",
                     "ckecksum failed ", "retry", sending, "response=\"'" + as.substr(32) + "'\"", "retry",
                     sending, "response=\"'" + as + "',$BC\""}));
}

TEST_F(CommAccessTest, OnlyACompleteReplyWithAMatchingChecksumCounts) {
  struct Case {
    Answer answer;
    size_t requests;  // for the faulty block
    bool checksumFailed;
  } cases[] = {
      {Answer::LongBadChecksum, 2, true},
      {Answer::Long, 1, false},  // the bytes after the checksum are dropped
      {Answer::Split, 1, false},
  };
  VXCommon::gPanelFmtMajor = 3;
  for (const Case& c : cases) {
    SCOPED_TRACE(int(c.answer));
    Rs232Lab::instance().clear();
    SimulatedPanel device(blockNumberImage(8192), true);
    connect(device);
    device.queueAnswers({c.answer});
    EXPECT_EQ(read(5), Read(device.normalReply(5), 0));
    EXPECT_EQ(device.requests().size(), c.requests);
    bool checksumFailed = Rs232Lab::instance().text().find("ckecksum failed") != std::string::npos;
    EXPECT_EQ(checksumFailed, c.checksumFailed);
    // Nothing of the faulty exchange leaks into the next one.
    EXPECT_EQ(read(6), Read(device.normalReply(6), 0));
    EXPECT_EQ(device.requests().size(), c.requests + 1);
  }
}

TEST_F(CommAccessTest, GivesUpAfterFourAttemptsSpacedApart) {
  SimulatedPanel device(blockNumberImage(8192), false);
  connect(device);
  device.queueAnswers(std::vector<Answer>(4, Answer::Silent));
  auto start = Clock::now();
  EXPECT_EQ(read(9), Read("untouched", 1));
  auto took = Clock::now() - start;
  EXPECT_EQ(device.requests(), std::vector<std::string>(4, "?\x89\r"));
  EXPECT_GE(took, 3400ms);  // four waits of 0.25 s and three pauses of 0.8 s
  EXPECT_LT(took, 4400ms);
  std::string expected;
  for (int attempt = 1; attempt <= 4; ++attempt)
    expected += traceOf({"sending request block num 9", "response=\"\"",
                         attempt < 4 ? "retry" : "retry failed"});
  EXPECT_EQ(Rs232Lab::instance().text(), expected);
}

TEST_F(CommAccessTest, AnImageKeepsNothingOfARejectedReply) {
  VXCommon::gPanelFmtMajor = 3;
  SimulatedPanel device(blockNumberImage(8192), true);
  connect(device);
  ScopedBlockSource source(frmCommAccess::instance());
  // Complete data with a wrong checksum and more bytes after it, four times over.
  device.queueAnswers(std::vector<Answer>(4, Answer::LongBadChecksum));
  memBlockCls image;
  image.Clear(8192, devicePanel);
  EXPECT_EQ(image.peekByte(2 * 64 + 5), 0);
  EXPECT_TRUE(image.memCommError());
  EXPECT_EQ(image.memImage().substr(2 * 64, 64), std::string(64, '\0'));
  EXPECT_EQ(image.peekByte(2 * 64 + 5), 2);  // the next access asks the device again
  EXPECT_EQ(device.requests().size(), 5u);
}

TEST_F(CommAccessTest, ReadsThatCannotBeAnsweredFailWithoutARequest) {
  std::string error;
  EXPECT_FALSE(frmCommAccess::instance().openSerialDevice("/dev/no-such-panel", error));
  EXPECT_FALSE(frmCommAccess::instance().isPortOpen());
  auto start = Clock::now();
  EXPECT_EQ(read(0), Read("untouched", 1));
  EXPECT_LT(Clock::now() - start, 100ms);

  SimulatedPanel device(blockNumberImage(8192), false);
  connect(device);
  for (auto [deviceID, block] : {std::pair<int16_t, int32_t>{devicePanel, 128}, {devicePanel, -1},
                                 {deviceAdapter, 1028}, {deviceAdapter, -1}}) {
    EXPECT_EQ(read(block, deviceID), Read("untouched", 1)) << block;
  }
  EXPECT_TRUE(device.requests().empty());
}

TEST_F(CommAccessTest, IdentificationReplySetsThePanelGlobals) {
  struct Case {
    std::string reply;
    bool stored;
    std::vector<int> globals;  // format major, minor, firmware major, minor, hardware flags
  } cases[] = {
      {std::string{'V', 2, 7, 0, char(200), char(0x80), 'x'}, true, {2, 7, 0, 200, 128}},
      {"V\x03\x09\x01\x02", false, {0, 0, 0, 0, 0}},
  };
  for (const Case& c : cases) {
    VXCommon::resetDeviceGlobals();
    EXPECT_EQ(frmCommAccess::storePanelIdentity(c.reply), c.stored);
    EXPECT_EQ(VXCommon::gPanelPresent, c.stored);
    using namespace VXCommon;
    std::vector<int> globals = {gPanelFmtMajor, gPanelFmtMinor, gPanelFwMajor, gPanelFwMinor, gPanelHwFlags};
    EXPECT_EQ(globals, c.globals);
  }
}

}  // namespace
