// The code-table accessors over a parsed driver, the room's choices of codes for selection
// buttons and hidden-function keys, the document tables, and malformed or missing tables.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "tests/panel/driver_text_support.h"

namespace {

using Access = PanelSettingsTestAccess;
using driver_test::describeRow;
using Names = std::vector<std::string>;

// 1 ON (IR, core, repeats, continues), 2 HDMI (IR selection), 3 VGA (RS232 selection),
// 4 FRZ (RS232 hidden), 5 MUTE (IR hidden).
void addSampleCodes(PanelSettingsV2& settings) {
  driver_test::lexText(settings, "IRCODE['ON']=\"%1\",USEREPEAT,REPEATS=3,CONTINUE='ON2'\r\n"
                                 "IRCODE['HDMI']=\"%1\",IS-SELECTION,USEPREFIX\r\n"
                                 "RSCODE['VGA']=\"$0D\",IS-SELECTION,USESUFFIX,INCLUDECONT\r\n"
                                 "RSCODE['FRZ']=\"$0D\",IS-HIDDEN\r\nIRCODE['MUTE']=\"%1\",IS-HIDDEN\r\n");
  ASSERT_EQ(settings.parseErrors(), 0) << driver_test::listing();
}

TEST(CodeTableAccess, AttributesByNameAndByIndex) {
  using P = PanelSettingsV2;
  struct { bool (P::*accessor)(const Variant&) const; Variant item; bool expected; } cases[] = {
      {&P::codeTableIsIR, "ON", true},          {&P::codeTableIsIR, int16_t(2), true},
      {&P::codeTableIsIR, "VGA", false},        {&P::codeTableIsRS232, int32_t(3), true},
      {&P::codeTableIsRS232, "MUTE", false},    {&P::codeTableUsePrefix, "HDMI", true},
      {&P::codeTableUseSuffix, "VGA", true},    {&P::codeTableUseRepeat, "HDMI", false},
      {&P::codeTableIsHidden, "FRZ", true},     {&P::codeTableIsSelection, int16_t(3), true},
      {&P::codeTableIncludeCont, "VGA", true},
      // No such code: names match exactly, a number in text is a name, indexes stay in range.
      {&P::codeTableIsIR, "on", false},         {&P::codeTableIsIR, "1", false},
      {&P::codeTableIsIR, int16_t(0), false},   {&P::codeTableIsHidden, int16_t(6), false},
      {&P::codeTableIsIR, int32_t(70000), false},
  };
  PanelSettingsV2 settings;
  addSampleCodes(settings);
  for (const auto& c : cases) EXPECT_EQ((settings.*c.accessor)(c.item), c.expected) << c.item.toText();
}

TEST(CodeTableAccess, CountNamesListsContinuationRepeatsAndLexes) {
  PanelSettingsV2 settings;
  driver_test::lexText(settings, "IRCODE['ON']=\"%1\"");
  EXPECT_TRUE(settings.driverUsesIR());
  EXPECT_FALSE(settings.driverUsesRS232());

  settings.Clear();
  addSampleCodes(settings);
  // Name lists in code order; the IR ones with their marker.
  EXPECT_EQ(settings.codeTableSelections(), (Names{"HDMI", "VGA"}));
  EXPECT_EQ(settings.codeTableSelectionsWithSymbol(), (Names{"\xBAHDMI", "VGA"}));
  EXPECT_EQ(settings.codeTableHidFuncts(), (Names{"FRZ", "MUTE"}));
  EXPECT_EQ(settings.codeTableHidFunctsWithSymbol(), (Names{"FRZ", "\xBAMUTE"}));
  EXPECT_EQ(settings.codeTableCoreFuncts(), (Names{"ON"}));
  auto wordy = std::make_shared<KeyValueClass>();  // a repeat count the parser never stores
  wordy->AddPair("IRCODE", std::make_shared<TypeValueList>());
  wordy->AddPair("REPEATS", "abc");
  Access::slot(settings, kwIrCode)->AddPair("WORDY", wordy);
  EXPECT_EQ(settings.codeTableCount(), 6);
  EXPECT_TRUE(settings.driverUsesRS232());
  EXPECT_EQ(settings.codeTableIdx("MUTE"), 5);
  EXPECT_EQ(settings.codeTableIdx("Mute"), 0);
  EXPECT_EQ(settings.codeTableName(4) + "," + settings.codeTableName(7), "FRZ,");
  EXPECT_EQ(settings.codeTableContinuation("ON") + "," + settings.codeTableContinuation("HDMI"), "ON2,");
  for (auto [name, repeats] : {std::pair("ON", 3), {"HDMI", 0}, {"WORDY", 0}})
    EXPECT_EQ(settings.codeTableRepetitions(name), repeats) << name;

  TypeValueListPtr lexes = settings.codeTableLexes("VGA");
  ASSERT_TRUE(lexes);
  EXPECT_EQ(lexes->item(1)->theValue, Variant(int16_t(13)));
  EXPECT_EQ(settings.codeTableLexes(int16_t(3)), lexes);
  EXPECT_FALSE(settings.codeTableLexes("NONE"));

  // IS-HIDDEN is added once and never removed; any Let marks the object changed.
  settings.codeTableIsHidden("VGA", true);
  settings.codeTableIsHidden(int16_t(3), true);
  EXPECT_EQ(Access::slot(settings, kwIrCode)->ItemVal(3).object<KeyValueClass>()->count(), 5);
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
  // A position outside the selection codes stores the empty name for "no code".
  for (auto [position, stored, readBack] : {std::tuple(2, "VGA", 2), {1, "HDMI", 1}, {0, "", 0}, {3, "", 0}}) {
    settings.isDirty(false);
    settings.codeTableRoomSelectionIdx(3, int16_t(position));
    EXPECT_EQ(describeRow(settings, kwRoomSelection), std::string("3=") + stored);  // replaced, not appended
    EXPECT_EQ(settings.codeTableRoomSelectionIdx(3), readBack) << position;
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

TEST(CodeTableAccess, DocumentTablesAreRowsInDriverOrder) {
  auto text = [](const std::vector<PanelSettingsV2::NoteRow>& rows) {
    std::string joined;
    for (const auto& row : rows) joined += row.key + "=" + row.text + ";";
    return joined;
  };
  PanelSettingsV2 settings;
  EXPECT_EQ(text(settings.InstallNotes()) + text(settings.RevisionHistory()), "");
  driver_test::lexText(settings, "DOC-INSTALLATION-NOTE[1]=\"Use the null-modem cable.\"\r\n"
                                 "DOC-REV-USER-MESSAGE['B']=\"Second\"\r\n"
                                 "DOC-REV-USER-MESSAGE['A']=\"First\"\r\n");
  EXPECT_EQ(text(settings.InstallNotes()), "1=Use the null-modem cable.;");
  EXPECT_EQ(text(settings.RevisionHistory()), "B=Second;A=First;");
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
