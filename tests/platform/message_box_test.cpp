#include "platform/message_box.h"

#include <gtest/gtest.h>

#include <cstdio>

using namespace platform;

namespace {

struct Terminal {
  explicit Terminal(const std::string& typed) : out(std::tmpfile()), in(std::tmpfile()) {
    std::fwrite(typed.data(), 1, typed.size(), in);
    std::rewind(in);
  }
  ~Terminal() {
    std::fclose(out);
    std::fclose(in);
  }
  std::string printed() {
    std::fflush(out);
    std::rewind(out);
    std::string text;
    for (int c; (c = std::fgetc(out)) != EOF;) text += char(c);
    return text;
  }
  std::FILE* out;
  std::FILE* in;
};

TEST(TerminalMessageBoxes, AnswersAndPrints) {
  struct Case {
    bool interactive;
    MsgButtons buttons;
    MsgIcon icon;
    std::string typed;
    MsgAnswer answer;
    std::string printed;
  } cases[] = {
      {false, MsgButtons::Ok, MsgIcon::Stop, "c\n", MsgAnswer::Ok, "Error: text\n"},
      {false, MsgButtons::OkCancel, MsgIcon::Warning, "o\n", MsgAnswer::Cancel, "Warning: text\n"},
      {true, MsgButtons::Ok, MsgIcon::None, "", MsgAnswer::Ok, "text\nPress Enter to continue. "},
      {true, MsgButtons::OkCancel, MsgIcon::Warning, "\n", MsgAnswer::Ok,
       "Warning: text\n[O]K or [C]ancel? "},
      {true, MsgButtons::OkCancel, MsgIcon::Warning, " Cancel\r\n", MsgAnswer::Cancel,
       "Warning: text\n[O]K or [C]ancel? "},
      {true, MsgButtons::OkCancel, MsgIcon::Warning, "maybe\nOK\n", MsgAnswer::Ok,
       "Warning: text\n[O]K or [C]ancel? [O]K or [C]ancel? "},
      {true, MsgButtons::OkCancel, MsgIcon::Warning, "maybe\n", MsgAnswer::Cancel,
       "Warning: text\n[O]K or [C]ancel? [O]K or [C]ancel? "},
  };
  for (const Case& c : cases) {
    Terminal terminal(c.typed);
    TerminalMessageBoxes boxes(terminal.out, terminal.in, c.interactive);
    EXPECT_EQ(boxes.show("text", c.buttons, c.icon), c.answer) << c.typed;
    EXPECT_EQ(terminal.printed(), c.printed) << c.typed;
  }
}

}  // namespace
