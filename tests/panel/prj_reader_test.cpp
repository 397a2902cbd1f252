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
  struct Case {
    const char* name;
    Lines records;
    Lines messages;
  } cases[] = {
      {"IR code with repeats, core category",
       {"CODE|ON|1|N|N|Y|3||N|%0101|2"},
       {"    (T) IRCODE['ON']=\"%0101\",USEREPEAT,REPEATS=3"}},
      {"RS232 code with its flags",
       {"CODE|PWR|2|Y|y|N|0|NEXT|n|'PWR',$0D|0"},
       {"    (T) RSCODE['PWR']=\"'PWR',$0D\",CONTINUE='NEXT',USEPREFIX,USESUFFIX,IS-SELECTION"}},
      {"RS232 code that repeats and includes its continuation",
       {"CODE|VOL|2|N|N|Y|2|NEXT|Y|'V+'|1"},
       {"    (T) RSCODE['VOL']=\"'V+'\",CONTINUE='NEXT',INCLUDECONT,USEREPEAT,REPEATS=2,"
        "IS-HIDDEN"}},
      {"hidden category; no category field means selection",
       {"CODE|FRZ|1|N|N|N|0||N|%01|1", "CODE|HDMI|1|N|N|N|0||N|%10"},
       {"    (T) IRCODE['FRZ']=\"%01\",IS-HIDDEN", "    (T) IRCODE['HDMI']=\"%10\",IS-SELECTION"}},
      {"a repeated code name is kept under name+",
       {"CODE|ON|1|N|N|N|0||N|%01|2", "CODE|ON|2|N|N|N|0||N|$01|2"},
       {"    (T) IRCODE['ON']=\"%01\"", "    (T) RSCODE['ON']=\"$01\"",
        "    (W) Already parsed an occurence of RSCODE ON. Prefixing with a + for duplicate."}},
      {"key maps refer to recorded names by 0-based index",
       {"CODE|PON|1|N|N|N|0||N|%01|2", "CODE|POFF|1|N|N|N|0||N|%10|2",
        "CODE|IN1|1|N|N|N|0||N|%11|0", "CODE|MUTE|1|N|N|N|0||N|%00|1",
        "CORE-FUNCT-KEYMAP|-1|-1|-1|-1|0|1|-1|-1", "AUX-FUNCT-KEYMAP|-1|-1|-1|0|-1|-1|-1",
        "SELECTION-KEYMAP|-1|-1|0|-1"},
       {"    (T) IRCODE['PON']=\"%01\"", "    (T) IRCODE['POFF']=\"%10\"",
        "    (T) IRCODE['IN1']=\"%11\",IS-SELECTION", "    (T) IRCODE['MUTE']=\"%00\",IS-HIDDEN",
        "    (T) DEFAULT-CORE-FUNCT[ON]='PON'", "    (T) DEFAULT-CORE-FUNCT[OFF]='POFF'",
        "    (T) DEFAULT-HID-FUNCT[1]='MUTE'", "    (T) DEFAULT-SELECTION[3]='IN1'"}},
      {"serial words collected until the stop bits",
       {"BAUD-RATE|2", "BITS|1", "PARITY|0", "STOP-BITS|0"},
       {"    (T) PROJ-BAUD-RATE=9600,8,N,1"}},
      {"carrier, PR2 first", {"CARRIER-PR2|100", "CARRIER-DC|25"},
       {"    (T) CARRIER-PERIOD=20u", "    (T) CARRIER-DUTY-CYCLE=25"}},
      {"carrier, duty cycle first", {"CARRIER-DC|25", "CARRIER-PR2|100"},
       {"    (T) CARRIER-PERIOD=20u", "    (T) CARRIER-DUTY-CYCLE=25"}},
      {"duty cycle half rounds down to even", {"CARRIER-PR2|8", "CARRIER-DC|1"},
       {"    (T) CARRIER-PERIOD=1.6u", "    (T) CARRIER-DUTY-CYCLE=12"}},
      {"duty cycle half rounds up to even", {"CARRIER-PR2|8", "CARRIER-DC|3"},
       {"    (T) CARRIER-PERIOD=1.6u", "    (T) CARRIER-DUTY-CYCLE=38"}},
      {"times in steps of 470 us, the I/O down time in 29 us",
       {"DEFAULT-LOCKOUT|10", "WARM-UP-DELAY|1.5", "IO-DOWNTIME|10"},
       {"    (T) DEFAULT-LOCKOUT=4700m", "    (T) WARM-UP-DELAY=705m", "    (T) IO-DOWNTIME=290m"}},
      {"IR times by their older names, unchanged", {"DELAY-IR-LOW-0|560u", "delay-ir-high-1|1.2m"},
       {"    (T) IR-TIME-0L=560u", "    (T) IR-TIME-1H=1.2m"}},
      {"time without a known unit", {"CARRIER-PERIOD|7"},
       {"    (T) CARRIER-PERIOD=7x", "    (E) Expecting a time"}},
      {"flags by value", {"USE-ABSOLUTE-VOL|0", "IO-CANCEL-DOWNTIME-ON-RX|5"},
       {"    (T) PROJ-USES-ABSOLUTE-VOL=FALSE", "    (T) IO-CANCEL-DOWNTIME-ON-RX=TRUE"}},
      {"texts and numbers", {"PROJ-VER|C", "VOL-MUTE|$1F", "ROOM-USR-NOTE|Hi there"},
       {"    (T) PROJ-DRIVER-REV='C'", "    (T) VOL-MUTE=$1F",
        "    (T) ROOM-USR-NOTE=\"Hi there\""}},
      {"options by position",
       {"WIRING-OPTIONS|1|0", "POWER-SENSE-OPTIONS|2"},
       {"    (T) IR-WIRING-OPTIONS=IR-Emitter,Wired-Serial",
        "    (T) POWER-SENSE-OPTIONS=RS232Poll"}},
  };
  for (const Case& c : cases) {
    PanelSettingsV2 settings;
    ASSERT_TRUE(readPrj(settings, crLfLines(c.records))) << c.name;
    EXPECT_EQ(messageLines(), c.messages) << c.name;
  }
}

