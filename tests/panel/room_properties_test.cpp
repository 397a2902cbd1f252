// The room settings properties over slots filled as the statement parser leaves them: single
// settings, option choices, CTS use, timers with exact rounding, legends, relays, the
// pre-amplifier, and the two searches. Every Let marks the object changed; refused Lets
// change nothing.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "panel/panel_settings.h"
#include "tests/panel/panel_settings_access.h"

namespace {

using Access = PanelSettingsTestAccess;

// A setting of one argument: the pair ("", value).
KeyValuePtr single(const Variant& value) {
  auto slot = std::make_shared<KeyValueClass>();
  slot->AddPair(std::string(), value);
  return slot;
}

// A setting of several arguments, or one indexed value list: ("1", v1), ("2", v2) ...
KeyValuePtr positional(const std::vector<Variant>& values) {
  auto list = std::make_shared<KeyValueClass>();
  for (size_t i = 0; i < values.size(); ++i) list->AddPair(std::to_string(i + 1), values[i]);
  return list;
}

Variant value1(PanelSettingsV2& s, int16_t row) { return Access::slot(s, row)->ItemVal(1); }

struct BoolPair {
  const char* name;
  int16_t row;
  bool (*get)(const PanelSettingsV2&);
  void (*let)(PanelSettingsV2&, bool);
};
#define BOOL_PAIR(name, row) \
  BoolPair { #name, row, [](const PanelSettingsV2& s) { return s.name(); }, \
             [](PanelSettingsV2& s, bool v) { s.name(v); } }

TEST(RoomProperties, SwitchesReadValueOneAndLetsCreateWhatIsMissing) {
  const BoolPair pairs[] = {
      BOOL_PAIR(roomUsePowerOnSelection, kwRoomUsePowerOnSelection),
      BOOL_PAIR(roomPressAndHoldOff, kwRoomUseOffPressHold),
      BOOL_PAIR(roomIRPassThru, kwRoomIrPassthruOn),
      BOOL_PAIR(roomEnableAuxAudio, kwRoomEnableAuxAudio),
      BOOL_PAIR(roomUseShutdownTmr, kwRoomUseInactShutdownTimer),
      BOOL_PAIR(roomUsePassiveMode, kwPassiveMode),
      BOOL_PAIR(roomUseAdvancedRelays, kwRoomRelayUseAdvanced),
      BOOL_PAIR(roomUsePowerOnVol, kwRoomUsePowerOnVol),
      BOOL_PAIR(roomStickyHiddenOn, kwRoomStickyHiddenOn),
      BOOL_PAIR(roomDefeatAFVP, kwRoomAfvpDefeatPreamp),
      BOOL_PAIR(roomDefeatAvpEQ, kwRoomAfvpDefeatEq),
  };
  for (const BoolPair& p : pairs) {
    SCOPED_TRACE(p.name);
    PanelSettingsV2 s;
    EXPECT_FALSE(p.get(s));  // no slot
    Access::slot(s, p.row) = single(true);
    EXPECT_TRUE(p.get(s));
    Access::slot(s, p.row) = single("not a flag");
    EXPECT_FALSE(p.get(s));
    Access::slot(s, p.row) = std::make_shared<KeyValueClass>();  // slot without a pair
    EXPECT_FALSE(p.get(s));
    EXPECT_FALSE(s.isDirty());
    p.let(s, true);
    EXPECT_TRUE(s.isDirty());
    ASSERT_EQ(Access::slot(s, p.row)->count(), 1);
    EXPECT_EQ(Access::slot(s, p.row)->ItemKey(1), Variant(""));
    EXPECT_TRUE(p.get(s));

    PanelSettingsV2 fresh;
    p.let(fresh, false);
    ASSERT_TRUE(Access::slot(fresh, p.row));
    EXPECT_TRUE(value1(fresh, p.row).isBoolean());
    EXPECT_FALSE(p.get(fresh));
  }
}

TEST(RoomProperties, NumbersReadTheParsersDecimalTextAndNeverRaise) {
  struct Case {
    Variant stored;
    int16_t expected;
  } cases[] = {{"85", 85}, {"0", 0}, {int16_t(7), 7}, {"70000", 0}, {"loud", 0}, {Variant(), 0}};
  for (int16_t row : {int16_t(kwRoomVolPowerOnLevel), int16_t(kwRoomPowerOnSelection)}) {
    for (const Case& c : cases) {
      PanelSettingsV2 s;
      Access::slot(s, row) = single(c.stored);
      int16_t got = row == kwRoomVolPowerOnLevel ? s.roomPowerOnVol() : s.roomPowerOnSelection();
      EXPECT_EQ(got, c.expected) << "row " << row << " stored " << c.stored.toText();
    }
  }
  PanelSettingsV2 s;
  EXPECT_EQ(s.roomPowerOnVol(), 0);
  s.roomPowerOnVol(120);
  s.roomPowerOnSelection(3);
  EXPECT_TRUE(s.isDirty());
  EXPECT_EQ(s.roomPowerOnVol(), 120);
  EXPECT_EQ(s.roomPowerOnSelection(), 3);
}

TEST(RoomProperties, ChosenOptionIsItsPositionAmongTheDriversOptions) {
  const std::vector<Variant> senseOptions = {"None", "Sensor", "RS232Poll"};
  struct Case {
    bool withOptions;
    const char* roomValue;  // nullptr: no room slot
    int16_t expected;
  } cases[] = {
      {true, "rs232poll", 3}, {true, "None", 1}, {true, "Other", 0},
      {true, nullptr, 0},     {false, "Sensor", 0},
  };
  for (const Case& c : cases) {
    PanelSettingsV2 s;
    if (c.withOptions) Access::slot(s, kwPowerSenseOptions) = positional(senseOptions);
    if (c.roomValue) Access::slot(s, kwRoomPowerSenseSelected) = single(c.roomValue);
    EXPECT_EQ(s.roomPowerSenseOptionSelected(), c.expected) << (c.roomValue ? c.roomValue : "-");
  }

  PanelSettingsV2 s;
  Access::slot(s, kwIrWiringOptions) = positional({"Wired-Serial", "IR-Emitter"});
  Access::slot(s, kwRoomIrWiringSelected) = positional({"ir-emitter"});
  EXPECT_EQ(s.IRwiringOptions(), (std::vector<std::string>{"Wired-Serial", "IR-Emitter"}));
  EXPECT_EQ(s.roomIRWiringOptSelected(), 2);
}

TEST(RoomProperties, ChoosingAnOptionStoresItsWordAndAnIndexOutsideChangesNothing) {
  PanelSettingsV2 s;
  Access::slot(s, kwPowerSenseOptions) = positional({"None", "Sensor", "RS232Poll"});
  for (int16_t outside : {int16_t(0), int16_t(4), int16_t(-1)}) s.roomPowerSenseOptionSelected(outside);
  EXPECT_FALSE(Access::slot(s, kwRoomPowerSenseSelected));
  EXPECT_FALSE(s.isDirty());

  s.roomPowerSenseOptionSelected(2);
  EXPECT_TRUE(s.isDirty());
  EXPECT_EQ(Access::slot(s, kwRoomPowerSenseSelected)->ItemKey(1), Variant(""));
  EXPECT_EQ(value1(s, kwRoomPowerSenseSelected), Variant("Sensor"));
  EXPECT_EQ(s.roomPowerSenseOptionSelected(), 2);

  // The wiring choice may hold several words: only the first is the chosen option.
  Access::slot(s, kwIrWiringOptions) = positional({"Wired-Serial", "IR-Emitter"});
  Access::slot(s, kwRoomIrWiringSelected) = positional({"Wired-Serial", "IR-Emitter"});
  s.roomIRWiringOptSelected(2);
  EXPECT_EQ(value1(s, kwRoomIrWiringSelected), Variant("IR-Emitter"));
  EXPECT_EQ(Access::slot(s, kwRoomIrWiringSelected)->count(), 2);
  PanelSettingsV2 fresh;
  Access::slot(fresh, kwIrWiringOptions) = positional({"Wired-Serial"});
  fresh.roomIRWiringOptSelected(1);
  EXPECT_EQ(Access::slot(fresh, kwRoomIrWiringSelected)->ItemKey(1), Variant("1"));
}

TEST(RoomProperties, CtsUseIsAPositionInItsWordList) {
  struct Case {
    const char* stored;
    int16_t expected;
  } cases[] = {{"CTS", 1}, {"auxaudio", 2}, {"keylock", 3}, {"Other", 0}, {nullptr, 0}};
  for (const Case& c : cases) {
    PanelSettingsV2 s;
    if (c.stored) Access::slot(s, kwRoomAlternateCtsUse) = single(c.stored);
    EXPECT_EQ(s.roomCTSAlternateUseSelected(), c.expected) << (c.stored ? c.stored : "-");
  }
  PanelSettingsV2 s;
  s.roomCTSAlternateUseSelected(4);
  s.roomCTSAlternateUseSelected(0);
  EXPECT_FALSE(Access::slot(s, kwRoomAlternateCtsUse));
  EXPECT_FALSE(s.isDirty());
  s.roomCTSAlternateUseSelected(2);
  EXPECT_EQ(value1(s, kwRoomAlternateCtsUse), Variant("AuxAudio"));
  EXPECT_TRUE(s.isDirty());
}

TEST(RoomProperties, TimersShowWholeUnitsRoundedHalfToEven) {
  struct Case {
    int16_t row;
    const char* storedMicroseconds;
    const char* shown;
  } cases[] = {
      {kwRoomProjLockout, "90000000", "90"},   {kwRoomProjLockout, "90500000", "90"},
      {kwRoomProjLockout, "91500000", "92"},   {kwRoomProjLockout, "1500000", "2"},
      {kwRoomProjLockout, "2500000", "2"},     {kwRoomProjLockout, "2500001", "3"},
      {kwRoomProjLockout, "0", "0"},           {kwRoomInactShutdownTimer, "7200000000", "120"},
      {kwRoomInactShutdownTimer, "90000000", "2"},  // 1.5 minutes
      {kwRoomInactShutdownTimer, "150000000", "2"},  // 2.5 minutes
  };
  for (const Case& c : cases) {
    PanelSettingsV2 s;
    Access::slot(s, c.row) = single(*Decimal::parse(c.storedMicroseconds));
    std::string shown = c.row == kwRoomProjLockout ? s.roomLockoutTime() : s.roomShutdownTimer();
    EXPECT_EQ(shown, c.shown) << c.storedMicroseconds;
  }
  PanelSettingsV2 s;
  EXPECT_EQ(s.roomLockoutTime(), "");
  Access::slot(s, kwRoomInactShutdownTimer) = single("2h");  // not a number of microseconds
  EXPECT_EQ(s.roomShutdownTimer(), "");
}

TEST(RoomProperties, TimerLetsTakeTheLeadingNumberAndKeepFractions) {
  struct Case {
    const char* typed;
    const char* storedMicroseconds;  // nullptr: refused
  } cases[] = {
      {"90", "90000000"}, {"1.5", "1500000"}, {" 12 sec", "12000000"}, {".25", "250000"},
      {"7.", "7000000"},  {"abc", "0"},       {"", "0"},               {"-5", "0"},
      {"99999999999999999999999999999", nullptr},
  };
  for (const Case& c : cases) {
    PanelSettingsV2 s;
    s.roomLockoutTime(c.typed);
    if (!c.storedMicroseconds) {
      EXPECT_FALSE(Access::slot(s, kwRoomProjLockout)) << c.typed;
      EXPECT_FALSE(s.isDirty()) << c.typed;
      continue;
    }
    Variant stored = value1(s, kwRoomProjLockout);
    EXPECT_TRUE(stored.isDecimal()) << c.typed;
    EXPECT_EQ(stored.toDecimal(), *Decimal::parse(c.storedMicroseconds)) << c.typed;
    EXPECT_TRUE(s.isDirty());
  }
  PanelSettingsV2 s;
  s.roomLockoutTime("1.5");
  EXPECT_EQ(s.roomLockoutTime(), "2");
  s.roomShutdownTimer("1.5");
  EXPECT_EQ(value1(s, kwRoomInactShutdownTimer).toDecimal(), Decimal(90000000));
}

TEST(RoomProperties, LockoutBoundFollowsTheFormatsLockoutRule) {
  PanelSettingsV2 s;
  const std::pair<int16_t, int16_t> cases[] = {{7, 120}, {8, 120}, {9, 479}, {6, 0}, {10, 0}, {0, 0}};
  for (auto [version, bound] : cases) EXPECT_EQ(s.roomLockoutTimeUbound(version), bound) << version;
}

TEST(RoomProperties, LegendsKeepLineEndsAsBarsAndRefuseWhatCannotBeReadBack) {
  PanelSettingsV2 s;
  EXPECT_EQ(s.roomLegendFont(1), "");
  s.roomLegendName(2, "Doc\r\nCam");
  EXPECT_TRUE(s.isDirty());
  EXPECT_EQ(Access::slot(s, kwRoomLegendName)->GetValue("2"), Variant("Doc|Cam"));
  EXPECT_EQ(s.roomLegendName(2), "Doc\r\nCam");
  s.roomLegendName(2, "VCR");  // replaces, does not append
  s.roomLegendName(1, "PC");
  EXPECT_EQ(Access::slot(s, kwRoomLegendName)->count(), 2);
  EXPECT_EQ(s.roomLegendName(2), "VCR");
  EXPECT_EQ(s.roomLegendFont(3), "");

  struct Refused {
    int16_t row;
    int16_t idx;
    const char* text;
  } refused[] = {
      {kwRoomLegendName, 1, "say \"hi\""}, {kwRoomLegendName, 1, "a\nb"},
      {kwRoomLegendFont, 1, "Arial\r"},    {kwRoomLegendGif, 1, "\"x.gif"},
      {kwRoomLegendName, 0, "zero"},       {kwRoomLegendGif, -2, "x.gif"},
  };
  for (const Refused& r : refused) {
    PanelSettingsV2 t;
    Access::slot(t, r.row) = positional({"kept"});
    if (r.row == kwRoomLegendName) t.roomLegendName(r.idx, r.text);
    if (r.row == kwRoomLegendFont) t.roomLegendFont(r.idx, r.text);
    if (r.row == kwRoomLegendGif) t.roomLegendGIF(r.idx, r.text);
    EXPECT_FALSE(t.isDirty()) << r.text;
    EXPECT_EQ(Access::slot(t, r.row)->count(), 1) << r.text;
    EXPECT_EQ(Access::slot(t, r.row)->ItemVal(1), Variant("kept")) << r.text;
  }
  PanelSettingsV2 t;
  t.roomLegendGIF(4, "cam.gif");
  t.roomLegendFont(4, "Arial|Bold");
  EXPECT_EQ(t.roomLegendGIF(4), "cam.gif");
  EXPECT_EQ(t.roomLegendFont(4), "Arial|Bold");
}

TEST(RoomProperties, RelaysAndPreAmplifierReadAndWriteTheirListPositions) {
  PanelSettingsV2 s;
  auto relays = std::make_shared<KeyValueClass>();
  relays->AddPair("3", Variant(positional({"400ms", "Off"})));
  Access::slot(s, kwRoomRelay) = relays;
  auto inputs = std::make_shared<KeyValueClass>();
  inputs->AddPair("1", Variant(positional({"3", "7", "9"})));
  Access::slot(s, kwRoomAfvpGbt) = inputs;

  EXPECT_EQ(s.roomRelayDurationSelected(3), "400ms");
  EXPECT_EQ(s.roomRelayEventSelected(3), "Off");
  EXPECT_EQ(s.roomRelayEventSelected(4), "");
  EXPECT_EQ(s.roomAFVPGainSetting(1), 3);
  EXPECT_EQ(s.roomAFVPTrebleSetting(1), 7);
  EXPECT_EQ(s.roomAFVPbassSetting(1), 9);
  EXPECT_EQ(s.roomAFVPbassSetting(2), 0);

  s.roomAFVPbassSetting(1, 4);
  EXPECT_TRUE(s.isDirty());
  EXPECT_EQ(s.roomAFVPbassSetting(1), 4);
  EXPECT_EQ(s.roomAFVPTrebleSetting(1), 7);
  s.roomRelayEventSelected(3, "Locked");
  EXPECT_EQ(s.roomRelayDurationSelected(3), "400ms");
  EXPECT_EQ(s.roomRelayEventSelected(3), "Locked");

  // A missing relay or input gets its pair, with the values before the one set filled in.
  s.roomRelayEventSelected(5, "On");
  KeyValuePtr relay5 = relays->GetValue("5").object<KeyValueClass>();
  ASSERT_TRUE(relay5);
  EXPECT_EQ(relay5->count(), 2);
  EXPECT_EQ(relay5->ItemKey(2), Variant("2"));
  s.roomRelayDurationSelected(5, "100ms");
  EXPECT_EQ(s.roomRelayDurationSelected(5), "100ms");
  EXPECT_EQ(s.roomRelayEventSelected(5), "On");
  s.roomAFVPTrebleSetting(2, 5);
  EXPECT_EQ(s.roomAFVPGainSetting(2), 0);
  EXPECT_EQ(s.roomAFVPTrebleSetting(2), 5);

  PanelSettingsV2 fresh;
  fresh.roomRelayDurationSelected(0, "100ms");
  EXPECT_FALSE(Access::slot(fresh, kwRoomRelay));
  EXPECT_FALSE(fresh.isDirty());
  fresh.roomAFVPGainSetting(1, 2);
  EXPECT_EQ(fresh.roomAFVPGainSetting(1), 2);
}

TEST(RoomProperties, SearchesIgnoreCaseAndSkipNonWords) {
  auto senses = positional({"None", "Sensor"});
  auto mixed = positional({Variant(std::make_shared<KeyValueClass>()), true, "Keylock"});
  struct FlagCase {
    const char* flag;
    KeyValuePtr list;
    bool expected;
  } flags[] = {
      {"none", senses, true},       {"SENSOR", senses, true},  {"Sensor2", senses, false},
      {"x", std::make_shared<KeyValueClass>(), false},          {"x", nullptr, false},
      {"keylock", mixed, true},     {"True", mixed, false},
  };
  for (const FlagCase& c : flags) EXPECT_EQ(PanelSettingsV2::flagExists(c.flag, c.list), c.expected) << c.flag;

  Variant zeroBased = Variant::stringList({"keylock", "CTS", "Keylock"}, 0);
  struct FindCase {
    const char* val;
    Variant array;
    int16_t expected;
  } finds[] = {
      {"keylock", Variant::stringList({"CTS", "AuxAudio", "Keylock"}), 3},
      {"keylock", zeroBased, 2},  // element 0 is never compared
      {"cts", Variant::stringList({}), 0},
      {"cts", Variant("CTS"), 0},
  };
  for (const FindCase& c : finds) EXPECT_EQ(PanelSettingsV2::findValInArray(c.val, c.array), c.expected);
}

}  // namespace
