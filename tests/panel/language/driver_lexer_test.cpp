// The driver-file lexer: the numbered echo of every line whatever its line end, the quote
// errors between a line's echo and its statement, and the last line without a line end.
#include <gtest/gtest.h>

#include "tests/panel/driver_text_support.h"

namespace {

using namespace driver_test;
using driver_test::lexText;  // not the lex type of the same name

TEST(DriverLexer, EveryLineEndStyleGivesTheSameEchoAndStatements) {
  for (std::string end : {"\r\n", "\n", "\r"}) {
    PanelSettingsV2 settings;
    lexText(settings, "PROJ-NAME='A' ; name" + end + end + "; comment" + end + " \t" + end +
                          "VOL-MUTE\t=\t5" + end);
    EXPECT_EQ(listing(), "0001    PROJ-NAME='A' ; name\r\n0002    \r\n0003    ; comment\r\n"
                         "0004     \t\r\n0005    VOL-MUTE\t=\t5\r\n") << int(end[0]);
    EXPECT_EQ(describeRow(settings, kwProjName) + describeRow(settings, kwVolMute), "=A=5");
    EXPECT_EQ(settings.parseErrors(), 0);
  }
}

TEST(DriverLexer, EchoQuoteErrorsAndTheLastLine) {
  struct { std::string text, listing; int16_t row; std::string slot; } cases[] = {
      {"VOL-MUTE=5\n\rVOL-FLOOR=6", "0001    VOL-MUTE=5\r\n0002    \r\n0003    VOL-FLOOR=6\r\n",
       kwVolFloor, "=6"},
      {"PROJ-NAME='open\r\nVOL-MUTE=1\r\n",
       "0001    PROJ-NAME='open\r\n    (E) Single quote not terminated.\r\n0002    VOL-MUTE=1\r\n",
       kwProjName, "=open"},
      {"ROOM-USR-NOTE=\"a ; b\r", "0001    ROOM-USR-NOTE=\"a ; b\r\n    (E) Double quote not terminated.\r\n",
       kwRoomUsrNote, "=a ; b"},
      {"X='open", "0001    X='open\r\n    (E) Single quote not terminated.\r\n"
                  "    (E) Unrecognized key 'X'\r\n", kwProjName, "null"},
      {std::string("PROJ-NAME='a\0\xE9'", 15), std::string("0001    PROJ-NAME='a\0\xE9'\r\n", 25),
       kwProjName, std::string("=a\0\xE9", 4)},
      {"", "", kwProjName, "null"},
  };
  for (const auto& c : cases) {
    PanelSettingsV2 settings;
    lexText(settings, c.text);
    EXPECT_EQ(listing(), c.listing) << c.text;
    EXPECT_EQ(describeRow(settings, c.row), c.slot) << c.text;
  }

  PanelSettingsV2 settings;
  lexText(settings, std::string(9999, '\n') + "VOL-MUTE=7");
  EXPECT_TRUE(listing().ends_with("\r\n9999    \r\n10000    VOL-MUTE=7\r\n"));
}

}  // namespace