TEST(PrjReader, RecordsThatCannotBeTranslatedLogOneErrorAndMakeNoStatement) {
  const std::string names = crLfLines({"CODE|A|1|N|N|N|0||N|%01|2", "CODE|S|1|N|N|N|0||N|%01|0"});
  struct Case {
    const char* name;
    std::string records;
    const char* error;
  } cases[] = {
      {"CODE too short", "CODE|ON|1|N|N|Y|3||N\r\n",
       "Record 'CODE': expecting at least 10 fields, found 9"},
      {"key map too short", "AUX-FUNCT-KEYMAP|0|0\r\n",
       "Record 'AUX-FUNCT-KEYMAP': expecting at least 8 fields, found 3"},
      {"keyword record without value", "PROJ-NAME\r\n",
       "Record 'PROJ-NAME': expecting at least 2 fields, found 1"},
      {"name index past the recorded names", names + "CORE-FUNCT-KEYMAP|-1|-1|-1|-1|0|1|-1|-1\r\n",
       "Record 'CORE-FUNCT-KEYMAP': name index 1 is outside the 1 recorded core names"},
      {"one bad index among good ones", names + "CORE-FUNCT-KEYMAP|-1|-1|-1|-1|0|0|0|5\r\n",
       "Record 'CORE-FUNCT-KEYMAP': name index 5 is outside the 1 recorded core names"},
      {"name index of 300", names + "SELECTION-KEYMAP|0|300|-1|-1\r\n",
       "Record 'SELECTION-KEYMAP': name index 300 is outside the 1 recorded selection names"},
      {"baud position past the list", "BAUD-RATE|8\r\n",
       "Record 'BAUD-RATE': position 11 is outside the 10 baud rates"},
      {"wiring option past the list", "WIRING-OPTIONS|0|2\r\n",
       "Record 'WIRING-OPTIONS': position 3 is outside the 2 IR wiring options"},
      {"PR2 of 0", "CARRIER-DC|25\r\nCARRIER-PR2|0\r\n",
       "Record 'CARRIER-PR2': a PR2 of 0 gives no carrier period"},
      {"value beyond 16 bits", "CARRIER-DC|70000\r\n",
       "Record 'CARRIER-DC': the value '70000' of field 2 is beyond 16 bits"},
      {"code category beyond 16 bits", "CODE|ON|1|N|N|N|0||N|%01|32768\r\n",
       "Record 'CODE': the value '32768' of field 11 is beyond 16 bits"},
  };
  for (const Case& c : cases) {
    PanelSettingsV2 settings;
    readPrj(settings, c.records);
    std::vector<std::string> errors;
    for (const std::string& line : messageLines())
      if (line.rfind("    (T) ", 0) != 0) errors.push_back(line);
    EXPECT_EQ(errors, Lines{std::string("    (E) ") + c.error}) << c.name;
    EXPECT_EQ(settings.parseErrors(), 1) << c.name;
    EXPECT_EQ(Access::slot(settings, kwDefaultCoreFunct), nullptr) << c.name;
    EXPECT_EQ(Access::slot(settings, kwCarrierPeriod), nullptr) << c.name;
    EXPECT_EQ(Access::slot(settings, kwProjBaudRate), nullptr) << c.name;
  }
}

