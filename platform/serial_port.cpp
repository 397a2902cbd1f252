#include "platform/serial_port.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

namespace platform {
namespace {

using Clock = std::chrono::steady_clock;

// The system's reason, and what it means for a serial line where that is not plain.
std::string reasonFor(int err) {
  std::string reason = std::strerror(err);
  if (err == EACCES || err == EPERM) reason += " (add the user to the dialout group)";
  if (err == EBUSY) reason += " (in use by another program)";
  return reason;
}

class PosixSerialPort : public SerialPort {
 public:
  explicit PosixSerialPort(int fd) : fd_(fd) {}
  ~PosixSerialPort() override {
    ioctl(fd_, TIOCNXCL);  // let the next program in once we are gone
    close(fd_);            // also releases the flock
  }

  void discardInput() override { tcflush(fd_, TCIFLUSH); }

  bool send(const std::string& bytes) override {
    size_t done = 0;
    while (done < bytes.size()) {
      ssize_t n = write(fd_, bytes.data() + done, bytes.size() - done);
      if (n > 0) {
        done += size_t(n);
      } else if (n < 0 && errno == EINTR) {
        continue;
      } else if (n < 0 && errno == EAGAIN) {
        pollfd p{fd_, POLLOUT, 0};
        if (poll(&p, 1, 1000) <= 0) return false;  // a line that takes no bytes for a second
      } else {
        return false;
      }
    }
    return true;
  }

  std::string receive(size_t count, std::chrono::milliseconds wait) override {
    std::string reply;
    const auto deadline = Clock::now() + wait;
    char buffer[256];
    while (reply.size() < count) {
      auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now());
      if (left.count() <= 0) break;
      pollfd p{fd_, POLLIN, 0};
      int ready = poll(&p, 1, int(left.count()));
      if (ready < 0 && errno == EINTR) continue;
      if (ready <= 0) break;
      if (!(p.revents & POLLIN)) break;  // hung up or failed: nothing more will come
      size_t want = std::min(sizeof buffer, count - reply.size());
      ssize_t n = read(fd_, buffer, want);
      if (n > 0) {
        reply.append(buffer, size_t(n));
      } else if (n < 0 && (errno == EINTR || errno == EAGAIN)) {
        continue;
      } else {
        break;
      }
    }
    return reply;
  }

 private:
  int fd_;
};

bool configureRaw9600(int fd) {
  termios tio{};
  if (tcgetattr(fd, &tio) != 0) return false;
  cfmakeraw(&tio);
  tio.c_cflag &= ~(PARENB | CSTOPB | CSIZE | CRTSCTS);
  tio.c_cflag |= CS8 | CLOCAL | CREAD;
  tio.c_iflag &= ~(IXON | IXOFF | IXANY);
  tio.c_cc[VMIN] = 0;
  tio.c_cc[VTIME] = 0;
  if (cfsetispeed(&tio, B9600) != 0 || cfsetospeed(&tio, B9600) != 0) return false;
  return tcsetattr(fd, TCSANOW, &tio) == 0;
}

}  // namespace

std::unique_ptr<SerialPort> openSerialPort(const std::string& device, std::string& error) {
  auto fail = [&](const std::string& reason) {
    error = "cannot open serial port '" + device + "': " + reason;
    return nullptr;
  };
  int fd = open(device.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return fail(reasonFor(errno));
  auto closeAndFail = [&](const std::string& reason) {
    close(fd);
    return fail(reason);
  };
  if (!isatty(fd)) return closeAndFail("not a serial line");
  // Another program holding its lock has the port in use: the lock's own "would block" says less.
  if (flock(fd, LOCK_EX | LOCK_NB) != 0) return closeAndFail(reasonFor(errno == EWOULDBLOCK ? EBUSY : errno));
  if (ioctl(fd, TIOCEXCL) != 0) return closeAndFail(reasonFor(errno));
  if (!configureRaw9600(fd)) {
    int err = errno;
    ioctl(fd, TIOCNXCL);
    close(fd);
    error = "cannot set up serial port '" + device + "' for 9600 baud, 8 data bits, no parity, 1 stop bit: " +
            reasonFor(err);
    return nullptr;
  }
  tcflush(fd, TCIOFLUSH);
  return std::make_unique<PosixSerialPort>(fd);
}

}  // namespace platform
