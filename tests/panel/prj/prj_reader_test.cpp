// The older-format (".prj") driver reader: records translated into logged statements, the
// records it refuses, the numbered echo and record cutting of the file, the translator's
// fresh start per file, and the code-table accessors over a driver read this way.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/panel/driver_text_support.h"

namespace {

using Access = PanelSettingsTestAccess;
using driver_test::describeRow;
using driver_test::listing;
using driver_test::messageLines;
using Lines = std::vector<std::string>;

// Writes the bytes as a ".prj" file and reads it into settings after emptying the listing.
bool readPrj(PanelSettingsV2& settings, const std::string& bytes) {
  TempXdgHome folder;
  folder.writeFile("driver.prj", bytes);
  ParseFileListing::instance().txtParseFileListing("");
  return Access::readPrjFile(settings, folder.root() + "/driver.prj");
}

std::string crLfLines(const Lines& lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\r\n";
  return text;
}

TEST(PrjReader, RecordsBecomeTranslatedStatements) {
  const std::pair<Lines, Lines> cases[] = {  // records, the lines they log
      {{"CODE|ON|1|N|N|Y|3||N|%0101|2"}, {"    (T) IRCODE['ON']=\"%0101\",USEREPEAT,REPEATS=3"}},
      {{"CODE|PWR|2|Y|y|N|0|NEXT|n|'PWR',$0D|0"},
       {"    (T) RSCODE['PWR']=\"'PWR',$0D\",CONTINUE='NEXT',USEPREFIX,USESUFFIX,IS-SELECTION"}},
      {{"CODE|VOL|2|N|N|Y|2|NEXT|Y|'V+'|1"},
       {"    (T) RSCODE['VOL']=\"'V+'\",CONTINUE='NEXT',INCLUDECONT,USEREPEAT,REPEATS=2,IS-HIDDEN"}},
      // No category field means selection.
      {{"CODE|FRZ|1|N|N|N|0||N|%01|1", "CODE|HDMI|1|N|N|N|0||N|%10"},
       {"    (T) IRCODE['FRZ']=\"%01\",IS-HIDDEN", "    (T) IRCODE['HDMI']=\"%10\",IS-SELECTION"}},
      {{"CODE|ON|1|N|N|N|0||N|%01|2", "CODE|ON|2|N|N|N|0||N|$01|2"},
       {"    (T) IRCODE['ON']=\"%01\"", "    (T) RSCODE['ON']=\"$01\"",
        "    (W) Already parsed an occurence of RSCODE ON. Prefixing with a + for duplicate."}},
      // Key maps refer to the names recorded per category by 0-based index.
      {{"CODE|PON|1|N|N|N|0||N|%01|2", "CODE|POFF|1|N|N|N|0||N|%10|2",
        "CODE|IN1|1|N|N|N|0||N|%11|0", "CODE|MUTE|1|N|N|N|0||N|%00|1",
        "CORE-FUNCT-KEYMAP|-1|-1|-1|-1|0|1|-1|-1", "AUX-FUNCT-KEYMAP|-1|-1|-1|0|-1|-1|-1",
        "SELECTION-KEYMAP|-1|-1|0|-1"},
       {"    (T) IRCODE['PON']=\"%01\"", "    (T) IRCODE['POFF']=\"%10\"",
        "    (T) IRCODE['IN1']=\"%11\",IS-SELECTION", "    (T) IRCODE['MUTE']=\"%00\",IS-HIDDEN",
        "    (T) DEFAULT-CORE-FUNCT[ON]='PON'", "    (T) DEFAULT-CORE-FUNCT[OFF]='POFF'",
        "    (T) DEFAULT-HID-FUNCT[1]='MUTE'", "    (T) DEFAULT-SELECTION[3]='IN1'"}},
      {{"BAUD-RATE|2", "BITS|1", "PARITY|0", "STOP-BITS|0"}, {"    (T) PROJ-BAUD-RATE=9600,8,N,1"}},
      {{"BAUD-RATE|-1", "BITS|1", "PARITY|0", "STOP-BITS|0"}, {"    (T) PROJ-BAUD-RATE=57600,8,N,1"}},
      // A refused record taken back by a later one of its kind.
      {{"BAUD-RATE|10", "BAUD-RATE|2", "BITS|1", "PARITY|0", "STOP-BITS|0"},
       {"    (E) Record 'BAUD-RATE': 10 is not one of the record's values -2 to 7, which stand for its 10 baud rates",
        "    (T) PROJ-BAUD-RATE=9600,8,N,1"}},
      // The carrier in either order; the duty cycle rounds halves to even.
      {{"CARRIER-PR2|100", "CARRIER-DC|25"}, {"    (T) CARRIER-PERIOD=20u", "    (T) CARRIER-DUTY-CYCLE=25"}},
      {{"CARRIER-DC|25", "CARRIER-PR2|100"}, {"    (T) CARRIER-PERIOD=20u", "    (T) CARRIER-DUTY-CYCLE=25"}},
      {{"CARRIER-PR2|8", "CARRIER-DC|1"}, {"    (T) CARRIER-PERIOD=1.6u", "    (T) CARRIER-DUTY-CYCLE=12"}},
      {{"CARRIER-PR2|8", "CARRIER-DC|3"}, {"    (T) CARRIER-PERIOD=1.6u", "    (T) CARRIER-DUTY-CYCLE=38"}},
      // Times in steps of 470 us, the I/O down time in 29 us; IR times by their older names.
      {{"DEFAULT-LOCKOUT|10", "WARM-UP-DELAY|1.5", "IO-DOWNTIME|10"},
       {"    (T) DEFAULT-LOCKOUT=4700m", "    (T) WARM-UP-DELAY=705m", "    (T) IO-DOWNTIME=290m"}},
      {{"DELAY-IR-LOW-0|560u", "delay-ir-high-1|1.2m"}, {"    (T) IR-TIME-0L=560u", "    (T) IR-TIME-1H=1.2m"}},
      {{"CARRIER-PERIOD|7"}, {"    (T) CARRIER-PERIOD=7x", "    (E) Expecting a time"}},
      {{"USE-ABSOLUTE-VOL|0", "IO-CANCEL-DOWNTIME-ON-RX|5"},
       {"    (T) PROJ-USES-ABSOLUTE-VOL=FALSE", "    (T) IO-CANCEL-DOWNTIME-ON-RX=TRUE"}},
      {{"PROJ-VER|C", "VOL-MUTE|$1F", "ROOM-USR-NOTE|Hi there"},
       {"    (T) PROJ-DRIVER-REV='C'", "    (T) VOL-MUTE=$1F", "    (T) ROOM-USR-NOTE=\"Hi there\""}},
      {{"WIRING-OPTIONS|1|0", "POWER-SENSE-OPTIONS|2"},
       {"    (T) IR-WIRING-OPTIONS=IR-Emitter,Wired-Serial", "    (T) POWER-SENSE-OPTIONS=RS232Poll"}},
  };
  for (const auto& [records, messages] : cases) {
    PanelSettingsV2 settings;
    ASSERT_TRUE(readPrj(settings, crLfLines(records))) << records[0];
    EXPECT_EQ(messageLines(), messages) << records[0];
  }
}

TEST(PrjReader, RecordsThatCannotBeTranslatedLogOneErrorAndMakeNoStatement) {
  const std::string names = crLfLines({"CODE|A|1|N|N|N|0||N|%01|2", "CODE|S|1|N|N|N|0||N|%01|0"});
  const std::pair<std::string, const char*> cases[] = {  // records, the error
      {"CODE|ON|1|N|N|Y|3||N\r\n", "Record 'CODE': expecting at least 10 fields, found 9"},
      {"AUX-FUNCT-KEYMAP|0|0\r\n", "Record 'AUX-FUNCT-KEYMAP': expecting at least 8 fields, found 3"},
      {"PROJ-NAME\r\n", "Record 'PROJ-NAME': expecting at least 2 fields, found 1"},
      {names + "CORE-FUNCT-KEYMAP|-1|-1|-1|-1|0|1|-1|-1\r\n",
       "Record 'CORE-FUNCT-KEYMAP': name index 1 is outside the 1 recorded core names"},
      {names + "SELECTION-KEYMAP|0|300|-1|-1\r\n",
       "Record 'SELECTION-KEYMAP': name index 300 is outside the 1 recorded selection names"},
      // The value as the record writes it, and the values the record takes.
      {"BAUD-RATE|8|\r\n", "Record 'BAUD-RATE': 8 is not one of the record's values -2 to 7, which stand "
                            "for its 10 baud rates"},
      // A refused serial record makes the STOP-BITS record, which holds no fault, no statement.
      {"BAUD-RATE|10|\r\nBITS|1|\r\nPARITY|0|\r\nSTOP-BITS|0|\r\n",
       "Record 'BAUD-RATE': 10 is not one of the record's values -2 to 7, which stand for its 10 baud rates"},
      {"BAUD-RATE|2|\r\nBITS|9|\r\nPARITY|0|\r\nSTOP-BITS|0|\r\n",
       "Record 'BITS': 9 is not one of the record's values 0 to 1, which stand for its 2 data bit counts"},
      {"BAUD-RATE|2|\r\nBITS|1|\r\nPARITY|9|\r\nSTOP-BITS|0|\r\n",
       "Record 'PARITY': 9 is not one of the record's values 0 to 4, which stand for its 5 parities"},
      {"WIRING-OPTIONS|0|2\r\n", "Record 'WIRING-OPTIONS': 2 is not one of the record's values 0 to 1, which "
                                  "stand for its 2 IR wiring options"},
      {"CARRIER-DC|25\r\nCARRIER-PR2|0\r\n", "Record 'CARRIER-PR2': a PR2 of 0 gives no carrier period"},
      {"CODE|ON|1|N|N|N|0||N|%01|32768\r\n", "Record 'CODE': the value '32768' of field 11 is beyond 16 bits"},
      // A room file could not say such a text again.
      {"PROJ-NAME|Bob's\r\n", "Record 'PROJ-NAME': a text may not hold its own quote character: Bob's"},
      {"CODE|ON|2|N|N|N|0||N|'A\"B'|0\r\n", "Record 'CODE': a text may not hold its own quote character: 'A\"B'"},
  };
  for (const auto& [records, error] : cases) {
    PanelSettingsV2 settings;
    readPrj(settings, records);
    Lines errors;
    for (const std::string& line : messageLines())
      if (line.rfind("    (T) ", 0) != 0) errors.push_back(line);
    EXPECT_EQ(errors, Lines{std::string("    (E) ") + error});
    EXPECT_EQ(settings.parseErrors(), 1) << error;
    for (int16_t row : {kwDefaultCoreFunct, kwCarrierPeriod, kwProjBaudRate})
      EXPECT_EQ(Access::slot(settings, row), nullptr) << error;
  }
  // The 301st name of a category is refused; the first 300 stay usable.
  std::string text;
  for (int i = 0; i <= 300; ++i) text += "CODE|C" + std::to_string(i) + "|1|N|N|N|0||N|%01|2\r\n";
  PanelSettingsV2 settings;
  readPrj(settings, text + "CORE-FUNCT-KEYMAP|-1|-1|-1|-1|299|-1|-1|-1\r\n");
  EXPECT_EQ(settings.codeTableCount(), 300);
  EXPECT_EQ(settings.parseErrors(), 1);
  EXPECT_NE(listing().find("    (E) Record 'CODE': more than 300 names of category 2\r\n"), std::string::npos);
  EXPECT_EQ(describeRow(settings, kwDefaultCoreFunct), "ON=C299");
}

TEST(PrjReader, LinesAreEchoedAndCutIntoRecordsWhateverTheirLineEnds) {
  const Lines lines = {"PROJ-NAME | Acme PX \t", "", "   ", "VOL-MUTE|5|", "FOO|1||"};
  for (const char* lineEnd : {"\r\n", "\n", "\r"}) {
    std::string text;
    for (const std::string& line : lines) text += line + lineEnd;
    PanelSettingsV2 settings;
    ASSERT_TRUE(readPrj(settings, text));
    EXPECT_EQ(listing(), "0001    PROJ-NAME | Acme PX \t\r\n    (T) PROJ-NAME='Acme PX'\r\n0002    \r\n"
                         "0003       \r\n0004    VOL-MUTE|5|\r\n    (T) VOL-MUTE=5\r\n0005    FOO|1||\r\n"
                         "    (T) FOO=1,\r\n    (E) Unrecognized key 'FOO'\r\n") << int(lineEnd[0]);
    EXPECT_EQ(describeRow(settings, kwProjName), "=Acme PX");
  }
  // LF then CR ends two lines; a last line without a line end is read too.
  PanelSettingsV2 settings;
  readPrj(settings, "VOL-MUTE|5\n\rVOL-FLOOR|6");
  EXPECT_EQ(listing(), "0001    VOL-MUTE|5\r\n    (T) VOL-MUTE=5\r\n0002    \r\n0003    VOL-FLOOR|6\r\n"
                       "    (T) VOL-FLOOR=6\r\n");
  readPrj(settings, "");
  EXPECT_EQ(listing(), "");
}

TEST(PrjReader, NamesAndCarrierLastUntilTheNextFile) {
  PanelSettingsV2 settings;
  // Blank lines between records keep the recorded names.
  readPrj(settings, "CODE|PON|1|N|N|N|0||N|%01|2\r\n\r\n  \t \r\nCORE-FUNCT-KEYMAP|-1|-1|-1|-1|0|-1|-1|-1\r\n"
                    "CARRIER-PR2|100\r\n");
  EXPECT_EQ(describeRow(settings, kwDefaultCoreFunct), "ON=PON");
  EXPECT_EQ(settings.parseErrors(), 0);
  // The next file starts with no names and no PR2.
  readPrj(settings, "CARRIER-DC|25\r\nCORE-FUNCT-KEYMAP|-1|-1|-1|-1|0|-1|-1|-1\r\n");
  EXPECT_EQ(Access::slot(settings, kwCarrierPeriod), nullptr);
  EXPECT_EQ(messageLines(),
            Lines{"    (E) Record 'CORE-FUNCT-KEYMAP': name index 0 is outside the 0 recorded core names"});
}

// Prefix and suffix flags of older-format codes are flags of the code table too.
TEST(PrjReader, CodeTableAccessorsFindTheFlagsOfTranslatedCodes) {
  PanelSettingsV2 settings;
  readPrj(settings, crLfLines({"CODE|PON|2|Y|N|N|0||N|'PWR ON',$0D|2", "CODE|IN1|1|N|Y|Y|2|IN1B|Y|%0110|0"}));
  EXPECT_EQ(settings.parseErrors(), 0) << listing();
  EXPECT_TRUE(settings.codeTableUsePrefix("PON") && settings.codeTableUseSuffix("IN1"));
  EXPECT_FALSE(settings.codeTableUseSuffix("PON") || settings.codeTableUsePrefix("IN1"));
  EXPECT_TRUE(settings.codeTableIncludeCont("IN1"));
  EXPECT_EQ(settings.codeTableRepetitions("IN1"), 2);
}

}  // namespace
