// The code-table accessors over a code table laid out the way the parser stores it, the room's
// choices of codes for selection buttons and hidden-function keys, and the document tables.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "tests/panel/driver_text_support.h"

namespace {

using Access = PanelSettingsTestAccess;
using driver_test::describeRow;
using Names = std::vector<std::string>;

// A code entry: the lex list under the kind's keyword, then flag pairs (key, value) in order.
void addCode(PanelSettingsV2& settings, const char* name, const char* kind,
             std::vector<std::pair<const char*, Variant>> flags) {
  auto lexes = std::make_shared<TypeValueList>();
  lexes->add(lexHex, Variant(int16_t(13)));
  auto entry = std::make_shared<KeyValueClass>();
  entry->AddPair(kind, lexes);
  for (const auto& [key, value] : flags) entry->AddPair(key, value);
  Access::slot(settings, kwIrCode)->AddPair(name, entry);
}

// 1 ON (IR, core, repeats, continues), 2 HDMI (IR selection), 3 VGA (RS232 selection),
// 4 FRZ (RS232 hidden), 5 MUTE (IR hidden).
void addSampleCodes(PanelSettingsV2& settings) {
  addCode(settings, "ON", "IRCODE", {{"USEREPEAT", true}, {"REPEATS", "3"}, {"CONTINUE", "ON2"}});
  addCode(settings, "HDMI", "IRCODE", {{"IS-SELECTION", true}, {"USEPREFIX", true}});
  addCode(settings, "VGA", "RSCODE",
          {{"IS-SELECTION", true}, {"USESUFFIX", true}, {"INCLUDECONT", true}});
  addCode(settings, "FRZ", "RSCODE", {{"IS-HIDDEN", true}});
  addCode(settings, "MUTE", "IRCODE", {{"IS-HIDDEN", true}});
}

TEST(CodeTableAccess, AttributesByNameAndByIndex) {
  using Accessor = bool (PanelSettingsV2::*)(const Variant&) const;
  struct Case {
    Accessor accessor;
    Variant item;
    bool expected;
  } cases[] = {
      {&PanelSettingsV2::codeTableIsIR, "ON", true},
      {&PanelSettingsV2::codeTableIsIR, int16_t(2), true},
      {&PanelSettingsV2::codeTableIsIR, "VGA", false},
      {&PanelSettingsV2::codeTableIsRS232, int32_t(3), true},
      {&PanelSettingsV2::codeTableIsRS232, "MUTE", false},
      {&PanelSettingsV2::codeTableUsePrefix, "HDMI", true},
      {&PanelSettingsV2::codeTableUseSuffix, "VGA", true},
      {&PanelSettingsV2::codeTableUseRepeat, "HDMI", false},
      {&PanelSettingsV2::codeTableIsHidden, "FRZ", true},
      {&PanelSettingsV2::codeTableIsSelection, int16_t(3), true},
      {&PanelSettingsV2::codeTableIncludeCont, "VGA", true},
      // No such code: names match exactly, a number in text is a name, indexes stay in range.
      {&PanelSettingsV2::codeTableIsIR, "on", false},
      {&PanelSettingsV2::codeTableIsIR, "1", false},
      {&PanelSettingsV2::codeTableIsIR, int16_t(0), false},
      {&PanelSettingsV2::codeTableIsHidden, int16_t(6), false},
      {&PanelSettingsV2::codeTableIsIR, int32_t(70000), false},
  };
  PanelSettingsV2 settings;
  addSampleCodes(settings);
  for (const Case& c : cases)
    EXPECT_EQ((settings.*c.accessor)(c.item), c.expected) << c.item.toText();
}

TEST(CodeTableAccess, CountNamesContinuationRepeatsAndLexes) {
  PanelSettingsV2 settings;
  addCode(settings, "ON", "IRCODE", {});
  EXPECT_TRUE(settings.driverUsesIR());
  EXPECT_FALSE(settings.driverUsesRS232());

  settings.Clear();
  addSampleCodes(settings);
  addCode(settings, "WORDY", "IRCODE", {{"REPEATS", "abc"}});
  EXPECT_EQ(settings.codeTableCount(), 6);
  EXPECT_TRUE(settings.driverUsesRS232());
  EXPECT_EQ(settings.codeTableIdx("MUTE"), 5);
  EXPECT_EQ(settings.codeTableIdx("Mute"), 0);
  EXPECT_EQ(settings.codeTableName(4), "FRZ");
  EXPECT_EQ(settings.codeTableName(7), "");
  EXPECT_EQ(settings.codeTableContinuation("ON"), "ON2");
  EXPECT_EQ(settings.codeTableContinuation("HDMI"), "");
  EXPECT_EQ(settings.codeTableRepetitions("ON"), 3);
  EXPECT_EQ(settings.codeTableRepetitions("HDMI"), 0);
  EXPECT_EQ(settings.codeTableRepetitions("WORDY"), 0);

  TypeValueListPtr lexes = settings.codeTableLexes("VGA");
  ASSERT_TRUE(lexes);
  EXPECT_EQ(lexes->item(1)->theValue, Variant(int16_t(13)));
  EXPECT_EQ(settings.codeTableLexes(int16_t(3)), lexes);
  EXPECT_FALSE(settings.codeTableLexes("NONE"));
}

TEST(CodeTableAccess, NameListsInCodeOrderWithTheIrMarker) {
  PanelSettingsV2 settings;
  addSampleCodes(settings);
  EXPECT_EQ(settings.codeTableSelections(), (Names{"HDMI", "VGA"}));
  EXPECT_EQ(settings.codeTableSelectionsWithSymbol(), (Names{"\xBAHDMI", "VGA"}));
  EXPECT_EQ(settings.codeTableHidFuncts(), (Names{"FRZ", "MUTE"}));
  EXPECT_EQ(settings.codeTableHidFunctsWithSymbol(), (Names{"FRZ", "\xBAMUTE"}));
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
  settings.codeTableIsHidden(int16_t(99), true);
  EXPECT_TRUE(settings.isDirty());
  EXPECT_EQ(settings.codeTableHidFuncts(), (Names{"VGA", "FRZ", "MUTE"}));
}

TEST(CodeTableAccess, RoomChoicesAreStoredAsNamesAndReadAsPositions) {
  PanelSettingsV2 settings;
  addSampleCodes(settings);
  EXPECT_EQ(settings.codeTableRoomSelectionIdx(3), 0);  // no ROOM-SELECTION slot at all

  struct Case {
    int16_t position;
    const char* stored;
    int16_t readBack;
  } cases[] = {{2, "VGA", 2}, {1, "HDMI", 1}, {0, "", 0}, {3, "", 0}, {-2, "", 0}};
  for (const Case& c : cases) {
    settings.isDirty(false);
    settings.codeTableRoomSelectionIdx(3, c.position);
    KeyValuePtr choices = Access::slot(settings, kwRoomSelection);
    ASSERT_EQ(choices->count(), 1) << c.position;  // replaced, not appended
    EXPECT_EQ(choices->ItemKey(1), Variant("3"));
    EXPECT_EQ(choices->ItemVal(1), Variant(c.stored)) << c.position;
    EXPECT_EQ(settings.codeTableRoomSelectionIdx(3), c.readBack) << c.position;
    EXPECT_TRUE(settings.isDirty());
  }
  // A room file may name the code in another letter case, or a code that is not offered.
  Access::slot(settings, kwRoomSelection)->AddPair("5", "vga");
  Access::slot(settings, kwRoomSelection)->AddPair("6", "FRZ");
  EXPECT_EQ(settings.codeTableRoomSelectionIdx(5), 2);
  EXPECT_EQ(settings.codeTableRoomSelectionIdx(6), 0);

  // Hidden-function keys are keyed by their names; slot numbers outside 1..11 are ignored.
  settings.codeTableRoomHidFunctIdx(1, 2);
  settings.codeTableRoomHidFunctIdx(11, 1);
  settings.isDirty(false);
  settings.codeTableRoomHidFunctIdx(12, 1);
  settings.codeTableRoomHidFunctIdx(0, 1);
  EXPECT_FALSE(settings.isDirty());
  EXPECT_EQ(describeRow(settings, kwRoomHidFunct), "OFF=MUTE 8=FRZ");
  EXPECT_EQ(settings.codeTableRoomHidFunctIdx(1), 2);
  EXPECT_EQ(settings.codeTableRoomHidFunctIdx(2), 0);
  EXPECT_EQ(settings.codeTableRoomHidFunctIdx(12), 0);
}

TEST(CodeTableAccess, DocumentTables) {
  PanelSettingsV2 settings;
  EXPECT_TRUE(settings.InstallNotes().empty());
  auto notes = std::make_shared<KeyValueClass>();
  notes->AddPair("1", "Set the projector to RS232 control.");
  notes->AddPair("2", "Use the null-modem cable.");
  Access::slot(settings, kwDocInstallationNote) = notes;
  auto rows = settings.InstallNotes();
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[1].key, "2");
  EXPECT_EQ(rows[1].text, "Use the null-modem cable.");

