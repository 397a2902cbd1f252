#include "cli/kept_settings_report.h"

#include <algorithm>
#include <memory>
#include <optional>
#include <vector>

#include "common/ascii_text.h"
#include "common/block_source.h"
#include "comm/image_file_source.h"
#include "panel/image/library_driver.h"
#include "panel/image/room_setting_fields.h"
#include "panel/model/room_slot_values.h"
#include "panel/panel_settings.h"
#include "panel/room/room_file_text.h"
#include "cli/error_echo.h"
#include "cli/failure_report.h"
#include "cli/listing_text.h"
#include "cli/room_file_refusal.h"
#include "cli/settings_file_reader.h"
#include "cli/written_statements.h"
#include "wizard/mem_debug_form.h"
#include "wizard/parse_file_listing.h"

namespace cli {
namespace {

constexpr const char* kRoomPrefix = "ROOM-";
constexpr const char* kPassiveMode = "PASSIVE-MODE";
constexpr int kFirstFormat = 7;

// The room's own settings, as the room properties take them: every ROOM- keyword and the
// passive-mode switch. All else a room file holds is its driver's.
bool isRoomKeyword(const std::string& keyword) {
  return keyword.rfind(kRoomPrefix, 0) == 0 || keyword == kPassiveMode;
}

// A room setting an image may keep: the notes are the room's but no image holds them, so they
// are never named.
bool isRoomSetting(int16_t row, const keywordDef& def) { return row != kwRoomUsrNote && isRoomKeyword(def.keyword); }

// The command's listings are what it printed or will print; reading the room again in memory
// adds nothing to them.
class ListingsKept {
 public:
  ListingsKept()
      : memory_(MemDebugForm::instance().txtMemDumpListing()),
        parse_(ParseFileListing::instance().txtParseFileListing()) {}
  ~ListingsKept() {
    MemDebugForm::instance().txtMemDumpListing(memory_);
    ParseFileListing::instance().txtParseFileListing(parse_);
  }
  ListingsKept(const ListingsKept&) = delete;
  ListingsKept& operator=(const ListingsKept&) = delete;

