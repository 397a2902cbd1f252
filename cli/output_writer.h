// The outputs of the commands (-o FILE, --listing FILE) and standard output. "-", and any name
// that stands for descriptor 1 (/dev/stdout, /dev/fd/1), is standard output; any other name is
// written by platform::writeOutputFile (a file whole through a temporary file and a rename,
// never half-written nor lost on failure; another descriptor, a device or a FIFO written in
// place; a link followed).
//
// A text for reading (a listing, a room file) is written the same way and keeps its bytes in a
// file or a pipe. On a terminal (isatty of the descriptor it is written to) each of its lines is
// shown as messages show a text (platform::visibleText), its line ends kept: what a driver, a
// room file or a panel holds reaches the text as it is, and an escape sequence among it must
// not drive the terminal. Every listing and room file the program writes goes through writeText.
//
// A failed write to standard output fails the program: whatever wrote it (a command's listing,
// the usage, the version), finishStandardOutput turns the run's status into 73, and the failure
// is said on stderr once.
#pragma once

#include <optional>
#include <string>

#include "cli/listing_text.h"
#include "platform/output_file.h"

namespace cli {

// kExitOk when the output holds the bytes; otherwise says why on stderr and gives
// kExitCantCreate.
int writeOutputFile(const std::string& path, const std::string& bytes);

// An output that a command makes ready before it writes another one (its listing): a file that
// is replaced has its temporary file from here on (platform::PendingOutput), which a signal
// ending the program meanwhile removes. Neither copied nor moved.
class PreparedOutput {
 public:
  explicit PreparedOutput(const std::string& path);
  // As writeOutputFile; once only.
  int write(const std::string& bytes);

 private:
  std::string path_;
  std::optional<platform::PendingOutput> pending_;  // none for standard output
};

// As writeOutputFile, with the text's lines shown escaped on a terminal.
int writeText(const std::string& path, const std::string& text, const std::string& lineEnd = kListingLineEnd);

// True for "-" and for a name that stands for descriptor 1.
bool isStandardOutput(const std::string& path);

// At the end of the run: flushes standard output and gives kExitCantCreate when any write to
// it failed (said on stderr unless writeOutputFile said it already), else `status`.
int finishStandardOutput(int status);

}  // namespace cli
