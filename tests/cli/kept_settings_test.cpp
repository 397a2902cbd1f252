// What build says its image does not keep of a room, run as a program: over the example room
// and rooms edited from it, in memory formats 7, 8 and 9, the settings build names are exactly
// those that decode of the built image gives back otherwise (a time rounded to its tick and
// the room's notes aside); and check names each index that no panel has.
#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "common/time_codes.h"
#include "platform/fs_util.h"
#include "tests/fakes/listing_lines.h"
#include "tests/fakes/program_runner.h"
#include "tests/fakes/read_or_fail.h"
#include "tests/fakes/temp_xdg_home.h"

namespace {

const std::string kExamples = std::string(ORVELLA_SOURCE_DIR) + "/examples/library";
const std::string kRoom = kExamples + "/orvella/userrooms/Room 101.room";

std::string keyOf(const std::string& statement) { return statement.substr(0, statement.find('=')); }

// The room's settings by key ("ROOM-RELAY[2]", "PASSIVE-MODE"), the notes left out.
std::map<std::string, std::string> roomSettings(const std::string& room) {
  std::map<std::string, std::string> settings;
  for (const char* mark : {"ROOM-", "PASSIVE-MODE="})
    for (const std::string& line : listing_lines::starting(room, mark))
      if (keyOf(line) != "ROOM-USR-NOTE") settings[keyOf(line)] = line.substr(line.find('=') + 1);
  return settings;
}

// A time within half its field's tick of the one given: the panel's rounding.
bool roundedToTick(const std::string& key, const std::string& given, const std::string& decoded, int format) {
  const std::map<std::string, Decimal> ticks = {{"ROOM-PROJ-LOCKOUT", format == 9 ? 1880000 : 470000},
                                                {"ROOM-INACT-SHUTDOWN-TIMER", 120000000}};
  const auto tick = ticks.find(key);
  const auto was = VXCommon::parseTimeValue(given, false), is = VXCommon::parseTimeValue(decoded, false);
  return tick != ticks.end() && was && is && (*was - *is).abs() * 2 <= tick->second;
}

TEST(KeptSettings, BuildNamesExactlyTheSettingsDecodeGivesBackOtherwise) {
  TempXdgHome home;
  const std::string dir = home.root() + "/", example = readOrFail(kRoom);
  std::optional<std::string> pastPreamplifier;  // the bytes after the field, as the example builds them
  // The room's lines changed, and in each format what build says of the first of them.
  const struct {
    std::vector<std::string> changes;
    std::map<int, std::string> said;
  } cases[] = {
      {{}, {{7, "ROOM-ALTERNATE-CTS-USE=AuxAudio is not kept in memory format 7"},
            {8, "ROOM-ALTERNATE-CTS-USE=AuxAudio is not kept in memory format 8"}}},
      {{"ROOM-SELECTION[0]='HDMI'", "ROOM-SELECTION[5]='HDMI'"},
       {{9, "ROOM-SELECTION[0]='HDMI' is not kept in memory format 9"}}},
      {{"ROOM-RELAY[0]=Maintained,On", "ROOM-RELAY[8]=500ms,Off"},
       {{9, "ROOM-RELAY[0]=Maintained,On is not kept in memory format 9"}}},
      {{"ROOM-AFVP-GBT[1]=2,6", "ROOM-AFVP-GBT[5]=3,7,5", "ROOM-AFVP-GBT[6]=3,7,5"},
       {{9, "ROOM-AFVP-GBT[1]=2,6 is kept as 2,6,0 in memory format 9"}}},
      {{"ROOM-LEGEND-NAME[5]=\"EXTRA\"", "ROOM-IR-WIRING-SELECTED="},
       {{9, "ROOM-IR-WIRING-SELECTED= is kept as IR-Emitter in memory format 9"}}},
      {{"ROOM-PROJ-LOCKOUT=0s", "ROOM-INACT-SHUTDOWN-TIMER=0s", "ROOM-POWER-ON-SELECTION=1"},
       {{9, "ROOM-INACT-SHUTDOWN-TIMER=0s is kept as 2M in memory format 9"}}},
      {{"PASSIVE-MODE=True"}, {{7, "PASSIVE-MODE=True is not kept in memory format 7"},
                               {8, "PASSIVE-MODE=True is not kept in memory format 8"}}},
  };
  for (const auto& c : cases) {
    std::string room = example;
    for (const std::string& change : c.changes) room = listing_lines::withLine(room, change);
    home.writeFile("room.room", room);
    for (int format : {7, 8, 9}) {
      SCOPED_TRACE(testing::PrintToString(c.changes) + " in format " + std::to_string(format));
      const ProgramRun build = runOrvellaConfig({"--library", kExamples, "build", dir + "room.room", "--format",
                                                 std::to_string(format), "-o", dir + "panel.img", "--listing",
                                                 dir + "build.txt"});
      ASSERT_EQ(build.status, 0) << build.err;
      ASSERT_EQ(runOrvellaConfig({"--library", kExamples, "decode", "--image", dir + "panel.img", "-o",
                                  dir + "decoded.room", "--listing", dir + "decode.txt"}).status, 0);
      std::set<std::string> named, otherwise;
      const std::string warning = dir + "room.room: warning: ";
      for (size_t at = 0; (at = build.err.find(warning, at)) != std::string::npos; at += warning.size())
        named.insert(keyOf(build.err.substr(at + warning.size())));
      const auto decoded = roomSettings(readOrFail(dir + "decoded.room"));
      for (const auto& [key, value] : roomSettings(room)) {
        const auto back = decoded.find(key);
        if (back == decoded.end() || (back->second != value && !roundedToTick(key, value, back->second, format)))
          otherwise.insert(key);
      }
      EXPECT_EQ(named, otherwise);
      if (c.said.count(format)) {
        EXPECT_NE(build.err.find(warning + c.said.at(format) + "\n"), std::string::npos) << build.err;
      }
      // No input past the five of format 9's pre-amplifier field is written over what follows.
      const std::string past = platform::readWholeFile(dir + "panel.img").value_or("").substr(0x1F2A);
      if (format == 9) {
        EXPECT_EQ(past, pastPreamplifier.emplace(pastPreamplifier.value_or(past)));
      }
    }
  }
}

// A setting is quoted as the file wrote it, without the line's comment and the blanks before
// it, whatever the letter case, the blanks and the quotes of its keyword and subscript.
TEST(KeptSettings, QuotesEachSettingAsTheFileWroteIt) {
  TempXdgHome home;
  std::string room = readOrFail(kRoom);
  const struct {
    std::string example, written, quoted;
  } cases[] = {
      {"ROOM-STICKY-HIDDEN-ON=True", "room-sticky-hidden-on = TRUE\t ; latched", "room-sticky-hidden-on = TRUE"},
      {"ROOM-VOL-POWER-ON-LEVEL=60", "ROOM-VOL-POWER-ON-LEVEL=$FF  ", "ROOM-VOL-POWER-ON-LEVEL=$FF"},
      {"ROOM-LEGEND-NAME[1]=\"PC\"", "  ROOM-LEGEND-NAME[1]=\"P;C\";x", "ROOM-LEGEND-NAME[1]=\"P;C\""},
      {"ROOM-LEGEND-GIF[2]=\"laptop.gif\"", "ROOM-LEGEND-GIF[ '2' ]=\"a'b.gif\"", "ROOM-LEGEND-GIF[ '2' ]=\"a'b.gif\""},
  };
  for (const auto& c : cases) room.replace(room.find(c.example), c.example.size(), c.written);
  home.writeFile("room.room", room);
  const std::string file = home.root() + "/room.room";
  const ProgramRun build = runOrvellaConfig({"--library", kExamples, "build", file, "--format", "7", "-o",
                                             home.root() + "/panel.img", "--listing", home.root() + "/build.txt"});
  ASSERT_EQ(build.status, 0) << build.err;
  for (const auto& c : cases)
    EXPECT_NE(build.err.find(file + ": warning: " + c.quoted + " is not kept in memory format 7\n"), std::string::npos)
        << c.quoted << "\n" << build.err;
}

TEST(KeptSettings, CheckNamesEachIndexNoPanelHas) {
  TempXdgHome home;
  std::string room = readOrFail(kRoom);
  for (const char* line : {"ROOM-SELECTION[05]='HDMI'", "ROOM-HID-FUNCT[8]='MUTE'", "ROOM-RELAY[0]=Maintained,On",
                           "ROOM-AFVP-GBT[6]=3,7,5", "ROOM-LEGEND-GIF[5]=\"x.gif\""})
    room = listing_lines::withLine(room, line);
  home.writeFile("room.room", room);
  const std::string file = home.root() + "/room.room", warning = file + ": warning: no panel has ";
  const ProgramRun run = runOrvellaConfig({"--library", kExamples, "check", file});
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.err, warning + "ROOM-SELECTION[05] (a panel has ROOM-SELECTION[1] to [4])\n" + warning +
                         "ROOM-HID-FUNCT[8] (a panel has ROOM-HID-FUNCT[OFF], [VUP], [VDN], [1] to [4])\n" + warning +
                         "ROOM-RELAY[0] (a panel has ROOM-RELAY[1] to [7])\n" + warning +
                         "ROOM-AFVP-GBT[6] (a panel has ROOM-AFVP-GBT[1] to [5])\n" + warning +
                         "ROOM-LEGEND-GIF[5] (a panel has ROOM-LEGEND-GIF[1] to [4])\n");
}

}  // namespace