 private:
  std::string memory_, parse_;
};

// The lines of a room file's text (as the room writer writes it) that do (or do not) set a
// setting of the room.
std::string linesOf(const std::string& room, bool roomSettings) {
  std::string text;
  forEachLine(room, [&](const std::string& line, size_t) {
    if (isRoomKeyword(line.substr(0, line.find_first_of("[="))) == roomSettings) text += line + kListingLineEnd;
  });
  return text;
}

// The driver as decode would read it for the panel: the room's own driver, with the room
// settings that the driver decode re-reads gives before the panel's values. That is a driver
// file's own, and for a room file those of the library's driver of its name (none when the
// library has no such driver); the checker's defaults complete them as they do in decode.
std::string driverText(const SettingsFile& given, const PanelSettingsV2& checked) {
  std::string text = linesOf(checked.encodeRoomFile(), false);
  if (!given.room) return text + linesOf(given.settings->encodeRoomFile(), true);
  if (const std::optional<std::string> path = libraryDriverOfRoom(checked)) {
    PanelSettingsV2 library;
    if (library.ReadAndParseProjFile(*path)) text += linesOf(library.encodeRoomFile(), true);
  }
  return text;
}

std::string valueOf(const std::string& statement) {
  const size_t equals = statement.find('=');
  return equals == std::string::npos ? std::string() : statement.substr(equals + 1);
}

KeyValuePtr slotOf(const PanelSettingsV2& settings, int16_t row) {
  return settings.directAccess(row).object<KeyValueClass>();
}

bool hasSetting(const PanelSettingsV2& settings, int16_t row, const Variant& subscript) {
  const KeyValuePtr slot = slotOf(settings, row);
  return slot && (subscript.isEmpty() || slot->GetIndex(subscript) != 0);
}

// True for a time that comes back as the given one rounded to its field's tick.
bool sameTime(const PanelSettingsV2& given, const PanelSettingsV2& decoded, int16_t row,
               const MemRuleSet& rules) {
  const keywordDef& def = given.keywordTable(row);
  if (def.valueType == valTime) {
    const std::optional<Decimal> tick = RoomSettingFields::tickOf(rules, row);
    const std::optional<Decimal> was = RoomSlotValues::asDecimal(slotOf(given, row)->ItemVal(1));
    const std::optional<Decimal> is = RoomSlotValues::asDecimal(slotOf(decoded, row)->ItemVal(1));
    if (tick && was && is) return (*was / *tick).roundHalfEven() * *tick == *is;
  }
  return false;
}

// The subscripts a panel of any format has for `row`, in order.
std::vector<std::string> subscriptsAnyPanelHas(const PanelSettingsV2& settings, int16_t row) {
  std::vector<std::string> all;
  for (int16_t set = 1; set <= PanelSettingsV2::kRuleSetCount; ++set)
    for (const std::string& key : RoomSettingFields::subscriptsHeld(settings.memRules(set), row))
      if (std::find(all.begin(), all.end(), key) == all.end()) all.push_back(key);
  return all;
}

// "ROOM-HID-FUNCT[OFF], [VUP], [VDN], [1] to [4]".
std::string subscriptsText(const std::string& keyword, const std::vector<std::string>& keys) {
  std::string text = keyword;
  for (size_t i = 0; i < keys.size(); ++i) {
    size_t last = i;
    // A panel's subscripts are numbered as indexKey writes them; numberOfKey gives 0 for a word.
    auto number = [&keys](size_t at) { return RoomSlotValues::numberOfKey(Variant(keys[at])); };
    while (last + 1 < keys.size() && number(i) != 0 && number(last + 1) == number(last) + 1) ++last;
    text += (i > 0 ? ", [" : "[") + keys[i] + "]";
    if (last > i) text += " to [" + keys[last] + "]";
    i = last;
  }
  return text;
}

}  // namespace

std::optional<std::string> libraryDriverOfRoom(const PanelSettingsV2& room) {
  const std::optional<std::string> name = LibraryDriver::fileNameFor(room.fullDriverName());
  return name ? std::optional(LibraryDriver::folder() + *name) : std::nullopt;
}

void reportSettingsNotKept(const std::string& file, const PanelSettingsV2& checked, int16_t ruleSet,
                           const std::string& image) {
  // What decode of the image cannot do: write its room, or find its driver.
  const std::optional<std::string> refusal = roomFileOf(checked, isRoomFileName(file) ? "" : file).refusal;
  if (refusal) sayLine(file + ": warning: " + *refusal + "; decode of the image writes no room");
  if (!libraryDriverOfRoom(checked))
    sayLine(file + ": warning: the image names the driver '" + checked.fullDriverName() +
            "', which the drivers folder " + LibraryDriver::folder() +
            " does not hold: decode reads the image back only once the driver is there");

  std::vector<std::string> warnings;
  {
    ListingsKept listings;
    // The settings as the file sets them, before the checker completed them.
    const SettingsFile given = readSettingsFile(file);
    if (!given.settings) return;  // it was read a moment ago; readSettingsFile has said why not now
    ImageFileBlockSource blocks(image);
    BlockSourceOverride source(blocks);
    auto decoded = std::make_shared<PanelSettingsV2>();
    const std::string driver = driverText(given, checked);
    int16_t version = 0;
    const int16_t result = decoded->decodeMemoryMap(version, &driver);
    if (result != 0 || version != ruleSet) {
      // A text no room file holds is why the driver does not read here; it is said already.
      if (refusal) return;
      fail(0, "cannot tell which settings of '" + file + "' its image keeps: the image does not decode (load error " +
                  std::to_string(result) + ")");
      return;
    }
    const std::string format = " in memory format " + std::to_string(ruleSet + kFirstFormat - 1);
    const MemRuleSet& rules = checked.memRules(ruleSet);
    const WrittenStatements written(file);
    for (int16_t row = 1; row <= kKeywordCount; ++row) {
      const keywordDef& def = checked.keywordTable(row);
      const KeyValuePtr slot = slotOf(*given.settings, row);
      if (!slot || !isRoomSetting(row, def)) continue;
      for (int32_t i = 1; i <= (def.subscriptKind == subNone ? 1 : slot->count()); ++i) {
        const Variant subscript = def.subscriptKind == subNone ? Variant() : slot->ItemKey(i);
        const std::string was = given.settings->roomStatement(row, subscript);
        const bool decodes = hasSetting(*decoded, row, subscript);
        const std::string is = decodes ? decoded->roomStatement(row, subscript) : std::string();
        // Words compare ignoring letter case, as the reader takes them.
        const bool same = def.valueType == valWord ? VXCommon::equalsIgnoringCase(valueOf(was), valueOf(is))
                                                   : valueOf(was) == valueOf(is);
        // A setting that comes back as given is kept, from its field or by default.
        if (decodes && (same || sameTime(*given.settings, *decoded, row, rules))) continue;
        // A long value is cut as an error line's text is; the file holds it whole.
        const std::string quoted = shownText(written.of(*given.settings, row, subscript), "the file");
        if (decodes && RoomSettingFields::holds(rules, row, subscript))
          warnings.push_back(quoted + " is kept as " + valueOf(is) + format);
        else
          warnings.push_back(quoted + " is not kept" + format);
      }
    }
  }
  for (const std::string& warning : warnings) sayLine(file + ": warning: " + warning);
}

void reportIndexesNoPanelHas(const std::string& file, const PanelSettingsV2& settings) {
  for (int16_t row = 1; row <= kKeywordCount; ++row) {
    const keywordDef& def = settings.keywordTable(row);
    const KeyValuePtr slot = slotOf(settings, row);
    if (!slot || !isRoomSetting(row, def) || def.subscriptKind == subNone) continue;
    const std::vector<std::string> had = subscriptsAnyPanelHas(settings, row);
    for (int32_t i = 1; i <= slot->count(); ++i) {
      // An index written otherwise than a panel's own ("02", "+2", "2.0") is none of them: no
      // image writes it.
      const std::string key = RoomSlotValues::asText(slot->ItemKey(i));
      if (std::find(had.begin(), had.end(), key) != had.end()) continue;
      sayLine(file + ": warning: no panel has " + def.keyword + "[" + RoomFileText::subscript(key, false) +
              "] (a panel has " + subscriptsText(def.keyword, had) + ")");
    }
  }
}

}  // namespace cli
