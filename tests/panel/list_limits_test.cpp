// Lists at their largest, 32,767 entries: every reader, checker, writer and image builder that
// walks a full list comes to its end, what would add one entry more is refused aloud, and a
// record or a code table too large for the panel stops at its error. The big inputs are made
// here; each case ends well under a second.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "common/memory_image.h"
#include "tests/panel/driver_text_support.h"
#include "wizard/mem_debug_form.h"

namespace {

using Access = PanelSettingsTestAccess;
using Lines = std::vector<std::string>;
constexpr int32_t kFull = KeyValueClass::kMaxPairs;

std::string repeated(const std::string& piece, int32_t times) {
  std::string text;
  for (int32_t n = 0; n < times; ++n) text += piece;
  return text;
}

// The error lines of the parse listing, without their indent.
Lines parseErrors() {
  Lines errors;
  for (const std::string& line : driver_test::messageLines())
    if (line.rfind("    (E) ", 0) == 0) errors.push_back(line.substr(4));
  return errors;
}

// The parse errors of a ".prj" driver of the one line.
Lines prjErrors(const std::string& line) {
  TempXdgHome folder;
  folder.writeFile("driver.prj", line + "\r\n");
  ParseFileListing::instance().txtParseFileListing("");
  PanelSettingsV2 settings;
  Access::readPrjFile(settings, folder.root() + "/driver.prj");
  return parseErrors();
}

// The sample IR driver, checked, with the slot of `row` filled to a full list by `entry(n)`.
std::unique_ptr<PanelSettingsV2> fullDriver(int16_t row,
                                            const std::function<Variant(int32_t)>& entry) {
  auto settings = std::make_unique<PanelSettingsV2>();
  settings->ReadAndParseProjFile(std::string(ORVELLA_SOURCE_DIR) +
                                 "/examples/library/orvella/drivers/Borel IR-5 (Rev A).prjdrv");
  int16_t result = -1;
  settings->IsDriverValid(result);
  KeyValuePtr& slot = Access::slot(*settings, row);
  for (int32_t n = slot->count() + 1; n <= kFull; ++n)
    slot->AddPair(Variant(std::to_string(n)), entry(n));
  return settings;
}

// One code entry for every added code: nothing changes the entries of these codes.
Variant irCode(int32_t) {
  static const Variant code = [] {
    auto entry = std::make_shared<KeyValueClass>();
    entry->AddPair(Variant("IRCODE"), Variant(CodeStrings::compileCodeString(
                                          "%1", mediumIR, nullptr, [](ParseLogKind, const std::string&) {})));
    return Variant(entry);
  }();
  return code;
}

// The sample driver with a full code table, made once for the cases that only read it.
PanelSettingsV2& fullCodeTable() {
  static const std::unique_ptr<PanelSettingsV2> settings = fullDriver(kwIrCode, irCode);
  return *settings;
}

Variant note(int32_t) { return Variant("n"); }

Variant input(int32_t) {
  static const Variant values = [] {
    auto list = std::make_shared<KeyValueClass>();
    for (const char* key : {"1", "2", "3"}) list->AddPair(Variant(key), Variant("0"));
    return Variant(list);
  }();
  return values;
}

// How many lines of the driver's room file start with the text.
Lines roomLinesStarting(PanelSettingsV2& settings, const std::string& start) {
  const std::string room = settings.encodeRoomFile();
  int32_t count = 0;
  for (size_t at = 0; (at = room.find("\r\n" + start, at)) != std::string::npos; at += 2) ++count;
  return {start + " x" + std::to_string(count)};
}

Lines checkResult(PanelSettingsV2& settings) {
  int16_t result = -1;
  settings.IsDriverValid(result);
  return {"result " + std::to_string(result)};
}

// The error lines of a format 9 build, which gives no image.
Lines buildErrors(PanelSettingsV2& settings) {
  MemDebugForm::instance().reset();
  int16_t version = 3;
  Lines errors;
  if (settings.makeMemoryMap(version, 1, 2)) errors.push_back("an image");
  for (const std::string& line : listing_lines::starting(MemDebugForm::instance().txtMemDumpListing(), "[E]"))
    errors.push_back(line);
  return errors;
}

TEST(ListLimits, FullListsEndTheirWalksAndRefuseOneEntryMore) {
  struct Case {
    const char* what;
    std::function<Lines()> run;
    Lines expected;
  };
  const std::string fields = repeated("|x", kFull - 1);  // with a first field: a full list
  const std::vector<Case> cases = {
      {"record of 32,767 empty fields", [] { return prjErrors(repeated("|", kFull)); },
       {"(E) Unrecognized key ''"}},
      {"record of 32,767 fields", [&] { return prjErrors("PROJ-NAME" + fields); }, {}},
      {"record of 32,768 fields", [&] { return prjErrors("PROJ-NAME" + fields + "|x"); },
       {"(E) Record 'PROJ-NAME': more than 32767 fields"}},
      {"record of far too many fields", [&] { return prjErrors("CODE" + fields + fields + "|"); },
       {"(E) Record 'CODE': more than 32767 fields"}},
      {"check of a full code table", [] { return checkResult(fullCodeTable()); }, {"result 0"}},
      {"code 32,768", [] {
         driver_test::lexText(fullCodeTable(), "IRCODE['MORE']=\"%1\"\r\n");
         Lines errors = parseErrors();
         errors.push_back("found " + std::to_string(fullCodeTable().codeTableIdx("MORE")));
         return errors;
       }, {"(E) Too many entries for IRCODE", "found 0"}},
      {"room of a full code table", [] { return roomLinesStarting(fullCodeTable(), "IRCODE['"); },
       {"IRCODE[' x32767"}},
      {"build of a full code table", [] { return buildErrors(fullCodeTable()); },
       {"[E]NAME TABLE has more than 255 names=256"}},
      {"room of a full installation notes list",
       [] { return roomLinesStarting(*fullDriver(kwDocInstallationNote, note), "DOC-INSTALLATION-NOTE["); },
       {"DOC-INSTALLATION-NOTE[ x32767"}},
      // The field holds five inputs; the rest are not written past it (build names them).
      {"build of a full list of pre-amplifier inputs",
       [] { return buildErrors(*fullDriver(kwRoomAfvpGbt, input)); }, {"an image"}},
  };
  for (const Case& c : cases) EXPECT_EQ(c.expected, c.run()) << c.what;
}

}  // namespace
