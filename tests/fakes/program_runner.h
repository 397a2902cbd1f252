// Runs the built orvella-config program for the command tests and collects what it did: its
// exit status and everything it wrote on stdout and stderr, byte for byte. The program is the
// one this build makes (its path comes from the build; the command tests depend on it). It
// runs with HOME and the XDG folders of the test's TempXdgHome, or of a temporary one of its
// own, so that no run touches the real home.
#pragma once

#include <sys/types.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

class TempXdgHome;

struct ProgramRun {
  int status = -1;  // the exit status; -1 when it could not be started or did not exit
  int signal = 0;   // the signal that ended it, when one did
  std::string out;
  std::string err;
};

// Where the program's stdout goes: a temporary file read into ProgramRun::out; a pipe, or a
// pseudo-terminal (raw: no line ends added), also read into out; a file opened for appending
// (created when missing), left as it is; or a pipe whose reading end is closed before the program
// starts, so that its first write there raises SIGPIPE.
struct ProgramStdout {
  enum class Kind { captured, pipe, terminal, appendedTo, closedPipe };
  Kind kind = Kind::captured;
  std::string file;  // appendedTo
};

// A user other than the tests' own for the program to run as, so that a file's permissions
// apply to it (they do not to root).
struct ProgramUser {
  uid_t uid = 0;
  gid_t gid = 0;
};

// Whom a test of permissions runs the program as, since they do not bind root: "nobody" when
// the tests run as root (`user`; through setpriv), else the tests' own user (no `user`). Not
// `possible`, with the reason, when the tests run as root and cannot switch. Files the program
// is to read as "nobody" belong in a temporary folder it may enter.
struct Unprivileged {
  bool possible = false;
  std::optional<ProgramUser> user;
  std::string whyNot;
};
Unprivileged unprivilegedUser();

// Limits the program runs under, set in it before it starts (through prlimit): the most bytes
// a file it writes may hold, as `ulimit -f` sets it; and no core dump, so that a signal whose
// default action dumps core (SIGQUIT) ends it by that signal and leaves no core file.
struct ProgramLimits {
  std::optional<unsigned long> fileSize;
  bool noCoreDump = false;
};

// Runs the program with `args` (stdin from /dev/null, no descriptor open beyond 2) and waits for
// it to end; as `user` when
// one is given (its stdout and stderr files are still opened by the tests' own user). It starts
// with the default action for every signal and none blocked, whatever the tests inherited.
ProgramRun runOrvellaConfig(const std::vector<std::string>& args, const ProgramStdout& stdoutTo = {},
                            const std::optional<ProgramUser>& user = std::nullopt, const ProgramLimits& limits = {});

// The same in two steps, for a test that acts on the program while it runs (sends it a
// signal): startOrvellaConfig starts it, finishOrvellaConfig reads its stdout (a pipe's or a
// terminal's) and waits for it to end.
struct StartedProgram {
  pid_t pid = -1;  // -1 when it could not be started
  std::string outPath, errPath;
  int readEnd = -1;  // of a pipe or a terminal
  std::shared_ptr<TempXdgHome> ownHome;
};
// With `errDescriptor`, the program's stderr is that descriptor (a pipe the test holds) and
// ProgramRun::err stays empty.
StartedProgram startOrvellaConfig(const std::vector<std::string>& args, const ProgramStdout& stdoutTo = {},
                                  const std::optional<ProgramUser>& user = std::nullopt,
                                  const ProgramLimits& limits = {}, int errDescriptor = -1);
ProgramRun finishOrvellaConfig(StartedProgram& program);

// Runs `commandLine` with bash in `folder`, the program's path in $ORVELLA, as runOrvellaConfig
// runs the program (stdin from /dev/null, every signal at its default; the shell's stdout and
// stderr collected), so that a test gives a command as a user would type it, redirections
// included.
ProgramRun runInShell(const std::string& commandLine, const std::string& folder);
