#include "tests/fakes/program_runner.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <pty.h>
#include <pwd.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <optional>

#include "platform/fs_util.h"
#include "tests/fakes/temp_xdg_home.h"

extern char** environ;

namespace {

constexpr const char* kSetpriv = "/usr/bin/setpriv";
constexpr const char* kPrlimit = "/usr/bin/prlimit";

std::string tempFile() {
  char name[] = "/tmp/orvella-run-XXXXXX";
  int fd = mkstemp(name);
  if (fd >= 0) close(fd);
  return name;
}

std::string readAndRemove(const std::string& path) {
  std::string bytes = platform::readWholeFile(path).value_or("");
  std::remove(path.c_str());
  return bytes;
}

}  // namespace

Unprivileged unprivilegedUser() {
  Unprivileged runner;
  runner.possible = ::geteuid() != 0;  // permissions bind the tests' own user
  if (runner.possible) return runner;
  const struct passwd* nobody = ::getpwnam("nobody");
  if (::access(kSetpriv, X_OK) != 0) {
    runner.whyNot = std::string("the tests run as root and have no ") + kSetpriv + " to switch user";
  } else if (!nobody || nobody->pw_uid == 0) {
    runner.whyNot = "the tests run as root and this machine has no unprivileged user \"nobody\"";
  } else if (runOrvellaConfig({"--version"}, {}, ProgramUser{nobody->pw_uid, nobody->pw_gid}).status != 0) {
    // The build may lie in a folder that only its owner may enter.
    runner.whyNot = std::string("the user \"nobody\" cannot run ") + ORVELLA_CONFIG_PROGRAM;
  } else {
    runner.user = ProgramUser{nobody->pw_uid, nobody->pw_gid};
    runner.possible = true;
  }
  return runner;
}

namespace {

// Where and how a program is started beside its stdout.
struct SpawnPlace {
  std::string folder;             // its working folder; "" for the tests' own
  std::vector<std::string> env;   // NAME=VALUE added to the tests' environment
  int errDescriptor = -1;         // its stderr, when not a collected file
};

StartedProgram spawnProgram(std::vector<std::string> words, const ProgramStdout& stdoutTo, const SpawnPlace& place) {
  StartedProgram started;
  // The program lays out its library and settings under HOME and the XDG folders: never the
  // real ones.
  if (!TempXdgHome::active()) started.ownHome = std::make_shared<TempXdgHome>();
  started.outPath = tempFile();
  started.errPath = tempFile();
  std::vector<char*> argv;
  for (auto& word : words) argv.push_back(word.data());
  argv.push_back(nullptr);
  std::vector<std::string> variables = place.env;
  for (char** variable = environ; *variable; ++variable) variables.push_back(*variable);
  std::vector<char*> envp;
  for (auto& variable : variables) envp.push_back(variable.data());
  envp.push_back(nullptr);

  int pipeEnds[2] = {-1, -1};
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
  switch (stdoutTo.kind) {
    case ProgramStdout::Kind::captured:
      posix_spawn_file_actions_addopen(&actions, 1, started.outPath.c_str(), O_WRONLY | O_TRUNC, 0);
      break;
    case ProgramStdout::Kind::appendedTo:
      posix_spawn_file_actions_addopen(&actions, 1, stdoutTo.file.c_str(), O_WRONLY | O_APPEND | O_CREAT, 0644);
      break;
    case ProgramStdout::Kind::pipe:
    case ProgramStdout::Kind::closedPipe:
      if (::pipe2(pipeEnds, O_CLOEXEC) != 0) return started;
      posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], 1);
      if (stdoutTo.kind == ProgramStdout::Kind::closedPipe) {
        ::close(pipeEnds[0]);
        pipeEnds[0] = -1;
      }
      break;
    case ProgramStdout::Kind::terminal: {
      termios raw{};
      cfmakeraw(&raw);
      if (::openpty(&pipeEnds[0], &pipeEnds[1], nullptr, &raw, nullptr) != 0) return started;
      for (int end : pipeEnds) ::fcntl(end, F_SETFD, FD_CLOEXEC);
      posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], 1);
      break;
    }
  }
  if (place.errDescriptor >= 0) posix_spawn_file_actions_adddup2(&actions, place.errDescriptor, 2);
  else posix_spawn_file_actions_addopen(&actions, 2, started.errPath.c_str(), O_WRONLY | O_TRUNC, 0);
  if (!place.folder.empty()) posix_spawn_file_actions_addchdir_np(&actions, place.folder.c_str());
  // Only what the test gives it: no descriptor the test process inherited (from ctest, say).
  posix_spawn_file_actions_addclosefrom_np(&actions, 3);
  posix_spawnattr_t attributes;
  posix_spawnattr_init(&attributes);
  sigset_t all, none;
  sigfillset(&all);
  sigemptyset(&none);
  posix_spawnattr_setsigdefault(&attributes, &all);
  posix_spawnattr_setsigmask(&attributes, &none);
  posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGDEF | POSIX_SPAWN_SETSIGMASK);
  pid_t child = -1;
  const int spawned = posix_spawn(&child, argv[0], &actions, &attributes, argv.data(), envp.data());
  posix_spawnattr_destroy(&attributes);
  posix_spawn_file_actions_destroy(&actions);
  if (pipeEnds[1] >= 0) ::close(pipeEnds[1]);
  started.readEnd = pipeEnds[0];
  if (spawned == 0) started.pid = child;
  return started;
}

}  // namespace

