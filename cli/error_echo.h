// How much of a listing's error lines a failing command repeats on stderr, so that a file of
// thousands of errors, or of one endless line, still gives a message that can be read: the
// first kShownLines lines, each with at most kShownTextBytes bytes of the listing's text, then
// one line that counts the rest. The listing itself keeps every line whole.
//
//   FILE:LINE: text
//   FILE:LINE: the first bytes of a long text ... (N more bytes in the listing)
//   orvella-config: FILE: N more error lines are in the listing
#pragma once

#include <cstddef>
#include <string>
#include <utility>

namespace cli {

class ErrorEcho {
 public:
  static constexpr size_t kShownLines = 50;
  static constexpr size_t kShownTextBytes = 320;

  // `source` names the file or the panel in the closing line.
  explicit ErrorEcho(std::string source) : source_(std::move(source)) {}

  // Counts one more error line: true while it is one of the first kShownLines, to be said.
  bool next() { return ++seen_ <= kShownLines; }

  // The closing line, when some lines were not said.
  void finish() const;

 private:
  std::string source_;
  size_t seen_ = 0;
};

// A text of the listing as an echoed line shows it: whole, or its first kShownTextBytes bytes
// (no UTF-8 sequence cut) and how many more `holder` holds. A setting quoted from its file is
// cut the same way, with "the file" as its holder.
std::string shownText(const std::string& text, const std::string& holder = "the listing");

}  // namespace cli
