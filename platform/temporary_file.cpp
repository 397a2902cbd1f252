#include "platform/temporary_file.h"

#include <limits.h>
#include <signal.h>
#include <stdlib.h>
#include <unistd.h>

#include <cerrno>
#include <iterator>

#include "platform/fs_util.h"

namespace platform {

namespace {

constexpr int kEndingSignals[] = {SIGINT, SIGTERM, SIGHUP, SIGPIPE};
constexpr size_t kSignalCount = std::size(kEndingSignals);

sigset_t endingSignals() {
  sigset_t set;
  sigemptyset(&set);
  for (int signal : kEndingSignals) sigaddset(&set, signal);
  return set;
}

// The ending signals held back for the life of the object (delivered when it ends), and errno
// kept across.
class SignalsHeld {
 public:
  SignalsHeld() {
    const sigset_t set = endingSignals();
    ::pthread_sigmask(SIG_BLOCK, &set, &saved_);
  }
  ~SignalsHeld() {
    const int error = errno;
    ::pthread_sigmask(SIG_SETMASK, &saved_, nullptr);
    errno = error;
  }
  SignalsHeld(const SignalsHeld&) = delete;
  SignalsHeld& operator=(const SignalsHeld&) = delete;

 private:
  sigset_t saved_;
};

}  // namespace

// The registered temporary files, a list through the files themselves, changed only while the
// ending signals are held, so the handler always finds it whole.
struct TemporaryFileRegistry {
  static inline TemporaryFile* first = nullptr;
  static inline struct sigaction previous[kSignalCount];
  static inline bool handled[kSignalCount] = {};

  // Only async-signal-safe calls: unlink, signal, raise. The signal raised again stays blocked
  // until the handler returns, and then ends the program by its default action.
  static void removeAllAndEnd(int signal) {
    for (const TemporaryFile* file = first; file != nullptr; file = file->next_) ::unlink(file->name_.data());
    ::signal(signal, SIG_DFL);
    ::raise(signal);
  }

  static void add(TemporaryFile& file) {
    if (first == nullptr) handleSignals();
    file.next_ = first;
    first = &file;
  }

  static void remove(TemporaryFile& file) {
    for (TemporaryFile** link = &first; *link != nullptr; link = &(*link)->next_) {
      if (*link == &file) {
        *link = file.next_;
        break;
      }
    }
    if (first == nullptr) restoreSignals();
  }

  // A signal the program ignores stays ignored.
  static void handleSignals() {
    struct sigaction action {};
    action.sa_handler = removeAllAndEnd;
    action.sa_mask = endingSignals();
    for (size_t i = 0; i < kSignalCount; ++i) {
      handled[i] = ::sigaction(kEndingSignals[i], nullptr, &previous[i]) == 0 && previous[i].sa_handler != SIG_IGN &&
                   ::sigaction(kEndingSignals[i], &action, nullptr) == 0;
    }
  }

  static void restoreSignals() {
    for (size_t i = 0; i < kSignalCount; ++i)
      if (handled[i]) ::sigaction(kEndingSignals[i], &previous[i], nullptr);
  }
};

namespace {

// `beside` and ".XXXXXX", for mkstemp. A name that the folder takes may be too long for the
// folder with the 7 bytes added: it is cut, at the start of a character, to fit.
std::string temporaryNameBeside(const std::string& beside) {
  static const std::string kUnique = ".XXXXXX";
  const std::string folder = folderOf(beside);
  std::string name = nameOf(beside);
  const long limit = ::pathconf(folder.c_str(), _PC_NAME_MAX);
  const size_t room = size_t(limit > 0 ? limit : NAME_MAX);
  if (name.size() + kUnique.size() > room && room > kUnique.size()) {
    size_t cut = room - kUnique.size();
    while (cut > 0 && (static_cast<unsigned char>(name[cut]) & 0xC0) == 0x80) --cut;  // a UTF-8 continuation byte
    name.resize(cut);
  }
  return beside.substr(0, beside.size() - nameOf(beside).size()) + name + kUnique;
}

}  // namespace

TemporaryFile::TemporaryFile(const std::string& beside) {
  const std::string name = temporaryNameBeside(beside);
  name_.assign(name.begin(), name.end());
  name_.push_back('\0');
  SignalsHeld held;
  fd_ = ::mkstemp(name_.data());
  made_ = fd_ >= 0;
  if (made_) TemporaryFileRegistry::add(*this);
}

TemporaryFile::~TemporaryFile() {
  const int error = errno;
  close();
  if (made_ && !renamed_) {
    SignalsHeld held;
    ::unlink(name_.data());
    TemporaryFileRegistry::remove(*this);
  }
  errno = error;
}

bool TemporaryFile::close() {
  if (fd_ < 0) return true;
  const int fd = fd_;
  fd_ = -1;
  return ::close(fd) == 0;
}

bool TemporaryFile::renameTo(const std::string& path) {
  SignalsHeld held;
  if (::rename(name_.data(), path.c_str()) != 0) return false;
  renamed_ = true;
  TemporaryFileRegistry::remove(*this);
  return true;
}

}  // namespace platform
