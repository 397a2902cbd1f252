// The files a command names, checked before anything is read or written.
//
// Inputs must be regular files: a folder, a device or a FIFO is refused at once (exit 66), so
// that nothing waits on a FIFO nor reads a device without end. Outputs are names: "-" is
// standard output, and an empty name is a usage error. Every output of a command is prepared
// together, up front (PreparedOutputs), and the checks compare what they are open on: an output
// that is one of the inputs, or two outputs that are one file, pipe or device (a regular file or
// a pipe by its device and inode, a terminal or other device by its device number, a file still
// to be made by its folder and name), are a usage error (exit 64) naming both (an output the user
// did not name, as where it goes by default and how to name another); the null device may take
// any number of outputs. A binary output that would reach a terminal (standard output on one,
// /dev/tty, /dev/pts/N) is a usage error too, which says how to send it to a file or a pipe. An
// output that cannot be written (platform::OutputFile's refusals: a folder, a loop of symbolic
// links, a file the user may not replace, a descriptor name not open for writing at start, a
// standard output closed at start) is refused (exit 73). A FIFO is opened last, once every other
// output is proved.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "cli/output_writer.h"

namespace CLI {
class App;
class Option;
class Validator;
}

namespace cli {

// Refuses an empty value of a name (of a file, a folder, a device): "expects WHAT, got ''",
// which CLI11 says after the option's name.
CLI::Validator nonEmptyName(const std::string& what = "a file name");

// The positional FILE of the commands that read a driver or a room file into `path`.
CLI::Option* addSettingsFileOption(CLI::App& command, std::string& path);

// Why `path` cannot be read as an input (the system's reason, or "not a regular file"); empty
// when it is a regular file that opens and reads.
std::string whyUnreadable(const std::string& path);

// kExitOk for a readable regular file; otherwise says why on stderr and gives kExitNoInput.
int checkInput(const std::string& path);

// The outputs of a command, prepared and checked on construction: throws UsageError when a
// binary output is a terminal, an output is one of `inputs` or two outputs are one file, and
// OutputError when an output cannot be written. The outputs keep the order of `names`.
class PreparedOutputs {
 public:
  PreparedOutputs(const std::vector<std::string>& inputs, const std::vector<OutputName>& names);

  PreparedOutput& operator[](size_t i) { return *outputs_.at(i); }

  // For an input known only once the command has read another (the driver a room names):
  // throws UsageError when an output is one of them.
  void refuseInputs(const std::vector<std::string>& inputs) const;

 private:
  std::vector<std::unique_ptr<PreparedOutput>> outputs_;
};

}  // namespace cli
