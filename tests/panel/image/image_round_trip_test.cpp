// Rooms built into a panel's image and read back from it: the room the panel gives holds the
// room's own lines, and it builds the same image again (all but the build's time stamp).
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "common/file_type_table.h"
#include "common/memory_image.h"
#include "common/startup_globals.h"
#include "common/text_helpers.h"
#include "panel/language/driver_file_text.h"
#include "panel/load_error.h"
#include "panel/panel_settings.h"
#include "tests/fakes/fake_block_source.h"
#include "tests/fakes/temp_xdg_home.h"
#include "tests/panel/panel_settings_access.h"
#include "wizard/mem_debug_form.h"
#include "wizard/parse_file_listing.h"
#include "wizard/program_startup.h"

namespace {

const std::vector<std::string> kSelectionKeys = {"1", "2", "3", "4"};
const std::vector<std::string> kHiddenKeys = {"OFF", "VUP", "VDN", "1", "2", "3", "4", "5", "6", "7", "8"};
constexpr size_t kHiddenKeysHeld = 7;  // the panel holds OFF to 4

// The text with the line that starts with `start` replaced by `line`, or `line` added.
std::string withLine(const std::string& text, const std::string& start, const std::string& line) {
  const size_t at = text.find("\r\n" + start);
  if (at == std::string::npos) return text + line + "\r\n";
  const size_t end = text.find("\r\n", at + 2);
  return text.substr(0, at + 2) + line + text.substr(end);
}

// The lines of a room text for the keys the panel holds; a key without a line reads as ''.
std::string heldKeyLines(const std::string& text) {
  std::string lines;
  auto add = [&](const std::string& start) {
    const size_t at = text.find("\r\n" + start);
    lines += at == std::string::npos ? start + "''" : text.substr(at + 2, text.find("\r\n", at + 2) - at - 2);
    lines += "\n";
  };
  for (const std::string& key : kSelectionKeys) add("ROOM-SELECTION[" + key + "]=");
  for (size_t k = 0; k < kHiddenKeysHeld; ++k) add("ROOM-HID-FUNCT[" + kHiddenKeys[k] + "]=");
  return lines;
}

class ImageRoundTrip : public ::testing::Test {
 protected:
  void SetUp() override { programStartup(std::string(ORVELLA_SOURCE_DIR) + "/examples/library"); }
  void TearDown() override { VXCommon::resetStartupGlobals(); }

  static std::string folder(int16_t fileType) { return VXCommon::gFileTypes->localDir(fileType); }

  // The settings of a room text, read and checked; null when the check does not give 0.
  std::unique_ptr<PanelSettingsV2> room(const std::string& text) {
    home.writeFile("room.room", text);
    ParseFileListing::instance().txtParseFileListing("");
    auto settings = std::make_unique<PanelSettingsV2>();
    int16_t result = -1;
    if (settings->ReadAndParseRoomFile(home.root() + "/room.room")) settings->IsDriverValid(result);
    return result == loadOk ? std::move(settings) : nullptr;
  }

  // The image built in rule set `version`, its time stamp blanked; empty when none is built.
  static std::string built(PanelSettingsV2& settings, int16_t version) {
    MemDebugForm::instance().reset();
    std::shared_ptr<memBlockCls> image = settings.makeMemoryMap(version, 1, 0);
    return image ? image->memImage().replace(0x0120, 32, std::string(32, '\0')) : std::string();
  }

  // The settings read back from a panel holding the image; null when the result is not 0.
  std::unique_ptr<PanelSettingsV2> decoded(const std::string& image) {
    for (int32_t block = 0; block < 128; ++block) source.setBlock(block, image.substr(size_t(block) * 64, 64));
    MemDebugForm::instance().reset();
    auto settings = std::make_unique<PanelSettingsV2>();
    int16_t version = 0;
    return settings->decodeMemoryMap(version) == loadOk ? std::move(settings) : nullptr;
  }

