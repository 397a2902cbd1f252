// The temporary file that a file is written through before it is renamed over the file it
// replaces, and its removal when a signal ends the program.
//
// While a temporary file exists, every signal whose default action ends the program and that
// comes from outside it (SIGINT, SIGTERM, SIGHUP, SIGQUIT, SIGPIPE, SIGALRM, SIGUSR1, SIGUSR2,
// SIGXCPU, SIGVTALRM, SIGPROF, SIGIO, SIGPWR, SIGSTKFLT, the real-time signals) removes it and
// then ends the program as the signal would have (its default action, raised again, so that the
// parent sees the program killed by that signal: 128+n in the shell); the file it was to replace
// stays as it was. A signal that reports a fault of the program (SIGSEGV, SIGBUS, SIGFPE,
// SIGILL, SIGABRT, SIGTRAP, SIGSYS) keeps its default action. Only a signal that has its default
// action is taken: one the program ignores stays ignored, one a part of it handles stays
// handled. The program ignores SIGXFSZ for the whole run, so that a file-size limit fails the
// write (EFBIG) as a full disk would, and the temporary file goes the way of any failed write.
// The signals are held while the file is created and registered and while it is renamed (or
// removed) and unregistered, so that no moment leaves a temporary file behind nor lets a signal
// remove the renamed file. Several may exist at once; each stays where it was made (the handler
// reaches it by its address), so it is neither copied nor moved.
#pragma once

#include <string>
#include <vector>

namespace platform {

class TemporaryFile {
 public:
  // Creates a new file named `beside` + ".XXXXXX" (mkstemp: the user's own, private), open for
  // writing; the name part of `beside` is cut short when the whole would pass the folder's limit
  // on a name's length. valid() is false, errno saying why, when it cannot be made.
  explicit TemporaryFile(const std::string& beside);
  // Closes it and removes the file, unless it was renamed.
  ~TemporaryFile();
  TemporaryFile(const TemporaryFile&) = delete;
  TemporaryFile& operator=(const TemporaryFile&) = delete;

  bool valid() const { return made_; }
  int fd() const { return fd_; }

  // Closes the descriptor; false (errno saying why) when the close reports an error.
  bool close();

  // Renames the closed file to `path`, which from then on is no temporary file. False (errno
  // saying why, the file still temporary) when the rename fails.
  bool renameTo(const std::string& path);

 private:
  friend struct TemporaryFileRegistry;
  std::vector<char> name_;  // NUL-terminated
  int fd_ = -1;
  bool made_ = false, renamed_ = false;
  TemporaryFile* next_ = nullptr;  // the next registered temporary file
};

// Ignores SIGXFSZ, so that a write past the file-size limit fails (EFBIG) instead of ending the
// program; a program calls it first thing, once. Where SIGXFSZ is not ignored, it ends the
// program as the other signals above do.
void failWritesPastTheFileSizeLimit();

}  // namespace platform
