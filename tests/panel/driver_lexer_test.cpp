// The driver-file lexer: the numbered echo of every line whatever its line end, tokens and
// comments as the statements show them, the two quote errors, and the last line without a
// line end.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/panel/driver_text_support.h"

namespace {

using driver_test::describeRow;
using driver_test::lexText;
using driver_test::listing;
using driver_test::messageLines;
using Lines = std::vector<std::string>;

TEST(DriverLexer, EveryLineEndStyleGivesTheSameEchoAndStatements) {
  const Lines lines = {"PROJ-NAME='A' ; the name", "", "; only a comment", "   \t",
                       "VOL-MUTE\t=\t5", "ROOM-USR-NOTE=\"x;y 'z'\""};
  const std::string expected =
      "0001    PROJ-NAME='A' ; the name\r\n"
      "0002    \r\n"
      "0003    ; only a comment\r\n"
      "0004       \t\r\n"
      "0005    VOL-MUTE\t=\t5\r\n"
      "0006    ROOM-USR-NOTE=\"x;y 'z'\"\r\n";
  for (const char* lineEnd : {"\r\n", "\n", "\r"}) {
    std::string text;
    for (const std::string& line : lines) text += line + lineEnd;
    PanelSettingsV2 settings;
    lexText(settings, text);
    EXPECT_EQ(listing(), expected) << "line end " << int(lineEnd[0]) << " " << int(lineEnd[1]);
    EXPECT_EQ(describeRow(settings, kwProjName), "=A");
    EXPECT_EQ(describeRow(settings, kwVolMute), "=5");
    EXPECT_EQ(describeRow(settings, kwRoomUsrNote), "=x;y 'z'");
    EXPECT_EQ(settings.parseErrors(), 0);
  }
}

TEST(DriverLexer, LineEndsAndEchoNumbers) {
  struct {
    const char* name;
    std::string text;
    std::string expected;
  } cases[] = {
      {"LF then CR ends two lines", "VOL-MUTE=5\n\rVOL-FLOOR=6\n",
       "0001    VOL-MUTE=5\r\n0002    \r\n0003    VOL-FLOOR=6\r\n"},
      {"last line without a line end", "VOL-MUTE=5\r\nVOL-FLOOR=6",
       "0001    VOL-MUTE=5\r\n0002    VOL-FLOOR=6\r\n"},
      {"empty file", "", ""},
      {"a lone line end", "\r\n", "0001    \r\n"},
      {"bytes kept as they are", std::string("PROJ-NAME='a\0b\xE9'\n", 17),
       std::string("0001    PROJ-NAME='a\0b\xE9'\r\n", 26)},
  };
  for (const auto& c : cases) {
    PanelSettingsV2 settings;
    lexText(settings, c.text);
    EXPECT_EQ(listing(), c.expected) << c.name;
    EXPECT_EQ(settings.parseErrors(), 0) << c.name;
  }

  PanelSettingsV2 settings;
  lexText(settings, "VOL-MUTE=5\n\rVOL-FLOOR=6");
  EXPECT_EQ(describeRow(settings, kwVolFloor), "=6");
  lexText(settings, std::string("PROJ-NAME='a\0b\xE9'", 15));
  EXPECT_EQ(describeRow(settings, kwProjName), std::string("=a\0b\xE9", 5));
}

TEST(DriverLexer, TheTenThousandthLineHasFiveDigits) {
  PanelSettingsV2 settings;
  lexText(settings, std::string(9999, '\n') + "VOL-MUTE=7\n");
  const std::string tail = "9999    \r\n10000    VOL-MUTE=7\r\n";
  ASSERT_GE(listing().size(), tail.size());
  EXPECT_EQ(listing().substr(listing().size() - tail.size()), tail);
  EXPECT_EQ(describeRow(settings, kwVolMute), "=7");
}

TEST(DriverLexer, TokensAsTheStatementsSeeThem) {
  struct {
    const char* text;
    Lines messages;
    int16_t row;
    const char* slot;
  } cases[] = {
      {"PROJ-NAME='a;b' ; note", {}, kwProjName, "=a;b"},
      {"PROJ-NAME='a\"b'", {}, kwProjName, "=a\"b"},
      {"abc'def'", {"    (E) Unrecognized key 'abc'"}, kwProjName, "null"},
      {"PROJ-NAME='it''s'", {"    (E) Delimiter or argument at end of line"}, kwProjName, "=it"},
      {"VOL-MUTE=5;comment right after", {}, kwVolMute, "=5"},
      {"ROOM-RELAY[ 3 ]=400ms ,Locked", {}, kwRoomRelay, "3={1=400ms 2=Locked}"},
      {"PROJ-NAME\"x\"='A'", {"    (E) Expecting an '='"}, kwProjName, ""},
  };
  for (const auto& c : cases) {
    PanelSettingsV2 settings;
    lexText(settings, std::string(c.text) + "\r\n");
    EXPECT_EQ(messageLines(), c.messages) << c.text;
    EXPECT_EQ(describeRow(settings, c.row), c.slot) << c.text;
  }
}

TEST(DriverLexer, UnterminatedQuotesAreErrorsAndTheStatementStillParses) {
  struct {
    std::string text;
    std::string expected;
    int16_t row;
    const char* slot;
  } cases[] = {
      {"PROJ-NAME='open\r\nVOL-MUTE=1\r\n",
       "0001    PROJ-NAME='open\r\n    (E) Single quote not terminated.\r\n0002    VOL-MUTE=1\r\n",
       kwProjName, "=open"},
      {"ROOM-USR-NOTE=\"open ; not a comment\n",
       "0001    ROOM-USR-NOTE=\"open ; not a comment\r\n    (E) Double quote not terminated.\r\n",
       kwRoomUsrNote, "=open ; not a comment"},
      {"PROJ-NAME='open",
       "0001    PROJ-NAME='open\r\n    (E) Single quote not terminated.\r\n", kwProjName,
       "=open"},
      {"X='open\r", "0001    X='open\r\n    (E) Single quote not terminated.\r\n"
                    "    (E) Unrecognized key 'X'\r\n", kwProjName, "null"},
  };
  for (const auto& c : cases) {
    PanelSettingsV2 settings;
    lexText(settings, c.text);
    EXPECT_EQ(listing(), c.expected) << c.text;
    EXPECT_EQ(describeRow(settings, c.row), c.slot) << c.text;
  }
}

TEST(DriverLexer, AddsToTheValuesAlreadyHeld) {
  PanelSettingsV2 settings;
  lexText(settings, "PROJ-NAME='A'\n");
  lexText(settings, "VOL-MUTE=5\nPROJ-NAME='B'\n");
  EXPECT_EQ(describeRow(settings, kwProjName), "=A");
  EXPECT_EQ(describeRow(settings, kwVolMute), "=5");
  EXPECT_EQ(messageLines(), Lines{"    (E) Already parsed an occurence of PROJ-NAME "});
  EXPECT_EQ(settings.parseErrors(), 1);
}

TEST(DriverLexer, AFileThatCannotBeReadIsReported) {
  PanelSettingsV2 settings;
  TempXdgHome folder;
  folder.makeDir("a-folder");
  ParseFileListing::instance().txtParseFileListing("");
  EXPECT_FALSE(PanelSettingsTestAccess::lexDriverFile(settings, folder.root() + "/missing.prjdrv"));
  EXPECT_FALSE(PanelSettingsTestAccess::lexDriverFile(settings, folder.root() + "/a-folder"));
  EXPECT_EQ(listing(), "");
}

}  // namespace
