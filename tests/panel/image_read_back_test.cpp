// Panel images read back: an image built from each sample driver with room choices of its own,
// in each memory format, decodes cleanly to the room choices the format keeps; built again from
// the decoded settings it gives the same bytes, and decoded again the same room.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "common/device_globals.h"
#include "common/memory_image.h"
#include "common/hex_text.h"
#include "common/startup_globals.h"
#include "tests/fakes/fake_block_source.h"
#include "tests/panel/driver_text_support.h"
#include "wizard/mem_debug_form.h"
#include "wizard/program_startup.h"

namespace {

constexpr int32_t kTimeStampStart = 0x0120, kTimeStampLength = 32;

// The room choices that memory format `version` + 6 keeps.
std::string roomChoices(PanelSettingsV2& s, int16_t version) {
  std::string text;
  for (int16_t k = 1; k <= 4; ++k) text += std::to_string(s.codeTableRoomSelectionIdx(k)) + ",";
  for (int16_t k = 1; k <= 7; ++k) text += std::to_string(s.codeTableRoomHidFunctIdx(k)) + ",";
  for (int16_t n = 1; n <= 4; ++n) text += std::to_string(s.roomAFVPGainSetting(n)) + ",";
  if (version >= 2)
    for (int16_t r = 1; r <= 7; ++r) text += s.roomRelayDurationSelected(r) + " " + s.roomRelayEventSelected(r) + ",";
  if (version == 3) text += s.roomLegendName(2) + "," + std::to_string(s.roomCTSAlternateUseSelected());
  return text;
}

std::string decodedFrom(const std::string& image, PanelSettingsV2& settings, int16_t version) {
  FakeBlockSource source;
  ScopedBlockSource installed(source);
  for (int32_t block = 0; block < 128; ++block) source.setBlock(block, image.substr(size_t(block) * 64, 64));
  int16_t found = 0;
  EXPECT_EQ(settings.decodeMemoryMap(found), 0) << MemDebugForm::instance().txtMemDumpListing();
  EXPECT_EQ(found, version);
  return settings.encodeRoomFile();
}

// The addresses where two images differ, in hex ("" when they are equal).
std::string differences(const std::string& a, const std::string& b) {
  std::string text;
  for (size_t i = 0; i < a.size() && i < b.size(); ++i)
    if (a[i] != b[i]) text += VXCommon::hex4Str(int32_t(i)) + " ";
  return a.size() == b.size() ? text : text + "size";
}

std::string builtFrom(PanelSettingsV2& settings, int16_t version) {
  std::shared_ptr<memBlockCls> image = settings.makeMemoryMap(version, 1, 0);
  if (!image) return "";
  // The time stamp is the time of the build.
  return image->memImage().replace(kTimeStampStart, kTimeStampLength, std::string(kTimeStampLength, '\0'));
}

TEST(ImageReadBack, SampleDriversInEveryFormat) {
  TempXdgHome home;
  VXCommon::resetDeviceGlobals();
  programStartup(std::string(ORVELLA_SOURCE_DIR) + "/examples/library");
  for (const char* name : {"Acme PX-100 (Rev A).prjdrv", "Acme PX-200 (Rev A).prjdrv",
                           "Acme PX-200 (Rev B).prjdrv", "Borel IR-5 (Rev A).prjdrv"}) {
    for (int16_t version = 1; version <= 3; ++version) {
      SCOPED_TRACE(std::string(name) + " format " + std::to_string(version + 6));
      MemDebugForm::instance().reset();
      PanelSettingsV2 room;
      room.ReadAndParseProjFile(VXCommon::gFileTypes->localDir(ftDrivers) + name);
      int16_t checked = -1;
      room.IsDriverValid(checked);
      ASSERT_EQ(checked, 0);
      room.codeTableRoomSelectionIdx(1, int16_t(room.codeTableSelections().size()));
      room.codeTableRoomSelectionIdx(2, 0);
      room.codeTableRoomHidFunctIdx(7, int16_t(room.codeTableHidFuncts().size()));
      room.roomAFVPGainSetting(2, 4);
      room.roomRelayDurationSelected(3, "1.5sec");
      room.roomRelayEventSelected(7, "AudioOn");
      room.roomLegendName(2, "Doc\r\nCam");
      room.roomCTSAlternateUseSelected(3);

      const std::string image = builtFrom(room, version);
      ASSERT_FALSE(image.empty()) << MemDebugForm::instance().txtMemDumpListing();
      PanelSettingsV2 decoded, again;
      const std::string roomFile = decodedFrom(image, decoded, version);
      EXPECT_EQ(roomChoices(decoded, version), roomChoices(room, version));
      EXPECT_EQ(differences(builtFrom(decoded, version), image), "");
      EXPECT_EQ(decodedFrom(image, again, version), roomFile);
    }
  }
  VXCommon::resetStartupGlobals();
}

}  // namespace
