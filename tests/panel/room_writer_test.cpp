// The room-file writer: the line of each value type and subscript kind, the codes under their
// own keyword, and the guards that keep unusual stored values readable.
#include <gtest/gtest.h>

#include "tests/panel/driver_text_support.h"

namespace {

using namespace driver_test;
using driver_test::lexText;  // not the lex type of the same name

// The parse messages joined by "|", without their indent.
std::string messagesJoined() {
  std::string joined;
  for (const std::string& line : messageLines()) joined += (joined.empty() ? "" : "|") + line.substr(4);
  return joined;
}

std::string roomOf(const std::string& driverText) {
  PanelSettingsV2 settings;
  lexText(settings, driverText);
  return settings.encodeRoomFile();
}

TEST(RoomWriter, OneStatementGivesOneLine) {
  struct {
    const char* statement;
    const char* line;  // "" when the statement is written back unchanged
  } cases[] = {
      {"PROJ-FILE-FMT=1", "PROJ-FILE-FMT=2"},
      {"proj-name='X y'", "PROJ-NAME='X y'"},
      {"PROJ-BAUD-RATE=9600,8,n,1", ""},
      {"BYTES-TO-QUEUE=$0E", "BYTES-TO-QUEUE=14"},
      {"POWER-POLL-STARTBYTE=%101", "POWER-POLL-STARTBYTE=5"},
      {"POWER-POLL-MATCH-ANY=true", "POWER-POLL-MATCH-ANY=True"},
      {"PASSIVE-MODE=FALSE", "PASSIVE-MODE=False"},
      {"IR-TIME-0L=1500u", "IR-TIME-0L=1.5m"},
      {"IR-TIME-0H=1000u", "IR-TIME-0H=1000u"},
      {"WARM-UP-DELAY=90s", "WARM-UP-DELAY=1.5M"},
      {"ROOM-INACT-SHUTDOWN-TIMER=2H", ""},
      // Minutes and hours are written with 4 decimals: a time they do not hold exactly takes
      // the next smaller unit that does.
      {"DEFAULT-LOCKOUT=60.16s", ""},
      {"ROOM-INACT-SHUTDOWN-TIMER=61M", ""},
      {"ROOM-PROJ-LOCKOUT=3600.5s", ""},
      {"POWER-POLL-LOCKOUT=3660s", "POWER-POLL-LOCKOUT=61M"},
      {"ROOM-USR-NOTE=\"Room 101; back\"", ""},
      {"POWER-SENSE-OPTIONS=None,sensor", ""},
      {"REQUIRES-FW-VERSION=1,$10", "REQUIRES-FW-VERSION=1,16"},
      {"ROOM-RELAY[3]=400ms,Locked", ""},
      {"ROOM-AFVP-GBT[1]=5,12,0", ""},
      {"DOC-PROJ-232-WIRING[2]=TX", ""},
      {"DOC-INSTALLATION-NOTE[1]=\"Null-modem cable\"", ""},
      {"DOC-REV-USER-MESSAGE['A']=\"First\"", ""},
      {"DEFAULT-CORE-FUNCT['on']='X'", "DEFAULT-CORE-FUNCT[ON]='X'"},
      {"DEFAULT-HID-FUNCT[1]=''", ""},
      {"DEFAULT-SELECTION[2]='IN2'", ""},
      {"CODE-SUBST['HDR']=\"'*',$01\"", "CODE-SUBST[HDR]=\"'*',$01\""},
      {"CODE-SUBST['two words']=\"$01\"", ""},
      {"POWER-POLL-MATCH-BYTES=\"'OK', 13 ,$d\"", "POWER-POLL-MATCH-BYTES=\"'OK',13,$0D\""},
      {"IRCODE['ON']=\"%0101,D100m,r560u,&qstop\",USEREPEAT,REPEATS=3,CONTINUE='ON2'",
       "IRCODE['ON']=\"%0101,D100m,r560u,&QSTOP\",USEREPEAT,REPEATS=3,CONTINUE='ON2'"},
      {"RSCODE['PWR']=\"'P',13,$0D,&vbin,&VHEX,&VASC0,&VASC1,&VASC2,&VASC3,d1.5s\",is-hidden",
       "RSCODE['PWR']=\"'P',13,$0D,&VBIN,&VHEX,&VASC0,&VASC1,&VASC2,&VASC3,d1.5s\",IS-HIDDEN"},
      {"IRCODE['LONG']=\"D90M,R5400s\"", "IRCODE['LONG']=\"D90M,R90M\""},
  };
  for (const auto& c : cases) {
    std::string line = *c.line ? c.line : c.statement;
    EXPECT_EQ(roomOf(std::string(c.statement) + "\r\n"), line + "\r\n") << c.statement;
  }
}

TEST(RoomWriter, RowOrderAndCodesUnderTheirOwnKeyword) {
  EXPECT_EQ(roomOf("RSCODE['A']=\"$01\"\r\n"
                   "VOL-MUTE=5\r\n"
                   "IRCODE['B']=\"%1\",IS-SELECTION\r\n"
                   "RSCODE['C']=\"\"\r\n"
                   "PROJ-FILE-FMT=2\r\n"
                   "DOC-PROJ-232-WIRING[3]=RX\r\n"
                   "DOC-PROJ-232-WIRING[1]=GND\r\n"),
            "PROJ-FILE-FMT=2\r\n"
            "IRCODE['B']=\"%1\",IS-SELECTION\r\n"
            "RSCODE['A']=\"$01\"\r\n"
            "RSCODE['C']=\"\"\r\n"
            "VOL-MUTE=5\r\n"
            "DOC-PROJ-232-WIRING[3]=RX\r\n"
            "DOC-PROJ-232-WIRING[1]=GND\r\n");

  PanelSettingsV2 empty;
  EXPECT_EQ(empty.encodeRoomFile(), "");
}

TEST(RoomWriter, EmptyValuesAndTheChangedFlag) {
  PanelSettingsV2 settings;
  auto slot = [&](int16_t row) -> KeyValuePtr& {
    return PanelSettingsTestAccess::slot(settings, row) = std::make_shared<KeyValueClass>();
  };
  slot(kwProjFileFmt)->AddPair("", "7");
  slot(kwProjName);                                   // created by a statement that failed
  slot(kwIrTime0L)->AddPair("", "not a time");
  KeyValuePtr wiring = slot(kwDocProj232Wiring);
  wiring->AddPair("1", "");                           // formats to nothing: left out
  wiring->AddPair("2", "TX");
  slot(kwRoomUseOffPressHold)->AddPair("1", int16_t(-1));
  slot(kwPassiveMode)->AddPair("1", Variant());
  auto lexes = std::make_shared<TypeValueList>();
  lexes->add(lexHex, int16_t(1));
  lexes->add(0, Variant());                           // a lex of no known type
  lexes->add(lexHex, int16_t(255));
  auto entry = std::make_shared<KeyValueClass>();
  entry->AddPair("RSCODE", lexes);
  entry->AddPair("IS-SELECTION", false);
  PanelSettingsTestAccess::slot(settings, kwRsCode)->AddPair("X", entry);

  for (bool dirty : {false, true}) {
    settings.isDirty(dirty);
    EXPECT_EQ(settings.encodeRoomFile(),
              "PROJ-FILE-FMT=2\r\n"
              "PROJ-NAME=\r\n"
              "IR-TIME-0L=\r\n"
              "RSCODE['X']=\"$01,,$FF\",IS-SELECTION\r\n"
              "DOC-PROJ-232-WIRING[2]=TX\r\n"
              "PASSIVE-MODE=\r\n"
              "ROOM-USE-OFF-PRESS-HOLD=True\r\n");
    EXPECT_EQ(settings.isDirty(), dirty);
  }
}

// Values that no statement of a file could give (the older format, the panel's memory or a
// caller storing directly) must still be written so that the room reads back.
TEST(RoomWriter, UnusualValuesStayReadable) {
  struct {
    int16_t row;
    const char* key;
    const char* value;
    const char* line;
    bool readsBackClean = true;  // kinds 3 and 4 also test the subscript's name or number
  } cases[] = {
      {kwRoomLegendName, "1", "Line one\r\nLine two\nthree\rfour", "ROOM-LEGEND-NAME[1]=\"Line one|Line two|three|four\""},
      {kwRoomLegendName, "2", "a|b", "ROOM-LEGEND-NAME[2]=\"a|b\""},
      {kwRoomLegendFont, "1", "Arial\r\n10", "ROOM-LEGEND-FONT[1]=\"Arial  10\""},
      {kwProjName, "", "Two\nlines", "PROJ-NAME='Two lines'"},
      {kwDocRevUserMessage, "B\r", "x", "DOC-REV-USER-MESSAGE['B ']=\"x\""},
      {kwCodeSubst, "a b", "$01", "CODE-SUBST['a b']=\"$01\""},
      {kwCodeSubst, "", "$01", "CODE-SUBST['']=\"$01\""},
      {kwCodeSubst, "Name_2.x+-", "$01", "CODE-SUBST[Name_2.x+-]=\"$01\""},
      {kwDocInstallationNote, "1]", "n", "DOC-INSTALLATION-NOTE['1]']=\"n\"", false},
      {kwDefaultHidFunct, "=", "X", "DEFAULT-HID-FUNCT['=']='X'", false},
  };
  for (const auto& c : cases) {
    PanelSettingsV2 settings;
    KeyValuePtr& slot = PanelSettingsTestAccess::slot(settings, c.row);
    slot = std::make_shared<KeyValueClass>();
    slot->AddPair(c.key, c.value);
    std::string written = settings.encodeRoomFile();
    EXPECT_EQ(written, std::string(c.line) + "\r\n") << c.line;

    PanelSettingsV2 again;
    lexText(again, written);
    if (!c.readsBackClean) continue;
    EXPECT_EQ(messagesJoined(), "") << c.line;
    EXPECT_EQ(again.encodeRoomFile(), written) << c.line;
  }
}

// The code-string scanner reads no hours; minutes are used where they hold the time exactly.
TEST(RoomWriter, DelaysOverOneHourInCodesAreWrittenInMinutes) {
  struct {
    int16_t type;
    const char* microseconds;
    const char* text;
  } cases[] = {
      {lexDelay, "3600000000", "D60M"},
      {lexDelay, "3600000001", "D3600.000001s"},
      {lexDelay, "5400000000", "D90M"},
      {lexDelay, "-7200000000", "d120M"},
      {lexDelay, "360000000000", "D6000M"},
      {lexRaw, "5400006000", "R90.0001M"},
      {lexRaw, "-1500", "r1.5m"},
  };
  for (const auto& c : cases) {
    PanelSettingsV2 settings;
    auto lexes = std::make_shared<TypeValueList>();
    lexes->add(c.type, *Decimal::parse(c.microseconds));
    auto entry = std::make_shared<KeyValueClass>();
    entry->AddPair("IRCODE", lexes);
    PanelSettingsTestAccess::slot(settings, kwIrCode)->AddPair("T", entry);
    std::string expected = std::string("IRCODE['T']=\"") + c.text + "\"\r\n";
    ASSERT_EQ(settings.encodeRoomFile(), expected) << c.microseconds;

    // The scanner reads the written time back.
    PanelSettingsV2 again;
    lexText(again, expected);
    EXPECT_EQ(messagesJoined(), c.type == lexRaw ? "(W) Raw Codes are deprecated, they will be used, however" : "")
        << c.text;
  }
}

}  // namespace