  EXPECT_TRUE(settings.RevisionHistory().empty());
  Access::slot(settings, kwDocRevUserMessage) = std::make_shared<KeyValueClass>();
  Access::slot(settings, kwDocRevUserMessage)->AddPair("A", "First release");
  ASSERT_EQ(settings.RevisionHistory().size(), 1u);
  EXPECT_EQ(settings.RevisionHistory()[0].text, "First release");
}

TEST(CodeTableAccess, AMissingCodeTableOrMalformedEntryAnswersNoSuchCode) {
  PanelSettingsV2 settings;
  Access::slot(settings, kwIrCode)->AddPair("BROKEN", "not an entry");
  EXPECT_FALSE(settings.codeTableIsIR("BROKEN"));
  EXPECT_FALSE(settings.codeTableLexes("BROKEN"));

  Access::slot(settings, kwIrCode).reset();
  Access::slot(settings, kwRsCode).reset();
  EXPECT_EQ(settings.codeTableCount(), 0);
  EXPECT_EQ(settings.codeTableName(1), "");
  EXPECT_FALSE(settings.codeTableIsIR(int16_t(1)));
  EXPECT_TRUE(settings.codeTableSelections().empty());
  settings.codeTableRoomSelectionIdx(1, 1);
  EXPECT_EQ(describeRow(settings, kwRoomSelection), "1=");
}

}  // namespace
