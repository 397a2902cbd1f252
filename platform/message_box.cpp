#include "platform/message_box.h"

#include <unistd.h>

#include <optional>

#include "platform/ascii_case.h"
#include "platform/service_slot.h"
#include "platform/visible_text.h"

namespace platform {
namespace {

ServiceSlot<MessageBoxes, TerminalMessageBoxes>& slot() {
  static ServiceSlot<MessageBoxes, TerminalMessageBoxes> s;
  return s;
}

// One line of input without its end, lower-cased; nothing at the end of input.
std::optional<std::string> readAnswer(std::FILE* in) {
  std::string line;
  int c;
  while ((c = std::fgetc(in)) != EOF && c != '\n')
    if (c != '\r' && c != ' ' && c != '\t') line += ascii::lower(char(c));
  if (c == EOF && line.empty()) return std::nullopt;
  return line;
}

}  // namespace

TerminalMessageBoxes::TerminalMessageBoxes(std::string lead)
    : TerminalMessageBoxes(stderr, stdin, ::isatty(STDIN_FILENO) == 1, std::move(lead)) {}

MsgAnswer TerminalMessageBoxes::show(const std::string& text, MsgButtons buttons, MsgIcon icon) {
  const char* prefix = icon == MsgIcon::Warning ? "warning: " : icon == MsgIcon::Stop ? "Error: " : "";
  const std::string line = lead_ + prefix + visibleText(text);
  // An OK box asks nothing: the same one again would only repeat itself (the start-up's folder
  // tests meet one missing folder many times).
  if (buttons == MsgButtons::Ok && !shownOkBoxes_.insert(line).second) return MsgAnswer::Ok;
  std::fwrite(line.data(), 1, line.size(), out_);
  std::fputc('\n', out_);
  const MsgAnswer unattended = buttons == MsgButtons::Ok ? MsgAnswer::Ok : MsgAnswer::Cancel;
  if (!interactive_) return unattended;
  if (buttons == MsgButtons::Ok) {
    std::fputs("Press Enter to continue. ", out_);
    std::fflush(out_);
    readAnswer(in_);
    return MsgAnswer::Ok;
  }
  for (;;) {
    std::fputs("[O]K or [C]ancel? ", out_);
    std::fflush(out_);
    auto answer = readAnswer(in_);
    if (!answer) return unattended;
    if (answer->empty() || *answer == "o" || *answer == "ok") return MsgAnswer::Ok;
    if (*answer == "c" || *answer == "cancel") return MsgAnswer::Cancel;
  }
}

std::function<MessageBoxes&()> installMessageBoxes(std::function<MessageBoxes&()> provider) {
  return slot().install(std::move(provider));
}

MessageBoxes& currentMessageBoxes() { return slot().current(); }

}  // namespace platform
