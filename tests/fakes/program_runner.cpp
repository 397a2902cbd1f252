#include "tests/fakes/program_runner.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <pty.h>
#include <pwd.h>
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

ProgramRun runOrvellaConfig(const std::vector<std::string>& args, const ProgramStdout& stdoutTo,
                            const std::optional<ProgramUser>& user) {
  // The program lays out its library and settings under HOME and the XDG folders: never the
  // real ones.
  std::optional<TempXdgHome> ownHome;
  if (!TempXdgHome::active()) ownHome.emplace();
  const std::string program = user ? kSetpriv : ORVELLA_CONFIG_PROGRAM, outPath = tempFile(), errPath = tempFile();
  std::vector<std::string> words = {program};
  if (user) {
    words.insert(words.end(), {"--reuid=" + std::to_string(user->uid), "--regid=" + std::to_string(user->gid),
                               "--clear-groups", ORVELLA_CONFIG_PROGRAM});
  }
  words.insert(words.end(), args.begin(), args.end());
  std::vector<char*> argv;
  for (auto& word : words) argv.push_back(word.data());
  argv.push_back(nullptr);

  int pipeEnds[2] = {-1, -1};
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
  switch (stdoutTo.kind) {
    case ProgramStdout::Kind::captured:
      posix_spawn_file_actions_addopen(&actions, 1, outPath.c_str(), O_WRONLY | O_TRUNC, 0);
      break;
    case ProgramStdout::Kind::appendedTo:
      posix_spawn_file_actions_addopen(&actions, 1, stdoutTo.file.c_str(), O_WRONLY | O_APPEND | O_CREAT, 0644);
      break;
    case ProgramStdout::Kind::pipe:
      if (::pipe2(pipeEnds, O_CLOEXEC) != 0) return {};
      posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], 1);
      break;
    case ProgramStdout::Kind::terminal: {
      termios raw{};
      cfmakeraw(&raw);
      if (::openpty(&pipeEnds[0], &pipeEnds[1], nullptr, &raw, nullptr) != 0) return {};
      for (int end : pipeEnds) ::fcntl(end, F_SETFD, FD_CLOEXEC);
      posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], 1);
      break;
    }
  }
  posix_spawn_file_actions_addopen(&actions, 2, errPath.c_str(), O_WRONLY | O_TRUNC, 0);
  pid_t child = -1;
  int spawned = posix_spawn(&child, program.c_str(), &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  ProgramRun run;
  if (pipeEnds[1] >= 0) {
    ::close(pipeEnds[1]);
    char buffer[4096];
    // A pipe ends when the program closes it; a terminal's side gives EIO then.
    for (ssize_t n; (n = ::read(pipeEnds[0], buffer, sizeof buffer)) != 0;) {
      if (n > 0) run.out.append(buffer, size_t(n));
      else if (errno != EINTR) break;
    }
    ::close(pipeEnds[0]);
  }
  int wstatus = 0;
  if (spawned == 0 && waitpid(child, &wstatus, 0) == child && WIFEXITED(wstatus))
    run.status = WEXITSTATUS(wstatus);
  run.out += readAndRemove(outPath);
  run.err = readAndRemove(errPath);
  return run;
}
