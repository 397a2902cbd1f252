#include "cli/file_args.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <CLI/CLI.hpp>
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "platform/output_file.h"
#include "cli/command.h"
#include "cli/failure_report.h"

namespace cli {
namespace {

std::string describe(const OutputName& output) {
  if (output.option.empty()) return "standard output";
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

PreparedOutputs::PreparedOutputs(const std::vector<std::string>& inputs, const std::vector<OutputName>& names) {
  for (const OutputName& name : names) outputs_.push_back(std::make_unique<PreparedOutput>(name));
  // What the command line asks is checked first, on the outputs that could be prepared.
  for (const auto& output : outputs_) {
    const OutputName& name = output->name();
    if (name.binary && output->isTerminal())
      throw UsageError{describe(name) + " is a terminal: the image is binary and is not written to a terminal; "
                       "name a file with " + name.option + ", or give " + name.option +
                       " - with --listing FILE and send standard output to a file or a pipe"};
  }
  refuseInputs(inputs);
  for (size_t later = 1; later < outputs_.size(); ++later) {
    for (size_t earlier = 0; earlier < later; ++earlier) {
      if (platform::sameFile(outputs_[earlier]->identity(), outputs_[later]->identity()))
        throw UsageError{oneFileMessage(outputs_[earlier]->name(), outputs_[later]->name())};
    }
  }
  for (const auto& output : outputs_)
    if (const std::string refusal = output->refusal(); !refusal.empty()) throw OutputError{refusal};
  // A FIFO waits for its reader: opened only once every other output is proved.
  for (const auto& output : outputs_)
    if (!output->openWaiting()) throw OutputError{output->refusal()};
}

void PreparedOutputs::refuseInputs(const std::vector<std::string>& inputs) const {
  for (const auto& output : outputs_) {
    for (const std::string& input : inputs) {
      if (platform::sameFile(platform::identityOfPath(input), output->identity()))
        throw UsageError{describe(output->name()) + " is the input '" + input + "'"};
    }
  }
}

}  // namespace cli
