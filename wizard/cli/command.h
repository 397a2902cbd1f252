// The commands of orvella-config. Each command lives in its own source file and registers
// itself by name; main() reads the global options and hands the rest to the command.
#pragma once

#include <string>
#include <vector>

namespace cli {

// Exit statuses (0 success, 1 to 10 the load-error code).
constexpr int kExitOk = 0;
constexpr int kExitUsage = 64;
constexpr int kExitNoInput = 66;
constexpr int kExitCantCreate = 73;
constexpr int kExitDevice = 74;

// Options given before the command, already applied to the globals by main().
struct GlobalOptions {
  std::string library;  // --library DIR, empty when not given
};

// Thrown by a command (or by the option helpers) for a usage error: main() prints the text
// and the usage and exits 64.
struct UsageError {
  std::string text;
};

using CommandFn = int (*)(const GlobalOptions& globals, const std::vector<std::string>& args);

struct CommandRegistration {
  CommandRegistration(const char* name, const char* usage, CommandFn fn);
};

// Reads "--name VALUE" pairs and lone arguments. Throws UsageError on a missing value.
class ArgReader {
 public:
  explicit ArgReader(const std::vector<std::string>& args) : args_(args) {}
  bool done() const { return pos_ >= args_.size(); }
  const std::string& peek() const { return args_[pos_]; }
  std::string next() { return args_[pos_++]; }
  std::string value(const std::string& option);

 private:
  const std::vector<std::string>& args_;
  size_t pos_ = 0;
};

}  // namespace cli
