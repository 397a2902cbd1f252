// The statement parser: the messages and the slot of each statement as written (lexed from a
// file, one statement per line), duplicates from files and from translated statements, a full
// code table, and the keyword lookup.
#include <gtest/gtest.h>

#include <tuple>

#include "panel/language/driver_token.h"
#include "tests/panel/driver_text_support.h"

namespace {

using namespace driver_test;
using driver_test::lexText;  // not the lex type of the same name
using Access = PanelSettingsTestAccess;

TEST(StatementParser, MessagesAndSlots) {
  struct { const char *statements, *messages; int16_t row; const char* slot; } cases[] = {
      {"proj-name='X'", "", kwProjName, "=X"},
      {"PROJ-NAME=X", "(E) Expecting a single quoted string", kwProjName, ""},
      {"PROJ-VER='A'", "(E) Unrecognized key 'PROJ-VER'", kwProjDriverRev, "null"},
      {"BYTES-TO-QUEUE=$0F", "(E) Expecting a Number between 1 and 14", kwBytesToQueue, ""},
      {"VOL-MUTE=99999999999", "(E) Expecting a Number", kwVolMute, ""},
      {"IR-TIME-0L='560u'", "(E) Expecting a time", kwIrTime0L, ""},
      {"PASSIVE-MODE=yes", "(E) Expected TRUE or FALSE", kwPassiveMode, ""},
      {"ROOM-USR-NOTE='a'", "(E) Expecting a double quoted string", kwRoomUsrNote, ""},
      {"PROJ-BAUD-RATE=9600,8,X,1", "(E) Invalid flag 'X'.  Must be one of 'N','O','E','M','S'",
       kwProjBaudRate, "1=9600 2=8"},
      {"POWER-SENSE-OPTIONS=None,sensor", "", kwPowerSenseOptions, "1=None 2=sensor"},
      {"PROJ-FILE-FMT=2,", "(E) Delimiter or argument at end of line", kwProjFileFmt, "=2"},
      {"PROJ-FILE-FMT=2 3 4", "(E) Expecting a comma", kwProjFileFmt, "=2"},
      {"PROJ-FILE-FMT=", "(E) Insufficient number of Arguments", kwProjFileFmt, ""},
      {"PROJ-FILE-FMT 2", "(E) Expecting an '='", kwProjFileFmt, ""},
      {"PROJ-FILE-FMT", "(E) Arguments not found", kwProjFileFmt, ""},
      {"REQUIRES-FW-VERSION=1,2,3", "(E) Too many of Arguments", kwRequiresFwVersion, "1=1 2=2"},
      {"ROOM-RELAY[3]=400ms,Locked", "", kwRoomRelay, "3={1=400ms 2=Locked}"},
      {"ROOM-RELAY=400ms", "(E) Key must have subscripts 'ROOM-RELAY'", kwRoomRelay, ""},
      {"ROOM-RELAY[x]=400ms", "(E) Subscript must be numeric", kwRoomRelay, ""},
      {"DOC-REV-USER-MESSAGE[A]=\"x\"", "(E) Subscript must quoted", kwDocRevUserMessage, ""},
      {"DEFAULT-HID-FUNCT['9']='X'",
       "(E) Subscript must be one of 'OFF','VUP','VDN','1','2','3','4','5','6','7','8'.",
       kwDefaultHidFunct, ""},
      {"default-core-funct[on]='Pwr'", "", kwDefaultCoreFunct, "ON=Pwr"},
      {"ROOM-AFVP-GBT[1]=5,12,13", "(E) Expecting a Number between 0 and 12", kwRoomAfvpGbt, "1={1=5 2=12}"},
      // Tokens as the lexer cuts them.
      {"PROJ-NAME='a;b' ; note", "", kwProjName, "=a;b"},
      {"abc'def'", "(E) Unrecognized key 'abc'", kwProjName, "null"},
      // Code entries: the vocabulary's spelling for keywords and flags, names as written.
      {"ircode['On']=\"%1\",is-Hidden,repeats=$3F,continue='on2'", "", kwIrCode,
       "On={IRCODE=<bin(1)> IS-HIDDEN=True REPEATS=63 CONTINUE=on2}"},
      {"IRCODE['X']=\"%1\",IS-HIDDEN,is-hidden", "(E) Already parsed an occurence of is-hidden",
       kwIrCode, "X={IRCODE=<bin(1)> IS-HIDDEN=True}"},
      {"IRCODE['X']=\"%1\",REPEATS=64", "(P) Expecting number after 'REPEATS'", kwIrCode,
       "X={IRCODE=<bin(1)>}"},
      {"IRCODE['X']=\"%1\",repeats 3", "(P) Expecting an = after 'repeats'", kwIrCode, "X={IRCODE=<bin(1)>}"},
      {"IRCODE['X']=\"%1\",CONTINUE=X2", "(P) Expecting single quoted string after 'CONTINUE'",
       kwIrCode, "X={IRCODE=<bin(1)>}"},
      {"RSCODE['X']=\"$0D\",usecont",
       "(E) Invalid flag 'usecont'.  Must be one of 'IS-SELECTION','IS-HIDDEN','USEPREFIX',"
       "'USESUFFIX','USEREPEAT','INCLUDECONT'", kwRsCode, "X={RSCODE=<hex(13)>}"},
      {"RSCODE['X']=\"$0D\",includecont,UseRepeat", "", kwRsCode,
       "X={RSCODE=<hex(13)> INCLUDECONT=True USEREPEAT=True}"},
      // A code statement that stops before its code string leaves no code behind.
      {"RSCODE['X']=", "(E) Expecting a double quoted string", kwRsCode, ""},
      {"IRCODE['X'] \"%1\"", "(E) Expecting an '='", kwIrCode, ""},
      {"IRCODE['X']=\nIRCODE['X']=\"%1\"", "(E) Expecting a double quoted string", kwIrCode, "X={IRCODE=<bin(1)>}"},
      {"power-poll-match-bytes=\"$0D\"", "", kwPowerPollMatchBytes, "POWER-POLL-MATCH-BYTES=<hex(13)>"},
      {"POWER-POLL-MATCH-BYTES=\"D5m\"", "(E) Delays are not allowable in polling Match codes",
       kwPowerPollMatchBytes, "POWER-POLL-MATCH-BYTES=<>"},
      // Repeated statements of a driver file.
      {"PROJ-NAME='X'\nPROJ-NAME='Y'", "(E) Already parsed an occurence of PROJ-NAME ", kwProjName, "=X"},
      {"IRCODE['ON']=\"%1\"\nRSCODE['ON']=\"$0D\"", "(E) Already parsed an occurence of RSCODE ON",
       kwRsCode, "ON={IRCODE=<bin(1)>}"},
      {"DEFAULT-CORE-FUNCT[ON]='A'\nDEFAULT-CORE-FUNCT[on]='B'",
       "(E) Already parsed an occurence of DEFAULT-CORE-FUNCT on", kwDefaultCoreFunct, "ON=A"},
      {"POWER-POLL-MATCH-BYTES=\"$0D\"\nPOWER-POLL-MATCH-BYTES=\"$0A\"", "(E) Already added string.",
       kwPowerPollMatchBytes, "POWER-POLL-MATCH-BYTES=<hex(13)>"},
  };
  for (const auto& c : cases) {
    PanelSettingsV2 settings;
    lexText(settings, c.statements);
    EXPECT_EQ(messages(), c.messages) << c.statements;
    EXPECT_EQ(describeRow(settings, c.row), c.slot) << c.statements;
  }
}

TEST(StatementParser, TranslatedDuplicatesGetAPlusAndRs232EscapesAreTranslated) {
  auto code = [](const char* keyword, const char* text) {
    TypeValueList tokens;
    for (auto [kind, token] : {std::pair<int16_t, const char*>{tokWord, keyword}, {tokOpenBracket, "["},
                               {tokSingleQuoted, "ON"}, {tokCloseBracket, "]"}, {tokEquals, "="},
                               {tokDoubleQuoted, text}})
      tokens.add(kind, Variant(token));
    return tokens;
  };
  PanelSettingsV2 settings, fromFile;
  ParseFileListing::instance().txtParseFileListing("");
  for (const char* keyword : {"IRCODE", "RSCODE", "RSCODE"}) {
    TypeValueList tokens = code(keyword, keyword[0] == 'I' ? "%1" : "27,'V'");
    Access::parseStatement(settings, tokens, true);
    EXPECT_EQ(tokens.count(), 0);
  }
  EXPECT_EQ(messages(), "(W) Already parsed an occurence of RSCODE ON. Prefixing with a + for duplicate."
                        "|(W) Already parsed an occurence of RSCODE ON. Prefixing with a + for duplicate."
                        "|(W) Already parsed an occurence of RSCODE ON+. Prefixing with a + for duplicate.");
  EXPECT_EQ(describeRow(settings, kwIrCode),
            "ON={IRCODE=<bin(1)>} ON+={RSCODE=<vbin(&VBIN)>} ON++={RSCODE=<vbin(&VBIN)>}");
  EXPECT_EQ(settings.parseErrors(), 0);

  TypeValueList tokens = code("RSCODE", "27,'V'");
  Access::parseStatement(fromFile, tokens, false);
  EXPECT_EQ(describeRow(fromFile, kwRsCode), "ON={RSCODE=<dec(27) txt(V)>}");
}

TEST(StatementParser, FindKeywordWithAndWithoutAliases) {
  PanelSettingsV2 settings;
  for (auto [key, alias, row] : {std::tuple{"room-use-off-press-hold", false, 73}, {"PROJ-VER", false, 0},
                                 {"proj-ver", true, 4}, {"", true, 0}})  // no alias never matches
    EXPECT_EQ(Access::findKeyword(settings, key, alias), row) << key;
}

}  // namespace
