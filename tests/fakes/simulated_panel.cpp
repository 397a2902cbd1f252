#include "tests/fakes/simulated_panel.h"

#include <chrono>
#include <fcntl.h>
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
  char stop = 1;
  (void)!write(stopPipe_[1], &stop, 1);
  thread_.join();
  close(stopPipe_[0]);
  close(stopPipe_[1]);
  close(slave_);
  close(master_);
}

void SimulatedPanel::queueAnswers(const std::vector<Answer>& answers) {
  std::lock_guard lock(mutex_);
  queue_.insert(queue_.end(), answers.begin(), answers.end());
}

std::vector<int32_t> SimulatedPanel::requestedBlocks() const {
  std::lock_guard lock(mutex_);
  return blocks_;
}

std::vector<std::string> SimulatedPanel::requests() const {
  std::lock_guard lock(mutex_);
  return requests_;
}

unsigned char SimulatedPanel::checksumOf(int32_t blocknum) const {
  int seed = blocknum;
  if (deviceID_ != 1) {
    int high = blocknum >= kConfigPageBlock ? 255 : blocknum / 256;
    seed = (high + blocknum % 256) % 256;
  }
  std::string data = image_.substr(size_t(blocknum) * kBlockBytes, kBlockBytes);
  return (unsigned char)VXCommon::checkSum8(data, int16_t(seed));
}

std::string SimulatedPanel::normalReply(int32_t blocknum) const {
  std::string reply = image_.substr(size_t(blocknum) * kBlockBytes, kBlockBytes);
  if (withChecksum_) reply += char(checksumOf(blocknum));
  return reply;
}

int32_t SimulatedPanel::blockOf(const std::string& address) const {
  int32_t block;
  if (deviceID_ == 1) {
    block = (unsigned char)address[0] - 128;
  } else {
    int high = (unsigned char)address[0], low = (unsigned char)address[1];
    block = high == 255 ? kConfigPageBlock + low : high * 256 + low;
  }
  if (block < 0 || size_t(block + 1) * kBlockBytes > image_.size()) return -1;
  return block;
}

void SimulatedPanel::serve() {
  const size_t addressBytes = deviceID_ == 1 ? 1 : 2;
  std::string pending;
  for (;;) {
    pollfd fds[2] = {{master_, POLLIN, 0}, {stopPipe_[0], POLLIN, 0}};
    if (poll(fds, 2, -1) < 0) continue;
    if (fds[1].revents) return;
    if (!(fds[0].revents & POLLIN)) continue;
    char buffer[256];
    ssize_t n = read(master_, buffer, sizeof buffer);
    if (n <= 0) continue;
    pending.append(buffer, size_t(n));
    // A request is "?", the address and CR; bytes that do not start one are dropped.
    for (;;) {
      size_t start = pending.find('?');
      if (start == std::string::npos) {
        pending.clear();
        break;
      }
      pending.erase(0, start);
      if (pending.size() < addressBytes + 2) break;
      std::string request = pending.substr(0, addressBytes + 2);
      pending.erase(0, addressBytes + 2);
      int32_t block = request.back() == '\r' ? blockOf(request.substr(1, addressBytes)) : -1;
      handle(request, block);
    }
  }
}

void SimulatedPanel::handle(const std::string& request, int32_t blocknum) {
  Answer answer = Answer::Normal;
  {
    std::lock_guard lock(mutex_);
    requests_.push_back(request);
    blocks_.push_back(blocknum);
    if (!queue_.empty()) {
      answer = queue_.front();
      queue_.pop_front();
    }
  }
  if (blocknum < 0) {
    writeAll("!?");
    return;
  }
  std::string data = image_.substr(size_t(blocknum) * kBlockBytes, kBlockBytes);
  std::string wrongSum(1, char(checksumOf(blocknum) ^ 0x5A));
  switch (answer) {
    case Answer::Normal: writeAll(normalReply(blocknum)); break;
    case Answer::Silent: break;
    case Answer::DeviceError: writeAll("!?"); break;
    case Answer::Short: writeAll(data.substr(0, 32)); break;
    case Answer::Long: writeAll(normalReply(blocknum) + "XYZ"); break;
    case Answer::BadChecksum: writeAll(data + wrongSum); break;
    case Answer::LongBadChecksum: writeAll(data + wrongSum + "XYZ"); break;
    case Answer::Split: {
      std::string reply = normalReply(blocknum);
      writeAll(reply.substr(0, 20));
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
      writeAll(reply.substr(20));
      break;
    }
  }
}

void SimulatedPanel::writeAll(const std::string& bytes) {
  size_t done = 0;
  while (done < bytes.size()) {
    ssize_t n = write(master_, bytes.data() + done, bytes.size() - done);
    if (n <= 0) return;
    done += size_t(n);
  }
}