TEST(PrjReader, TheThreeHundredAndFirstNameOfACategoryIsRefused) {
  std::string text;
  for (int i = 0; i <= 300; ++i) text += "CODE|C" + std::to_string(i) + "|1|N|N|N|0||N|%01|2\r\n";
  text += "CORE-FUNCT-KEYMAP|-1|-1|-1|-1|299|-1|-1|-1\r\n";
  PanelSettingsV2 settings;
  readPrj(settings, text);
  EXPECT_EQ(settings.codeTableCount(), 300);
  EXPECT_EQ(settings.codeTableIdx("C300"), 0);
  EXPECT_EQ(settings.parseErrors(), 1);
  EXPECT_NE(listing().find("    (E) Record 'CODE': more than 300 names of category 2\r\n"),
            std::string::npos);
  EXPECT_EQ(describeRow(settings, kwDefaultCoreFunct), "ON=C299");
}

TEST(PrjReader, LinesAreEchoedAndCutIntoRecordsWhateverTheirLineEnds) {
  const Lines lines = {"PROJ-NAME | Acme PX \t", "", "   ", "VOL-MUTE|5|", "FOO|1||"};
  const std::string expected =
      "0001    PROJ-NAME | Acme PX \t\r\n"
      "    (T) PROJ-NAME='Acme PX'\r\n"
      "0002    \r\n"
      "0003       \r\n"
      "0004    VOL-MUTE|5|\r\n"
      "    (T) VOL-MUTE=5\r\n"
      "0005    FOO|1||\r\n"
      "    (T) FOO=1,\r\n"
      "    (E) Unrecognized key 'FOO'\r\n";
  for (const char* lineEnd : {"\r\n", "\n", "\r"}) {
    std::string text;
    for (const std::string& line : lines) text += line + lineEnd;
    PanelSettingsV2 settings;
    ASSERT_TRUE(readPrj(settings, text));
    EXPECT_EQ(listing(), expected) << "line end " << int(lineEnd[0]);
    EXPECT_EQ(describeRow(settings, kwProjName), "=Acme PX");
  }

  struct Case {
    const char* name;
    std::string text;
    std::string expected;
  } cases[] = {
      {"last line without a line end", "VOL-MUTE|5\r\nVOL-FLOOR|6",
       "0001    VOL-MUTE|5\r\n    (T) VOL-MUTE=5\r\n"
       "0002    VOL-FLOOR|6\r\n    (T) VOL-FLOOR=6\r\n"},
      {"LF then CR ends two lines", "VOL-MUTE|5\n\rVOL-FLOOR|6\n",
       "0001    VOL-MUTE|5\r\n    (T) VOL-MUTE=5\r\n0002    \r\n0003    VOL-FLOOR|6\r\n"
       "    (T) VOL-FLOOR=6\r\n"},
      {"empty file", "", ""},
  };
  for (const Case& c : cases) {
    PanelSettingsV2 settings;
    readPrj(settings, c.text);
    EXPECT_EQ(listing(), c.expected) << c.name;
  }
}

