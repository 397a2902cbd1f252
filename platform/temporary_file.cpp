#include "platform/temporary_file.h"

#include <limits.h>
#include <signal.h>
#include <stdlib.h>
#include <unistd.h>

#include <cerrno>

#include "platform/fs_util.h"

namespace platform {

namespace {

// The signals whose default action ends the program and that come from outside it: from a
// user (kill, the terminal's keys), a shell, or the system (a lost terminal, a closed pipe, a
// resource limit, a timer, power failing). Those that report a fault of the program itself
// (SIGSEGV, SIGBUS, SIGFPE, SIGILL, SIGABRT, SIGTRAP, SIGSYS) keep their default action, which
// shows the fault as it happened. SIGXFSZ is here for a program that does not ignore it
// (failWritesPastTheFileSizeLimit). SIGIO and SIGSTKFLT end the program although nothing in it
// asks for them (no descriptor is set for signal-driven input, no coprocessor raises a stack
// fault): only kill sends them. The real-time signals glibc leaves to programs end it too, and
// are taken as the others are, only while they have their default action.
sigset_t endingSignals() {
  sigset_t set;
  sigemptyset(&set);
  for (int signal : {SIGHUP, SIGINT, SIGQUIT, SIGPIPE, SIGALRM, SIGTERM, SIGUSR1, SIGUSR2, SIGXCPU, SIGXFSZ,
                     SIGVTALRM, SIGPROF, SIGIO})
    sigaddset(&set, signal);
#ifdef SIGPWR
  sigaddset(&set, SIGPWR);
#endif
#ifdef SIGSTKFLT
  sigaddset(&set, SIGSTKFLT);
#endif
  for (int signal = SIGRTMIN; signal <= SIGRTMAX; ++signal) sigaddset(&set, signal);
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
  static inline bool handled[NSIG] = {};

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

  // Only a signal that has its default action is taken: one the program ignores stays ignored,
  // and one that a part of the program handles (a profiler's SIGPROF) stays its own.
  static void handleSignals() {
    struct sigaction action {};
    action.sa_handler = removeAllAndEnd;
    action.sa_mask = endingSignals();
    for (int signal = 1; signal < NSIG; ++signal) {
      struct sigaction previous {};
      handled[signal] = sigismember(&action.sa_mask, signal) == 1 && ::sigaction(signal, nullptr, &previous) == 0 &&
                        (previous.sa_flags & SA_SIGINFO) == 0 && previous.sa_handler == SIG_DFL &&
                        ::sigaction(signal, &action, nullptr) == 0;
    }
  }

  // Back to the default action, unless another part of the program has taken the signal since.
  static void restoreSignals() {
    for (int signal = 1; signal < NSIG; ++signal) {
      struct sigaction current {};
      if (handled[signal] && ::sigaction(signal, nullptr, &current) == 0 && (current.sa_flags & SA_SIGINFO) == 0 &&
          current.sa_handler == removeAllAndEnd)
        ::signal(signal, SIG_DFL);
      handled[signal] = false;
    }
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

void failWritesPastTheFileSizeLimit() { ::signal(SIGXFSZ, SIG_IGN); }

}  // namespace platform
