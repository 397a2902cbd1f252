// frmCommAccess: the device communication window, reduced to what the memory image and the
// program need of it: one instance, created on first use, that owns the serial port and reads
// 64-byte memory blocks from the device over it.
//
// Block read protocol: the request is "?", the block address and CR. A panel's address is one
// byte, the block number + 128; an adapter's is two bytes, high then low, where high is the
// block number div 256 (255 for the configuration page, blocks 1024 and up) and low the block
// number mod 256. The reply is the 64 data bytes, followed by a checksum byte for the adapter
// and for a panel whose memory format major version is 3 or more; the checksum is checkSum8
// of the data seeded with the block number (panel) or (high + low) mod 256 (adapter).
// A device that cannot serve the block answers "!?". Each request waits 0.25 s for its reply;
// up to four requests are made, 0.8 s apart. Every step is traced in Rs232Lab, and why the
// last read failed is kept for the program to say.
#pragma once

#include <chrono>
#include <cstdint>
#include <memory>
#include <string>

#include "comm/block_fetch_failure.h"
#include "common/block_source.h"
#include "platform/serial_port.h"

class frmCommAccess : public BlockSource {
 public:
  static constexpr std::chrono::milliseconds kReplyWait{250};
  static constexpr std::chrono::milliseconds kRetryPause{800};
  static constexpr int kAttempts = 4;

  static frmCommAccess& instance();

  // Opens the serial device at `device` (a path such as /dev/ttyUSB0), closing the port in use
  // first. On failure no port is open and `error` names the device and the reason.
  bool openSerialDevice(const std::string& device, std::string& error);
  // Takes over a port that is already open.
  void attachPort(std::unique_ptr<platform::SerialPort> port);
  void closePort();
  bool isPortOpen() const { return port_ != nullptr; }

  // Reads block `blocknum` of device `deviceID` (1 panel, 2 adapter). errnum 0: data is the
  // reply, its first 64 characters the block's bytes and, when one is expected, the checksum
  // byte after them. errnum 1: no reply counted (or no port is open); data is left unchanged.
  void retrieveBlock(std::string& data, int32_t blocknum, int16_t deviceID,
                     int16_t& errnum) override;

  // Why the last retrieveBlock that failed did (a later one that succeeds changes nothing);
  // failed() is false while none has. Kept when the port is closed.
  const BlockFetchFailure& lastFailure() const { return lastFailure_; }

  // Stores a panel's identification reply in the device globals: the character codes of its
  // characters 2 and 3 are the memory format (major, minor), 4 and 5 the firmware version,
  // 6 the hardware flags; the panel is then present. A reply of fewer than six characters
  // changes nothing and gives false.
  static bool storePanelIdentity(const std::string& reply);

 private:
  frmCommAccess() = default;
  std::unique_ptr<platform::SerialPort> port_;
  BlockFetchFailure lastFailure_;
};
