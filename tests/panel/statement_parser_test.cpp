// The statement parser: each message for a statement as written, the slot each statement fills
// and its layout, duplicates in driver files and in translated statements, and the keyword
// lookup.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "panel/driver_token.h"
#include "tests/panel/driver_text_support.h"

namespace {

using Access = PanelSettingsTestAccess;
using driver_test::describeRow;
using driver_test::lexText;
using driver_test::messageLines;
using Lines = std::vector<std::string>;

std::string error(const std::string& text) { return "    (E) " + text; }
std::string problem(const std::string& text) { return "    (P) " + text; }
std::string warning(const std::string& text) { return "    (W) " + text; }

struct Case {
  const char* statements;  // one statement per line
  Lines messages;
  int16_t row;             // the slot looked at
  const char* slot;        // its description, "null" when it must stay empty
};

void runCases(const std::vector<Case>& cases) {
  for (const Case& c : cases) {
    PanelSettingsV2 settings;
    lexText(settings, c.statements);
    EXPECT_EQ(messageLines(), c.messages) << c.statements;
    EXPECT_EQ(describeRow(settings, c.row), c.slot) << c.statements;
  }
}

TEST(StatementParser, ValuesByTypeAndTheirMessages) {
  runCases({
      {"proj-name='X'", {}, kwProjName, "=X"},
      {"PROJ-NAME=X", {error("Expecting a single quoted string")}, kwProjName, ""},
      {"PROJ-VER='A'", {error("Unrecognized key 'PROJ-VER'")}, kwProjDriverRev, "null"},
      {"=5", {error("Unrecognized key '='")}, kwProjFileFmt, "null"},
      {"BYTES-TO-QUEUE=$0E", {}, kwBytesToQueue, "=14"},
      {"BYTES-TO-QUEUE=$0F", {error("Expecting a Number between 1 and 14")}, kwBytesToQueue, ""},
      {"BYTES-TO-QUEUE=0", {error("Expecting a Number between 1 and 14")}, kwBytesToQueue, ""},
      {"VOL-MUTE=%11111111", {}, kwVolMute, "=255"},
      {"VOL-MUTE=99999999999", {error("Expecting a Number")}, kwVolMute, ""},
      {"VOL-MUTE=$FFFFFFFF", {error("Expecting a Number")}, kwVolMute, ""},
      {"VOL-MUTE='5'", {error("Expecting a Number")}, kwVolMute, ""},
      {"VOL-MUTE=-5", {error("Expecting a Number")}, kwVolMute, ""},
      {"IR-TIME-0L=1.5m", {}, kwIrTime0L, "=1500"},
      {"IR-TIME-0L=560", {error("Expecting a time")}, kwIrTime0L, ""},
      {"IR-TIME-0L='560u'", {error("Expecting a time")}, kwIrTime0L, ""},
      {"PASSIVE-MODE=true", {}, kwPassiveMode, "=True"},
      {"PASSIVE-MODE=False", {}, kwPassiveMode, "=False"},
      {"PASSIVE-MODE=yes", {error("Expected TRUE or FALSE")}, kwPassiveMode, ""},
      {"PASSIVE-MODE='TRUE'", {error("Expected TRUE or FALSE")}, kwPassiveMode, ""},
      {"ROOM-USR-NOTE=\"a, b\"", {}, kwRoomUsrNote, "=a, b"},
      {"ROOM-USR-NOTE='a'", {error("Expecting a double quoted string")}, kwRoomUsrNote, ""},
      {"DOC-PROJ-232-CONNECTOR=db9f", {}, kwDocProj232Connector, "=db9f"},
      {"PROJ-BAUD-RATE=9600,8,N,1", {}, kwProjBaudRate, "1=9600 2=8 3=N 4=1"},
      {"PROJ-BAUD-RATE=9600,8,X,1",
       {error("Invalid flag 'X'.  Must be one of 'N','O','E','M','S'")},
       kwProjBaudRate,
       "1=9600 2=8"},
      {"POWER-SENSE-OPTIONS=None,sensor,'RS232Poll'", {}, kwPowerSenseOptions,
       "1=None 2=sensor 3=RS232Poll"},
      {"POWER-SENSE-OPTIONS=", {}, kwPowerSenseOptions, ""},
      {"REQUIRES-FW-VERSION=1,$FF", {}, kwRequiresFwVersion, "1=1 2=255"},
  });
}

TEST(StatementParser, StatementShapeMessages) {
  runCases({
      {"PROJ-FILE-FMT=2,", {error("Delimiter or argument at end of line")}, kwProjFileFmt, "=2"},
      {"PROJ-FILE-FMT=2 3", {error("Delimiter or argument at end of line")}, kwProjFileFmt, "=2"},
      {"PROJ-FILE-FMT=2 3 4", {error("Expecting a comma")}, kwProjFileFmt, "=2"},
      {"PROJ-FILE-FMT=", {error("Insufficient number of Arguments")}, kwProjFileFmt, ""},
      {"PROJ-FILE-FMT 2", {error("Expecting an '='")}, kwProjFileFmt, ""},
      {"PROJ-FILE-FMT", {error("Arguments not found")}, kwProjFileFmt, ""},
      {"REQUIRES-FW-VERSION=1,2,3", {error("Too many of Arguments")}, kwRequiresFwVersion,
       "1=1 2=2"},
      {"REQUIRES-FW-VERSION=1", {}, kwRequiresFwVersion, "1=1"},
  });
}

TEST(StatementParser, SubscriptsAndTheirLayouts) {
  runCases({
      {"ROOM-RELAY[3]=400ms,Locked", {}, kwRoomRelay, "3={1=400ms 2=Locked}"},
      {"ROOM-RELAY[3]=400ms,Locked,On", {error("Too many of Arguments")}, kwRoomRelay,
       "3={1=400ms 2=Locked}"},
      {"ROOM-RELAY[3]=Locked", {error("Invalid flag 'Locked'.  Must be one of 'Maintained',"
                                      "'100ms','200ms','300ms','400ms','500ms','600ms','700ms',"
                                      "'800ms','900ms','1.0sec','1.1sec','1.2sec','1.3sec',"
                                      "'1.4sec','1.5sec'")},
       kwRoomRelay, "3={}"},
      {"ROOM-RELAY=400ms", {error("Key must have subscripts 'ROOM-RELAY'")}, kwRoomRelay, ""},
      {"ROOM-RELAY[3=400ms", {error("Key must have subscripts 'ROOM-RELAY'")}, kwRoomRelay, ""},
      {"ROOM-RELAY[x]=400ms", {error("Subscript must be numeric")}, kwRoomRelay, ""},
      {"ROOM-AFVP-GBT[1]=5,12,13", {error("Expecting a Number between 0 and 12")}, kwRoomAfvpGbt,
       "1={1=5 2=12}"},
      {"DOC-INSTALLATION-NOTE[2]=\"wire it\"", {}, kwDocInstallationNote, "2=wire it"},
      {"DOC-REV-USER-MESSAGE['A']=\"first\"", {}, kwDocRevUserMessage, "A=first"},
      {"DOC-REV-USER-MESSAGE[A]=\"first\"", {error("Subscript must quoted")}, kwDocRevUserMessage,
       ""},
      {"CODE-SUBST[HDR]=\"'A'\"", {}, kwCodeSubst, "HDR='A'"},
      {"DEFAULT-HID-FUNCT['9']='X'",
       {error("Subscript must be one of 'OFF','VUP','VDN','1','2','3','4','5','6','7','8'.")},
       kwDefaultHidFunct, ""},
      // List subscripts are stored in the list's own spelling.
      {"default-core-funct[on]='Pwr'", {}, kwDefaultCoreFunct, "ON=Pwr"},
      {"ROOM-HID-FUNCT['vup']='Mute'", {}, kwRoomHidFunct, "VUP=Mute"},
  });
}

TEST(StatementParser, CodeEntries) {
  runCases({
      {"IRCODE['ON']=\"%0101,D5m\",USEREPEAT,REPEATS=3,CONTINUE='ON2'", {}, kwIrCode,
       "ON={IRCODE=<bin(0101) dly(5000)> USEREPEAT=True REPEATS=3 CONTINUE=ON2}"},
      // Keywords, flags, CONTINUE and REPEATS in the vocabulary's spelling; names exact.
      {"ircode['On']=\"%1\",userepeat,is-Hidden,repeats=$3F,continue='on2'", {}, kwIrCode,
       "On={IRCODE=<bin(1)> USEREPEAT=True IS-HIDDEN=True REPEATS=63 CONTINUE=on2}"},
      {"RSCODE['PWR']=\"'PWR',$0D\",IS-SELECTION", {}, kwRsCode,
       "PWR={RSCODE=<txt(PWR) hex(13)> IS-SELECTION=True}"},
      {"IRCODE['X']=\"%1\",IS-HIDDEN,is-hidden", {error("Already parsed an occurence of is-hidden")},
       kwIrCode, "X={IRCODE=<bin(1)> IS-HIDDEN=True}"},
      {"IRCODE['X']=\"%1\",REPEATS=3,Repeats=4", {error("Already parsed an occurence of Repeats")},
       kwIrCode, "X={IRCODE=<bin(1)> REPEATS=3}"},
      {"IRCODE['X']=\"%1\",REPEATS=64", {problem("Expecting number after 'REPEATS'")}, kwIrCode,
       "X={IRCODE=<bin(1)>}"},
      {"IRCODE['X']=\"%1\",REPEATS=many", {problem("Expecting number after 'REPEATS'")}, kwIrCode,
       "X={IRCODE=<bin(1)>}"},
      {"IRCODE['X']=\"%1\",REPEATS=", {problem("Expecting number after 'REPEATS'")}, kwIrCode,
       "X={IRCODE=<bin(1)>}"},
      {"IRCODE['X']=\"%1\",repeats 3", {problem("Expecting an = after 'repeats'")}, kwIrCode,
       "X={IRCODE=<bin(1)>}"},
      {"IRCODE['X']=\"%1\",CONTINUE=ON2",
       {problem("Expecting single quoted string after 'CONTINUE'")}, kwIrCode,
       "X={IRCODE=<bin(1)>}"},
      {"RSCODE['X']=\"$0D\",USEREPEAT",
       {error("Invalid flag 'USEREPEAT'.  Must be one of "
              "'IS-SELECTION','IS-HIDDEN','USEPREFIX','USESUFFIX'")},
       kwRsCode, "X={RSCODE=<hex(13)>}"},
      {"IRCODE[X]=\"%1\"", {error("Subscript must quoted")}, kwIrCode, ""},
      // Each keyword compiles for its own medium.
      {"IRCODE['X']=\"'A'\"", {error("Single quoted strings are not allowable in IR codes")},
       kwIrCode, "X={IRCODE=<>}"},
      {"RSCODE['X']=\"%01\"", {error("Binary strings are not allowable in RS232 codes")},
       kwRsCode, "X={RSCODE=<>}"},
      {"power-poll-match-bytes=\"$0D\"", {}, kwPowerPollMatchBytes,
       "POWER-POLL-MATCH-BYTES=<hex(13)>"},
      {"POWER-POLL-MATCH-BYTES=\"D5m\"",
       {error("Delays are not allowable in polling Match codes")}, kwPowerPollMatchBytes,
       "POWER-POLL-MATCH-BYTES=<>"},
      {"POWER-POLL-MATCH-BYTES=\"$0D\",$0A", {error("Too many of Arguments")},
       kwPowerPollMatchBytes, "POWER-POLL-MATCH-BYTES=<hex(13)>"},
  });
}

TEST(StatementParser, RepeatedStatementsInADriverFile) {
  runCases({
      {"PROJ-NAME='X'\nPROJ-NAME='Y'", {error("Already parsed an occurence of PROJ-NAME ")},
       kwProjName, "=X"},
      {"IRCODE['ON']=\"%1\"\nRSCODE['ON']=\"$0D\"",
       {error("Already parsed an occurence of RSCODE ON")}, kwRsCode, "ON={IRCODE=<bin(1)>}"},
      {"DEFAULT-CORE-FUNCT[ON]='A'\nDEFAULT-CORE-FUNCT[on]='B'",
       {error("Already parsed an occurence of DEFAULT-CORE-FUNCT on")}, kwDefaultCoreFunct,
       "ON=A"},
      {"ROOM-RELAY[3]=400ms,Locked\nROOM-RELAY[3]=On",
       {error("Already parsed an occurence of ROOM-RELAY 3")}, kwRoomRelay,
       "3={1=400ms 2=Locked}"},
      {"POWER-POLL-MATCH-BYTES=\"$0D\"\nPOWER-POLL-MATCH-BYTES=\"$0A\"",
       {error("Already added string.")}, kwPowerPollMatchBytes,
       "POWER-POLL-MATCH-BYTES=<hex(13)>"},
      {"REQUIRES-FW-VERSION=1,2\nREQUIRES-FW-VERSION=3",
       {error("Already parsed an occurence of REQUIRES-FW-VERSION ")}, kwRequiresFwVersion,
       "1=1 2=2"},
  });
}

// A statement as the older-format translator builds it.
TypeValueList codeStatement(const std::string& keyword, const std::string& name,
                            const std::string& code) {
  TypeValueList tokens;
  tokens.add(tokWord, Variant(keyword));
  tokens.add(tokOpenBracket, Variant("["));
  tokens.add(tokSingleQuoted, Variant(name));
  tokens.add(tokCloseBracket, Variant("]"));
  tokens.add(tokEquals, Variant("="));
  tokens.add(tokDoubleQuoted, Variant(code));
  return tokens;
}

TEST(StatementParser, TranslatedDuplicatesGetAPlusAndRs232EscapesAreTranslated) {
  PanelSettingsV2 settings;
  ParseFileListing::instance().txtParseFileListing("");
  for (const char* keyword : {"IRCODE", "RSCODE", "RSCODE"}) {
    TypeValueList tokens = codeStatement(keyword, "ON", keyword[0] == 'I' ? "%1" : "27,'V'");
    Access::parseStatement(settings, tokens, true);
    EXPECT_EQ(tokens.count(), 0);
  }
  const std::string prefixing = ". Prefixing with a + for duplicate.";
  EXPECT_EQ(messageLines(), (Lines{warning("Already parsed an occurence of RSCODE ON" + prefixing),
                                   warning("Already parsed an occurence of RSCODE ON" + prefixing),
                                   warning("Already parsed an occurence of RSCODE ON+" + prefixing)}));
  EXPECT_EQ(describeRow(settings, kwIrCode),
            "ON={IRCODE=<bin(1)>} ON+={RSCODE=<vbin(&VBIN)>} ON++={RSCODE=<vbin(&VBIN)>}");
  EXPECT_EQ(settings.parseWarnings(), 3);
  EXPECT_EQ(settings.parseErrors(), 0);

  // The same RS232 code from a driver file keeps its bytes.
  PanelSettingsV2 fromFile;
  TypeValueList tokens = codeStatement("RSCODE", "ON", "27,'V'");
  Access::parseStatement(fromFile, tokens, false);
  EXPECT_EQ(describeRow(fromFile, kwRsCode), "ON={RSCODE=<dec(27) txt(V)>}");
}

TEST(StatementParser, AFullCodeTableRefusesMoreCodesAloud) {
  PanelSettingsV2 settings;
  KeyValuePtr& codes = Access::slot(settings, kwIrCode);
  for (int i = 0; i < KeyValueClass::kMaxPairs; ++i)
    codes->AddPair(Variant("C" + std::to_string(i)), Variant(std::make_shared<KeyValueClass>()));
  lexText(settings, "IRCODE['NEW']=\"%1\"");
  EXPECT_EQ(messageLines(), Lines{error("Too many entries for IRCODE")});
  EXPECT_EQ(codes->GetIndex(Variant("NEW")), 0);
}

TEST(StatementParser, FindKeywordWithAndWithoutAliases) {
  PanelSettingsV2 settings;
  struct {
    const char* key;
    bool allowAlias;
    int16_t row;
  } cases[] = {
      {"PROJ-FILE-FMT", false, 1},       {"room-use-off-press-hold", false, 73},
      {"PROJ-VER", false, 0},            {"PROJ-VER", true, 4},
      {"delay-ir-low-0", true, 6},       {"POWER-POLL-THRESH", true, 17},
      {"PROJ-DRIVER-REV", true, 4},      {"", true, 0},
      {"PROJ", true, 0},                 {"PROJ-FILE-FMT ", false, 0},
  };
  for (const auto& c : cases)
    EXPECT_EQ(Access::findKeyword(settings, c.key, c.allowAlias), c.row)
        << c.key << " alias " << c.allowAlias;
}

}  // namespace
