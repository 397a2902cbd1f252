// SerialPort: the serial line to a device, as the protocol layer uses it.
//
// Contract: bytes go out as given; input that arrived before a request is thrown away with
// discardInput(); receive() collects a reply of known length and returns as soon as that many
// bytes are in, or when the wait has passed with whatever arrived (never more than asked for,
// never a fixed sleep). The POSIX implementation opens a terminal device raw at 9600 baud,
// 8 data bits, no parity, 1 stop bit, without making it the controlling terminal, and holds
// it exclusively (TIOCEXCL and an flock) until it is closed.
#pragma once

#include <chrono>
#include <cstddef>
#include <memory>
#include <string>

namespace platform {

class SerialPort {
 public:
  virtual ~SerialPort() = default;

  // Drops every byte received and not yet read.
  virtual void discardInput() = 0;
  // Writes all of `bytes`; false when the line refused them.
  virtual bool send(const std::string& bytes) = 0;
  // Up to `count` bytes: returns once `count` bytes have arrived, the wait has passed, or the
  // line has hung up.
  virtual std::string receive(size_t count, std::chrono::milliseconds wait) = 0;
};

// Opens `device` (for example /dev/ttyUSB0) as described above. On failure returns null and
// sets `error` to one line naming the device (quoted) and the system's reason: "cannot open
// serial port 'DEV': REASON" (a missing device, no permission, with the hint to join the
// dialout group, in use, not a serial line) or "cannot set up serial port 'DEV' ...: REASON"
// when the line refuses its settings.
std::unique_ptr<SerialPort> openSerialPort(const std::string& device, std::string& error);

}  // namespace platform