TEST(PrjReader, BlankLinesKeepTheRecordedNames) {
  PanelSettingsV2 settings;
  readPrj(settings, "CODE|PON|1|N|N|N|0||N|%01|2\r\n\r\n  \t \r\n"
                    "CORE-FUNCT-KEYMAP|-1|-1|-1|-1|0|-1|-1|-1\r\n");
  EXPECT_EQ(describeRow(settings, kwDefaultCoreFunct), "ON=PON");
  EXPECT_EQ(settings.parseErrors(), 0);
}

TEST(PrjReader, EachFileStartsAFreshTranslator) {
  PanelSettingsV2 settings;
  readPrj(settings, "CODE|PON|1|N|N|N|0||N|%01|2\r\nCARRIER-PR2|100\r\n");
  EXPECT_EQ(Access::translator(settings).coreCount, 1);
  EXPECT_EQ(Access::translator(settings).carrierPr2, 100);

  readPrj(settings, "CARRIER-DC|25\r\nCORE-FUNCT-KEYMAP|-1|-1|-1|-1|0|-1|-1|-1\r\n");
  EXPECT_EQ(Access::slot(settings, kwCarrierPeriod), nullptr);
  EXPECT_EQ(Access::translator(settings).carrierPr2, -1);
  EXPECT_EQ(Access::translator(settings).carrierDutyCycle, 25);
  EXPECT_EQ(messageLines(),
            Lines{"    (E) Record 'CORE-FUNCT-KEYMAP': name index 0 is outside the 0 recorded "
                  "core names"});

  TempXdgHome folder;
  EXPECT_FALSE(Access::readPrjFile(settings, folder.root() + "/missing.prj"));
}

TEST(PrjReader, CodeTableAccessorsOverADriverReadFromFile) {
  PanelSettingsV2 settings;
  readPrj(settings, crLfLines({"CODE|PON|2|Y|N|N|0||N|'PWR ON',$0D|2",
                               "CODE|IN1|1|N|N|Y|2|IN1B|Y|%0110|0",
                               "CODE|IN1B|1|N|N|N|0||N|%0111|2",
                               "CODE|FRZ|2|N|Y|N|0||N|'FRZ'|1"}));
  EXPECT_EQ(settings.parseErrors(), 0) << listing();
  EXPECT_EQ(settings.codeTableCount(), 4);
  EXPECT_TRUE(settings.driverUsesIR());
  EXPECT_TRUE(settings.driverUsesRS232());
  EXPECT_TRUE(settings.codeTableUsePrefix("PON"));
  EXPECT_TRUE(settings.codeTableUseSuffix("FRZ"));
  EXPECT_EQ(settings.codeTableContinuation("IN1"), "IN1B");
  EXPECT_TRUE(settings.codeTableIncludeCont("IN1"));
  EXPECT_EQ(settings.codeTableRepetitions("IN1"), 2);
  EXPECT_EQ(settings.codeTableSelectionsWithSymbol(), Lines{"\xBAIN1"});
  EXPECT_EQ(settings.codeTableCoreFuncts(), (Lines{"PON", "IN1B"}));
  ASSERT_TRUE(settings.codeTableLexes("PON"));
  EXPECT_EQ(settings.codeTableLexes("PON")->count(), 2);
}

TEST(PrjReader, AccessorsFindFlagsWrittenInAnyLetterCase) {
  PanelSettingsV2 settings;
  driver_test::lexText(settings,
                       "irCode['X']=\"%01\",is-hidden,useRepeat,repeats=4,continue='Y'\r\n"
                       "rscode['Y']=\"$0D\",Is-Selection\r\n");
  EXPECT_EQ(settings.parseErrors(), 0) << listing();
  EXPECT_TRUE(settings.codeTableIsHidden("X"));
  EXPECT_TRUE(settings.codeTableUseRepeat("X"));
  EXPECT_EQ(settings.codeTableRepetitions("X"), 4);
  EXPECT_EQ(settings.codeTableContinuation("X"), "Y");
  EXPECT_EQ(settings.codeTableSelectionsWithSymbol(), Lines{"Y"});
}

}  // namespace
