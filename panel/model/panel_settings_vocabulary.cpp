// The keyword vocabulary: the eleven word lists of the shared module and the 73 rows of the
// keyword table, built by the settings object's constructor.
#include <initializer_list>
#include <utility>

#include "common/word_lists.h"
#include "panel/panel_settings.h"

namespace {

using Words = std::vector<std::string>;

// A 1-based list of 1-based word lists.
Variant listOfWordLists(std::initializer_list<Words> lists) {
  std::vector<Variant> items;
  for (const Words& words : lists) items.push_back(Variant::stringList(words));
  return Variant::array(std::move(items));
}

// A 1-based list of (names, one Boolean per name).
Variant namesWithFlags(const Words& names, const std::vector<bool>& flags) {
  std::vector<Variant> flagItems(flags.begin(), flags.end());
  return Variant::array({Variant::stringList(names), Variant::array(std::move(flagItems))});
}

constexpr unsigned kMandatory = 1;
constexpr unsigned kRoom = 2;
constexpr unsigned kPersistent = 4;

// Fills the optional columns of one row.
class RowBuilder {
 public:
  explicit RowBuilder(keywordDef& row) : row_(row) {}
  RowBuilder& subscripts(const Variant& list) {
    row_.subscripts = list;
    return *this;
  }
  RowBuilder& byDefault(const Variant& value) {
    row_.defaultVal = value;
    return *this;
  }
  RowBuilder& words(const Variant& lists) {
    row_.wordLists = lists;
    return *this;
  }
  RowBuilder& alias(const char* older) {
    row_.alias = older;
    return *this;
  }
  // One (min, max) pair per argument, stored as (minima, maxima).
  RowBuilder& ranges(std::initializer_list<std::pair<int16_t, int16_t>> perArgument) {
    std::vector<Variant> minima, maxima;
    for (const auto& [low, high] : perArgument) {
      minima.emplace_back(low);
      maxima.emplace_back(high);
    }
    row_.ranges =
        Variant::array({Variant::array(std::move(minima)), Variant::array(std::move(maxima))});
    return *this;
  }

 private:
  keywordDef& row_;
};

}  // namespace

void PanelSettingsV2::buildWordLists() {
  using namespace VXCommon;
  // Flags added later come last so that the positions of the older flags stay as they were:
  // older-format codes carry a prefix, a suffix, a repeat and an include-continuation flag for
  // RS232 codes as well, and the code table packs all of them for either kind of code.
  gIrCodeFlagWords = listOfWordLists(
      {{"USEREPEAT", "INCLUDECONT", "IS-SELECTION", "IS-HIDDEN", "USEPREFIX", "USESUFFIX"}});
  gRsCodeFlagWords = listOfWordLists(
      {{"IS-SELECTION", "IS-HIDDEN", "USEPREFIX", "USESUFFIX", "USEREPEAT", "INCLUDECONT"}});
  gPowerSenseWords = listOfWordLists({{"None", "Sensor", "RS232Poll"}});
  gIrWiringWords = listOfWordLists({{"Wired-Serial", "IR-Emitter"}});
  gCtsUseWords = listOfWordLists({{"CTS", "AuxAudio", "Keylock"}});
  gRelayWords = listOfWordLists(
      {{"Maintained", "100ms", "200ms", "300ms", "400ms", "500ms", "600ms", "700ms", "800ms",
        "900ms", "1.0sec", "1.1sec", "1.2sec", "1.3sec", "1.4sec", "1.5sec"},
       {"On",         "Off",        "AuxAudio",   "~AuxAudio",      "AudioOn",
        "~AudioOn",   "Locked",     "~Locked",    "ProjResponding", "~ProjResponding",
        "Binary",     "~Binary",    "Selection0", "Selection1",     "Selection2",
        "Selection3", "Selection4", "Selection5", "Selection6",     "Selection7"}});
  gSerialWords = listOfWordLists(
      {{"115200", "57600", "38400", "19200", "9600", "4800", "2400", "1200", "600", "300"},
       {"7", "8"},
       {"N", "O", "E", "M", "S"},
       {"1", "2"}});
  gConnectorWords = listOfWordLists({{"DB9F", "DB9M", "HDB15M", "HDB15F", "MDIN9", "MDIN8", "MDIN7",
                                      "MDIN6", "MDIN5", "MDIN4", "MDIN3"}});
  Words pins = {"RX", "TX", "GND", "RTS", "CTS"};
  for (int pin = 1; pin <= 24; ++pin) pins.push_back(std::to_string(pin));
  pins.push_back("SHELL");
  gPinWords = listOfWordLists({pins});
  gCoreFunctWords =
      namesWithFlags({"REPEAT", "PREFIX", "SUFFIX", "POLL", "ON", "OFF", "VUP", "VDN"},
                     {false, false, false, false, true, true, true, true});
  Words hiddenKeys = {"OFF", "VUP", "VDN"};
  for (int key = 1; key <= 8; ++key) hiddenKeys.push_back(std::to_string(key));
  gHidFunctWords = namesWithFlags(hiddenKeys, std::vector<bool>(hiddenKeys.size(), false));
}

