// The room-file writer: the line of each value type and subscript kind, and that each line it
// writes reads back as itself.
#include <gtest/gtest.h>

#include "tests/panel/driver_text_support.h"

namespace {

using namespace driver_test;
using driver_test::lexText;  // not the lex type of the same name

// The room read into a new object logs nothing (raw codes aside) and is written the same.
void expectReadsBack(const std::string& room) {
  PanelSettingsV2 again;
  lexText(again, room);
  for (const std::string& line : messageLines())
    EXPECT_EQ(line, "    (W) Raw Codes are deprecated, they will be used, however") << room;
  EXPECT_EQ(again.encodeRoomFile(), room);
}

TEST(RoomWriter, StatementsWrittenBack) {
  struct { const char *statements, *room; } cases[] = {  // room nullptr: the statement unchanged
      {"PROJ-FILE-FMT=1", "PROJ-FILE-FMT=2"},
      {"proj-name='X y'", "PROJ-NAME='X y'"},
      {"PROJ-BAUD-RATE=9600,8,n,1", nullptr},
      {"BYTES-TO-QUEUE=$0E", "BYTES-TO-QUEUE=14"},
      {"POWER-POLL-MATCH-ANY=true", "POWER-POLL-MATCH-ANY=True"},
      {"WARM-UP-DELAY=90s", "WARM-UP-DELAY=1.5M"},
      {"ROOM-INACT-SHUTDOWN-TIMER=2H", nullptr},
      // Minutes and hours are written with at most 4 decimals.
      {"DEFAULT-LOCKOUT=60.16s", "DEFAULT-LOCKOUT=1.0027M"},
      {"POWER-POLL-LOCKOUT=3660s", "POWER-POLL-LOCKOUT=1.0167H"},
      {"ROOM-RELAY[3]=400ms,Locked", nullptr},
      {"DEFAULT-CORE-FUNCT['on']='X'", "DEFAULT-CORE-FUNCT[ON]='X'"},
      {"DEFAULT-HID-FUNCT[1]=''", nullptr},
      {"CODE-SUBST['HDR']=\"'*',$01\"\r\nCODE-SUBST['two words']=\"$01\"",
       "CODE-SUBST[HDR]=\"'*',$01\"\r\nCODE-SUBST['two words']=\"$01\""},
      {"POWER-POLL-MATCH-BYTES=\"'OK', 13 ,$d\"", "POWER-POLL-MATCH-BYTES=\"'OK',13,$0D\""},
      // Codes in the table's order, each under its own keyword.
      {"RSCODE['A']=\"$01\"\r\nIRCODE['ON']=\"%0101,D100m,r560u,&qstop\",USEREPEAT,REPEATS=3,CONTINUE='A'",
       "RSCODE['A']=\"$01\"\r\nIRCODE['ON']=\"%0101,D100m,r560u,&QSTOP\",USEREPEAT,REPEATS=3,CONTINUE='A'"},
      {"RSCODE['P']=\"'P',13,&vbin,&VHEX,&VASC0,&VASC3,d1.5s\",is-hidden",
       "RSCODE['P']=\"'P',13,&VBIN,&VHEX,&VASC0,&VASC3,d1.5s\",IS-HIDDEN"},
      // The code-string scanner reads no hours: longer delays are written in minutes.
      {"IRCODE['LONG']=\"D90M,R5400s,d3600.000001s\"", "IRCODE['LONG']=\"D90M,R90M,d60M\""},
      // Rounded up, the largest time would no longer fit when read back.
      {"IRCODE['MAX']=\"D79228162514264337593543950335u\"", "IRCODE['MAX']=\"D1320469375237738959892.3991M\""},
  };
  for (const auto& c : cases) {
    PanelSettingsV2 settings;
    lexText(settings, std::string(c.statements) + "\r\n");
    std::string room = settings.encodeRoomFile();
    EXPECT_EQ(room, std::string(c.room ? c.room : c.statements) + "\r\n");
    expectReadsBack(room);
  }
  EXPECT_EQ(PanelSettingsV2().encodeRoomFile(), "");
}

// Values that no statement gives (the older format, the panel's memory, a caller storing
// directly) are still written so that the lexer reads the same statement.
TEST(RoomWriter, StoredValues) {
  auto lexes = std::make_shared<TypeValueList>();
  lexes->add(lexHex, int16_t(1));
  lexes->add(0, Variant());  // a lex of no known type
  lexes->add(lexDelay, *Decimal::parse("5400000000"));
  auto entry = std::make_shared<KeyValueClass>();
  entry->AddPair("RSCODE", lexes);
  entry->AddPair("IS-SELECTION", false);

  struct { int16_t row; const char* key; Variant value; const char* room; bool readsBack; } cases[] = {
      {kwRoomLegendName, "1", "one\r\ntwo\nthree|four", "ROOM-LEGEND-NAME[1]=\"one|two|three|four\"", true},
      {kwRoomLegendFont, "1", "Arial\r\n10", "ROOM-LEGEND-FONT[1]=\"Arial  10\"", true},
      {kwProjName, "", "Two\nlines", "PROJ-NAME='Two lines'", true},
      {kwDocRevUserMessage, "B\r", "x", "DOC-REV-USER-MESSAGE['B ']=\"x\"", true},
      {kwCodeSubst, "", "$01", "CODE-SUBST['']=\"$01\"", true},
      {kwCodeSubst, "N_2.x+-", "$01", "CODE-SUBST[N_2.x+-]=\"$01\"", true},
      {kwDocInstallationNote, "1]", "n", "DOC-INSTALLATION-NOTE['1]']=\"n\"", false},
      {kwRoomUseOffPressHold, "", int16_t(-1), "ROOM-USE-OFF-PRESS-HOLD=True", true},
      {kwDocProj232Wiring, "2", "", "", true},  // formats to nothing: no line
      {kwIrTime0L, "", "no time", "IR-TIME-0L=", false},
      {kwRsCode, "X", entry, "RSCODE['X']=\"$01,,D90M\",IS-SELECTION", false},
  };
  for (const auto& c : cases) {
    PanelSettingsV2 settings;
    KeyValuePtr& slot = PanelSettingsTestAccess::slot(settings, c.row);
    if (!slot) slot = std::make_shared<KeyValueClass>();
    slot->AddPair(c.key, c.value);
    std::string room = settings.encodeRoomFile();
    EXPECT_EQ(room, *c.room ? std::string(c.room) + "\r\n" : "") << c.room;
    if (c.readsBack) expectReadsBack(room);
  }
}

}  // namespace
