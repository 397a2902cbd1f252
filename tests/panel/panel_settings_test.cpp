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

// Slots 12 and 13 are one empty code table; every other slot is empty.
void expectOnlyASharedCodeTable(PanelSettingsV2& settings) {
  Variant irCodes = settings.directAccess(kwIrCode);
  ASSERT_TRUE(irCodes.isObject());
  EXPECT_EQ(irCodes, settings.directAccess(kwRsCode));
  EXPECT_EQ(irCodes.object<KeyValueClass>()->count(), 0);
  for (int16_t row = 1; row <= kKeywordCount; ++row)
    EXPECT_TRUE(row == kwIrCode || row == kwRsCode || settings.directAccess(row).isNothing()) << row;
}

TEST(PanelSettings, NewObjectHoldsOnlyTheSharedCodeTableAndRowsOutsideRaiseSubscriptErrors) {
  ParseFileListing::instance().txtParseFileListing("old listing\r\n");
  PanelSettingsV2 settings;
  EXPECT_EQ(listingText(), "\r\n");
  expectOnlyASharedCodeTable(settings);
  auto errorNumber = [](auto access) {
    try {
      access();
    } catch (const VbError& e) {
      return int(e.number());
    }
    return 0;
  };
  for (int16_t index : {int16_t(0), int16_t(kKeywordCount + 1)}) {
    EXPECT_EQ(errorNumber([&] { (void)settings.directAccess(index); }), 9) << index;
    EXPECT_EQ(errorNumber([&] { (void)settings.keywordTable(index); }), 9) << index;
  }
}

TEST(PanelSettings, DriverNamesFromTheirSlots) {
  struct { const char *name, *revision, *fileName, *assembled; } cases[] = {
      {"Acme PX-100", "Rev A", "Acme PX-100 (Rev A).prjdrv", "Acme PX-100 (Rev A)"},
      {nullptr, "Rev B", nullptr, " (Rev B)"},
      {"Borel IR-5", nullptr, "", "Borel IR-5 ()"},
  };
  for (const auto& c : cases) {
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
  Access::logParse(settings, plError, "bad");
  Access::logParse(settings, plWarning, "odd");
  settings.isDirty(true);
  Access::roomFileName(settings, "Room 101.room");
  Access::loadingDefaults(settings, true);
  Access::translator(settings).hiddenCount = 4;

  settings.Clear();

  expectOnlyASharedCodeTable(settings);
  EXPECT_NE(settings.directAccess(kwIrCode), oldCodeTable);
  EXPECT_EQ(settings.parseErrors() + settings.parseWarnings(), 0);
  EXPECT_EQ(listingText(), "\r\n");
  EXPECT_TRUE(settings.isDirty());
  EXPECT_EQ(settings.roomFileName(), "Room 101.room");
  EXPECT_TRUE(settings.loadingDefaults());
  EXPECT_EQ(Access::translator(settings).hiddenCount, 4);
}

TEST(PanelSettings, CopyPersistentValsSharesExactlyThePersistentRoomSlotsThatAreSet) {
  const std::set<int16_t> persistent = {49, 50, 56, 57, 58, 59, 60, 61, 62, 63, 64,
                                        65, 66, 67, 68, 69, 71, 72, 73};
  PanelSettingsV2 oldObj, newObj;
  for (int16_t row = 1; row <= kKeywordCount; ++row)
    if (row != kwIrCode && row != kwRsCode && row != kwRoomRelay) Access::slot(oldObj, row) = slotWith(row);
  KeyValuePtr ownSelection = slotWith("from the new driver"), parsedRelay = slotWith("Maintained");
  Access::slot(newObj, kwRoomSelection) = ownSelection;
  Access::slot(newObj, kwRoomRelay) = parsedRelay;  // empty in oldObj: stays as parsed

  newObj.copyPersistentVals(oldObj);

  for (int16_t row = 1; row <= kKeywordCount; ++row) {
    if (row == kwIrCode || row == kwRsCode) continue;
    KeyValuePtr expected = row == kwRoomRelay ? parsedRelay : row == kwRoomSelection ? ownSelection
                           : persistent.count(row) ? Access::slot(oldObj, row) : nullptr;
    EXPECT_EQ(newObj.directAccess(row).objectRef(), expected) << "row " << row;
  }
  EXPECT_NE(newObj.directAccess(kwIrCode), oldObj.directAccess(kwIrCode));
  EXPECT_EQ(newObj.directAccess(kwIrCode), newObj.directAccess(kwRsCode));
  // Shared, not copied: a pair added through the old object shows in the new one.
  Access::slot(oldObj, kwRoomAlternateCtsUse)->AddPair("k", "Keylock");
  EXPECT_EQ(Access::slot(newObj, kwRoomAlternateCtsUse)->GetValue("k"), Variant("Keylock"));
}

TEST(PanelSettings, ParseLogWritesOneLinePerKindAndCounts) {
  struct { int16_t kind; const char* line; int16_t errors, warnings; } cases[] = {
      {plWarning, "    (W) text\r\n", 0, 1},  {plError, "    (E) text\r\n", 1, 0},
      {plProblem, "    (P) text\r\n", 1, 0},  {plInfo, "    (I) text\r\n", 0, 0},
      {plIndent, "        text\r\n", 0, 0},  {plTranslated, "    (T) text\r\n", 0, 0},
      {plRaw, "text\r\n", 0, 0},             {0, "\r\n", 0, 0},
      {9, "\r\n", 0, 0},
  };
  for (const auto& c : cases) {
    PanelSettingsV2 settings;
    ParseFileListing::instance().txtParseFileListing("before\r\n");
    Access::logParse(settings, ParseLogKind(c.kind), "text");
    EXPECT_EQ(listingText(), std::string("before\r\n") + c.line) << "kind " << c.kind;
    EXPECT_EQ(settings.parseErrors(), c.errors) << "kind " << c.kind;
    EXPECT_EQ(settings.parseWarnings(), c.warnings) << "kind " << c.kind;
  }
  PanelSettingsV2 settings;
  Access::logParse(settings, plClear, "ignored");
  EXPECT_EQ(listingText(), "\r\n");
  // The counters stop at their largest value instead of wrapping.
  for (int i = 0; i < 32770; ++i) {
    Access::logParse(settings, plProblem, "p");
    Access::logParse(settings, plWarning, "w");
  }
  EXPECT_EQ(settings.parseErrors(), 32767);
  EXPECT_EQ(settings.parseWarnings(), 32767);
}

}  // namespace
