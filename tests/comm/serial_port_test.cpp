// The POSIX serial port on a pseudo-terminal: line settings, exclusive use, opening failures,
// and a receive that ends as soon as the reply is complete.
#include "platform/serial_port.h"

#include <chrono>
#include <cstdio>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <pty.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <termios.h>
#include <thread>
#include <unistd.h>

namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

struct Pty {
  int master = -1, slave = -1;
  std::string path;
  Pty() {
    char name[256] = {};
    if (openpty(&master, &slave, name, nullptr, nullptr) == 0) path = name;
  }
  ~Pty() {
    close(slave);
    close(master);
  }
  void fromDevice(const std::string& bytes) { ASSERT_EQ(write(master, bytes.data(), bytes.size()), ssize_t(bytes.size())); }
  std::string toDevice(size_t count) {
    std::string got(count, '\0');
    size_t have = 0;
    while (have < count) {
      ssize_t n = read(master, got.data() + have, count - have);
      if (n <= 0) break;
      have += size_t(n);
    }
    got.resize(have);
    return got;
  }
};

std::unique_ptr<platform::SerialPort> openOrFail(const std::string& path) {
  std::string error;
  auto port = platform::openSerialPort(path, error);
  EXPECT_TRUE(port) << error;
  return port;
}

TEST(SerialPort, OpensRawAt9600EightNoneOne) {
  Pty pty;
  auto port = openOrFail(pty.path);
  ASSERT_TRUE(port);
  termios tio{};
  ASSERT_EQ(tcgetattr(pty.slave, &tio), 0);
  EXPECT_EQ(cfgetispeed(&tio), speed_t(B9600));
  EXPECT_EQ(cfgetospeed(&tio), speed_t(B9600));
  EXPECT_EQ(tio.c_cflag & CSIZE, tcflag_t(CS8));
  EXPECT_EQ(tio.c_cflag & (PARENB | CSTOPB), 0u);
  EXPECT_EQ(tio.c_lflag & (ICANON | ECHO | ISIG), 0u);
  EXPECT_EQ(tio.c_oflag & OPOST, 0u);
  EXPECT_EQ(tio.c_iflag & (ICRNL | IXON), 0u);  // CR and XON/XOFF bytes pass unchanged
}

TEST(SerialPort, BytesPassUnchangedBothWays) {
  Pty pty;
  auto port = openOrFail(pty.path);
  ASSERT_TRUE(port);
  std::string all;
  for (int b = 0; b < 256; ++b) all += char(b);
  ASSERT_TRUE(port->send(all));
  EXPECT_EQ(pty.toDevice(256), all);
  pty.fromDevice(all);
  EXPECT_EQ(port->receive(256, 2s), all);
}

TEST(SerialPort, ReceiveEndsWhenTheReplyIsCompleteOrTheWaitHasPassed) {
  struct Case {
    const char* name;
    std::string arrives;
    size_t expected;
    std::chrono::milliseconds wait;
    std::string result;
    bool waitsFully;
  };
  const Case cases[] = {
      {"complete", "0123456789", 10, 3000ms, "0123456789", false},
      {"longer than asked: the rest stays unread", "0123456789", 4, 3000ms, "0123", false},
      {"short: what came when the wait ends", "01234", 10, 200ms, "01234", true},
      {"silence", "", 10, 200ms, "", true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Pty pty;
    auto port = openOrFail(pty.path);
    ASSERT_TRUE(port);
    if (!c.arrives.empty()) pty.fromDevice(c.arrives);
    auto start = Clock::now();
    EXPECT_EQ(port->receive(c.expected, c.wait), c.result);
    auto took = Clock::now() - start;
    if (c.waitsFully) {
      EXPECT_GE(took, c.wait);
      EXPECT_LT(took, c.wait + 500ms);
    } else {
      EXPECT_LT(took, 500ms);
    }
  }
}

TEST(SerialPort, DiscardInputDropsWhatArrivedBefore) {
  Pty pty;
  auto port = openOrFail(pty.path);
  ASSERT_TRUE(port);
  pty.fromDevice("stale");
  std::this_thread::sleep_for(50ms);  // let the pseudo-terminal deliver it
  port->discardInput();
  pty.fromDevice("fresh");
  EXPECT_EQ(port->receive(5, 1s), "fresh");
}

TEST(SerialPort, OpeningFailuresNameTheDeviceAndTheReason) {
  char file[] = "/tmp/serial-port-test-XXXXXX";
  int fd = mkstemp(file);
  ASSERT_GE(fd, 0);
  close(fd);
  Pty pty;
  auto holder = openOrFail(pty.path);
  ASSERT_TRUE(holder);

  struct Case {
    std::string device;
    std::string message;
  };
  const Case cases[] = {
      {"/dev/no-such-serial-port", "cannot open serial port /dev/no-such-serial-port: no such device"},
      {file, std::string("cannot open serial port ") + file + ": not a serial port"},
      {pty.path, "cannot open serial port " + pty.path + ": in use by another program"},
  };
  for (const Case& c : cases) {
    std::string error;
    EXPECT_EQ(platform::openSerialPort(c.device, error), nullptr) << c.device;
    EXPECT_EQ(error, c.message);
  }
  unlink(file);
}

// Opens `device` as an unprivileged user (in a child process when the test runs as root) and
// gives back the error text.
std::string errorOpeningAsUser(const std::string& device) {
  if (geteuid() != 0) {
    std::string error;
    platform::openSerialPort(device, error);
    return error;
  }
  int fds[2];
  if (pipe(fds) != 0) return "no pipe";
  pid_t child = fork();
  if (child == 0) {
    close(fds[0]);
    std::string error = "still privileged";
    if (setgid(65534) == 0 && setuid(65534) == 0) platform::openSerialPort(device, error);
    (void)!write(fds[1], error.data(), error.size());
    _exit(0);
  }
  close(fds[1]);
  std::string error;
  char buffer[256];
  for (ssize_t n; (n = read(fds[0], buffer, sizeof buffer)) > 0;) error.append(buffer, size_t(n));
  close(fds[0]);
  waitpid(child, nullptr, 0);
  return error;
}

TEST(SerialPort, DeniedAccessPointsToTheDialoutGroup) {
  Pty pty;
  ASSERT_EQ(fchmod(pty.slave, 0), 0);
  EXPECT_EQ(errorOpeningAsUser(pty.path),
            "cannot open serial port " + pty.path +
                ": permission denied (add the user to the dialout group)");
}

TEST(SerialPort, ClosingLetsTheNextUserIn) {
  Pty pty;
  openOrFail(pty.path).reset();
  EXPECT_TRUE(openOrFail(pty.path));
}

}  // namespace
