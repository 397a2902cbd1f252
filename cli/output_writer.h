// The outputs of the commands (-o FILE, --listing FILE, standard output), each prepared once before
// anything is written and then written through what was prepared (platform::OutputFile: a file
// whole through a temporary file and a rename, never half-written nor lost on failure; another
// descriptor, a device or a FIFO written in place; a link followed). "-", and any name that
// stands for descriptor 1 (/dev/stdout, /dev/fd/1), is standard output; a standard output that
// was closed when the program started is refused ("it is closed") rather than written into
// whatever took its number. The checks between outputs are file_args.h's PreparedOutputs.
//
// A text for reading (a listing, a room file) keeps its bytes in a file or a pipe. On a terminal
// (isatty of the descriptor it is written to) each of its lines is shown as messages show a text
// (platform::visibleText), its line ends kept: what a driver, a room file or a panel holds
// reaches the text as it is, and an escape sequence among it must not drive the terminal. Every
// listing and room file the program writes goes through writeText.
//
// A failed write to standard output fails the program: whatever wrote it (a command's listing,
// the usage, the version), finishStandardOutput turns the run's status into 73, and the failure
// is said on stderr once.
#pragma once

#include <string>

#include "cli/listing_text.h"
#include "platform/output_file.h"

namespace cli {

inline const std::string kStandardOutput = "-";

// A file a command writes, with the option that names it ("-o", "--listing"; none for the
// listing of a command that has no such option).
struct OutputName {
  std::string option;
  std::string path;     // kStandardOutput for standard output
  bool given = true;    // false: the option was not given and the output is its default, stdout
  bool binary = false;  // bytes that are no text (a panel image): never written to a terminal
};

// One output, prepared on construction. Neither copied nor moved.
class PreparedOutput {
 public:
  explicit PreparedOutput(const OutputName& name);

  const OutputName& name() const { return name_; }
  // Empty when the output may be written; else what stops it, as the user is told
  // ("cannot write 'sub': Is a directory").
  std::string refusal() const;
  const platform::FileIdentity& identity() const { return file_.identity(); }
  bool isTerminal() const { return file_.isTerminal(); }
  bool isStandardOutput() const { return file_.ownDescriptor() == 1; }
  // Opens a FIFO, waiting for its reader (platform::OutputFile::openWaiting).
  bool openWaiting() { return file_.openWaiting(); }

  // kExitOk when the output holds the bytes, in place; otherwise says why on stderr and gives
  // kExitCantCreate. Once only, as is writeText.
  int write(const std::string& bytes);
  // The same with the text's lines shown escaped on a terminal.
  int writeText(const std::string& text, const std::string& lineEnd = kListingLineEnd);
  // The bytes written, but a file that is replaced only once putInPlace is called (a FIFO or a
  // descriptor has them at once): for the output that is to replace its file last.
  int writeAside(const std::string& bytes);
  int putInPlace();

 private:
  std::string refusalReason() const;
  std::string failureText(const std::string& reason) const;
  int written(bool ok, const std::string& reason);

  OutputName name_;
  platform::OutputFile file_;
};

// Writes the bytes on standard output, as PreparedOutput::write (the usage, the version).
int writeStandardOutput(const std::string& bytes);

// At the end of the run: flushes standard output and gives kExitCantCreate when any write to
// it failed (said on stderr unless a PreparedOutput said it already), else `status`.
int finishStandardOutput(int status);

}  // namespace cli
