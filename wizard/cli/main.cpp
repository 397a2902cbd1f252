// orvella-config: reads the global options, sets the panel globals they name and runs one command.
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "wizard/cli/command.h"
#include "wizard/cli/globals_options.h"

namespace cli {
namespace {

struct Command {
  const char* usage;
  CommandFn fn;
};

std::map<std::string, Command>& registry() {
  static std::map<std::string, Command> commands;
  return commands;
}

void printUsage(FILE* out) {
  std::fprintf(out, "usage: orvella-config [--library DIR] [--fw MAJ.MIN] [--mem MAJ.MIN] COMMAND ...\n");
  for (const auto& [name, command] : registry()) std::fprintf(out, "  %s\n", command.usage);
}

}  // namespace

CommandRegistration::CommandRegistration(const char* name, const char* usage, CommandFn fn) {
  registry()[name] = Command{usage, fn};
}

std::string ArgReader::value(const std::string& option) {
  if (done()) throw UsageError{option + " needs a value"};
  return next();
}

}  // namespace cli

int main(int argc, char** argv) {
  using namespace cli;
  std::vector<std::string> args(argv + 1, argv + argc);
  try {
    GlobalOptions globals;
    size_t i = 0;
    std::vector<std::string> globalArgs;
    while (i < args.size() && args[i].rfind("--", 0) == 0) {
      if (i + 1 >= args.size()) throw UsageError{args[i] + " needs a value"};
      globalArgs.push_back(args[i]);
      globalArgs.push_back(args[i + 1]);
      i += 2;
    }
    applyGlobalOptions(globalArgs, globals);
    if (i >= args.size()) {
      printUsage(stderr);
      return kExitUsage;
    }
    auto it = registry().find(args[i]);
    if (it == registry().end()) throw UsageError{"unknown command '" + args[i] + "'"};
    std::vector<std::string> rest(args.begin() + long(i) + 1, args.end());
    return it->second.fn(globals, rest);
  } catch (const UsageError& e) {
    std::fprintf(stderr, "orvella-config: %s\n", e.text.c_str());
    printUsage(stderr);
    return kExitUsage;
  }
}
