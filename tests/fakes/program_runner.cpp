#include "tests/fakes/program_runner.h"

#include <cstdio>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include "platform/fs_util.h"

extern char** environ;

namespace {

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

ProgramRun runOrvellaConfig(const std::vector<std::string>& args) {
  const std::string program = ORVELLA_CONFIG_PROGRAM, outPath = tempFile(), errPath = tempFile();
  std::vector<char*> argv = {const_cast<char*>(program.c_str())};
  for (const auto& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
  argv.push_back(nullptr);

  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 1, outPath.c_str(), O_WRONLY | O_TRUNC, 0);
  posix_spawn_file_actions_addopen(&actions, 2, errPath.c_str(), O_WRONLY | O_TRUNC, 0);
  pid_t child = -1;
  int spawned = posix_spawn(&child, program.c_str(), &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  ProgramRun run;
  int wstatus = 0;
  if (spawned == 0 && waitpid(child, &wstatus, 0) == child && WIFEXITED(wstatus))
    run.status = WEXITSTATUS(wstatus);
  run.out = readAndRemove(outPath);
  run.err = readAndRemove(errPath);
  return run;
}