void PanelSettingsV2::buildKeywordTable() {
  auto def = [this](int16_t row, const char* keyword, int16_t subscriptKind, int16_t valueType,
                    unsigned flags, int16_t argCount) {
    keywordDef& d = keywordTable_[size_t(row - 1)];
    d = keywordDef{};
    d.keyword = keyword;
    d.subscriptKind = subscriptKind;
    d.valueType = valueType;
    d.mandatory = (flags & kMandatory) != 0;
    d.roomKeyword = (flags & kRoom) != 0;
    d.argCount = argCount;
    d.persistent = (flags & kPersistent) != 0;
    return RowBuilder(d);
  };

  def(kwProjFileFmt, "PROJ-FILE-FMT", subNone, valNumber, kMandatory, 1).ranges({{1, 2}});
  def(kwProjDriverName, "PROJ-DRIVER-NAME", subNone, valSingleQuoted, 0, 1);
  def(kwProjName, "PROJ-NAME", subNone, valSingleQuoted, 0, 1);
  def(kwProjDriverRev, "PROJ-DRIVER-REV", subNone, valSingleQuoted, 0, 1).alias("PROJ-VER");
  def(kwDocRevUserMessage, "DOC-REV-USER-MESSAGE", subQuoted, valDoubleQuoted, 0, 1);
  def(kwIrTime0L, "IR-TIME-0L", subNone, valTime, kMandatory, 1).alias("DELAY-IR-LOW-0");
  def(kwIrTime0H, "IR-TIME-0H", subNone, valTime, kMandatory, 1).alias("DELAY-IR-HIGH-0");
  def(kwIrTime1L, "IR-TIME-1L", subNone, valTime, kMandatory, 1).alias("DELAY-IR-LOW-1");
  def(kwIrTime1H, "IR-TIME-1H", subNone, valTime, kMandatory, 1).alias("DELAY-IR-HIGH-1");
  def(kwCodeSubst, "CODE-SUBST", subAny, valDoubleQuoted, 0, 1);
  def(kwProjBaudRate, "PROJ-BAUD-RATE", subNone, valWord, kMandatory, 4)
      .words(VXCommon::gSerialWords);
  def(kwIrCode, "IRCODE", subQuoted, valIrCode, kMandatory, kAnyArgCount)
      .words(VXCommon::gIrCodeFlagWords);
  def(kwRsCode, "RSCODE", subQuoted, valRs232Code, kMandatory, kAnyArgCount)
      .words(VXCommon::gRsCodeFlagWords);
  def(kwBytesToQueue, "BYTES-TO-QUEUE", subNone, valNumber, kMandatory, 1).ranges({{1, 14}});
  def(kwPowerPollInterval, "POWER-POLL-INTERVAL", subNone, valTime, kMandatory, 1);
  def(kwPowerPollTimeout, "POWER-POLL-TIMEOUT", subNone, valTime, kMandatory, 1);
  def(kwPowerPollThreshold, "POWER-POLL-THRESHOLD", subNone, valNumber, kMandatory, 1)
      .ranges({{1, 50}})
      .alias("POWER-POLL-THRESH");
  def(kwPowerPollStartbyte, "POWER-POLL-STARTBYTE", subNone, valNumber, kMandatory, 1)
      .ranges({{1, 255}});
  def(kwPowerPollMatchAny, "POWER-POLL-MATCH-ANY", subNone, valBoolean, kMandatory, 1)
      .alias("POWER-POLL-MATCH-FLAG");
  def(kwPowerPollMatchBytes, "POWER-POLL-MATCH-BYTES", subNone, valCodeString, kMandatory, 1)
      .alias("POWER-POLL-MATCH-STR");
  def(kwPowerPollTestbyteMask, "POWER-POLL-TESTBYTE-MASK", subNone, valNumber, kMandatory, 1)
      .byDefault(int16_t(255))
      .ranges({{0, 255}});
  def(kwPowerPollDuringWarmup, "POWER-POLL-DURING-WARMUP", subNone, valBoolean, kMandatory, 1)
      .byDefault(false)
      .alias("POLL-DURING-WARMUP");
  def(kwPowerPollDuringLockout, "POWER-POLL-DURING-LOCKOUT", subNone, valBoolean, kMandatory, 1)
      .byDefault(false)
      .alias("POLL-DURING-LOCKOUT");
  def(kwPowerPollLockout, "POWER-POLL-LOCKOUT", subNone, valTime, 0, 1);
  def(kwProjUsesAbsoluteVol, "PROJ-USES-ABSOLUTE-VOL", subNone, valBoolean, kMandatory, 1)
      .alias("USE-ABSOLUTE-VOL");
  def(kwVolMute, "VOL-MUTE", subNone, valNumber, kMandatory, 1).ranges({{0, 255}});
  def(kwVolRange, "VOL-RANGE", subNone, valNumber, kMandatory, 1).ranges({{0, 255}});
  def(kwVolFloor, "VOL-FLOOR", subNone, valNumber, kMandatory, 1).ranges({{0, 255}});
  def(kwIoDowntime, "IO-DOWNTIME", subNone, valTime, kMandatory, 1);
  def(kwWarmUpDelay, "WARM-UP-DELAY", subNone, valTime, kMandatory, 1);
  def(kwPowerOnDelay, "POWER-ON-DELAY", subNone, valTime, kMandatory, 1);
  def(kwIoCancelDowntimeOnRx, "IO-CANCEL-DOWNTIME-ON-RX", subNone, valBoolean, kMandatory, 1)
      .byDefault(false);
  def(kwUseModulationWhenWired, "USE-MODULATION-WHEN-WIRED", subNone, valBoolean, kMandatory, 1)
      .alias("USE-MODULATION");
  def(kwInvertLineWhenWired, "INVERT-LINE-WHEN-WIRED", subNone, valBoolean, kMandatory, 1)
      .alias("INVERT-LINE");
  def(kwCarrierPeriod, "CARRIER-PERIOD", subNone, valTime, kMandatory, 1);
  def(kwCarrierDutyCycle, "CARRIER-DUTY-CYCLE", subNone, valNumber, kMandatory, 1)
      .byDefault(int16_t(50))
      .ranges({{1, 99}});
  def(kwProjMissingThreshold, "PROJ-MISSING-THRESHOLD", subNone, valNumber, kMandatory, 1)
      .byDefault(int16_t(5))
      .ranges({{1, 50}});
  def(kwDefaultCoreFunct, "DEFAULT-CORE-FUNCT", subList, valCodeName, kMandatory, 1)
      .subscripts(VXCommon::gCoreFunctWords);
  def(kwDefaultSelection, "DEFAULT-SELECTION", subNumeric, valCodeName, kMandatory, 1);
  def(kwDefaultHidFunct, "DEFAULT-HID-FUNCT", subList, valCodeName, kMandatory, 1)
      .subscripts(VXCommon::gHidFunctWords);
  def(kwDefaultLockout, "DEFAULT-LOCKOUT", subNone, valTime, kMandatory, 1);
  def(kwPowerSenseOptions, "POWER-SENSE-OPTIONS", subNone, valWord, kMandatory, kAnyArgCount)
      .words(VXCommon::gPowerSenseWords);
  def(kwIrWiringOptions, "IR-WIRING-OPTIONS", subNone, valWord, kMandatory, kAnyArgCount)
      .words(VXCommon::gIrWiringWords);
  def(kwDocProj232Connector, "DOC-PROJ-232-CONNECTOR", subNone, valWord, 0, 1)
      .words(VXCommon::gConnectorWords);
  def(kwDocProj232Wiring, "DOC-PROJ-232-WIRING", subNumeric, valWord, 0, 1)
      .words(VXCommon::gPinWords);
  def(kwRoomUsrNote, "ROOM-USR-NOTE", subNone, valDoubleQuoted, 0, 1);
  def(kwDocInstallationNote, "DOC-INSTALLATION-NOTE", subNumeric, valDoubleQuoted, 0, 1);
  def(kwPassiveMode, "PASSIVE-MODE", subNone, valBoolean, 0, 1).byDefault(false);
  def(kwRoomUseInactShutdownTimer, "ROOM-USE-INACT-SHUTDOWN-TIMER", subNone, valBoolean,
      kMandatory | kRoom | kPersistent, 1)
      .byDefault(false);
  def(kwRoomInactShutdownTimer, "ROOM-INACT-SHUTDOWN-TIMER", subNone, valTime,
      kMandatory | kRoom | kPersistent, 1)
      .byDefault(Decimal(1000000) * Decimal(60) * Decimal(120));
  def(kwRoomProjLockout, "ROOM-PROJ-LOCKOUT", subNone, valTime, kMandatory | kRoom, 1);
  def(kwRoomSelection, "ROOM-SELECTION", subNumeric, valCodeName, kMandatory | kRoom, 1);
  def(kwRoomHidFunct, "ROOM-HID-FUNCT", subList, valCodeName, kRoom, 1)
      .subscripts(VXCommon::gHidFunctWords);
  def(kwRoomIrWiringSelected, "ROOM-IR-WIRING-SELECTED", subNone, valWord, kMandatory | kRoom,
      kAnyArgCount)
      .words(VXCommon::gIrWiringWords);
  def(kwRoomPowerSenseSelected, "ROOM-POWER-SENSE-SELECTED", subNone, valWord, kMandatory | kRoom,
      1)
      .words(VXCommon::gPowerSenseWords);
  def(kwRoomAlternateCtsUse, "ROOM-ALTERNATE-CTS-USE", subNone, valWord,
      kMandatory | kRoom | kPersistent, 1)
      .byDefault("CTS")
      .words(VXCommon::gCtsUseWords);
  def(kwRoomEnableAuxAudio, "ROOM-ENABLE-AUX-AUDIO", subNone, valBoolean,
      kMandatory | kRoom | kPersistent, 1)
      .byDefault(false);
  def(kwRoomUsePowerOnVol, "ROOM-USE-POWER-ON-VOL", subNone, valBoolean,
      kMandatory | kRoom | kPersistent, 1)
      .byDefault(false);
  def(kwRoomVolPowerOnLevel, "ROOM-VOL-POWER-ON-LEVEL", subNone, valNumber,
      kMandatory | kRoom | kPersistent, 1)
      .byDefault(int16_t(85))
      .ranges({{0, 255}});
  def(kwRoomRelayUseAdvanced, "ROOM-RELAY-USE-ADVANCED", subNone, valBoolean,
      kMandatory | kRoom | kPersistent, 1)
      .byDefault(false);
  def(kwRoomRelay, "ROOM-RELAY", subNumeric, valWord, kMandatory | kRoom | kPersistent, 2)
      .words(VXCommon::gRelayWords);
  def(kwRoomAfvpDefeatPreamp, "ROOM-AFVP-DEFEAT-PREAMP", subNone, valBoolean,
      kMandatory | kRoom | kPersistent, 1)
      .byDefault(false);
  def(kwRoomAfvpDefeatEq, "ROOM-AFVP-DEFEAT-EQ", subNone, valBoolean,
      kMandatory | kRoom | kPersistent, 1)
      .byDefault(false);
  def(kwRoomAfvpGbt, "ROOM-AFVP-GBT", subNumeric, valNumber, kMandatory | kRoom | kPersistent, 3)
      .ranges({{0, 5}, {0, 12}, {0, 12}});
  def(kwRoomLegendName, "ROOM-LEGEND-NAME", subNumeric, valDoubleQuoted, kRoom | kPersistent, 1);
  def(kwRoomStickyHiddenOn, "ROOM-STICKY-HIDDEN-ON", subNone, valBoolean,
      kMandatory | kRoom | kPersistent, 1)
      .byDefault(false);
  def(kwRoomIrPassthruOn, "ROOM-IR-PASSTHRU-ON", subNone, valBoolean,
      kMandatory | kRoom | kPersistent, 1)
      .byDefault(false);
  def(kwRoomPowerOnSelection, "ROOM-POWER-ON-SELECTION", subNone, valNumber,
      kMandatory | kRoom | kPersistent, 1)
      .byDefault(int16_t(1))
      .ranges({{0, 8}});
  def(kwRoomUsePowerOnSelection, "ROOM-USE-POWER-ON-SELECTION", subNone, valBoolean,
      kMandatory | kRoom | kPersistent, 1)
      .byDefault(false);
  def(kwRequiresFwVersion, "REQUIRES-FW-VERSION", subNone, valNumber, 0, 2)
      .ranges({{0, 255}, {0, 255}});
  def(kwRoomLegendFont, "ROOM-LEGEND-FONT", subNumeric, valDoubleQuoted, kRoom | kPersistent, 1);
  def(kwRoomLegendGif, "ROOM-LEGEND-GIF", subNumeric, valDoubleQuoted, kRoom | kPersistent, 1);
  def(kwRoomUseOffPressHold, "ROOM-USE-OFF-PRESS-HOLD", subNone, valBoolean, kRoom | kPersistent, 1)
      .byDefault(false);
}
