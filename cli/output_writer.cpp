#include "cli/output_writer.h"

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "platform/start_descriptors.h"
#include "platform/visible_text.h"
#include "cli/command.h"
#include "cli/failure_report.h"

namespace cli {
namespace {

bool standardOutputFailureSaid = false;

int standardOutputFailed(const std::string& reason) {
  if (!standardOutputFailureSaid) fail(kExitCantCreate, "cannot write to standard output: " + reason);
  standardOutputFailureSaid = true;
  return kExitCantCreate;
}

// The text with each line as a message shows it.
std::string shownOnTerminal(const std::string& text, const std::string& lineEnd) {
  std::string shown;
  forEachLine(
      text,
      [&](const std::string& line, size_t start) {
        shown += platform::visibleText(line);
        if (start + line.size() < text.size()) shown += lineEnd;
      },
      lineEnd);
  return shown;
}

}  // namespace

PreparedOutput::PreparedOutput(const OutputName& name)
    : name_(name), file_(name.path == kStandardOutput ? platform::OutputFile(STDOUT_FILENO) : platform::OutputFile(name.path)) {}

std::string PreparedOutput::refusalReason() const {
  const int error = file_.refusal();
  if (error == 0) return "";
  // A descriptor name stands for what the program was started with; the system's "Bad file
  // descriptor" would not say which of the two faults it is.
  if (const int fd = file_.ownDescriptor(); fd >= 0 && error == EBADF) {
    if (platform::openAtStart(fd))
      return fd == STDOUT_FILENO ? "it is not open for writing" : "descriptor " + std::to_string(fd) + " is not open for writing";
    // A standard descriptor closed at start is held on the null device: no output is there.
    if (fd == STDOUT_FILENO) return "it is closed";
    if (fd == STDERR_FILENO) return "standard error is closed";
    return "descriptor " + std::to_string(fd) + " was not open when the program started";
  }
  return std::strerror(error);
}

std::string PreparedOutput::failureText(const std::string& reason) const {
  return isStandardOutput() ? "cannot write to standard output: " + reason
                            : "cannot write '" + name_.path + "': " + reason;
}

std::string PreparedOutput::refusal() const {
  const std::string reason = refusalReason();
  return reason.empty() ? "" : failureText(reason);
}

int PreparedOutput::written(bool ok, const std::string& reason) {
  if (ok) return kExitOk;
  const std::string refused = refusalReason();
  const std::string why = refused.empty() ? reason : refused;
  if (isStandardOutput()) return standardOutputFailed(why);
  return fail(kExitCantCreate, failureText(why));
}

int PreparedOutput::writeAside(const std::string& bytes) {
  std::string reason;
  return written(file_.write(bytes, reason), reason);
}

int PreparedOutput::putInPlace() {
  std::string reason;
  return written(file_.putInPlace(reason), reason);
}

int PreparedOutput::write(const std::string& bytes) {
  const int status = writeAside(bytes);
  return status != kExitOk ? status : putInPlace();
}

int PreparedOutput::writeText(const std::string& text, const std::string& lineEnd) {
  std::string reason;
  const bool ok = file_.write(
      text, reason, [&lineEnd](const std::string& bytes) { return shownOnTerminal(bytes, lineEnd); });
  return ok ? putInPlace() : written(false, reason);
}

int writeStandardOutput(const std::string& bytes) {
  return PreparedOutput({"", kStandardOutput}).write(bytes);
}

int finishStandardOutput(int status) {
  errno = 0;
  const bool flushed = std::fflush(stdout) == 0;
  const int error = errno;
  if (flushed && !std::ferror(stdout) && !standardOutputFailureSaid) return status;
  return standardOutputFailed(flushed || error == 0 ? "write failed" : std::strerror(error));
}

}  // namespace cli
