// ParseFileListing: the parse listing window, reduced to its one text box: one instance,
// created on first reference, holding the whole parse listing as one text. The parse log
// appends a line (with CR LF) per message; the program prints or saves the text.
#pragma once

#include <string>

class ParseFileListing {
 public:
  static ParseFileListing& instance();

  const std::string& txtParseFileListing() const { return text_; }
  void txtParseFileListing(std::string text) { text_ = std::move(text); }
  // Same as setting the text to the old text followed by `text`, without copying the old text.
  void appendText(const std::string& text) { text_ += text; }

 private:
  ParseFileListing() = default;
  std::string text_;
};
