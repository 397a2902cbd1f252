// The POSIX serial port on a pseudo-terminal: line settings, bytes passed unchanged, exclusive
// use, opening failures, and a receive that ends as soon as the reply is complete. (Input left
// over from an earlier reply is dropped: the block-read tests check that.)
#include "platform/serial_port.h"

#include <chrono>
#include <gtest/gtest.h>
#include <pty.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <termios.h>
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
  void fromDevice(const std::string& bytes) {
    ASSERT_EQ(write(master, bytes.data(), bytes.size()), ssize_t(bytes.size()));
  }
  std::string toDevice(size_t count) {
    std::string got(count, '\0');
    for (size_t have = 0; have < count;) {
      ssize_t n = read(master, got.data() + have, count - have);
      if (n <= 0) return got.substr(0, have);
      have += size_t(n);
    }
    return got;
  }
};

std::unique_ptr<platform::SerialPort> openOrFail(const std::string& path) {
  std::string error;
  auto port = platform::openSerialPort(path, error);
  EXPECT_TRUE(port) << error;
  return port;
}

TEST(SerialPort, ARawLineAt9600EightNoneOne) {
  Pty pty;
  auto port = openOrFail(pty.path);
  ASSERT_TRUE(port);
  termios tio{};
  ASSERT_EQ(tcgetattr(pty.slave, &tio), 0);
  EXPECT_EQ(cfgetispeed(&tio), speed_t(B9600));
  EXPECT_EQ(cfgetospeed(&tio), speed_t(B9600));
  EXPECT_EQ(tio.c_cflag & (CSIZE | PARENB | CSTOPB), tcflag_t(CS8));
  EXPECT_EQ(tio.c_lflag & (ICANON | ECHO | ISIG), 0u);
  EXPECT_EQ(tio.c_oflag & OPOST, 0u);
  EXPECT_EQ(tio.c_iflag & (ICRNL | IXON), 0u);  // CR and XON/XOFF bytes pass unchanged

  std::string all;
  for (int b = 0; b < 256; ++b) all += char(b);
  ASSERT_TRUE(port->send(all));
  EXPECT_EQ(pty.toDevice(256), all);
  pty.fromDevice(all);
  EXPECT_EQ(port->receive(256, 2s), all);
}

TEST(SerialPort, ReceiveEndsWhenTheReplyIsCompleteOrTheWaitHasPassed) {
  struct Case {
    std::string arrives;
    size_t expected;
    std::chrono::milliseconds wait;
    std::string result;
    bool waitsFully;
  } cases[] = {
      {"0123456789", 10, 3000ms, "0123456789", false},
      {"0123456789", 4, 3000ms, "0123", false},  // longer than asked: the rest stays unread
      {"01234", 10, 200ms, "01234", true},       // short: what came when the wait ends
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.expected);
    Pty pty;
    auto port = openOrFail(pty.path);
    ASSERT_TRUE(port);
    if (!c.arrives.empty()) pty.fromDevice(c.arrives);
    auto start = Clock::now();
    EXPECT_EQ(port->receive(c.expected, c.wait), c.result);
    auto took = Clock::now() - start;
    EXPECT_EQ(took >= c.wait, c.waitsFully);
    EXPECT_LT(took, (c.waitsFully ? c.wait : 0ms) + 500ms);
  }
}

// Opens `device` in a child process, as an unprivileged user when the test runs as root, and
// gives back the error text.
std::string errorOpeningAsUser(const std::string& device) {
  int fds[2];
  if (pipe(fds) != 0) return "no pipe";
  pid_t child = fork();
  if (child == 0) {
    std::string error = "still privileged";
    if (geteuid() != 0 || (setgid(65534) == 0 && setuid(65534) == 0)) platform::openSerialPort(device, error);
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

TEST(SerialPort, OpeningFailuresNameTheDeviceAndTheReason) {
  char file[] = "/tmp/serial-port-test-XXXXXX";
  close(mkstemp(file));
  Pty pty, denied;
  ASSERT_EQ(fchmod(denied.slave, 0), 0);
  auto holder = openOrFail(pty.path);
  ASSERT_TRUE(holder);
  const std::string prefix = "cannot open serial port '";
  const std::pair<std::string, std::string> cases[] = {
      {"/dev/no-such-serial-port", prefix + "/dev/no-such-serial-port': No such file or directory"},
      {file, prefix + file + "': not a serial line"},
      {pty.path, prefix + pty.path + "': Device or resource busy (in use by another program)"},
  };
  for (const auto& [device, message] : cases) {
    std::string error;
    EXPECT_EQ(platform::openSerialPort(device, error), nullptr) << device;
    EXPECT_EQ(error, message);
  }
  unlink(file);
  EXPECT_EQ(errorOpeningAsUser(denied.path),
            prefix + denied.path + "': Permission denied (add the user to the dialout group)");
  holder.reset();  // closing lets the next user in
  EXPECT_TRUE(openOrFail(pty.path));
}

}  // namespace