  TempXdgHome home;
  FakeBlockSource source;
  ScopedBlockSource installed{source};
};

// Every code of a driver as each key, key k of room r taking code r + k: the room's check
// flags the codes that the driver does not flag for their roles, which moves the positions of
// the codes after them in the panel's lists.
TEST_F(ImageRoundTrip, EveryCodeAsEachKeyComesBackAsChosen) {
  std::vector<std::string> drivers;
  for (const auto& entry : std::filesystem::directory_iterator(folder(ftDrivers)))
    if (entry.path().extension() == ".prjdrv") drivers.push_back(entry.path().filename().string());
  std::sort(drivers.begin(), drivers.end());
  ASSERT_GE(drivers.size(), 4u);
  for (const std::string& name : drivers) {
    PanelSettingsV2 driver;
    int16_t result = -1;
    driver.ReadAndParseProjFile(folder(ftDrivers) + name);
    driver.IsDriverValid(result);
    ASSERT_EQ(result, loadOk) << name;
    const int16_t codes = driver.codeTableCount();
    for (int16_t r = 0; r < codes; ++r) {
      std::string text = driver.encodeRoomFile();
      int16_t k = 0;
      for (const auto* keys : {&kSelectionKeys, &kHiddenKeys})
        for (const std::string& key : *keys) {
          const std::string start = (keys == &kSelectionKeys ? "ROOM-SELECTION[" : "ROOM-HID-FUNCT[") + key + "]=";
          text = withLine(text, start, start + "'" + driver.codeTableName(int16_t((r + k++) % codes + 1)) + "'");
        }
      std::unique_ptr<PanelSettingsV2> chosen = room(text);
      ASSERT_TRUE(chosen) << name << " room " << r;
      const std::string roomLines = heldKeyLines(chosen->encodeRoomFile());
      for (int16_t version = 1; version <= 3; ++version) {
        const std::string where = name + " format " + std::to_string(version + 6) + ":\n" + roomLines;
        const std::string image = built(*chosen, version);
        ASSERT_FALSE(image.empty()) << where;
        std::unique_ptr<PanelSettingsV2> panel = decoded(image);
        ASSERT_TRUE(panel) << where;
        const std::string decodedRoom = panel->encodeRoomFile();
        EXPECT_EQ(heldKeyLines(decodedRoom), roomLines) << where;
        std::unique_ptr<PanelSettingsV2> again = room(decodedRoom);
        ASSERT_TRUE(again) << where;
        EXPECT_TRUE(built(*again, version) == image) << where;
      }
    }
  }
}

// A legend name and font holding any byte: what the room file can carry comes back as its
// line; what it cannot is either given in the room's own form or not given at all.
TEST_F(ImageRoundTrip, LegendOfEveryByteComesBackAsBuilt) {
  std::string base;
  ASSERT_TRUE(DriverFileText::readFileBytes(folder(ftSavedRooms) + "Room 101.room", base));
  auto legendRoom = [&base](const std::string& text) {
    return withLine(withLine(base, "ROOM-LEGEND-NAME[1]=", "ROOM-LEGEND-NAME[1]=\"" + text + "\""),
                    "ROOM-LEGEND-FONT[1]=", "ROOM-LEGEND-FONT[1]=\"" + text + "\"");
  };
  // The panel of each byte: the image of "PXC" with the X of every copy replaced.
  std::unique_ptr<PanelSettingsV2> placeholder = room(legendRoom("PXC"));
  ASSERT_TRUE(placeholder);
  const std::string placeholderImage = built(*placeholder, 3);
  ASSERT_FALSE(placeholderImage.empty());
  std::vector<size_t> copies;
  for (size_t at = placeholderImage.find("PXC"); at != std::string::npos; at = placeholderImage.find("PXC", at + 1))
    copies.push_back(at + 1);
  ASSERT_EQ(copies.size(), 3u);  // the short name, the name table and the font table

  for (int b = 0; b <= 0xFF; ++b) {
    const std::string text = std::string("P") + char(b) + "C";
    std::string image = placeholderImage;
    for (size_t at : copies) image[at] = char(b);
    std::unique_ptr<PanelSettingsV2> panel = decoded(image);
    ASSERT_TRUE(panel) << b;
    const std::string decodedRoom = panel->encodeRoomFile();
    if (std::unique_ptr<PanelSettingsV2> chosen = room(legendRoom(text))) {
      ASSERT_TRUE(built(*chosen, 3) == image) << b;
      EXPECT_NE(decodedRoom.find("\r\nROOM-LEGEND-NAME[1]=\"" + text + "\"\r\n"), std::string::npos) << b;
      EXPECT_NE(decodedRoom.find("\r\nROOM-LEGEND-FONT[1]=\"" + text + "\"\r\n"), std::string::npos) << b;
      std::unique_ptr<PanelSettingsV2> again = room(decodedRoom);
      ASSERT_TRUE(again) << b;
      EXPECT_TRUE(built(*again, 3) == image) << b;
    } else {
      const KeyValuePtr& names = PanelSettingsTestAccess::slot(*panel, kwRoomLegendName);
      const KeyValuePtr& fonts = PanelSettingsTestAccess::slot(*panel, kwRoomLegendFont);
      const std::string name = names ? names->GetValue(Variant("1")).toText() : "";
      EXPECT_TRUE(name.empty() || name == VXCommon::crLfToPipe(text)) << b;
      EXPECT_TRUE(!fonts || fonts->GetValue(Variant("1")).toText().empty()) << b;
    }
  }
}

}  // namespace
