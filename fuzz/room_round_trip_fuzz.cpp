// Reads arbitrary bytes as a projector driver, under a ".prjdrv" name (the keyword language)
// and under a ".prj" name (the older records), with a panel new enough for any driver. Whatever
// reads and checks with result 0 is written as a room file, and that room must read back and
// check with result 0 to the same settings: every slot with the same values in the same order,
// times exactly, and, written again, the same room text.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "common/device_globals.h"
#include "fuzz/scratch_folder.h"
#include "panel/panel_settings.h"

namespace {

constexpr const char* kRoomName = "Fuzz Room.room";

bool isMarker(int16_t type) {
  return (type >= lexVarBin && type <= lexQStop) || type == lexVarHex || type == lexVarAsc0;
}

// A value as the room keeps it: times exactly, markers by their type alone (the room spells
// them one way), lists with their keys unless `withKeys` is off.
std::string describe(const Variant& value, bool withKeys = true) {
  if (auto lexes = value.object<TypeValueList>()) {
    std::string text = "<";
    for (const TypeValuePtr& lex : *lexes) {
      if (!lex) {
        text += " null";
        continue;
      }
      text += " " + std::to_string(lex->theType) + "(";
      if (lex->theValue.isDecimal()) text += lex->theValue.toDecimal().toString();
      else if (!isMarker(lex->theType)) text += lex->theValue.toText();
      text += ")";
    }
    return text + ">";
  }
  if (auto list = value.object<KeyValueClass>()) {
    std::string text = "{";
    for (int32_t i = 1; i <= list->count(); ++i)
      text += " " + (withKeys ? list->ItemKey(i).toText() + "=" : "") +
              describe(list->ItemVal(i));
    return text + "}";
  }
  if (value.isNothing()) return "null";
  if (value.isDecimal()) return value.toDecimal().toString();
  return value.toText();
}

// Every slot but PROJ-FILE-FMT (a room is always format 2). A keyword without subscript is
// compared by its values: a driver's checker keys a default "1" where a room's statement keys
// it "".
std::string settingsOf(const PanelSettingsV2& settings) {
  std::string text;
  for (int16_t row = 2; row <= kKeywordCount; ++row)
    text += std::to_string(row) + ": " +
            describe(settings.directAccess(row), settings.keywordTable(row).subscriptKind != subNone) + "\n";
  return text;
}

void fail(const char* what, const std::string& room, const std::string& first, const std::string& second) {
  std::fprintf(stderr, "room round trip: %s\n--- room ---\n%s\n--- before ---\n%s--- after ---\n%s", what,
               room.c_str(), first.c_str(), second.c_str());
  std::abort();
}

void roundTrip(const ScratchFolder& folder, const std::string& driverFile) {
  PanelSettingsV2 driver;
  driver.ReadAndParseProjFile(driverFile);
  int16_t result = -1;
  driver.IsDriverValid(result);
  if (result != 0) return;

  const std::string room = driver.encodeRoomFile();
  PanelSettingsV2 again;
  if (!again.ReadAndParseRoomFile(folder.write(kRoomName, room))) std::abort();
  again.IsDriverValid(result);
  const std::string before = settingsOf(driver), after = settingsOf(again);
  if (result != 0) fail("the room does not check", room, before, after);
  if (before != after) fail("the room reads back to other settings", room, before, after);
  if (again.encodeRoomFile() != room) fail("the room writes back otherwise", room, before, after);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const ScratchFolder folder("room_round_trip_fuzz");
  VXCommon::gPanelFwMajor = INT16_MAX;  // no firmware requirement stands in the way
  VXCommon::gPanelFwMinor = INT16_MAX;
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  roundTrip(folder, folder.write(ScratchFolder::kKeywordDriver, bytes));
  roundTrip(folder, folder.write(ScratchFolder::kRecordDriver, bytes));
  return 0;
}
