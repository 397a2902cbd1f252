#include "cli/output_writer.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "platform/output_file.h"
#include "cli/command.h"
#include "cli/file_args.h"

namespace cli {

int writeOutputFile(const std::string& path, const std::string& bytes) {
  std::string reason;
  if (path == kStandardOutput) {
    errno = 0;
    if (std::fwrite(bytes.data(), 1, bytes.size(), stdout) == bytes.size() && std::fflush(stdout) == 0)
      return kExitOk;
    std::fprintf(stderr, "orvella-config: cannot write to standard output: %s\n",
                 errno != 0 ? std::strerror(errno) : "write failed");
    return kExitCantCreate;
  }
  if (platform::writeOutputFile(path, bytes, reason)) return kExitOk;
  std::fprintf(stderr, "orvella-config: cannot write '%s': %s\n", path.c_str(), reason.c_str());
  return kExitCantCreate;
}

}  // namespace cli
