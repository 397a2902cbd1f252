// The keyword vocabulary and its word lists, checked row by row against the language's table.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/word_lists.h"
#include "panel/panel_settings.h"

namespace {

// "[lbound: item,item]" for lists, texts as they are, Booleans as T/F; other values by kind.
std::string flatten(const Variant& v) {
  switch (v.kind()) {
    case Variant::Kind::Empty: return "";
    case Variant::Kind::Boolean: return v.toBool() ? "T" : "F";
    case Variant::Kind::Array: {
      std::string text = "[" + std::to_string(v.lbound()) + ":";
      for (int32_t i = v.lbound(); i <= v.ubound(); ++i)
        text += (i == v.lbound() ? " " : ",") + flatten(v.at(i));
      return text + "]";
    }
    default: return v.toText();
  }
}

// The word-list globals by name.
std::vector<std::pair<const char*, const Variant*>> globals() {
  using namespace VXCommon;
  return {{"gIrCodeFlagWords", &gIrCodeFlagWords}, {"gRsCodeFlagWords", &gRsCodeFlagWords},
          {"gPowerSenseWords", &gPowerSenseWords}, {"gIrWiringWords", &gIrWiringWords},
          {"gCtsUseWords", &gCtsUseWords},         {"gRelayWords", &gRelayWords},
          {"gSerialWords", &gSerialWords},         {"gConnectorWords", &gConnectorWords},
          {"gPinWords", &gPinWords},               {"gCoreFunctWords", &gCoreFunctWords},
          {"gHidFunctWords", &gHidFunctWords}};
}

// The name of the global whose contents equal the value; "?" and the contents when none does.
std::string listName(const Variant& v) {
  if (v.isEmpty()) return "";
  for (const auto& [name, global] : globals())
    if (flatten(*global) == flatten(v)) return name;
  return "?" + flatten(v);
}

// A default by kind and text ("b:False", "i:255", "d:7200000000", "s:CTS"); Long and others "?".
std::string defaultText(const Variant& v) {
  static const char* const tags[] = {"", "?", "b:", "i:", "?", "d:", "s:", "?", "?"};
  return v.isEmpty() ? "" : tags[int(v.kind())] + v.toText();
}

// "min..max" per argument; minima and maxima are 16-bit numbers in two lists of one length.
std::string rangesText(const Variant& v) {
  if (v.isEmpty()) return "";
  const Variant &minima = v.at(1), &maxima = v.at(2);
  EXPECT_EQ(std::pair(v.ubound(), minima.ubound()), std::pair(2, maxima.ubound()));
  std::string text;
  for (int32_t i = 1; i <= minima.ubound(); ++i) {
    EXPECT_EQ(minima.at(i).kind(), Variant::Kind::Integer);
    text += (i > 1 ? "," : "") + minima.at(i).toText() + ".." + maxima.at(i).toText();
  }
  return text;
}

// keyword|subscript kind|value type|mandatory, room, persistent|default|arguments|ranges|
// subscript or word lists|alias
std::string rowText(const keywordDef& row) {
  std::string flags = std::string(row.mandatory ? "M" : "-") + (row.roomKeyword ? "R" : "-") +
                      (row.persistent ? "P" : "-");
  std::string lists = listName(row.subscripts);
  if (!row.wordLists.isEmpty()) lists += (lists.empty() ? "" : "+") + listName(row.wordLists);
  return row.keyword + "|" + std::to_string(row.subscriptKind) + "|" +
         std::to_string(row.valueType) + "|" + flags + "|" + defaultText(row.defaultVal) + "|" +
         std::to_string(row.argCount) + "|" + rangesText(row.ranges) + "|" + lists + "|" +
         row.alias;
}

TEST(KeywordVocabulary, EveryRowMatchesTheLanguageTable) {
  const char* expected[] = {
      "PROJ-FILE-FMT|1|2|M--||1|1..2||",
      "PROJ-DRIVER-NAME|1|3|---||1|||",
      "PROJ-NAME|1|3|---||1|||",
      "PROJ-DRIVER-REV|1|3|---||1|||PROJ-VER",
      "DOC-REV-USER-MESSAGE|5|6|---||1|||",
      "IR-TIME-0L|1|1|M--||1|||DELAY-IR-LOW-0",
      "IR-TIME-0H|1|1|M--||1|||DELAY-IR-HIGH-0",
      "IR-TIME-1L|1|1|M--||1|||DELAY-IR-LOW-1",
      "IR-TIME-1H|1|1|M--||1|||DELAY-IR-HIGH-1",
      "CODE-SUBST|2|6|---||1|||",
      "PROJ-BAUD-RATE|1|7|M--||4||gSerialWords|",
      "IRCODE|5|9|M--||-1||gIrCodeFlagWords|",
      "RSCODE|5|8|M--||-1||gRsCodeFlagWords|",
      "BYTES-TO-QUEUE|1|2|M--||1|1..14||",
      "POWER-POLL-INTERVAL|1|1|M--||1|||",
      "POWER-POLL-TIMEOUT|1|1|M--||1|||",
      "POWER-POLL-THRESHOLD|1|2|M--||1|1..50||POWER-POLL-THRESH",
      "POWER-POLL-STARTBYTE|1|2|M--||1|1..255||",
      "POWER-POLL-MATCH-ANY|1|4|M--||1|||POWER-POLL-MATCH-FLAG",
      "POWER-POLL-MATCH-BYTES|1|11|M--||1|||POWER-POLL-MATCH-STR",
      "POWER-POLL-TESTBYTE-MASK|1|2|M--|i:255|1|0..255||",
      "POWER-POLL-DURING-WARMUP|1|4|M--|b:False|1|||POLL-DURING-WARMUP",
      "POWER-POLL-DURING-LOCKOUT|1|4|M--|b:False|1|||POLL-DURING-LOCKOUT",
      "POWER-POLL-LOCKOUT|1|1|---||1|||",
      "PROJ-USES-ABSOLUTE-VOL|1|4|M--||1|||USE-ABSOLUTE-VOL",
      "VOL-MUTE|1|2|M--||1|0..255||",
      "VOL-RANGE|1|2|M--||1|0..255||",
      "VOL-FLOOR|1|2|M--||1|0..255||",
      "IO-DOWNTIME|1|1|M--||1|||",
      "WARM-UP-DELAY|1|1|M--||1|||",
      "POWER-ON-DELAY|1|1|M--||1|||",
      "IO-CANCEL-DOWNTIME-ON-RX|1|4|M--|b:False|1|||",
      "USE-MODULATION-WHEN-WIRED|1|4|M--||1|||USE-MODULATION",
      "INVERT-LINE-WHEN-WIRED|1|4|M--||1|||INVERT-LINE",
      "CARRIER-PERIOD|1|1|M--||1|||",
      "CARRIER-DUTY-CYCLE|1|2|M--|i:50|1|1..99||",
      "PROJ-MISSING-THRESHOLD|1|2|M--|i:5|1|1..50||",
      "DEFAULT-CORE-FUNCT|3|10|M--||1||gCoreFunctWords|",
      "DEFAULT-SELECTION|4|10|M--||1|||",
      "DEFAULT-HID-FUNCT|3|10|M--||1||gHidFunctWords|",
      "DEFAULT-LOCKOUT|1|1|M--||1|||",
      "POWER-SENSE-OPTIONS|1|7|M--||-1||gPowerSenseWords|",
      "IR-WIRING-OPTIONS|1|7|M--||-1||gIrWiringWords|",
      "DOC-PROJ-232-CONNECTOR|1|7|---||1||gConnectorWords|",
      "DOC-PROJ-232-WIRING|4|7|---||1||gPinWords|",
      "ROOM-USR-NOTE|1|6|---||1|||",
      "DOC-INSTALLATION-NOTE|4|6|---||1|||",
      "PASSIVE-MODE|1|4|---|b:False|1|||",
      "ROOM-USE-INACT-SHUTDOWN-TIMER|1|4|MRP|b:False|1|||",
      "ROOM-INACT-SHUTDOWN-TIMER|1|1|MRP|d:7200000000|1|||",
      "ROOM-PROJ-LOCKOUT|1|1|MR-||1|||",
      "ROOM-SELECTION|4|10|MR-||1|||",
      "ROOM-HID-FUNCT|3|10|-R-||1||gHidFunctWords|",
      "ROOM-IR-WIRING-SELECTED|1|7|MR-||-1||gIrWiringWords|",
      "ROOM-POWER-SENSE-SELECTED|1|7|MR-||1||gPowerSenseWords|",
      "ROOM-ALTERNATE-CTS-USE|1|7|MRP|s:CTS|1||gCtsUseWords|",
      "ROOM-ENABLE-AUX-AUDIO|1|4|MRP|b:False|1|||",
      "ROOM-USE-POWER-ON-VOL|1|4|MRP|b:False|1|||",
      "ROOM-VOL-POWER-ON-LEVEL|1|2|MRP|i:85|1|0..255||",
      "ROOM-RELAY-USE-ADVANCED|1|4|MRP|b:False|1|||",
      "ROOM-RELAY|4|7|MRP||2||gRelayWords|",
      "ROOM-AFVP-DEFEAT-PREAMP|1|4|MRP|b:False|1|||",
      "ROOM-AFVP-DEFEAT-EQ|1|4|MRP|b:False|1|||",
      "ROOM-AFVP-GBT|4|2|MRP||3|0..5,0..12,0..12||",
      "ROOM-LEGEND-NAME|4|6|-RP||1|||",
      "ROOM-STICKY-HIDDEN-ON|1|4|MRP|b:False|1|||",
      "ROOM-IR-PASSTHRU-ON|1|4|MRP|b:False|1|||",
      "ROOM-POWER-ON-SELECTION|1|2|MRP|i:1|1|0..8||",
      "ROOM-USE-POWER-ON-SELECTION|1|4|MRP|b:False|1|||",
      "REQUIRES-FW-VERSION|1|2|---||2|0..255,0..255||",
      "ROOM-LEGEND-FONT|4|6|-RP||1|||",
      "ROOM-LEGEND-GIF|4|6|-RP||1|||",
      "ROOM-USE-OFF-PRESS-HOLD|1|4|-RP|b:False|1|||",
  };
  PanelSettingsV2 settings;
  ASSERT_EQ(std::size(expected), size_t(kKeywordCount));
  for (int16_t row = 1; row <= kKeywordCount; ++row)
    EXPECT_EQ(rowText(settings.keywordTable(row)), expected[row - 1]) << "row " << row;
}

TEST(KeywordVocabulary, EveryConstructionWritesTheWordListsInOrder) {
  VXCommon::gRelayWords = Variant::stringList({"tampered"});  // written again all the same
  PanelSettingsV2 settings;
  const char* expected[] = {  // in the order of globals()
      "[1: [1: USEREPEAT,INCLUDECONT,IS-SELECTION,IS-HIDDEN,USEPREFIX,USESUFFIX]]",
      "[1: [1: IS-SELECTION,IS-HIDDEN,USEPREFIX,USESUFFIX,USEREPEAT,INCLUDECONT]]",
      "[1: [1: None,Sensor,RS232Poll]]",
      "[1: [1: Wired-Serial,IR-Emitter]]",
      "[1: [1: CTS,AuxAudio,Keylock]]",
      "[1: [1: Maintained,100ms,200ms,300ms,400ms,500ms,600ms,700ms,800ms,900ms,1.0sec,1.1sec,"
      "1.2sec,1.3sec,1.4sec,1.5sec],[1: On,Off,AuxAudio,~AuxAudio,AudioOn,~AudioOn,Locked,"
      "~Locked,ProjResponding,~ProjResponding,Binary,~Binary,Selection0,Selection1,Selection2,"
      "Selection3,Selection4,Selection5,Selection6,Selection7]]",
      "[1: [1: 115200,57600,38400,19200,9600,4800,2400,1200,600,300],[1: 7,8],[1: N,O,E,M,S],[1: 1,2]]",
      "[1: [1: DB9F,DB9M,HDB15M,HDB15F,MDIN9,MDIN8,MDIN7,MDIN6,MDIN5,MDIN4,MDIN3]]",
      "[1: [1: RX,TX,GND,RTS,CTS,1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16,17,18,19,20,21,22,23,24,SHELL]]",
      "[1: [1: REPEAT,PREFIX,SUFFIX,POLL,ON,OFF,VUP,VDN],[1: F,F,F,F,T,T,T,T]]",
      "[1: [1: OFF,VUP,VDN,1,2,3,4,5,6,7,8],[1: F,F,F,F,F,F,F,F,F,F,F]]",
  };
  ASSERT_EQ(std::size(expected), globals().size());
  for (size_t i = 0; i < globals().size(); ++i)
    EXPECT_EQ(flatten(*globals()[i].second), expected[i]) << globals()[i].first;
}

}  // namespace
