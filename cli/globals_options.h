// The global options of orvella-config (--library, --fw, --mem), accepted before or after the
// command, and how they set the globals: --fw and --mem set the panel's firmware and memory
// format as device identification would; without --fw the program acts as the wizard's demo
// port (firmware 1.2); --library names the library for this run, which must exist.
#pragma once

#include <optional>
#include <string>

namespace CLI {
class App;
}

namespace cli {

struct GlobalOptions {
  std::string library;                 // as given; empty when not given
  std::optional<std::string> fw, mem;  // as given, an empty value included
};

void defineGlobalOptions(CLI::App& app, GlobalOptions& options);

// The global options as a command's usage lists them: one line each, the first line that the
// program's usage gives the option.
std::string globalOptionsSummary(const CLI::App& app);

// Sets the panel globals and starts the program up on the library. Throws UsageError for a
// malformed version (an empty one included); gives kExitNoInput (said on stderr) when
// --library names no folder.
int applyGlobalOptions(const GlobalOptions& options);

}  // namespace cli
