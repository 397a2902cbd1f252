// The commands of orvella-config. Each command lives in its own source file and registers
// itself by name with its options and arguments (CLI11); main() reads the command line, applies
// the global options, starts the program up as the wizard does and runs the named command.
#pragma once

#include <string>

namespace CLI {
class App;
}

namespace cli {

// Exit statuses (0 success, 1 to 10 the load-error code).
constexpr int kExitOk = 0;
constexpr int kExitRoomFileError = 1;  // a room file that does not check: the room's load error
constexpr int kExitDriverErrors = 2;   // a driver that does not check: the driver's load error
constexpr int kExitUsage = 64;
constexpr int kExitImageErrors = 65;   // a panel image whose build logged errors
constexpr int kExitNoInput = 66;
constexpr int kExitCantCreate = 73;
constexpr int kExitDevice = 74;

// Thrown by a command (or by the option helpers) for a usage error: main() prints the text
// and the usage line of the command (of the program when there is none), and exits 64.
struct UsageError {
  std::string text;
  std::string command = "";  // the command whose usage applies; empty: the one being run, if any
};

// Thrown by a command for an output that cannot be written, before anything is written: main()
// prints the text and exits 73.
struct OutputError {
  std::string text;
};

struct Command {
  const char* name;
  const char* about;                   // one line for the usage
  void (*define)(CLI::App& command);  // adds the command's options and arguments
  int (*run)();                        // the exit status
};

struct CommandRegistration {
  explicit CommandRegistration(const Command& command);
};

}  // namespace cli
