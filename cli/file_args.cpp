#include "cli/file_args.h"

#include <sys/stat.h>

#include <CLI/CLI.hpp>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <optional>
#include <tuple>

#include "platform/fs_util.h"
#include "cli/command.h"

namespace cli {
namespace {

// What a name stands for: standard output; an existing file by device and inode; a file still
// to be made by its folder's device and inode and its name.
struct FileIdentity {
  bool standardOutput = false;
  dev_t device = 0;
  ino_t inode = 0;
  std::string name;
  bool operator==(const FileIdentity&) const = default;
};

std::optional<FileIdentity> identityOf(const std::string& path) {
  if (path == kStandardOutput) return FileIdentity{true, 0, 0, ""};
  struct stat info {};
  if (::stat(path.c_str(), &info) == 0) return FileIdentity{false, info.st_dev, info.st_ino, ""};
  const std::string target = platform::followLinks(path);
  size_t slash = target.rfind('/');
  std::string folder = slash == std::string::npos ? "." : target.substr(0, slash + 1);
  if (::stat(folder.c_str(), &info) != 0) return std::nullopt;  // cannot be written anyway
  return FileIdentity{false, info.st_dev, info.st_ino, target.substr(slash + 1)};
}

std::string describe(const OutputName& output) {
  if (output.path == kStandardOutput) return output.option + " (standard output)";
  return output.option + " '" + output.path + "'";
}

}  // namespace

CLI::Option* addSettingsFileOption(CLI::App& command, std::string& path) {
  return command.add_option("FILE", path, "a driver (.prjdrv, .prj) or a room file (.room)")
      ->type_name("")
      ->check(nonEmptyName());
}

CLI::Validator nonEmptyName() {
  return CLI::Validator(
      [](std::string& value) { return value.empty() ? std::string("must not be empty") : std::string(); },
      "", "non-empty");
}

int checkInput(const std::string& path) {
  struct stat info {};
  const char* reason = nullptr;
  if (::stat(path.c_str(), &info) != 0) reason = std::strerror(errno);
  else if (!S_ISREG(info.st_mode)) reason = "not a regular file";
  if (!reason) return kExitOk;
  std::fprintf(stderr, "orvella-config: cannot read '%s': %s\n", path.c_str(), reason);
  return kExitNoInput;
}

void refuseClashes(const std::vector<std::string>& inputs, const std::vector<OutputName>& outputs) {
  for (size_t i = 0; i < outputs.size(); ++i) {
    std::optional<FileIdentity> output = identityOf(outputs[i].path);
    if (!output) continue;
    for (const std::string& input : inputs) {
      if (identityOf(input) == output)
        throw UsageError{describe(outputs[i]) + " is the input '" + input + "'"};
    }
    for (size_t j = 0; j < i; ++j) {
      if (identityOf(outputs[j].path) == output)
        throw UsageError{describe(outputs[j]) + " and " + describe(outputs[i]) + " are one file"};
    }
  }
}

}  // namespace cli
