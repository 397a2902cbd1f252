// The code-table accessors over a code table laid out the way the parser stores it, the room's
// choices of codes for selection buttons and hidden-function keys, and the document tables.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "common/word_lists.h"
#include "panel/panel_settings.h"
#include "tests/panel/panel_settings_access.h"

namespace {

using Access = PanelSettingsTestAccess;
using Names = std::vector<std::string>;

struct Flag {
  const char* key;
  Variant value;
};

// A code entry: the lex list under the kind's keyword, then the flag pairs in order.
void addCode(PanelSettingsV2& settings, const char* name, const char* kind,
             std::vector<Flag> flags) {
  auto lexes = std::make_shared<TypeValueList>();
  lexes->add(lexHex, Variant(int16_t(13)));
  auto entry = std::make_shared<KeyValueClass>();
  entry->AddPair(kind, lexes);
  for (const Flag& flag : flags) entry->AddPair(flag.key, flag.value);
  Access::slot(settings, kwIrCode)->AddPair(name, entry);
}

// ON (IR, core, repeats and continues), HDMI (IR selection), VGA (RS232 selection),
// FRZ (RS232 hidden), MUTE (IR hidden).
void addSampleCodes(PanelSettingsV2& settings) {
  addCode(settings, "ON", "IRCODE",
          {{"USEREPEAT", true}, {"REPEATS", "3"}, {"CONTINUE", "ON2"}});
  addCode(settings, "HDMI", "IRCODE", {{"IS-SELECTION", true}, {"USEPREFIX", true}});
  addCode(settings, "VGA", "RSCODE",
          {{"IS-SELECTION", true}, {"USESUFFIX", true}, {"INCLUDECONT", true}});
  addCode(settings, "FRZ", "RSCODE", {{"IS-HIDDEN", true}});
  addCode(settings, "MUTE", "IRCODE", {{"IS-HIDDEN", true}});
}

const std::string kIr = "\xBA";

TEST(CodeTableAccess, AttributesByNameAndByIndex) {
  using Accessor = bool (PanelSettingsV2::*)(const Variant&) const;
  struct Case {
    const char* what;
    Accessor accessor;
    Variant item;
    bool expected;
  } cases[] = {
      {"IR by name", &PanelSettingsV2::codeTableIsIR, "ON", true},
      {"IR by index", &PanelSettingsV2::codeTableIsIR, int16_t(2), true},
      {"IR of an RS232 code", &PanelSettingsV2::codeTableIsIR, "VGA", false},
      {"RS232 by index", &PanelSettingsV2::codeTableIsRS232, int16_t(4), true},
      {"RS232 of an IR code", &PanelSettingsV2::codeTableIsRS232, "MUTE", false},
      {"index as 32-bit", &PanelSettingsV2::codeTableIsRS232, int32_t(3), true},
      {"index as text is a name", &PanelSettingsV2::codeTableIsIR, "1", false},
      {"prefix", &PanelSettingsV2::codeTableUsePrefix, "HDMI", true},
      {"no prefix", &PanelSettingsV2::codeTableUsePrefix, "VGA", false},
      {"suffix", &PanelSettingsV2::codeTableUseSuffix, "VGA", true},
      {"repeat", &PanelSettingsV2::codeTableUseRepeat, "ON", true},
      {"no repeat", &PanelSettingsV2::codeTableUseRepeat, "HDMI", false},
      {"hidden", &PanelSettingsV2::codeTableIsHidden, "FRZ", true},
      {"not hidden", &PanelSettingsV2::codeTableIsHidden, "VGA", false},
      {"selection", &PanelSettingsV2::codeTableIsSelection, int16_t(3), true},
      {"not selection", &PanelSettingsV2::codeTableIsSelection, "MUTE", false},
      {"include continuation", &PanelSettingsV2::codeTableIncludeCont, "VGA", true},
      {"name in other case", &PanelSettingsV2::codeTableIsIR, "on", false},
      {"unknown name", &PanelSettingsV2::codeTableIsIR, "OFF", false},
      {"index 0", &PanelSettingsV2::codeTableIsIR, int16_t(0), false},
      {"index past the end", &PanelSettingsV2::codeTableIsHidden, int16_t(6), false},
      {"negative index", &PanelSettingsV2::codeTableIsIR, int16_t(-1), false},
      {"index beyond 16 bits", &PanelSettingsV2::codeTableIsIR, int32_t(70000), false},
      {"empty designator", &PanelSettingsV2::codeTableIsIR, Variant(), false},
  };
  PanelSettingsV2 settings;
  addSampleCodes(settings);
  for (const Case& c : cases) EXPECT_EQ((settings.*c.accessor)(c.item), c.expected) << c.what;
}

TEST(CodeTableAccess, CountIndexNameContinuationRepeatsAndLexes) {
  PanelSettingsV2 settings;
  EXPECT_EQ(settings.codeTableCount(), 0);
  EXPECT_FALSE(settings.driverUsesIR());
  EXPECT_FALSE(settings.driverUsesRS232());

  addSampleCodes(settings);
  addCode(settings, "WORDY", "IRCODE", {{"REPEATS", "abc"}});
  addCode(settings, "HUGE", "IRCODE", {{"REPEATS", "99999"}});
  EXPECT_EQ(settings.codeTableCount(), 7);
  EXPECT_TRUE(settings.driverUsesIR());
  EXPECT_TRUE(settings.driverUsesRS232());

  struct Case {
    const char* name;
    int16_t index;
    const char* continuation;
    int16_t repeats;
  } cases[] = {
      {"ON", 1, "ON2", 3}, {"HDMI", 2, "", 0},  {"MUTE", 5, "", 0},
      {"WORDY", 6, "", 0}, {"HUGE", 7, "", 0},  {"Hdmi", 0, "", 0},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(settings.codeTableIdx(c.name), c.index) << c.name;
    EXPECT_EQ(settings.codeTableContinuation(c.name), c.continuation) << c.name;
    EXPECT_EQ(settings.codeTableRepetitions(c.name), c.repeats) << c.name;
  }
  EXPECT_EQ(settings.codeTableName(4), "FRZ");
  EXPECT_EQ(settings.codeTableName(0), "");
  EXPECT_EQ(settings.codeTableName(8), "");

  TypeValueListPtr lexes = settings.codeTableLexes("VGA");
  ASSERT_TRUE(lexes);
  ASSERT_EQ(lexes->count(), 1);
  EXPECT_EQ(lexes->item(1)->theValue, Variant(int16_t(13)));
  EXPECT_EQ(settings.codeTableLexes(int16_t(3)), lexes);
  EXPECT_FALSE(settings.codeTableLexes("NONE"));
}

TEST(CodeTableAccess, OnlyIrCodesMeanTheDriverUsesNoSerialLine) {
  PanelSettingsV2 settings;
  addCode(settings, "ON", "IRCODE", {});
  addCode(settings, "OFF", "IRCODE", {});
  EXPECT_TRUE(settings.driverUsesIR());
  EXPECT_FALSE(settings.driverUsesRS232());
}

TEST(CodeTableAccess, NameListsInCodeOrderWithTheIrMarker) {
  PanelSettingsV2 settings;
  addSampleCodes(settings);
  EXPECT_EQ(settings.codeTableSelections(), (Names{"HDMI", "VGA"}));
  EXPECT_EQ(settings.codeTableSelectionsWithSymbol(), (Names{kIr + "HDMI", "VGA"}));
  EXPECT_EQ(settings.codeTableHidFuncts(), (Names{"FRZ", "MUTE"}));
  EXPECT_EQ(settings.codeTableHidFunctsWithSymbol(), (Names{"FRZ", kIr + "MUTE"}));
  EXPECT_EQ(settings.codeTableCoreFuncts(), (Names{"ON"}));
}

TEST(CodeTableAccess, SettingHiddenAddsTheFlagOnceAndNeverRemovesIt) {
  PanelSettingsV2 settings;
  addSampleCodes(settings);
  settings.codeTableIsHidden("VGA", true);
  settings.codeTableIsHidden(int16_t(3), true);
  auto entry = Access::slot(settings, kwIrCode)->ItemVal(3).object<KeyValueClass>();
  EXPECT_EQ(entry->count(), 5);  // lexes, three flags, one IS-HIDDEN
  EXPECT_TRUE(settings.isDirty());

  settings.isDirty(false);
  settings.codeTableIsHidden("VGA", false);
  EXPECT_TRUE(settings.codeTableIsHidden("VGA"));
  EXPECT_TRUE(settings.isDirty());
  EXPECT_EQ(settings.codeTableHidFuncts(), (Names{"VGA", "FRZ", "MUTE"}));

  settings.isDirty(false);
  settings.codeTableIsHidden("NONE", true);  // no such code: nothing to flag
  settings.codeTableIsHidden(int16_t(99), true);
  EXPECT_TRUE(settings.isDirty());
  EXPECT_EQ(settings.codeTableCount(), 5);
}

TEST(CodeTableAccess, RoomSelectionChoices) {
  PanelSettingsV2 settings;
  addSampleCodes(settings);
  EXPECT_EQ(settings.codeTableRoomSelectionIdx(3), 0);  // no ROOM-SELECTION slot at all

  settings.codeTableRoomSelectionIdx(3, 2);
  KeyValuePtr choices = Access::slot(settings, kwRoomSelection);
  ASSERT_TRUE(choices);
  EXPECT_EQ(choices->count(), 1);
  EXPECT_EQ(choices->ItemKey(1), Variant("3"));
  EXPECT_EQ(choices->ItemVal(1), Variant("VGA"));
  EXPECT_EQ(settings.codeTableRoomSelectionIdx(3), 2);
  EXPECT_EQ(settings.codeTableRoomSelectionIdx(1), 0);
  EXPECT_TRUE(settings.isDirty());

  struct Case {
    const char* what;
    int16_t position;
    const char* stored;
    int16_t readBack;
  } cases[] = {
      {"first offered", 1, "HDMI", 1},
      {"cleared", 0, "", 0},
      {"past the list", 3, "", 0},
      {"negative", -2, "", 0},
  };
  for (const Case& c : cases) {
    settings.codeTableRoomSelectionIdx(3, c.position);
    EXPECT_EQ(choices->count(), 1) << c.what;  // replaced, not appended
    EXPECT_EQ(choices->ItemVal(1), Variant(c.stored)) << c.what;
    EXPECT_EQ(settings.codeTableRoomSelectionIdx(3), c.readBack) << c.what;
  }

  // A room file may name the code in another letter case, or a code the driver lacks.
  choices->AddPair("5", "vga");
  choices->AddPair("6", "FRZ");
  EXPECT_EQ(settings.codeTableRoomSelectionIdx(5), 2);
  EXPECT_EQ(settings.codeTableRoomSelectionIdx(6), 0);
}

TEST(CodeTableAccess, RoomHiddenFunctionChoicesAreKeyedByKeyName) {
  PanelSettingsV2 settings;
  addSampleCodes(settings);
  settings.codeTableRoomHidFunctIdx(1, 2);
  settings.codeTableRoomHidFunctIdx(11, 1);
  KeyValuePtr choices = Access::slot(settings, kwRoomHidFunct);
  ASSERT_TRUE(choices);
  ASSERT_EQ(choices->count(), 2);
  EXPECT_EQ(choices->ItemKey(1), Variant("OFF"));
  EXPECT_EQ(choices->ItemVal(1), Variant("MUTE"));
  EXPECT_EQ(choices->ItemKey(2), Variant("8"));
  EXPECT_EQ(choices->ItemVal(2), Variant("FRZ"));
  EXPECT_EQ(settings.codeTableRoomHidFunctIdx(1), 2);
  EXPECT_EQ(settings.codeTableRoomHidFunctIdx(11), 1);
  EXPECT_EQ(settings.codeTableRoomHidFunctIdx(2), 0);

  settings.isDirty(false);
  for (int16_t slot : {int16_t(0), int16_t(12), int16_t(-1)}) {
    settings.codeTableRoomHidFunctIdx(slot, 1);
    EXPECT_EQ(settings.codeTableRoomHidFunctIdx(slot), 0) << slot;
  }
  EXPECT_EQ(choices->count(), 2);
  EXPECT_FALSE(settings.isDirty());
}

TEST(CodeTableAccess, DocumentTables) {
  PanelSettingsV2 settings;
  EXPECT_TRUE(settings.InstallNotes().empty());
  EXPECT_TRUE(settings.RevisionHistory().empty());

  auto notes = std::make_shared<KeyValueClass>();
  notes->AddPair("1", "Set the projector to RS232 control.");
  notes->AddPair("2", "Use the null-modem cable.");
  Access::slot(settings, kwDocInstallationNote) = notes;
  auto revisions = std::make_shared<KeyValueClass>();
  revisions->AddPair("A", "First release");
  Access::slot(settings, kwDocRevUserMessage) = revisions;

  auto rows = settings.InstallNotes();
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[0].key, "1");
  EXPECT_EQ(rows[0].text, "Set the projector to RS232 control.");
  EXPECT_EQ(rows[1].key, "2");
  EXPECT_EQ(rows[1].text, "Use the null-modem cable.");
  auto history = settings.RevisionHistory();
  ASSERT_EQ(history.size(), 1u);
  EXPECT_EQ(history[0].key, "A");
  EXPECT_EQ(history[0].text, "First release");
}

TEST(CodeTableAccess, AMissingCodeTableOrMalformedEntryAnswersNoSuchCode) {
  PanelSettingsV2 settings;
  Access::slot(settings, kwIrCode)->AddPair("BROKEN", "not an entry");
  EXPECT_EQ(settings.codeTableCount(), 1);
  EXPECT_FALSE(settings.codeTableIsIR("BROKEN"));
  EXPECT_FALSE(settings.codeTableLexes("BROKEN"));

  Access::slot(settings, kwIrCode).reset();
  Access::slot(settings, kwRsCode).reset();
  EXPECT_EQ(settings.codeTableCount(), 0);
  EXPECT_EQ(settings.codeTableIdx("ON"), 0);
  EXPECT_EQ(settings.codeTableName(1), "");
  EXPECT_FALSE(settings.codeTableIsIR(int16_t(1)));
  EXPECT_TRUE(settings.codeTableSelections().empty());
  EXPECT_EQ(settings.codeTableRoomSelectionIdx(1), 0);
  settings.codeTableRoomSelectionIdx(1, 1);
  EXPECT_EQ(Access::slot(settings, kwRoomSelection)->ItemVal(1), Variant(""));
}

}  // namespace
