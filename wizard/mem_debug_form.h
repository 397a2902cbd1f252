// MemDebugForm: the memory debug window, reduced to what the model needs of it: one instance,
// created on first use, holding the accumulated memory listings as text. Reading or writing
// the text loads the window without showing it; Show records that it was shown. The program
// prints or saves the text.
#pragma once

#include <string>

class MemDebugForm {
 public:
  static MemDebugForm& instance();

  const std::string& txtMemDumpListing();
  void txtMemDumpListing(std::string text);
  // Same as setting the text to the old text followed by `text`, without copying the old text.
  void appendListing(const std::string& text);

  // Shows the window (not modal, no owner).
  void Show();
  bool isLoaded() const { return loaded_; }
  bool wasShown() const { return shown_; }

  // Back to a window that was never loaded (tests).
  void reset();

 private:
  MemDebugForm() = default;
  std::string text_;
  bool loaded_ = false;
  bool shown_ = false;
};
