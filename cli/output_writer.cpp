#include "cli/output_writer.h"

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <optional>

#include "platform/output_file.h"
#include "platform/visible_text.h"
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

bool putOnStandardOutput(const std::string& bytes) {
  errno = 0;
  return std::fwrite(bytes.data(), 1, bytes.size(), stdout) == bytes.size() && std::fflush(stdout) == 0;
}

// `prepared` is the output made ready beforehand for `path`; none for standard output.
int writeTo(const std::string& path, const std::string& bytes, const platform::TerminalForm& onTerminal,
            platform::PendingOutput* prepared = nullptr) {
  if (!prepared && isStandardOutput(path)) {
    return putOnStandardOutput(platform::formFor(STDOUT_FILENO, bytes, onTerminal)) ? kExitOk
                                                                                   : standardOutputFailed(errno);
  }
  // What stdout holds goes first, in case the descriptor written below shares its file.
  std::fflush(stdout);
  std::string reason;
  std::optional<platform::PendingOutput> made;
  platform::PendingOutput& output = prepared ? *prepared : made.emplace(path);
  if (output.write(bytes, reason, onTerminal)) return kExitOk;
  return fail(kExitCantCreate, "cannot write '" + path + "': " + reason);
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

bool isStandardOutput(const std::string& path) {
  if (path == kStandardOutput) return true;
  const platform::OutputTarget target = platform::resolveOutput(path);
  return target.kind == platform::OutputTarget::Kind::descriptor && target.descriptor == STDOUT_FILENO;
}

int writeOutputFile(const std::string& path, const std::string& bytes) { return writeTo(path, bytes, {}); }

PreparedOutput::PreparedOutput(const std::string& path) : path_(path) {
  if (!isStandardOutput(path)) pending_.emplace(path);
}

int PreparedOutput::write(const std::string& bytes) {
  return writeTo(path_, bytes, {}, pending_ ? &*pending_ : nullptr);
}

int writeText(const std::string& path, const std::string& text, const std::string& lineEnd) {
  return writeTo(path, text, [&lineEnd](const std::string& bytes) { return shownOnTerminal(bytes, lineEnd); });
}

int finishStandardOutput(int status) {
  errno = 0;
  const bool flushed = std::fflush(stdout) == 0;
  const int error = errno;
  if (flushed && !std::ferror(stdout) && !standardOutputFailureSaid) return status;
  return standardOutputFailed(flushed ? 0 : error);
}

}  // namespace cli
