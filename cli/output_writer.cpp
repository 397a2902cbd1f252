#include "cli/output_writer.h"

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "platform/output_file.h"
#include "cli/command.h"
#include "cli/failure_report.h"
#include "cli/file_args.h"

namespace cli {
namespace {

bool standardOutputFailureSaid = false;

int standardOutputFailed(int error) {
  if (!standardOutputFailureSaid)
    fail(kExitCantCreate, std::string("cannot write to standard output: ") +
                              (error != 0 ? std::strerror(error) : "write failed"));
  standardOutputFailureSaid = true;
  return kExitCantCreate;
}

}  // namespace

bool isStandardOutput(const std::string& path) {
  if (path == kStandardOutput) return true;
  const platform::OutputTarget target = platform::resolveOutput(path);
  return target.kind == platform::OutputTarget::Kind::descriptor && target.descriptor == STDOUT_FILENO;
}

int writeOutputFile(const std::string& path, const std::string& bytes) {
  if (isStandardOutput(path)) {
    errno = 0;
    if (std::fwrite(bytes.data(), 1, bytes.size(), stdout) == bytes.size() && std::fflush(stdout) == 0)
      return kExitOk;
    return standardOutputFailed(errno);
  }
  // What stdout holds goes first, in case the descriptor written below shares its file.
  std::fflush(stdout);
  std::string reason;
  if (platform::writeOutputFile(path, bytes, reason)) return kExitOk;
  return fail(kExitCantCreate, "cannot write '" + path + "': " + reason);
}

int finishStandardOutput(int status) {
  errno = 0;
  const bool flushed = std::fflush(stdout) == 0;
  const int error = errno;
  if (flushed && !std::ferror(stdout) && !standardOutputFailureSaid) return status;
  return standardOutputFailed(flushed ? 0 : error);
}

}  // namespace cli
