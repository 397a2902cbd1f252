// The room settings properties over slots filled as the statement parser leaves them. Every
// Let marks the object changed; a refused Let changes nothing, the flag included.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "tests/panel/driver_text_support.h"

namespace {

using Access = PanelSettingsTestAccess;
using driver_test::describeRow;

// ("", value): a setting of one argument.
KeyValuePtr single(const Variant& value) {
  auto slot = std::make_shared<KeyValueClass>();
  slot->AddPair(std::string(), value);
  return slot;
}

// ("1", v1), ("2", v2) ...: several arguments, or the value list of one index.
KeyValuePtr positional(const std::vector<Variant>& values) {
  auto list = std::make_shared<KeyValueClass>();
  for (size_t i = 0; i < values.size(); ++i) list->AddPair(std::to_string(i + 1), values[i]);
  return list;
}

Variant value1(PanelSettingsV2& s, int16_t row) { return Access::slot(s, row)->ItemVal(1); }

struct BoolPair {
  int16_t row;
  bool (*get)(const PanelSettingsV2&);
  void (*let)(PanelSettingsV2&, bool);
};
#define BOOL_PAIR(name, row) \
  BoolPair{row, [](const PanelSettingsV2& s) { return s.name(); }, \
           [](PanelSettingsV2& s, bool v) { s.name(v); }}

TEST(RoomProperties, SwitchesReadValueOneAndLetsCreateWhatIsMissing) {
  const BoolPair pairs[] = {
      BOOL_PAIR(roomUsePowerOnSelection, kwRoomUsePowerOnSelection),
      BOOL_PAIR(roomPressAndHoldOff, kwRoomUseOffPressHold), BOOL_PAIR(roomIRPassThru, kwRoomIrPassthruOn),
      BOOL_PAIR(roomEnableAuxAudio, kwRoomEnableAuxAudio), BOOL_PAIR(roomUsePassiveMode, kwPassiveMode),
      BOOL_PAIR(roomUseShutdownTmr, kwRoomUseInactShutdownTimer),
      BOOL_PAIR(roomUseAdvancedRelays, kwRoomRelayUseAdvanced),
      BOOL_PAIR(roomUsePowerOnVol, kwRoomUsePowerOnVol), BOOL_PAIR(roomStickyHiddenOn, kwRoomStickyHiddenOn),
      BOOL_PAIR(roomDefeatAFVP, kwRoomAfvpDefeatPreamp), BOOL_PAIR(roomDefeatAvpEQ, kwRoomAfvpDefeatEq)};
  for (const BoolPair& p : pairs) {
    PanelSettingsV2 s;
    EXPECT_FALSE(p.get(s)) << p.row;
    Access::slot(s, p.row) = std::make_shared<KeyValueClass>();  // a slot without its pair
    p.let(s, true);
    EXPECT_TRUE(s.isDirty()) << p.row;
    EXPECT_EQ(describeRow(s, p.row), "=True");
    EXPECT_TRUE(value1(s, p.row).isBoolean()) << p.row;
    EXPECT_TRUE(p.get(s)) << p.row;
  }
}

TEST(RoomProperties, NumbersReadTheParsersDecimalTextAndNeverRaise) {
  for (auto [stored, expected] : {std::pair<Variant, int16_t>("85", 85), {int16_t(7), 7}, {"70000", 0},
                                  {"loud", 0}, {Variant(), 0}}) {
    PanelSettingsV2 s;
    Access::slot(s, kwRoomVolPowerOnLevel) = single(stored);
    Access::slot(s, kwRoomPowerOnSelection) = single(stored);
    EXPECT_EQ(s.roomPowerOnVol(), expected) << stored.toText();
    EXPECT_EQ(s.roomPowerOnSelection(), expected) << stored.toText();
  }
  PanelSettingsV2 s;
  s.roomPowerOnSelection(3);
  EXPECT_TRUE(s.isDirty());
  EXPECT_EQ(value1(s, kwRoomPowerOnSelection), Variant(int16_t(3)));
}

TEST(RoomProperties, ChosenOptionsArePositionsInTheirListsAndAnIndexOutsideChangesNothing) {
  struct { bool withOptions; const char* roomValue; int16_t sense, cts; } cases[] = {  // nullptr: no slot
      {true, "rs232poll", 3, 0}, {true, "None", 1, 0},  {true, "keylock", 0, 3},
      {true, "cts", 0, 1},       {true, nullptr, 0, 0}, {false, "Sensor", 0, 0}};
  for (const auto& c : cases) {
    PanelSettingsV2 s;
    if (c.withOptions) Access::slot(s, kwPowerSenseOptions) = positional({"None", "Sensor", "RS232Poll"});
    if (c.roomValue) Access::slot(s, kwRoomPowerSenseSelected) = single(c.roomValue);
    if (c.roomValue) Access::slot(s, kwRoomAlternateCtsUse) = single(c.roomValue);
    EXPECT_EQ(s.roomPowerSenseOptionSelected(), c.sense) << (c.roomValue ? c.roomValue : "-");
    EXPECT_EQ(s.roomCTSAlternateUseSelected(), c.cts) << (c.roomValue ? c.roomValue : "-");
  }
  PanelSettingsV2 s;
  Access::slot(s, kwPowerSenseOptions) = positional({"None", "Sensor", "RS232Poll"});
  Access::slot(s, kwIrWiringOptions) = positional({"Wired-Serial", "IR-Emitter"});
  for (int16_t outside : {0, 4}) {
    s.roomPowerSenseOptionSelected(outside);
    s.roomCTSAlternateUseSelected(outside);
  }
  EXPECT_EQ(describeRow(s, kwRoomPowerSenseSelected) + describeRow(s, kwRoomAlternateCtsUse), "nullnull");
  EXPECT_FALSE(s.isDirty());

  s.roomPowerSenseOptionSelected(2);
  EXPECT_TRUE(s.isDirty());
  s.roomCTSAlternateUseSelected(2);
  s.roomIRWiringOptSelected(2);  // wiring takes any number of words: its pairs are keyed by position
  EXPECT_EQ(describeRow(s, kwRoomPowerSenseSelected) + describeRow(s, kwRoomAlternateCtsUse) +
                describeRow(s, kwRoomIrWiringSelected), "=Sensor=AuxAudio1=IR-Emitter");
  EXPECT_EQ(s.IRwiringOptions(), (std::vector<std::string>{"Wired-Serial", "IR-Emitter"}));
  Access::slot(s, kwRoomIrWiringSelected) = positional({"ir-emitter", "Wired-Serial"});
  EXPECT_EQ(s.roomIRWiringOptSelected(), 2);
}

TEST(RoomProperties, TimersShowWholeUnitsHalfToEvenAndLetsTakeTheLeadingNumber) {
  const std::tuple<int16_t, const char*, const char*> shown[] = {  // row, microseconds, shown
      {kwRoomProjLockout, "90500000", "90"},           {kwRoomProjLockout, "91500000", "92"},
      {kwRoomProjLockout, "2500001", "3"},             {kwRoomProjLockout, "0", "0"},
      {kwRoomInactShutdownTimer, "7200000000", "120"}, {kwRoomInactShutdownTimer, "90000000", "2"},
      {kwRoomInactShutdownTimer, "150000000", "2"}};
  for (const auto& [row, micros, text] : shown) {
    PanelSettingsV2 s;
    Access::slot(s, row) = single(*Decimal::parse(micros));
    EXPECT_EQ(row == kwRoomProjLockout ? s.roomLockoutTime() : s.roomShutdownTimer(), text) << micros;
  }
  const std::pair<const char*, const char*> typed[] = {  // typed, stored ("": refused, too large)
      {"90", "90000000"}, {"1.5", "1500000"}, {" 12 sec", "12000000"}, {".25", "250000"},
      {"abc", "0"}, {"", "0"}, {"-5", "0"}, {"99999999999999999999999999999", ""}};
  for (const auto& [text, stored] : typed) {
    PanelSettingsV2 s;
    s.roomLockoutTime(text);
    EXPECT_EQ(s.isDirty(), *stored != '\0') << text;
    EXPECT_EQ(describeRow(s, kwRoomProjLockout), *stored ? std::string("=") + stored : "null") << text;
    EXPECT_TRUE(!*stored || value1(s, kwRoomProjLockout).isDecimal()) << text;
  }
  PanelSettingsV2 s;
  EXPECT_EQ(s.roomLockoutTime(), "");
  Access::slot(s, kwRoomInactShutdownTimer) = single("2h");
  EXPECT_EQ(s.roomShutdownTimer(), "");
  s.roomShutdownTimer("1.5");
  EXPECT_EQ(value1(s, kwRoomInactShutdownTimer).toDecimal(), Decimal(90000000));

  const std::pair<int16_t, int16_t> bounds[] = {{7, 120}, {8, 120}, {9, 479}, {6, 0}, {10, 0}};
  for (auto [version, bound] : bounds) EXPECT_EQ(s.roomLockoutTimeUbound(version), bound) << version;
}

TEST(RoomProperties, LegendsKeepLineEndsAsBarsAndRefuseWhatCannotBeReadBack) {
  PanelSettingsV2 s;
  s.roomLegendName(2, "Doc\r\nCam");
  EXPECT_TRUE(s.isDirty());
  EXPECT_EQ(describeRow(s, kwRoomLegendName), "2=Doc|Cam");
  EXPECT_EQ(s.roomLegendName(2), "Doc\r\nCam");
  s.roomLegendName(2, "VCR");  // replaces
  s.roomLegendName(1, "PC");   // appends
  EXPECT_EQ(describeRow(s, kwRoomLegendName), "2=VCR 1=PC");
  s.roomLegendFont(4, "Arial|Bold");
  EXPECT_EQ(s.roomLegendFont(4) + "," + s.roomLegendFont(3), "Arial|Bold,");

  const std::tuple<int16_t, int16_t, const char*> refused[] = {  // row, index, text
      {kwRoomLegendName, 1, "say \"hi\""}, {kwRoomLegendName, 1, "a\nb"}, {kwRoomLegendFont, 1, "Arial\r"},
      {kwRoomLegendGif, 1, "\"x.gif"},     {kwRoomLegendName, 0, "zero"}};
  for (const auto& [row, idx, text] : refused) {
    PanelSettingsV2 t;
    Access::slot(t, row) = positional({"kept"});
    if (row == kwRoomLegendName) t.roomLegendName(idx, text);
    if (row == kwRoomLegendFont) t.roomLegendFont(idx, text);
    if (row == kwRoomLegendGif) t.roomLegendGIF(idx, text);
    EXPECT_FALSE(t.isDirty()) << text;
    EXPECT_EQ(describeRow(t, row), "1=kept") << text;
  }
}

TEST(RoomProperties, RelaysAndPreAmplifierUseTheirListPositions) {
  PanelSettingsV2 s;
  Access::slot(s, kwRoomRelay) = std::make_shared<KeyValueClass>();
  Access::slot(s, kwRoomRelay)->AddPair("3", Variant(positional({"400ms", "Off"})));
  Access::slot(s, kwRoomAfvpGbt) = std::make_shared<KeyValueClass>();
  Access::slot(s, kwRoomAfvpGbt)->AddPair("1", Variant(positional({"3", "7", "9"})));
  EXPECT_EQ(s.roomRelayDurationSelected(3) + "," + s.roomRelayEventSelected(3), "400ms,Off");
  EXPECT_EQ(s.roomAFVPGainSetting(1), 3);
  EXPECT_EQ(s.roomAFVPbassSetting(2), 0);

  s.roomAFVPbassSetting(1, 4);  // bass is value 3; treble (value 2) stays
  EXPECT_TRUE(s.isDirty());
  EXPECT_EQ(s.roomAFVPbassSetting(1), 4);
  EXPECT_EQ(s.roomAFVPTrebleSetting(1), 7);
  s.roomRelayEventSelected(3, "Locked");
  EXPECT_EQ(s.roomRelayDurationSelected(3), "400ms");

  // A missing relay or input gets its pair; earlier values are filled in until set.
  s.roomRelayEventSelected(5, "On");
  EXPECT_EQ(s.roomRelayDurationSelected(5), "");
  s.roomRelayDurationSelected(5, "100ms");
  EXPECT_EQ(s.roomRelayDurationSelected(5) + "," + s.roomRelayEventSelected(5), "100ms,On");
  s.roomAFVPTrebleSetting(2, 5);
  EXPECT_EQ(s.roomAFVPGainSetting(2), 0);
  EXPECT_EQ(s.roomAFVPTrebleSetting(2), 5);
}

TEST(RoomProperties, SearchesIgnoreCaseAndSkipNonWords) {
  auto senses = positional({"None", "Sensor"});
  auto mixed = positional({Variant(std::make_shared<KeyValueClass>()), true, "Keylock"});
  const std::tuple<const char*, KeyValuePtr, bool> flags[] = {
      {"none", senses, true}, {"Sensor2", senses, false}, {"x", nullptr, false},
      {"keylock", mixed, true}, {"True", mixed, false}};
  for (const auto& [flag, list, expected] : flags)
    EXPECT_EQ(PanelSettingsV2::flagExists(flag, list), expected) << flag;

  const std::tuple<const char*, Variant, int16_t> finds[] = {
      {"keylock", Variant::stringList({"CTS", "AuxAudio", "Keylock"}), 3},
      {"keylock", Variant::stringList({"keylock", "CTS", "Keylock"}, 0), 2},  // 0 is skipped
      {"cts", Variant("CTS"), 0}};
  for (const auto& [val, array, expected] : finds)
    EXPECT_EQ(PanelSettingsV2::findValInArray(val, array), expected) << val;
}

}  // namespace
