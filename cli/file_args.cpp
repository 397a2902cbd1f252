#include "cli/file_args.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <CLI/CLI.hpp>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <optional>

#include "platform/output_file.h"
#include "cli/command.h"
#include "cli/failure_report.h"

namespace cli {
namespace {

// What a name stands for: an open descriptor of the program (standard output for "-"); a file
// by device and inode (for a descriptor, the regular file it is open on, if it is one); a file
// still to be made by its folder's device and inode and its name.
struct FileIdentity {
  int descriptor = -1;
  bool known = false;
  dev_t device = 0;
  ino_t inode = 0;
  std::string name;
  bool nullDevice = false;
};

bool isNullDevice(const struct stat& info) {
  static const std::optional<dev_t> nullDevice = []() -> std::optional<dev_t> {
    struct stat null {};
    if (::stat("/dev/null", &null) != 0 || !S_ISCHR(null.st_mode)) return std::nullopt;
    return null.st_rdev;
  }();
  return S_ISCHR(info.st_mode) && info.st_rdev == nullDevice;
}

// Two descriptors are one output when they are one descriptor: two descriptors open on one
// file write one after the other. A descriptor and a name are one file when the descriptor is
// open on the file that the name leads to, which a rename would pull from under it. The null
// device keeps nothing, so any number of outputs may go there.
bool sameFile(const FileIdentity& a, const FileIdentity& b) {
  if (a.nullDevice || b.nullDevice) return false;
  if (a.descriptor >= 0 && b.descriptor >= 0) return a.descriptor == b.descriptor;
  return a.known && b.known && a.device == b.device && a.inode == b.inode && a.name == b.name;
}

FileIdentity descriptorIdentity(int descriptor) {
  FileIdentity identity{descriptor, false, 0, 0, "", false};
  struct stat info {};
  if (::fstat(descriptor, &info) != 0) return identity;
  if (S_ISREG(info.st_mode)) identity = {descriptor, true, info.st_dev, info.st_ino, "", false};
  identity.nullDevice = isNullDevice(info);
  return identity;
}

FileIdentity inputIdentity(const std::string& path) {
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0) return {};
  return {-1, true, info.st_dev, info.st_ino, "", isNullDevice(info)};
}

// True when writing the output would write to a terminal: standard output or a descriptor name
// open on one, or a terminal device (/dev/tty, /dev/pts/N), which is asked once it is open.
bool isTerminal(const OutputName& output) {
  if (output.path == kStandardOutput) return ::isatty(STDOUT_FILENO) == 1;
  const platform::OutputTarget target = platform::resolveOutput(output.path);
  if (target.kind == platform::OutputTarget::Kind::descriptor) return ::isatty(target.descriptor) == 1;
  struct stat info {};
  if (target.kind != platform::OutputTarget::Kind::file || ::stat(target.path.c_str(), &info) != 0 ||
      !S_ISCHR(info.st_mode))
    return false;
  const int fd = ::open(target.path.c_str(), O_WRONLY | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return false;  // written nowhere: its write fails and says why
  const bool terminal = ::isatty(fd) == 1;
  ::close(fd);
  return terminal;
}

FileIdentity outputIdentity(const OutputName& output) {
  if (output.path == kStandardOutput) return descriptorIdentity(STDOUT_FILENO);
  const platform::OutputTarget target = platform::resolveOutput(output.path);
  using Kind = platform::OutputTarget::Kind;
  if (target.kind == Kind::linkLoop)
    throw OutputError{"cannot write '" + output.path + "': " + std::strerror(ELOOP)};
  if (target.kind == Kind::descriptor) return descriptorIdentity(target.descriptor);
  FileIdentity existing = inputIdentity(target.path);
  if (existing.known) return existing;
  const std::string folder = platform::folderOf(target.path);
  FileIdentity identity = inputIdentity(folder);  // none when it cannot be written anyway
  identity.name = platform::nameOf(target.path);
  return identity;
}

std::string describe(const OutputName& output) {
  if (!output.given) return "standard output (where the listing goes without " + output.option + " FILE)";
  if (output.path == kStandardOutput) return output.option + " (standard output)";
  return output.option + " '" + output.path + "'";
}

// Two outputs that are one file; when the user named only one of them, the other is the
// listing's default, which they may not know of.
std::string oneFileMessage(const OutputName& first, const OutputName& second) {
  if (first.given == second.given) return describe(first) + " and " + describe(second) + " are one file";
  const OutputName& implied = first.given ? second : first;
  const OutputName& named = first.given ? first : second;
  return "the listing goes to standard output unless " + implied.option + " FILE names another file, so " +
         describe(named) + " needs " + implied.option + " FILE";
}

}  // namespace

CLI::Option* addSettingsFileOption(CLI::App& command, std::string& path) {
  return command.add_option("FILE", path, "a driver (.prjdrv, .prj) or a room file (.room)")
      ->type_name("")
      ->check(nonEmptyName());
}

CLI::Validator nonEmptyName(const std::string& what) {
  return CLI::Validator(
      [what](std::string& value) { return value.empty() ? "expects " + what + ", got ''" : std::string(); }, "",
      "non-empty");
}

std::string whyUnreadable(const std::string& path) {
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0) return std::strerror(errno);
  if (!S_ISREG(info.st_mode)) return "not a regular file";
  const int fd = ::open(path.c_str(), O_RDONLY | O_NOCTTY | O_CLOEXEC);
  if (fd < 0) return std::strerror(errno);
  char first;
  const ssize_t got = ::read(fd, &first, 1);
  const int error = errno;
  ::close(fd);
  return got < 0 ? std::strerror(error) : "";
}

int checkInput(const std::string& path) {
  const std::string reason = whyUnreadable(path);
  if (reason.empty()) return kExitOk;
  return fail(kExitNoInput, "cannot read '" + path + "': " + reason);
}

void checkOutputs(const std::vector<std::string>& inputs, const std::vector<OutputName>& outputs) {
  std::vector<FileIdentity> seen;
  for (const OutputName& output : outputs) {
    if (output.binary && isTerminal(output))
      throw UsageError{describe(output) + " is a terminal: the image is binary and is not written to a terminal; "
                       "name a file with " + output.option + ", or give " + output.option +
                       " - with --listing FILE and send standard output to a file or a pipe"};
    const FileIdentity identity = outputIdentity(output);
    for (const std::string& input : inputs) {
      if (sameFile(inputIdentity(input), identity))
        throw UsageError{describe(output) + " is the input '" + input + "'"};
    }
    for (size_t earlier = 0; earlier < seen.size(); ++earlier) {
      if (sameFile(seen[earlier], identity))
        throw UsageError{oneFileMessage(outputs[earlier], output)};
    }
    seen.push_back(identity);
  }
  for (const OutputName& output : outputs) {
    if (output.path == kStandardOutput) continue;
    const platform::OutputTarget target = platform::resolveOutput(output.path);
    if (target.kind != platform::OutputTarget::Kind::file) continue;
    if (const int refusal = platform::replaceRefusal(target.path); refusal != 0)
      throw OutputError{"cannot write '" + output.path + "': " + std::strerror(refusal)};
  }
}

}  // namespace cli
