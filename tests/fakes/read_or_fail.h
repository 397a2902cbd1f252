// The bytes of a file that a test reads and then uses (an example driver or room, an output an
// earlier step wrote). A file that cannot be read fails the test there, naming the file and the
// system's reason, instead of handing on bytes that are not there: the exception ends the test,
// and GoogleTest reports it as the test's failure.
#pragma once

#include <cerrno>
#include <cstring>
#include <optional>
#include <stdexcept>
#include <string>
#include <utility>

#include "platform/fs_util.h"

inline std::string readOrFail(const std::string& path) {
  std::optional<std::string> bytes = platform::readWholeFile(path);
  if (!bytes) throw std::runtime_error("cannot read '" + path + "': " + std::strerror(errno));
  return std::move(*bytes);
}
