// The files a command names, checked before anything is read or written.
//
// Inputs must be regular files: a folder, a device or a FIFO is refused at once (exit 66), so
// that nothing waits on a FIFO nor reads a device without end. Outputs are names: "-" is
// standard output, and an empty name is a usage error. An output that is one of the inputs, or
// two outputs that are one file (compared by device and inode once links are followed, or by
// folder and name for a file still to be made; a name that stands for an open descriptor, such
// as /dev/stdout, by the descriptor and the file it is open on), are a usage error (exit 64)
// naming both (an output the user did not name, as where it goes by default and how to name
// another); the null device may take any number of outputs. A binary output that would reach a
// terminal (standard output on one, /dev/tty, /dev/pts/N) is a usage error too, which says how
// to send it to a file or a pipe. A loop of symbolic links, an existing file the user may not
// write, or a file in a folder the user may not write, cannot be written (exit 73).
#pragma once

#include <string>
#include <vector>

namespace CLI {
class App;
class Option;
class Validator;
}

namespace cli {

inline const std::string kStandardOutput = "-";

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

// A file a command writes, with the option that names it ("-o", "--listing").
struct OutputName {
  std::string option;
  std::string path;    // kStandardOutput for standard output
  bool given = true;   // false: the option was not given and the output is its default, stdout
  bool binary = false;  // bytes that are no text (a panel image): never written to a terminal
};

// Throws UsageError when a binary output is a terminal, an output is one of the inputs or two
// outputs are one file, and OutputError when an output is a loop of symbolic links or may not be
// written by the user.
void checkOutputs(const std::vector<std::string>& inputs, const std::vector<OutputName>& outputs);

}  // namespace cli
