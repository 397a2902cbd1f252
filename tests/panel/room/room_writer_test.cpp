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

// Every time the settings hold, exact: slot values and the delays of code strings.
std::string timesOf(const Variant& value) {
  if (value.isDecimal()) return value.toDecimal().toString() + " ";
  std::string times;
  if (auto list = value.object<KeyValueClass>())
    for (int32_t i = 1; i <= list->count(); ++i) times += timesOf(list->ItemVal(i));
  if (auto lexes = value.object<TypeValueList>())
    for (const TypeValuePtr& lex : *lexes) times += timesOf(lex->theValue);
  return times;
}

std::string timesOf(PanelSettingsV2& settings) {
  std::string times;
  for (int16_t row = 1; row <= kKeywordCount; ++row) times += timesOf(Variant(PanelSettingsTestAccess::slot(settings, row)));
  return times;
}

// A time is written as its usual text where that reads back as the same time, else in minutes
// where four decimals hold it, else in seconds with every decimal: it reads back exactly.
TEST(RoomWriter, TimesAreWrittenExactly) {
  struct { const char *statement, *room; } cases[] = {  // room nullptr: the statement unchanged
      // The usual text reads back as the same time.
      {"WARM-UP-DELAY=90s", "WARM-UP-DELAY=1.5M"},
      {"ROOM-INACT-SHUTDOWN-TIMER=2H", nullptr},
      {"POWER-ON-DELAY=120000000u", "POWER-ON-DELAY=2M"},
      {"DEFAULT-LOCKOUT=60s", nullptr},
      {"IO-DOWNTIME=150m", nullptr},
      // It does not: minutes where four decimals hold the time, else seconds.
      {"POWER-POLL-LOCKOUT=4020s", "POWER-POLL-LOCKOUT=67M"},
      {"ROOM-INACT-SHUTDOWN-TIMER=60.9999M", nullptr},
      {"DEFAULT-LOCKOUT=60.16s", nullptr},
      {"WARM-UP-DELAY=60.3947s", nullptr},
      {"ROOM-PROJ-LOCKOUT=60.000001s", nullptr},
      {"POWER-POLL-INTERVAL=1.00005M", "POWER-POLL-INTERVAL=60.003s"},
      {"ROOM-INACT-SHUTDOWN-TIMER=1.00001H", "ROOM-INACT-SHUTDOWN-TIMER=60.0006M"},
      // In code strings, whose scanner reads no hours.
      {"IRCODE['REPEAT']=\"D61s\"", nullptr},
      {"IRCODE['LONG']=\"D90M,R5400s,d3600.000001s,D7200s\"", "IRCODE['LONG']=\"D90M,R90M,d3600.000001s,D120M\""},
      {"RSCODE['OFF']=\"$02,D60.16s,d1.5M\"", "RSCODE['OFF']=\"$02,D60.16s,d1.5M\""},
      // The largest time: in minutes it would no longer fit when read back.
      {"IRCODE['MAX']=\"D79228162514264337593543950335u\"", "IRCODE['MAX']=\"D79228162514264337593543.950335s\""},
  };
  for (const auto& c : cases) {
    PanelSettingsV2 settings, again;
    lexText(settings, std::string(c.statement) + "\r\n");
    std::string room = settings.encodeRoomFile();
    EXPECT_EQ(room, std::string(c.room ? c.room : c.statement) + "\r\n");
    lexText(again, room);
    EXPECT_EQ(timesOf(again), timesOf(settings)) << room;
    expectReadsBack(room);  // and written again the same
  }
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
  // Codes whose texts a code string cannot hold.
  auto codeWith = [](const char* text, const char* continuation) {
    auto quoted = std::make_shared<TypeValueList>();
    quoted->add(::lexText, text);
    auto code = std::make_shared<KeyValueClass>();
    code->AddPair("RSCODE", quoted);
    if (*continuation) code->AddPair("CONTINUE", continuation);
    return code;
  };

  const std::string single = "it holds a single quote, which would end it";
  const std::string lineEnd = "it holds a line end, which would end its statement";
  struct {
    int16_t row;
    const char* key;
    Variant value;
    const char* room;
    bool readsBack;
    std::string refusal = "";  // the setting, the text and why; "" when the room reads back
  } cases[] = {
      {kwRoomLegendName, "1", "one\r\ntwo\nthree|four", "ROOM-LEGEND-NAME[1]=\"one|two|three|four\"", true},
      {kwCodeSubst, "", "$01", "CODE-SUBST['']=\"$01\"", true},
      {kwCodeSubst, "N_2.x+-", "$01", "CODE-SUBST[N_2.x+-]=\"$01\"", true},
      {kwDocInstallationNote, "1]", "n", "DOC-INSTALLATION-NOTE['1]']=\"n\"", false},
      {kwRoomUseOffPressHold, "", int16_t(-1), "ROOM-USE-OFF-PRESS-HOLD=True", true},
      {kwDocProj232Wiring, "2", "", "", true},  // formats to nothing: no line
      {kwIrTime0L, "", "no time", "IR-TIME-0L=", false},
      {kwRsCode, "X", entry, "RSCODE['X']=\"$01,,D90M\",IS-SELECTION", false},
      // Texts no room file holds as they are: refused, the first one named.
      {kwRoomLegendFont, "1", "Arial\r\n10", "ROOM-LEGEND-FONT[1]=\"Arial  10\"", false,
       "ROOM-LEGEND-FONT[1] Arial\r\n10: " + lineEnd},
      {kwProjName, "", "Two\nlines", "PROJ-NAME='Two lines'", false, "PROJ-NAME Two\nlines: " + lineEnd},
      {kwDocRevUserMessage, "B\r", "x", "DOC-REV-USER-MESSAGE['B ']=\"x\"", false,
       "DOC-REV-USER-MESSAGE['B '] B\r: " + lineEnd},
      {kwProjDriverName, "1", "O'Neil IR (Rev A).prjdrv", "PROJ-DRIVER-NAME='O'Neil IR (Rev A).prjdrv'", false,
       "PROJ-DRIVER-NAME O'Neil IR (Rev A).prjdrv: " + single},
      {kwRoomUsrNote, "", "a \"b\"", "ROOM-USR-NOTE=\"a \"b\"\"", false,
       "ROOM-USR-NOTE a \"b\": it holds a double quote, which would end it"},
      {kwRsCode, "Q", codeWith("PW\"", ""), "RSCODE['Q']=\"'PW\"'\"", false,
       "RSCODE['Q'] PW\": it holds a double quote, which would end it"},
      {kwRsCode, "Q", codeWith("it's", ""), "RSCODE['Q']=\"'it's'\"", false, "RSCODE['Q'] it's: " + single},
      {kwRsCode, "Q", codeWith("A", "O'N"), "RSCODE['Q']=\"'A'\",CONTINUE='O'N'", false,
       "RSCODE['Q'] O'N: " + single},
  };
  for (const auto& c : cases) {
    PanelSettingsV2 settings;
    KeyValuePtr& slot = PanelSettingsTestAccess::slot(settings, c.row);
    if (!slot) slot = std::make_shared<KeyValueClass>();
    slot->AddPair(c.key, c.value);
    std::string room = settings.encodeRoomFile();
    EXPECT_EQ(room, *c.room ? std::string(c.room) + "\r\n" : "") << c.room;
    if (c.readsBack) expectReadsBack(room);
    const std::optional<UnwritableText> refusal = settings.roomFileRefusal();
    EXPECT_EQ(refusal ? refusal->setting + " " + refusal->text + ": " + refusal->why : "", c.refusal) << c.room;
  }
}

}  // namespace
