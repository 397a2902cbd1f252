// The example library's drivers and saved room: each reads and checks clean with no panel
// identified (as `orvella-config check` sees them), together they use every keyword of the
// vocabulary, the older-format driver says what its keyword-language twin says, and the
// factory defaults load from the library.
#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <string>
#include <vector>

#include "common/device_globals.h"
#include "common/startup_globals.h"
#include "panel/panel_settings.h"
#include "tests/fakes/temp_xdg_home.h"
#include "tests/panel/driver_text_support.h"
#include "wizard/program_startup.h"

namespace {

using driver_test::describeRow;
using driver_test::listing;

struct Sample {
  const char* file;  // under the library's drivers or saved-rooms folder
  bool room;
};

const Sample kSamples[] = {
    {"Borel IR-5 (Rev A).prjdrv", false},
    {"Acme PX-100 (Rev A).prjdrv", false},
    {"Acme PX-100 (Rev A).prj", false},
    {"Acme PX-200 (Rev A).prjdrv", false},
    {"Acme PX-200 (Rev B).prjdrv", false},
    {"_SPECIAL Factory Defaults (Rev A).prjdrv", false},
    {"Room 101.room", true},
};

class SampleFilesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    VXCommon::resetDeviceGlobals();  // no panel identified: firmware 0.0
    programStartup(std::string(ORVELLA_SOURCE_DIR) + "/examples/library");
  }
  void TearDown() override { VXCommon::resetStartupGlobals(); }

  static std::string pathOf(const Sample& sample) {
    return VXCommon::gFileTypes->localDir(sample.room ? ftSavedRooms : ftDrivers) + sample.file;
  }
  // A new settings object holding what the file says, not yet checked.
  static std::unique_ptr<PanelSettingsV2> read(const Sample& sample) {
    auto settings = std::make_unique<PanelSettingsV2>();
    bool read = sample.room ? settings->ReadAndParseRoomFile(pathOf(sample))
                            : settings->ReadAndParseProjFile(pathOf(sample));
    EXPECT_TRUE(read) << pathOf(sample);
    return settings;
  }

  TempXdgHome home;
};

TEST_F(SampleFilesTest, EachReadsAndChecksClean) {
  for (const Sample& sample : kSamples) {
    auto settings = read(sample);
    int16_t result = -1;
    settings->IsDriverValid(result);
    EXPECT_EQ(result, 0) << sample.file << "\n" << listing();
    EXPECT_EQ(settings->parseErrors(), 0) << sample.file;
    EXPECT_EQ(settings->parseWarnings(), 0) << sample.file << "\n" << listing();
  }
}

TEST_F(SampleFilesTest, TogetherTheyUseEveryKeyword) {
  constexpr int16_t kDriverName = 2, kIrCode = 12, kRsCode = 13;
  std::set<int16_t> used;
  for (const Sample& sample : kSamples) {
    auto settings = read(sample);
    for (int16_t row = 1; row <= kKeywordCount; ++row) {
      // A driver's name is its file name whatever the file says; only a room keeps the statement.
      if (row == kDriverName && !sample.room) continue;
      if (row == kIrCode || row == kRsCode) continue;  // one shared table, told apart below
      if (!settings->directAccess(row).isNothing()) used.insert(row);
    }
    if (settings->driverUsesIR()) used.insert(kIrCode);
    if (settings->driverUsesRS232()) used.insert(kRsCode);
  }
  PanelSettingsV2 vocabulary;
  std::string missing;
  for (int16_t row = 1; row <= kKeywordCount; ++row)
    if (!used.count(row)) missing += " " + vocabulary.keywordTable(row).keyword;
  EXPECT_EQ(missing, "");
}

// The older-format driver and its keyword-language rewrite describe the same projector: the
// same codes (escapes translated), key assignments, serial line, polling and IR settings. Only
// the times differ, as the older format counts them in its own steps.
TEST_F(SampleFilesTest, RecordDriverMatchesItsRewrite) {
  auto record = read({"Acme PX-100 (Rev A).prj", false});
  auto rewrite = read({"Acme PX-100 (Rev A).prjdrv", false});
  const int16_t sameRows[] = {3,  4,  6,  7,  8,  9,  11, 12, 14, 16, 17, 18, 19, 20, 21, 22, 23,
                              25, 26, 27, 28, 32, 33, 34, 35, 36, 37, 38, 39, 40, 42, 43, 44};
  for (int16_t row : sameRows)
    EXPECT_EQ(describeRow(*record, row), describeRow(*rewrite, row)) << rewrite->keywordTable(row).keyword;
  EXPECT_EQ(describeRow(*record, 30), "=45120000");  // WARM-UP-DELAY|96: 96 steps of 470 ms
  EXPECT_EQ(describeRow(*rewrite, 30), "=45000000");
}

TEST_F(SampleFilesTest, FactoryDefaultsLoadFromTheLibrary) {
  PanelSettingsV2 settings;
  EXPECT_FALSE(settings.loadDefaults()) << listing();
  EXPECT_EQ(settings.fullDriverName(), PanelSettingsV2::kFactoryDefaultsDriver);
  EXPECT_EQ(settings.roomLegendName(1), "INPUT 1");
}

}  // namespace
