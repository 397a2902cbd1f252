// Runs the built orvella-config program for the command tests and collects what it did: its
// exit status and everything it wrote on stdout and stderr, byte for byte. The program is the
// one this build makes (its path comes from the build; the command tests depend on it).
#pragma once

#include <string>
#include <vector>

struct ProgramRun {
  int status = -1;  // the exit status; -1 when it could not be started or did not exit
  std::string out;
  std::string err;
};

// Runs the program with `args` (stdin from /dev/null) and waits for it to end.
ProgramRun runOrvellaConfig(const std::vector<std::string>& args);
