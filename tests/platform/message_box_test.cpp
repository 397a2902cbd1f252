#include "platform/message_box.h"

#include <gtest/gtest.h>

#include <cstdio>

using namespace platform;

namespace {

TEST(TerminalMessageBoxes, AnswersAndPrints) {
  struct Case { bool interactive; MsgButtons buttons; MsgIcon icon; std::string typed; MsgAnswer answer;
                std::string printed; } cases[] = {
      {false, MsgButtons::Ok, MsgIcon::Stop, "c\n", MsgAnswer::Ok, "Error: text\n"},
      {false, MsgButtons::OkCancel, MsgIcon::Warning, "o\n", MsgAnswer::Cancel, "warning: text\n"},
      {true, MsgButtons::Ok, MsgIcon::None, "", MsgAnswer::Ok, "text\nPress Enter to continue. "},
      {true, MsgButtons::OkCancel, MsgIcon::Warning, "\n", MsgAnswer::Ok, "warning: text\n[O]K or [C]ancel? "},
      {true, MsgButtons::OkCancel, MsgIcon::Warning, " Cancel\r\n", MsgAnswer::Cancel,
       "warning: text\n[O]K or [C]ancel? "},
      {true, MsgButtons::OkCancel, MsgIcon::Warning, "maybe\nOK\n", MsgAnswer::Ok,
       "warning: text\n[O]K or [C]ancel? [O]K or [C]ancel? "},
      {true, MsgButtons::OkCancel, MsgIcon::Warning, "maybe\n", MsgAnswer::Cancel,
       "warning: text\n[O]K or [C]ancel? [O]K or [C]ancel? "},
  };
  for (const Case& c : cases) {
    std::FILE* out = std::tmpfile();
    std::FILE* in = std::tmpfile();
    std::fputs(c.typed.c_str(), in);
    std::rewind(in);
    EXPECT_EQ(TerminalMessageBoxes(out, in, c.interactive).show("text", c.buttons, c.icon), c.answer) << c.typed;
    std::string printed(256, '\0');
    std::rewind(out);
    printed.resize(std::fread(printed.data(), 1, printed.size(), out));
    EXPECT_EQ(printed, c.printed) << c.typed;
    std::fclose(out);
    std::fclose(in);
  }
}

// A warning met again is said once; a question is asked every time, since its answer decides
// what happens next; control bytes of the text never reach the terminal raw.
TEST(TerminalMessageBoxes, SayAWarningOnceAndNoControlBytes) {
  std::FILE* out = std::tmpfile();
  std::FILE* in = std::tmpfile();
  TerminalMessageBoxes boxes(out, in, false);
  boxes.show("missing: /a\x1B]0;x\x07/", MsgButtons::Ok, MsgIcon::Warning);
  boxes.show("missing: /a\x1B]0;x\x07/", MsgButtons::Ok, MsgIcon::Warning);
  boxes.show("missing: /a\x1B]0;x\x07/", MsgButtons::Ok, MsgIcon::Stop);
  boxes.show("insert the disk", MsgButtons::OkCancel, MsgIcon::Warning);
  EXPECT_EQ(boxes.show("insert the disk", MsgButtons::OkCancel, MsgIcon::Warning), MsgAnswer::Cancel);
  std::string printed(512, '\0');
  std::rewind(out);
  printed.resize(std::fread(printed.data(), 1, printed.size(), out));
  EXPECT_EQ(printed,
            "warning: missing: /a\\x1B]0;x\\x07/\nError: missing: /a\\x1B]0;x\\x07/\n"
            "warning: insert the disk\nwarning: insert the disk\n");
  std::fclose(out);
  std::fclose(in);
}

}  // namespace
