#include "cli/failure_report.h"

#include <algorithm>
#include <cstdio>
#include <iterator>
#include <optional>

#include "common/startup_globals.h"
#include "common/unreadable_folders.h"
#include "cli/command.h"
#include "cli/error_echo.h"
#include "cli/listing_text.h"
#include "platform/visible_text.h"

namespace cli {
namespace {

// The parse log's two kinds of line that count as errors: errors and problems.
constexpr const char* kParseErrorMarks[] = {"    (E) ", "    (P) "};
constexpr size_t kParseMarkSize = 8;
constexpr const char* kMemoryErrorMark = "[E]";
constexpr const char* kMemoryWarningMark = "[W]";
constexpr size_t kEchoDigits = 4, kMaxEchoDigits = 10;
constexpr const char* kEchoGap = "    ";

// The line number of an echo line ("0042    text"), or empty.
std::string echoedLineNumber(const std::string& line) {
  size_t digits = line.find_first_not_of("0123456789");
  if (digits < kEchoDigits || digits > kMaxEchoDigits || line.compare(digits, 4, kEchoGap) != 0) return "";
  return std::to_string(std::stol(line.substr(0, digits)));
}

// A warning's text without the indent that places it under its rule in the listing.
std::string trimmedWarning(const std::string& text) {
  const size_t start = text.find_first_not_of(' ');
  return start == std::string::npos ? std::string() : text.substr(start);
}

void sayUnreadable(const VXCommon::UnreadableFolder& entry) {
  fail(kExitNoInput, "cannot read '" + entry.folder + "': " + entry.reason);
}

}  // namespace

void sayLine(const std::string& text) {
  const std::string line = platform::visibleText(text) + "\n";
  std::fwrite(line.data(), 1, line.size(), stderr);
}

int fail(int status, const std::string& message) {
  sayLine("orvella-config: " + message);
  return status;
}

void reportLoadError(const std::string& source, int result) {
  const auto& texts = VXCommon::gErrorMessages;
  std::string text = result > 0 && size_t(result) < texts.size() ? texts[size_t(result)] : "";
  sayLine("orvella-config: " + source + ": load error " + std::to_string(result) + ": " + text);
}

void reportParseErrors(const std::string& file, const std::string& listing, size_t parsedSize) {
  ErrorEcho echo(file);
  std::string lineNumber;
  forEachLine(listing, [&](const std::string& line, size_t start) {
    if (std::string number = echoedLineNumber(line); !number.empty()) lineNumber = number;
    if (std::none_of(std::begin(kParseErrorMarks), std::end(kParseErrorMarks),
                     [&line](const char* mark) { return line.rfind(mark, 0) == 0; }))
      return;
    if (!echo.next()) return;
    std::string where = start < parsedSize && !lineNumber.empty() ? file + ":" + lineNumber : file;
    sayLine(where + ": " + shownText(line.substr(kParseMarkSize)));
  });
  echo.finish();
}

void reportMemoryErrors(const std::string& source, const std::string& listing) {
  ErrorEcho echo(source);
  forEachLine(listing, [&](const std::string& line, size_t) {
    if (line.rfind(kMemoryErrorMark, 0) == 0 && echo.next())
      sayLine(source + ": " + shownText(line.substr(std::string(kMemoryErrorMark).size())));
  });
  echo.finish();
}

void reportMemoryWarnings(const std::string& source, const std::string& listing) {
  forEachLine(listing, [&](const std::string& line, size_t) {
    if (line.rfind(kMemoryWarningMark, 0) == 0)
      sayLine(source + ": warning: " + trimmedWarning(line.substr(std::string(kMemoryWarningMark).size())));
  });
}

bool reportUnreadableFolder(const std::string& path) {
  std::optional<VXCommon::UnreadableFolder> entry = VXCommon::unreadableFolderOf(path);
  if (entry) sayUnreadable(*entry);
  return entry.has_value();
}

int failOnUnreadableFolders() {
  for (const VXCommon::UnreadableFolder& entry : VXCommon::unreadableFolders()) sayUnreadable(entry);
  return VXCommon::unreadableFolders().empty() ? kExitOk : kExitNoInput;
}

}  // namespace cli
