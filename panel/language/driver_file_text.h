// The raw text of driver and room files: reading a whole file as bytes, and the numbered echo
// line with which every reader of these files shows each line in the parse listing.
//
// Files are read in binary: no line-end translation, no locale; NUL bytes are kept. A UTF-8
// byte-order mark at the start, which some editors write, is not part of the text. An echo
// line is the 1-based line number with at least four digits ("0007", "10000"), four blanks and
// the line's text without its line end.
#pragma once

#include <cstdint>
#include <string>

namespace DriverFileText {

// The whole content of the file. False when it cannot be opened or read (a missing file, no
// permission) or is no regular file (a folder, a device, a FIFO: never waited on); bytes is
// then empty.
bool readFileBytes(const std::string& path, std::string& bytes);

// The echo of one line: "0042    text".
std::string numberedLine(int32_t lineNumber, const std::string& lineText);

}  // namespace DriverFileText
