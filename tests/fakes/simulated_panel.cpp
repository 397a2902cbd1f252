#include "tests/fakes/simulated_panel.h"

#include <chrono>
#include <poll.h>
#include <pty.h>
#include <stdexcept>
#include <termios.h>
#include <unistd.h>

#include "common/text_helpers.h"

namespace {
constexpr size_t kBlockBytes = 64;
constexpr int32_t kConfigPageBlock = 1024;
}  // namespace

SimulatedPanel::SimulatedPanel(std::string image, bool withChecksum, int16_t deviceID)
    : image_(std::move(image)), withChecksum_(withChecksum), deviceID_(deviceID) {
  char name[256] = {};
  termios raw{};
  cfmakeraw(&raw);
  if (openpty(&master_, &slave_, name, &raw, nullptr) != 0 || pipe(stopPipe_) != 0)
    throw std::runtime_error("cannot make a pseudo-terminal for the simulated panel");
  path_ = name;
  thread_ = std::thread([this] { serve(); });
}

SimulatedPanel::~SimulatedPanel() {
  (void)!write(stopPipe_[1], "x", 1);
  thread_.join();
  for (int fd : {stopPipe_[0], stopPipe_[1], slave_, master_}) close(fd);
}

void SimulatedPanel::queueAnswers(const std::vector<Answer>& answers) {
  std::lock_guard lock(mutex_);
  queue_.insert(queue_.end(), answers.begin(), answers.end());
}

void SimulatedPanel::refuseBlock(int32_t blocknum) {
  std::lock_guard lock(mutex_);
  refused_.insert(blocknum);
}

std::vector<std::string> SimulatedPanel::requests() const {
  std::lock_guard lock(mutex_);
  return requests_;
}

unsigned char SimulatedPanel::checksumOf(int32_t blocknum) const {
  int high = blocknum >= kConfigPageBlock ? 255 : blocknum / 256;
  int seed = deviceID_ == 1 ? blocknum : (high + blocknum % 256) % 256;
  std::string data = image_.substr(size_t(blocknum) * kBlockBytes, kBlockBytes);
  return (unsigned char)VXCommon::checkSum8(data, int16_t(seed));
}

std::string SimulatedPanel::normalReply(int32_t blocknum) const {
  std::string reply = image_.substr(size_t(blocknum) * kBlockBytes, kBlockBytes);
  if (withChecksum_) reply += char(checksumOf(blocknum));
  return reply;
}

int32_t SimulatedPanel::blockOf(const std::string& address) const {
  int high = (unsigned char)address[0];
  int32_t block = deviceID_ == 1 ? high - 128
                  : high == 255  ? kConfigPageBlock + (unsigned char)address[1]
                                 : high * 256 + (unsigned char)address[1];
  return block < 0 || size_t(block + 1) * kBlockBytes > image_.size() ? -1 : block;
}

void SimulatedPanel::serve() {
  const size_t requestBytes = deviceID_ == 1 ? 3 : 4;
  std::string pending;
  for (;;) {
    pollfd fds[2] = {{master_, POLLIN, 0}, {stopPipe_[0], POLLIN, 0}};
    if (poll(fds, 2, -1) < 0) continue;
    if (fds[1].revents) return;
    char buffer[256];
    ssize_t n = (fds[0].revents & POLLIN) ? read(master_, buffer, sizeof buffer) : 0;
    if (n <= 0) continue;
    pending.append(buffer, size_t(n));
    // A request is "?", the address and CR; one may arrive in pieces.
    for (; pending.size() >= requestBytes; pending.erase(0, requestBytes))
      handle(pending.substr(0, requestBytes));
  }
}

void SimulatedPanel::handle(const std::string& request) {
  Answer answer = Answer::Normal;
  int32_t block = request[0] == '?' && request.back() == '\r' ? blockOf(request.substr(1)) : -1;
  {
    std::lock_guard lock(mutex_);
    requests_.push_back(request);
    if (!queue_.empty()) {
      answer = queue_.front();
      queue_.pop_front();
    }
    if (refused_.count(block) != 0) block = -1;
  }
  if (block < 0) return writeAll("!?");
  std::string data = image_.substr(size_t(block) * kBlockBytes, kBlockBytes);
  std::string reply = normalReply(block), wrongSum(1, char(checksumOf(block) ^ 0x5A));
  switch (answer) {
    case Answer::Normal: return writeAll(reply);
    case Answer::Silent: return;
    case Answer::DeviceError: return writeAll("!?");
    case Answer::Short: return writeAll(data.substr(0, 32));
    case Answer::Long: return writeAll(reply + "XYZ");
    case Answer::BadChecksum: return writeAll(data + wrongSum);
    case Answer::LongBadChecksum: return writeAll(data + wrongSum + "XYZ");
    case Answer::Split:
      writeAll(reply.substr(0, 20));
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
      return writeAll(reply.substr(20));
  }
}

void SimulatedPanel::writeAll(const std::string& bytes) {
  for (size_t done = 0; done < bytes.size();) {
    ssize_t n = write(master_, bytes.data() + done, bytes.size() - done);
    if (n <= 0) return;
    done += size_t(n);
  }
}
