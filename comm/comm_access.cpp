#include "comm/comm_access.h"

#include <optional>
#include <thread>

#include "comm/rs232_lab.h"
#include "common/device_globals.h"
#include "common/memory_image.h"
#include "common/text_helpers.h"

namespace {

constexpr int32_t kBlockBytes = memBlockCls::kBlockSize;
constexpr int32_t kPanelBlocks = kPanelImageSize / kBlockBytes;
constexpr int32_t kAdapterBlocks = 1028;   // 64 KB and the 256-byte configuration page
constexpr int32_t kConfigPageBlock = 1024;

struct BlockRequest {
  std::string bytes;     // "?", the address, CR
  size_t replyLength;    // 64, or 65 with the checksum
  bool hasChecksum;
  int16_t checksumSeed;
};

// The request for a block, or nothing for a block the device does not have (its address would
// not fit the request and name another block).
std::optional<BlockRequest> requestFor(int32_t blocknum, int16_t deviceID) {
  if (deviceID == devicePanel) {
    if (blocknum < 0 || blocknum >= kPanelBlocks) return std::nullopt;
    bool checksum = VXCommon::gPanelFmtMajor >= 3;
    return BlockRequest{std::string{'?', char(blocknum + 128), '\r'}, checksum ? 65u : 64u,
                        checksum, int16_t(blocknum)};
  }
  if (blocknum < 0 || blocknum >= kAdapterBlocks) return std::nullopt;
  int high = blocknum >= kConfigPageBlock ? 255 : blocknum / 256;
  int low = blocknum % 256;
  return BlockRequest{std::string{'?', char(high), char(low), '\r'}, 65u, true,
                      int16_t((high + low) % 256)};
}

// The device's error reply, alone or after bytes it had sent.
bool endsInRefusal(const std::string& reply) {
  return reply.size() >= 2 && reply.compare(reply.size() - 2, 2, "!?") == 0;
}

// A reply counts when it is complete, is not the device's error reply and, when a checksum
// byte follows the data, that byte matches; otherwise gives why it does not. The reply never
// holds more than the expected length: anything the device sent after it was left unread and
// is discarded.
std::optional<BlockFetchFailure::Attempt> whyReplyFails(const std::string& reply, const BlockRequest& request,
                                                        Rs232Lab& trace) {
  using Outcome = BlockFetchFailure::Outcome;
  if (endsInRefusal(reply)) return BlockFetchFailure::Attempt{Outcome::refused};
  if (reply.empty()) return BlockFetchFailure::Attempt{Outcome::noAnswer};
  if (reply.size() < request.replyLength)
    return BlockFetchFailure::Attempt{Outcome::shortReply, reply.size(), request.replyLength};
  if (request.hasChecksum) {
    int16_t expected = VXCommon::checkSum8(reply.substr(0, kBlockBytes), request.checksumSeed);
    if ((unsigned char)reply[kBlockBytes] != expected) {
      trace.addDebugging(" retrieveBlock: ckecksum failed ");
      return BlockFetchFailure::Attempt{Outcome::badChecksum};
    }
  }
  return std::nullopt;
}

}  // namespace

frmCommAccess& frmCommAccess::instance() {
  static frmCommAccess window;
  return window;
}

bool frmCommAccess::openSerialDevice(const std::string& device, std::string& error) {
  port_.reset();
  port_ = platform::openSerialPort(device, error);
  return port_ != nullptr;
}

void frmCommAccess::attachPort(std::unique_ptr<platform::SerialPort> port) {
  port_ = std::move(port);
}

void frmCommAccess::closePort() { port_.reset(); }

void frmCommAccess::retrieveBlock(std::string& data, int32_t blocknum, int16_t deviceID,
                                  int16_t& errnum) {
  errnum = 1;
  BlockFetchFailure failed{blocknum, deviceID, port_ != nullptr, {}};
  auto request = requestFor(blocknum, deviceID);
  if (!request || !port_) {
    lastFailure_ = failed;
    return;
  }
  Rs232Lab& trace = Rs232Lab::instance();
  for (int attempt = 1; attempt <= kAttempts; ++attempt) {
    if (attempt > 1) {
      trace.addDebugging(" retrieveBlock: retry");
      std::this_thread::sleep_for(kRetryPause);
    }
    trace.addDebugging(" retrieveBlock: sending request block num " + std::to_string(blocknum));
    port_->discardInput();
    std::string reply;
    const bool sent = port_->send(request->bytes);
    if (sent) reply = port_->receive(request->replyLength, kReplyWait);
    trace.addDebugging(" retrieveBlock: response=" + VXCommon::quoteCodeString(reply));
    auto failure = whyReplyFails(reply, *request, trace);
    if (!failure) {
      data = std::move(reply);
      errnum = 0;
      return;
    }
    if (!sent) failure->outcome = BlockFetchFailure::Outcome::notSent;
    failed.attempts.push_back(*failure);
  }
  trace.addDebugging(" retrieveBlock: retry failed");
  lastFailure_ = std::move(failed);
}

bool frmCommAccess::storePanelIdentity(const std::string& reply) {
  if (reply.size() < 6) return false;
  auto code = [&](size_t position) { return int16_t((unsigned char)reply[position - 1]); };
  VXCommon::gPanelFmtMajor = code(2);
  VXCommon::gPanelFmtMinor = code(3);
  VXCommon::gPanelFwMajor = code(4);
  VXCommon::gPanelFwMinor = code(5);
  VXCommon::gPanelHwFlags = code(6);
  VXCommon::gPanelPresent = true;
  return true;
}
