// SimulatedPanel: a device at the far end of a pseudo-terminal, for the serial code's tests
// and benchmark. A thread answers each block request ("?", the block address, CR) from an
// image: one address byte (block + 128) for a panel, two (high, low; high 255 for the
// configuration page) for an adapter; a malformed request, a block the image lacks or one it is
// told to refuse gets "!?".
// Its answers follow a queue that tests fill to make it misbehave; once the queue is empty it
// answers normally. The device path is opened by the code under test like any serial device.
#pragma once

#include <cstdint>
#include <deque>
#include <mutex>
#include <set>
#include <string>
#include <thread>
#include <vector>

class SimulatedPanel {
 public:
  enum class Answer {
    Normal,           // the 64 bytes, then the checksum when the device sends one
    Silent,           // nothing at all
    DeviceError,      // "!?"
    Short,            // the first 32 bytes only
    Long,             // the normal reply followed by three more bytes
    BadChecksum,      // the 64 bytes with a wrong checksum byte
    LongBadChecksum,  // the 64 bytes, a wrong checksum byte and three more bytes
    Split,            // the normal reply in two pieces 50 ms apart
  };

  // `image` is the device's memory; `deviceID` 1 is a panel, any other an adapter.
  SimulatedPanel(std::string image, bool withChecksum, int16_t deviceID = 1);
  ~SimulatedPanel();
  SimulatedPanel(const SimulatedPanel&) = delete;
  SimulatedPanel& operator=(const SimulatedPanel&) = delete;

  const std::string& devicePath() const { return path_; }
  // Answers for the next requests, in order.
  void queueAnswers(const std::vector<Answer>& answers);
  // Every request for `blocknum` gets "!?", as for a block the device cannot read.
  void refuseBlock(int32_t blocknum);
  // The requests' bytes as received.
  std::vector<std::string> requests() const;
  // The reply a device with this image gives to a request for `blocknum`.
  std::string normalReply(int32_t blocknum) const;

 private:
  unsigned char checksumOf(int32_t blocknum) const;
  int32_t blockOf(const std::string& address) const;  // -1 for one the image lacks
  void serve();
  void handle(const std::string& request);
  void writeAll(const std::string& bytes);

  std::string image_;
  bool withChecksum_;
  int16_t deviceID_;
  int master_ = -1, slave_ = -1;
  int stopPipe_[2] = {-1, -1};
  std::string path_;
  mutable std::mutex mutex_;
  std::deque<Answer> queue_;
  std::set<int32_t> refused_;
  std::vector<std::string> requests_;
  std::thread thread_;
};
