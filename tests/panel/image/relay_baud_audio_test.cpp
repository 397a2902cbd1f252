// The relay, serial-line and pre-amplifier forms of the panel image, both ways, with the exact
// lines they log.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "common/memory_image.h"
#include "common/word_lists.h"
#include "panel/panel_settings.h"
#include "tests/panel/panel_settings_access.h"

namespace {

using A = PanelSettingsTestAccess;

KeyValuePtr positional(const std::vector<Variant>& values) {
  auto list = std::make_shared<KeyValueClass>();
  for (size_t i = 0; i < values.size(); ++i) list->AddPair(std::to_string(i + 1), values[i]);
  return list;
}

// A ROOM-RELAY or ROOM-AFVP-GBT slot holding `count` copies of one relay's or input's values.
KeyValuePtr slotOf(const std::vector<Variant>& entry, size_t count = 1) {
  return positional(std::vector<Variant>(count, Variant(positional(entry))));
}

// A fresh image and, after the call, its log.
struct Log {
  memBlockCls image;
  Log() { image.Clear(8192, 1); }
  std::string text() const {
    std::string listing = image.memDebugListing(true);
    return listing.substr(listing.find("\r\n\r\n\r\n") + 6);
  }
};

struct RelayBaudAudio : ::testing::Test {
  PanelSettingsV2 settings;  // builds the word lists
};

TEST_F(RelayBaudAudio, RelayBytesEncodeAndEveryWordPairDecodesBack) {
  const std::tuple<const char*, const char*, int16_t> cases[] = {
      {"500ms", "Selection3", 0x53}, {"Maintained", "On", 0x0F}, {"1.5sec", "Off", 0xF8},
      {"900ms", "AudioOn", 0x1C},    {"1.5sec", "~Locked", 0x2E}, {"100MS", "~binary", 0x1B}};
  Log log;
  for (const auto& [duration, event, byte] : cases)
    EXPECT_EQ(A::encodeRelayByte(log.image, 1, slotOf({duration, event})), byte) << event;
  const Variant durations = VXCommon::gRelayWords.at(1), events = VXCommon::gRelayWords.at(2);
  for (int32_t d = 1; d <= durations.ubound(); ++d) {
    for (int32_t e = 1; e <= events.ubound(); ++e) {
      const std::string duration = durations.at(d).toText(), event = events.at(e).toText();
      const bool condition = e >= 3 && e <= 10;
      int16_t byte = A::encodeRelayByte(log.image, 1, slotOf({duration, event}));
      std::string back, basicBack;
      EXPECT_EQ(A::decodeRelayByte(log.image, byte, back), event);
      EXPECT_EQ(back, condition ? "Maintained" : duration);
      if (condition) continue;
      EXPECT_EQ(A::encodeRelayByteBasic(log.image, 1, slotOf({duration, event})), byte);
      EXPECT_EQ(A::decodeRelayByteBasic(log.image, byte, basicBack), event);
      EXPECT_EQ(basicBack, duration);
    }
  }
  EXPECT_EQ(log.text(), "");
}

TEST_F(RelayBaudAudio, RelayFaultsAreErrorsInTheFullFormAndInformationInTheReduced) {
  const std::tuple<bool, KeyValuePtr, int16_t, const char*> encodes[] = {
      {false, slotOf({"300ms", "Flashing"}), 0x30, "[E]Program Error - unclassified relay event"},
      {false, slotOf({"2.0sec", "On"}), -1, "[E]Program Error - unclassified relay duration"},
      {false, slotOf({"2.0sec", "~AudioOn"}), 0x1E, ""},  // a condition keeps no duration
      {true, slotOf({"100ms", "AudioOn"}), 0x10, "[I]Program Error - unclassified relay event"},
      {false, positional({}), 0, "[E]Program Error - no setting for relay 1"}};
  for (const auto& [reduced, values, byte, line] : encodes) {
    Log log;
    EXPECT_EQ((reduced ? A::encodeRelayByteBasic : A::encodeRelayByte)(log.image, 1, values), byte);
    EXPECT_EQ(log.text(), *line ? std::string(line) + "\r\n" : "");
  }
  const std::tuple<bool, int16_t, const char*, char> decodes[] = {
      {false, 0x4C, "400ms", 'E'}, {false, 300, "", 'E'}, {true, 0x1C, "100ms", 'I'}};
  for (const auto& [reduced, byte, duration, kind] : decodes) {
    Log log;
    std::string back;
    auto decode = reduced ? A::decodeRelayByteBasic : A::decodeRelayByte;
    EXPECT_EQ(decode(log.image, byte, back), "");
    EXPECT_EQ(back, duration);
    EXPECT_EQ(log.text(),
              std::string(1, '[') + kind + "]Program Error - unclassified relay value\r\n");
  }
}

TEST_F(RelayBaudAudio, FormatSevenRelayBitsBothWays) {
  const std::tuple<int16_t, const char*, const char*, int16_t> encodes[] = {
      {1, "100ms", "On", 0x48}, {5, "Maintained", "Binary", 0x80}, {2, "1.5sec", "on", 0x24},
      {7, "200ms", "Off", 0x01}, {8, "100ms", "On", 0}};
  Log log;
  for (const auto& [relay, duration, event, bits] : encodes)
    EXPECT_EQ(A::encodeRelayBitsV7(log.image, relay, slotOf({duration, event}, 8)), bits);
  const std::tuple<int16_t, int16_t, const char*, const char*> decodes[] = {
      {2, 0x24, "On", "600ms"}, {1, 0x24, "Off", "Maintained"},
      {4, 0x00, "Selection4", "Maintained"}, {7, 0x81, "Binary", "600ms"}};
  for (const auto& [relay, bits, event, duration] : decodes) {
    std::string back;
    EXPECT_EQ(A::decodeRelayBitsV7(log.image, relay, bits, back), event);
    EXPECT_EQ(back, duration);
  }
  EXPECT_EQ(log.text(), "");
  EXPECT_EQ(A::encodeRelayBitsV7(log.image, 2, positional({})), 0);
  EXPECT_EQ(log.text(), "[E]Program Error - no setting for relay 2\r\n");
}

TEST_F(RelayBaudAudio, BaudDivisorForEveryRateOfTheListWithItsLogLine) {
  ASSERT_EQ(VXCommon::gSerialWords.at(1).ubound(), 10);  // all ten covered below
  const std::tuple<const char*, bool, int16_t, const char*> cases[] = {
      {"115200", true, 10, "113636 err=1.36%"}, {"57600", true, 21, "56818 err=1.36%"},
      {"38400", true, 32, "37879 err=1.36%"},   {"19200", true, 64, "19231 err=-0.16%"},
      {"9600", true, 129, "9615 err=-0.16%"},   {"4800", false, 64, "4808 err=-0.17%"},
      {"2400", false, 129, "2404 err=-0.17%"},  {"1200", false, 255, "1221 err=-1.75%"},
      {"600", false, 255, "1221 err=-103.50%"}, {"300", false, 255, "1221 err=-307.00%"},
      {"19200", false, 15, "19531 err=-1.72%"}, {"9600", false, 32, "9470 err=1.35%"},
      {"5000000", true, -1, "0 err=100.00%"}};  // too fast: no lower limit, and no rate
  for (const auto& [word, brgh, divisor, tail] : cases) {
    Log log;
    EXPECT_EQ(A::computeBaudDivisor(log.image, word, brgh), divisor) << word;
    EXPECT_EQ(log.text(), std::string("[I]           baud requested=") + word + " with BRGH=" +
                              (brgh ? "1" : "0") + " is actually " + tail + "\r\n");
  }
  for (const char* word : {"fast", "99999999999999999999999999999999"}) {
    Log log;
    EXPECT_EQ(A::computeBaudDivisor(log.image, word, true), 0);
    EXPECT_EQ(log.text(), "[E]Program Error - baud rate '" + std::string(word) +
                              "' is not a number\r\n");
  }
}

TEST_F(RelayBaudAudio, PreAmplifierInputsTakeAGainByteThenTrebleAndBassNibbles) {
  KeyValuePtr inputs = positional({positional({int16_t(5), int16_t(12), int16_t(3)}),
                                   positional({"2", "0", "9"})});
  Log log;
  A::encodeAfvpInput(log.image, inputs, 1, 0x1F20, 0);
  A::encodeAfvpInput(log.image, inputs, 2, 0x1F20, 0);
  EXPECT_EQ(log.image.memImage().substr(0x1F20, 5), std::string("\x05\xC3\x02\x09\x00", 5));
  auto second = A::decodeAfvpInput(log.image, 2, 0x1F20);
  EXPECT_EQ(std::tie(second.gain, second.treble, second.bass), std::make_tuple(2, 0, 9));
  EXPECT_EQ(log.image.memDebugErrors(), 0);
  Log missing;
  A::encodeAfvpInput(missing.image, inputs, 3, 0x1F20, 0);
  EXPECT_EQ(missing.text(), "[E]Program Error - no setting for audio input 3\r\n");
  EXPECT_EQ(missing.image.memImage(), std::string(8192, '\0'));
}

}  // namespace