StartedProgram startOrvellaConfig(const std::vector<std::string>& args, const ProgramStdout& stdoutTo,
                                  const std::optional<ProgramUser>& user, const ProgramLimits& limits,
                                  int errDescriptor) {
  std::vector<std::string> words;
  if (limits.fileSize || limits.noCoreDump) {
    words.push_back(kPrlimit);
    if (limits.fileSize) words.push_back("--fsize=" + std::to_string(*limits.fileSize));
    if (limits.noCoreDump) words.push_back("--core=0");
    words.push_back("--");
  }
  if (user) {
    words.push_back(kSetpriv);
    words.insert(words.end(), {"--reuid=" + std::to_string(user->uid), "--regid=" + std::to_string(user->gid),
                               "--clear-groups"});
  }
  words.push_back(ORVELLA_CONFIG_PROGRAM);
  words.insert(words.end(), args.begin(), args.end());
  return spawnProgram(words, stdoutTo, {"", {}, errDescriptor});
}

ProgramRun runInShell(const std::string& commandLine, const std::string& folder) {
  StartedProgram program = spawnProgram({"/bin/bash", "-c", commandLine}, {},
                                        {folder, {std::string("ORVELLA=") + ORVELLA_CONFIG_PROGRAM}, -1});
  return finishOrvellaConfig(program);
}


ProgramRun finishOrvellaConfig(StartedProgram& program) {
  ProgramRun run;
  if (program.readEnd >= 0) {
    char buffer[4096];
    // A pipe ends when the program closes it; a terminal's side gives EIO then.
    for (ssize_t n; (n = ::read(program.readEnd, buffer, sizeof buffer)) != 0;) {
      if (n > 0) run.out.append(buffer, size_t(n));
      else if (errno != EINTR) break;
    }
    ::close(program.readEnd);
    program.readEnd = -1;
  }
  int wstatus = 0;
  if (program.pid > 0 && waitpid(program.pid, &wstatus, 0) == program.pid) {
    if (WIFEXITED(wstatus)) run.status = WEXITSTATUS(wstatus);
    if (WIFSIGNALED(wstatus)) run.signal = WTERMSIG(wstatus);
  }
  program.pid = -1;
  run.out += readAndRemove(program.outPath);
  run.err = readAndRemove(program.errPath);
  program.ownHome.reset();
  return run;
}

ProgramRun runOrvellaConfig(const std::vector<std::string>& args, const ProgramStdout& stdoutTo,
                            const std::optional<ProgramUser>& user, const ProgramLimits& limits) {
  StartedProgram program = startOrvellaConfig(args, stdoutTo, user, limits);
  return finishOrvellaConfig(program);
}
