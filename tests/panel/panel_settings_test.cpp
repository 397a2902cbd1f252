// The settings object's state: construction, Clear, taking over a room's settings from another
// object, driver names, and the parse log with its counters.
#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <string>

#include "panel/panel_settings.h"
#include "tests/panel/panel_settings_access.h"
#include "wizard/parse_file_listing.h"

namespace {

using Access = PanelSettingsTestAccess;

std::string listingText() { return ParseFileListing::instance().txtParseFileListing(); }

KeyValuePtr slotWith(const Variant& value) {
  auto slot = std::make_shared<KeyValueClass>();
  slot->AddPair(Variant(), value);
  return slot;
}

TEST(PanelSettings, NewObjectHasOnlyTheSharedCodeTableAndEmptiesTheListing) {
  ParseFileListing::instance().txtParseFileListing("old listing\r\n");
  auto settings = std::make_shared<PanelSettingsV2>();
  EXPECT_EQ(listingText(), "\r\n");

  Variant irCodes = settings->directAccess(kwIrCode);
  ASSERT_TRUE(irCodes.isObject());
  EXPECT_EQ(irCodes, settings->directAccess(kwRsCode));
  EXPECT_EQ(irCodes.object<KeyValueClass>()->count(), 0);
  for (int16_t row = 1; row <= kKeywordCount; ++row) {
    if (row == kwIrCode || row == kwRsCode) continue;
    EXPECT_TRUE(settings->directAccess(row).isNothing()) << "row " << row;
  }

  EXPECT_EQ(settings->fullDriverName(), "");
  EXPECT_EQ(settings->parseErrors(), 0);
  EXPECT_EQ(settings->parseWarnings(), 0);
  EXPECT_FALSE(settings->isDirty());
  EXPECT_FALSE(settings->loadingDefaults());
  EXPECT_EQ(settings->roomFileName(), "");
  EXPECT_EQ(Access::translator(*settings).selectionCount, 0);
  EXPECT_EQ(Access::translator(*settings).carrierPr2, 0);
}

TEST(PanelSettings, IndexesOutsideTheKeywordRowsRaiseSubscriptErrors) {
  PanelSettingsV2 settings;
  for (int16_t index : {int16_t(0), int16_t(-1), int16_t(74), int16_t(32767)}) {
    for (auto access : {+[](PanelSettingsV2& s, int16_t i) { (void)s.directAccess(i); },
                        +[](PanelSettingsV2& s, int16_t i) { (void)s.keywordTable(i); }}) {
      try {
        access(settings, index);
        ADD_FAILURE() << "index " << index;
      } catch (const VbError& e) {
        EXPECT_EQ(e.number(), 9) << "index " << index;
      }
    }
  }
  EXPECT_NO_THROW((void)settings.directAccess(1));
  EXPECT_NO_THROW((void)settings.directAccess(73));
}

TEST(PanelSettings, DriverNamesFromTheirSlots) {
  struct Case {
    const char* name;
    const char* revision;
    const char* fileName;
    const char* assembled;
  } cases[] = {
      {"Acme PX-100", "Rev A", "Acme PX-100 (Rev A).prjdrv", "Acme PX-100 (Rev A)"},
      {nullptr, "Rev B", nullptr, " (Rev B)"},
      {"Borel IR-5", nullptr, "", "Borel IR-5 ()"},
  };
  for (const Case& c : cases) {
    PanelSettingsV2 settings;
    if (c.name) Access::slot(settings, kwProjName) = slotWith(c.name);
    if (c.revision) Access::slot(settings, kwProjDriverRev) = slotWith(c.revision);
    if (c.fileName) Access::slot(settings, kwProjDriverName) = slotWith(c.fileName);
    EXPECT_EQ(settings.assembleDriverName(), c.assembled);
    EXPECT_EQ(settings.fullDriverName(), c.fileName ? c.fileName : "");
  }
}

TEST(PanelSettings, ClearEmptiesValuesButKeepsTheRoomState) {
  PanelSettingsV2 settings;
  Variant oldCodeTable = settings.directAccess(kwIrCode);
  Access::slot(settings, kwProjDriverName) = slotWith("Acme.prjdrv");
  Access::slot(settings, kwRoomSelection) = slotWith("HDMI");
  Access::logParse(settings, plError, "bad");
  Access::logParse(settings, plWarning, "odd");
  settings.isDirty(true);
  Access::roomFileName(settings, "Room 101.room");
  Access::loadingDefaults(settings, true);
  Access::translator(settings).hiddenCount = 4;

  settings.Clear();

  EXPECT_TRUE(settings.directAccess(kwProjDriverName).isNothing());
  EXPECT_TRUE(settings.directAccess(kwRoomSelection).isNothing());
  Variant codeTable = settings.directAccess(kwIrCode);
  ASSERT_TRUE(codeTable.isObject());
  EXPECT_NE(codeTable, oldCodeTable);
  EXPECT_EQ(codeTable, settings.directAccess(kwRsCode));
  EXPECT_EQ(settings.parseErrors(), 0);
  EXPECT_EQ(settings.parseWarnings(), 0);
  EXPECT_EQ(listingText(), "\r\n");

  EXPECT_TRUE(settings.isDirty());
  EXPECT_EQ(settings.roomFileName(), "Room 101.room");
  EXPECT_TRUE(settings.loadingDefaults());
  EXPECT_EQ(Access::translator(settings).hiddenCount, 4);
}

TEST(PanelSettings, CopyPersistentValsTakesOverExactlyThePersistentRoomSlots) {
  const std::set<int16_t> persistent = {49, 50, 56, 57, 58, 59, 60, 61, 62, 63, 64,
                                        65, 66, 67, 68, 69, 71, 72, 73};
  PanelSettingsV2 oldObj;
  for (int16_t row = 1; row <= kKeywordCount; ++row)
    if (row != kwIrCode && row != kwRsCode) Access::slot(oldObj, row) = slotWith(row);

  PanelSettingsV2 newObj;
  KeyValuePtr ownSelection = slotWith("from the new driver");
  Access::slot(newObj, kwRoomSelection) = ownSelection;
  newObj.copyPersistentVals(oldObj);

  for (int16_t row = 1; row <= kKeywordCount; ++row) {
    if (row == kwIrCode || row == kwRsCode) continue;
    if (persistent.count(row)) {
      EXPECT_EQ(newObj.directAccess(row), oldObj.directAccess(row)) << "row " << row;
    } else if (row == kwRoomSelection) {
      EXPECT_EQ(newObj.directAccess(row).objectRef(), ownSelection) << "row " << row;
    } else {
      EXPECT_TRUE(newObj.directAccess(row).isNothing()) << "row " << row;
    }
  }
  EXPECT_NE(newObj.directAccess(kwIrCode), oldObj.directAccess(kwIrCode));
  EXPECT_EQ(newObj.directAccess(kwIrCode), newObj.directAccess(kwRsCode));
}

TEST(PanelSettings, TakenOverSlotsAreSharedAndEmptyOnesAreSkipped) {
  PanelSettingsV2 oldObj;
  Access::slot(oldObj, kwRoomAlternateCtsUse) = slotWith("AuxAudio");
  PanelSettingsV2 newObj;
  KeyValuePtr parsedRelay = slotWith("Maintained");
  Access::slot(newObj, kwRoomRelay) = parsedRelay;  // empty in oldObj: stays as parsed

  newObj.copyPersistentVals(oldObj);

  EXPECT_EQ(newObj.directAccess(kwRoomRelay).objectRef(), parsedRelay);
  oldObj.directAccess(kwRoomAlternateCtsUse).object<KeyValueClass>()->AddPair("k", "Keylock");
  auto seen = newObj.directAccess(kwRoomAlternateCtsUse).object<KeyValueClass>();
  ASSERT_TRUE(seen);
  EXPECT_EQ(seen->count(), 2);
  EXPECT_EQ(seen->GetValue("k"), Variant("Keylock"));
}

TEST(PanelSettings, ParseLogWritesOneLinePerKindAndCounts) {
  struct Case {
    int16_t kind;
    const char* line;
    int16_t errors, warnings;
  } cases[] = {
      {plWarning, "    (W) text\r\n", 0, 1},  {plError, "    (E) text\r\n", 1, 0},
      {plProblem, "    (P) text\r\n", 1, 0},  {plInfo, "    (I) text\r\n", 0, 0},
      {plIndent, "        text\r\n", 0, 0},  {plTranslated, "    (T) text\r\n", 0, 0},
      {plRaw, "text\r\n", 0, 0},             {0, "\r\n", 0, 0},
      {9, "\r\n", 0, 0},                     {-1, "\r\n", 0, 0},
  };
  for (const Case& c : cases) {
    PanelSettingsV2 settings;
    ParseFileListing::instance().txtParseFileListing("before\r\n");
    Access::logParse(settings, ParseLogKind(c.kind), "text");
    EXPECT_EQ(listingText(), std::string("before\r\n") + c.line) << "kind " << c.kind;
    EXPECT_EQ(settings.parseErrors(), c.errors) << "kind " << c.kind;
    EXPECT_EQ(settings.parseWarnings(), c.warnings) << "kind " << c.kind;
  }

  PanelSettingsV2 settings;
  ParseFileListing::instance().txtParseFileListing("before\r\n");
  Access::logParse(settings, plClear, "ignored");
  EXPECT_EQ(listingText(), "\r\n");
}

TEST(PanelSettings, ParseCountersStopAtTheirLargestValue) {
  PanelSettingsV2 settings;
  for (int i = 0; i < 32770; ++i) {
    Access::logParse(settings, plProblem, "p");
    Access::logParse(settings, plWarning, "w");
  }
  EXPECT_EQ(settings.parseErrors(), 32767);
  EXPECT_EQ(settings.parseWarnings(), 32767);
  settings.Clear();
  EXPECT_EQ(settings.parseErrors(), 0);
  EXPECT_EQ(settings.parseWarnings(), 0);
}

}  // namespace
