// MessageBoxes: the modal message boxes of the system (an OK box or an OK/Cancel box, with no
// icon, a warning icon or the stop icon) and the user's answer.
//
// The real boxes print the text on stderr, prefixed "warning: " (spelt as the program's other
// warnings) or "Error: " after the icon (and before that by the lead the program gives, its
// name), with what a terminal could act on shown as "\xHH" (platform::visibleText). An OK box whose line was printed before is not printed again (it
// is answered OK at once), so that a run says each warning once; an OK/Cancel box is always shown,
// since its answer decides what happens next. With a terminal on stdin they wait for the user:
// Enter acknowledges an OK box; an OK/Cancel box reads "o"/"ok"/empty as OK and "c"/"cancel" as
// Cancel (any letter case). Without a terminal, or at the end of input, an OK box answers OK and an
// OK/Cancel box Cancel, so an unattended run never repeats a failing step.
#pragma once

#include <cstdio>
#include <functional>
#include <set>
#include <string>
#include <utility>

namespace platform {

enum class MsgButtons { Ok, OkCancel };
enum class MsgIcon { None, Warning, Stop };
enum class MsgAnswer { Ok, Cancel };

class MessageBoxes {
 public:
  virtual ~MessageBoxes() = default;
  virtual MsgAnswer show(const std::string& text, MsgButtons buttons, MsgIcon icon) = 0;
};

class TerminalMessageBoxes : public MessageBoxes {
 public:
  // stderr and stdin; interactive when stdin is a terminal.
  explicit TerminalMessageBoxes(std::string lead = "");
  TerminalMessageBoxes(std::FILE* out, std::FILE* in, bool interactive, std::string lead = "")
      : out_(out), in_(in), interactive_(interactive), lead_(std::move(lead)) {}
  MsgAnswer show(const std::string& text, MsgButtons buttons, MsgIcon icon) override;

 private:
  std::FILE* out_;
  std::FILE* in_;
  bool interactive_;
  std::string lead_;
  std::set<std::string> shownOkBoxes_;
};

// Returns the provider it replaces. An empty provider restores the terminal boxes.
std::function<MessageBoxes&()> installMessageBoxes(std::function<MessageBoxes&()> provider);
MessageBoxes& currentMessageBoxes();

}  // namespace platform
