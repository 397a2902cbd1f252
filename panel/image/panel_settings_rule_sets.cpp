// The panel's memory rule sets, one per memory format: where each setting lies in the
// 8192-byte image and how it is encoded. Built by the settings object's constructor, format 9
// first, then formats 7 and 8.
#include "panel/model/memory_grammar.h"
#include "panel/panel_settings.h"

namespace {

// One rule as the tables below write it; fields the panel never uses stay at their defaults.
struct RuleRow {
  const char* remark;
  int32_t address;      // 0 for the delay-table rules, which have no address of their own
  int16_t grammar;      // MemoryGrammar
  int16_t keywordRow;   // 0: the rule reads no keyword
  int16_t bit;
  const char* flagTest;
  int32_t pokeVal;
  int16_t lowBound;
  int16_t delayOffset;
  bool readBack;
};

memRuleClass toRule(const RuleRow& row) {
  memRuleClass rule;
  rule.memoryValRemark = row.remark;
  rule.memoryPokeVal = row.pokeVal;
  rule.memoryValIndex = row.keywordRow;
  rule.delayTableOffset = row.delayOffset;
  rule.memoryStartAddress = row.address;
  rule.memoryGrammar = row.grammar;
  rule.memoryBitNum = row.bit;
  rule.memoryGrammarFlagTest = row.flagTest;
  rule.memRetreiveMe = row.readBack;
  rule.memLowBound = row.lowBound;
  return rule;
}

// clang-format off
constexpr RuleRow kFormat9[] = {
    {"[FW] PanlConfig: EEPROM_FORMAT", 0x1F01, gramConstByte, 0, 0, "", 9, 0, 0, true},
    {"[CONFIG] Projector Driver Name", 0x0013, gramDriverName, kwProjDriverName, 0, "", 0, 0, 0, true},
    {"[CONFIG] Input Selections Index", 0x0000, gramSelIndex, kwRoomSelection, 0, "", 0, 0, 0, true},
    {"[CONFIG] Hidden Functions Index", 0x0004, gramHidIndex, kwRoomHidFunct, 0, "", 0, 0, 0, true},
    {"[CONFIG] Use Advanced Relay", 0x0012, gramBit, kwRoomRelayUseAdvanced, 2, "", 0, 0, 0, true},
    {"[CONFIG] Short Driver File Name", 0x0080, gramShortDriverName, 0, 0, "", 0, 0, 0, false},
    {"[CONFIG] TimeStamp", 0x0120, gramTimeStamp, 0, 0, "", 0, 0, 0, true},
    {"[CONFIG] Short Legend Table", 0x0140, gramShortLegends, kwRoomLegendName, 0, "", 0, 0, 0, false},
    {"[CONFIG] Legend Table", 0x0180, gramLegendTable, kwRoomLegendName, 0, "", 0, 0, 0, true},
    {"[CONFIG] Legend Fonts", 0x0220, gramLegendTable, kwRoomLegendFont, 0, "", 0, 0, 0, true},
    {"[CONFIG] Legend GIFs", 0x02C0, gramLegendTable, kwRoomLegendGif, 0, "", 0, 0, 0, true},
    {"[FW] ProjConfig: Format Number", 0x0400, gramConstByte, 0, 0, "", 1, 0, 0, false},
    {"[FW] ProjConfig: Polling Mask", 0x0401, gramByte, kwPowerPollTestbyteMask, 0, "", 0, 0, 0, false},
    {"[FW] ProjConfig: Revision Number", 0x0402, gramConstByte, 0, 0, "", 1, 0, 0, false},
    {"[FW] ProjConfig: PRJ_USE_MODULATION", 0x0403, gramBit, kwUseModulationWhenWired, 0, "", 0, 0, 0, false},
    {"[FW] ProjConfig: PRJ_INVERT_LINE_LEVEL", 0x0403, gramBit, kwInvertLineWhenWired, 1, "", 0, 0, 0, false},
    {"[FW] ProjConfig: PRJ_USE_ABSOLUTE_VOLUME", 0x0403, gramBit, kwProjUsesAbsoluteVol, 2, "", 0, 0, 0, false},
    {"[FW] ProjConfig: PRJ_WATCH_FOR_REPLY", 0x0403, gramBit, kwIoCancelDowntimeOnRx, 3, "", 0, 0, 0, false},
    {"[FW] ProjConfig: PRJ_WIRED_SERIAL_CONTROL", 0x0403, gramFlagBit, kwRoomIrWiringSelected, 4, "Wired-Serial", 0, 0, 0, true},
    {"[FW] ProjConfig: PRJ_POWER_RESETS_VOL", 0x0403, gramBit, kwRoomUsePowerOnVol, 5, "", 0, 0, 0, true},
    {"[FW] ProjConfig: PRJ_IR_PASSTHROUGH", 0x0403, gramBit, kwRoomIrPassthruOn, 6, "", 0, 0, 0, true},
    {"[FW] ProjConfig: PRJ_POWER_RESETS_SEL", 0x0403, gramBit, kwRoomUsePowerOnSelection, 7, "", 0, 0, 0, true},
    {"[FW] ProjConfig: BYTES_TO_QUEUE", 0x0404, gramByte, kwBytesToQueue, 0, "", 0, 1, 0, false},
    {"[FW] ProjConfig: SIR_PR2", 0x0405, gramTimeTick200ns, kwCarrierPeriod, 0, "", 0, 1, 0, false},
    {"[FW] ProjConfig: SIR_DC", 0x0406, gramDutyCycle, kwCarrierDutyCycle, 0, "", 0, 0, 0, false},
    {"[FW] ProjConfig: USART_BRGH & USART_SPBRG", 0x0407, gramBaud, kwProjBaudRate, 0, "", 0, 0, 0, false},
    {"[FW] ProjConfig: PRESS_AND_HOLD_OFF", 0x0407, gramBit, kwRoomUseOffPressHold, 6, "", 0, 0, 0, true},
    {"[FW] ProjConfig: VOL_MUTE", 0x0409, gramByte, kwVolMute, 0, "", 0, 0, 0, false},
    {"[FW] ProjConfig: VOL_RANGE", 0x040A, gramByte, kwVolRange, 0, "", 0, 1, 0, false},
    {"[FW] ProjConfig: VOL_FLOOR", 0x040B, gramByte, kwVolFloor, 0, "", 0, 0, 0, false},
    {"[FW] ProjConfig: WARM_UP_DELAY", 0x040C, gramTimeTick1880ms, kwWarmUpDelay, 0, "", 0, 1, 0, false},
    {"[FW] ProjConfig: POWER_ON_DELAY", 0x040D, gramTimeTick1880ms, kwPowerOnDelay, 0, "", 0, 1, 0, false},
    {"[FW] ProjConfig: IO-DOWNTIME", 0x040E, gramTimeTick29ms, kwIoDowntime, 0, "", 0, 1, 0, false},
    {"[FW] ProjConfig: PPOLL_INTERVAL", 0x040F, gramTimeTick470ms, kwPowerPollInterval, 0, "", 0, 1, 0, false},
    {"[FW] ProjConfig: PPOLL_TIMEOUT", 0x0410, gramTimeTick470ms, kwPowerPollTimeout, 0, "", 0, 1, 0, false},
    {"[FW] ProjConfig: PPOLL_LOCKOUT", 0x0411, gramTimeTick1880ms, kwPowerPollLockout, 0, "", 0, 1, 0, false},
    {"[FW] ProjConfig: PPC_POLL_DURING_LOCKOUT", 0x0412, gramBit, kwPowerPollDuringLockout, 0, "", 0, 0, 0, false},
    {"[FW] ProjConfig: PPC_POLL_DURING_WARMUP", 0x0412, gramBit, kwPowerPollDuringWarmup, 1, "", 0, 0, 0, false},
    {"[FW] ProjConfig: PPC_ANY_RESP_MEANS_ON", 0x0412, gramBit, kwPowerPollMatchAny, 2, "", 0, 0, 0, false},
    {"[FW] ProjConfig: PPC_VERIFY_PRJ_PWR", 0x0412, gramNotFlagBit, kwRoomPowerSenseSelected, 3, "None", 0, 0, 0, true},
    {"[FW] ProjConfig: PPC_POLL_FOR_PRJ_POWER", 0x0412, gramFlagBit, kwRoomPowerSenseSelected, 4, "RS232Poll", 0, 0, 0, true},
    {"[FW] ProjConfig: PPOLL_BYTE_TO_TEST", 0x0413, gramByte, kwPowerPollStartbyte, 0, "", 0, 1, 0, false},
    {"[FW] ProjConfig: PPOLL_MISMATCH_THRESH", 0x0414, gramByte, kwPowerPollThreshold, 0, "", 0, 1, 0, false},
    {"[FW] ProjConfig: PPOLL_MATCH_BYTES", 0x0415, gramMatchBytes, kwPowerPollMatchBytes, 0, "", 0, 0, 0, false},
    {"[DTABLE] Logical 0 uptime", 0, gramDelaySlot, kwIrTime0H, 0, "", 0, 0, 0, false},
    {"[DTABLE] Logical 0 downtime", 0, gramDelaySlot, kwIrTime0L, 0, "", 0, 0, 1, false},
    {"[DTABLE] Logical 1 uptime", 0, gramDelaySlot, kwIrTime1H, 0, "", 0, 0, 2, false},
    {"[DTABLE] Logical 1 downtime", 0, gramDelaySlot, kwIrTime1L, 0, "", 0, 0, 3, false},
    {"[FW] CODE TABLE -----------------------------", 0x0430, gramCodeTable, kwIrCode, 0, "", 0, 0, 0, false},
    {"[FW] PanlConfig: CMD_SET_REVISION", 0x1F00, gramConstByte, 0, 0, "", 3, 0, 0, false},
    {"[FW] PanlConfig: CFG_ENABLE_AUX", 0x1F02, gramBit, kwRoomEnableAuxAudio, 0, "", 0, 0, 0, true},
    {"[FW] PanlConfig: CFG_NO_KEYPRESS_TIMEOUT", 0x1F02, gramBit, kwRoomUseInactShutdownTimer, 1, "", 0, 0, 0, true},
    {"[FW] PanlConfig: CFG_SHIFT_KEY_TOGGLE", 0x1F02, gramBit, kwRoomStickyHiddenOn, 2, "", 0, 0, 0, true},
    {"[FW] PanlConfig: CFG_PASSIVE_MODE", 0x1F02, gramBit, kwPassiveMode, 3, "", 0, 0, 0, true},
    {"[FW] PanlConfig: CFG_USE_AFVP_EQ", 0x1F02, gramNotBit, kwRoomAfvpDefeatEq, 4, "", 0, 0, 0, true},
    {"[FW] PanlConfig: CFG_DEFEAT_AFVP_VOL", 0x1F02, gramBit, kwRoomAfvpDefeatPreamp, 5, "", 0, 0, 0, true},
    {"[FW] PanlConfig: CFG_USE_CTS_FOR_AUX", 0x1F02, gramFlagBit, kwRoomAlternateCtsUse, 6, "AuxAudio", 0, 0, 0, true},
    {"[FW] PanlConfig: CFG_USE_CTS_FOR_KEYLOCK", 0x1F02, gramFlagBit, kwRoomAlternateCtsUse, 7, "Keylock", 0, 0, 0, true},
    {"[FW] PanlConfig: POWER_ON_VOL", 0x1F03, gramByte, kwRoomVolPowerOnLevel, 0, "", 0, 0, 0, true},
    {"[FW] PanlConfig: PROJ_NOT_RESP_THRESHOLD", 0x1F04, gramByte, kwProjMissingThreshold, 0, "", 0, 1, 0, false},
    {"[FW] PanlConfig: POWER_ON_SEL", 0x1F05, gramByte, kwRoomPowerOnSelection, 0, "", 0, 0, 0, true},
    {"[FW] PanlConfig: NO_KEYPRESS_TIMEOUT", 0x1F06, gramTimeTick120s, kwRoomInactShutdownTimer, 0, "", 0, 1, 0, true},
    {"[FW] PanlConfig: LOCKOUT_TIMEOUT", 0x1F07, gramTimeTick1880ms, kwRoomProjLockout, 0, "", 0, 1, 0, true},
    {"[FW] PanlConfig: RELAY_SETTINGS V9", 0x1F08, gramRelaysV9, kwRoomRelay, 0, "", 0, 0, 0, true},
    {"[FW] PanlConfig: AFVP_SETTINGS V9", 0x1F20, gramAfvp, kwRoomAfvpGbt, 0, "", 0, 0, 0, true},
};

constexpr RuleRow kFormat7[] = {
    {"[FW] PanlConfig: EEPROM_FORMAT", 0x1F01, gramConstByte, 0, 0, "", 7, 0, 0, true},
    {"[CONFIG] Projector Driver Name", 0x0013, gramDriverName, kwProjDriverName, 0, "", 0, 0, 0, true},
    {"[FW] PanlConfig: CMD_SET_REVISION", 0x1F00, gramConstByte, 0, 0, "", 2, 0, 0, false},
    {"[CONFIG] Input Selections Index", 0x0000, gramCoreIndex, kwDefaultCoreFunct, 0, "", 0, 0, 0, false},
    {"[CONFIG] Input Selections Index", 0x0008, gramSelIndex0, kwRoomSelection, 0, "", 0, 0, 0, true},
    {"[CONFIG] Hidden Functions Index", 0x000C, gramHidIndex0, kwRoomHidFunct, 0, "", 0, 0, 0, true},
    {"[FW] ProjConfig: Format Number", 0x0400, gramConstByte, 0, 0, "", 1, 0, 0, false},
    {"[FW] ProjConfig: Projector ID", 0x0401, gramConstByte, 0, 0, "", 255, 0, 0, false},
    {"[FW] ProjConfig: Revision Number", 0x0402, gramConstByte, 0, 0, "", 255, 0, 0, false},
    {"[FW] ProjConfig: PRJ_USE_MODULATION", 0x0403, gramBit, kwUseModulationWhenWired, 0, "", 0, 0, 0, false},
    {"[FW] ProjConfig: PRJ_INVERT_LINE_LEVEL", 0x0403, gramBit, kwInvertLineWhenWired, 1, "", 0, 0, 0, false},
    {"[FW] ProjConfig: PRJ_USE_ABSOLUTE_VOLUME", 0x0403, gramBit, kwProjUsesAbsoluteVol, 2, "", 0, 0, 0, false},
    {"[FW] ProjConfig: BYTES_TO_QUEUE", 0x0404, gramByte, kwBytesToQueue, 0, "", 0, 1, 0, false},
    {"[FW] ProjConfig: SIR_PR2", 0x0405, gramTimeTick200ns, kwCarrierPeriod, 0, "", 0, 1, 0, false},
    {"[FW] ProjConfig: SIR_DC", 0x0406, gramDutyCycle, kwCarrierDutyCycle, 0, "", 0, 0, 0, false},
    {"[FW] ProjConfig: USART_BRGH & USART_SPBRG", 0x0407, gramBaud, kwProjBaudRate, 0, "", 0, 0, 0, false},
    {"[FW] ProjConfig: VOL_MUTE", 0x0409, gramByte, kwVolMute, 0, "", 0, 0, 0, false},
    {"[FW] ProjConfig: VOL_RANGE", 0x040A, gramByte, kwVolRange, 0, "", 0, 0, 0, false},
    {"[FW] ProjConfig: VOL_FLOOR", 0x040B, gramByte, kwVolFloor, 0, "", 0, 0, 0, false},
    {"[FW] ProjConfig: WARM_UP_DELAY", 0x040C, gramTimeTick470ms, kwWarmUpDelay, 0, "", 0, 1, 0, false},
    {"[FW] ProjConfig: POWER_ON_DELAY", 0x040D, gramTimeTick470ms, kwPowerOnDelay, 0, "", 0, 1, 0, false},
    {"[FW] ProjConfig: IO-DOWNTIME", 0x040E, gramTimeTick29ms, kwIoDowntime, 0, "", 0, 1, 0, false},
    {"[FW] ProjConfig: PPOLL_INTERVAL", 0x040F, gramTimeTick470ms, kwPowerPollInterval, 0, "", 0, 1, 0, false},
    {"[FW] ProjConfig: PPOLL_TIMEOUT", 0x0410, gramTimeTick470ms, kwPowerPollTimeout, 0, "", 0, 1, 0, false},
    {"[FW] ProjConfig: PPOLL_LOCKOUT", 0x0411, gramTimeTick470ms, kwPowerPollLockout, 0, "", 0, 1, 0, false},
    {"[FW] ProjConfig: PPC_POLL_DURING_LOCKOUT", 0x0412, gramBit, kwPowerPollDuringLockout, 0, "", 0, 0, 0, false},
    {"[FW] ProjConfig: PPC_POLL_DURING_WARMUP", 0x0412, gramBit, kwPowerPollDuringWarmup, 1, "", 0, 0, 0, false},
    {"[FW] ProjConfig: PPC_ANY_RESP_MEANS_ON", 0x0412, gramBit, kwPowerPollMatchAny, 2, "", 0, 0, 0, false},
    {"[FW] ProjConfig: PPOLL_BYTE_TO_TEST", 0x0413, gramByte, kwPowerPollStartbyte, 0, "", 0, 1, 0, false},
    {"[FW] ProjConfig: PPOLL_MISMATCH_THRESH", 0x0414, gramByte, kwPowerPollThreshold, 0, "", 0, 1, 0, false},
    {"[FW] ProjConfig: PPOLL_MATCH_BYTES", 0x0415, gramMatchBytes, kwPowerPollMatchBytes, 0, "", 0, 0, 0, false},
    {"[DTABLE] Logical 0 uptime", 0, gramDelaySlot, kwIrTime0H, 0, "", 0, 0, 0, false},
    {"[DTABLE] Logical 0 downtime", 0, gramDelaySlot, kwIrTime0L, 0, "", 0, 0, 1, false},
    {"[DTABLE] Logical 1 uptime", 0, gramDelaySlot, kwIrTime1H, 0, "", 0, 0, 2, false},
    {"[DTABLE] Logical 1 downtime", 0, gramDelaySlot, kwIrTime1L, 0, "", 0, 0, 3, false},
    {"[FW] CODE TABLE -----------------------------", 0x0430, gramCodeTableV7, kwIrCode, 0, "", 0, 0, 0, true},
    {"[FW] PanlConfig: CFG_PANEL_CONFIGURED", 0x1F02, gramSetBit, 0, 0, "", 0, 0, 0, false},
    {"[FW] PanlConfig: CFG_NO_KEYPRESS_TIMEOUT", 0x1F02, gramBit, kwRoomUseInactShutdownTimer, 1, "", 0, 0, 0, true},
    {"[FW] ProjConfig: PPC_VERIFY_PRJ_PWR", 0x1F02, gramNotFlagBit, kwRoomPowerSenseSelected, 2, "None", 0, 0, 0, true},
    {"[FW] PanlConfig: CFG_USE_AFVP_EQ", 0x1F02, gramNotBit, kwRoomAfvpDefeatEq, 4, "", 0, 0, 0, true},
    {"[FW] PanlConfig: CFG_DEFEAT_AFVP_VOL", 0x1F02, gramBit, kwRoomAfvpDefeatPreamp, 5, "", 0, 0, 0, true},
    {"[FW] ProjConfig: PPC_POLL_FOR_PRJ_POWER", 0x1F02, gramFlagBit, kwRoomPowerSenseSelected, 6, "RS232Poll", 0, 0, 0, true},
    {"[FW] ProjConfig: PRJ_WIRED_SERIAL_CONTROL", 0x1F02, gramFlagBit, kwRoomIrWiringSelected, 7, "Wired-Serial", 0, 0, 0, true},
    {"[FW] PanlConfig: PROJ_EEPROM_ADDRESS", 0x1F03, gramConstWord, 0, 0, "", 1024, 0, 0, false},
    {"[FW] PanlConfig: PIC I2C address", 0x1F05, gramConstByte, 0, 0, "", 0, 0, 0, true},
    {"[FW] PanlConfig: NO_KEYPRESS_TIMEOUT", 0x1F06, gramTimeTick120s, kwRoomInactShutdownTimer, 0, "", 0, 1, 0, true},
    {"[FW] PanlConfig: LOCKOUT_TIMEOUT", 0x1F07, gramTimeTick470ms, kwRoomProjLockout, 0, "", 0, 1, 0, true},
    {"[FW] PanlConfig: RELAY_SETTINGS V7", 0x1F08, gramRelaysV7, kwRoomRelay, 0, "", 0, 0, 0, true},
    {"[FW] PanlConfig: AFVP_SETTINGS V7", 0x1F20, gramAfvp4, kwRoomAfvpGbt, 0, "", 0, 0, 0, true},
};
// clang-format on

// Format 8 is format 7 with its own format byte, the advanced-relay bit after the revision
// command, and the seven-byte relay settings.
constexpr int32_t kFormat8PokeVal = 8;
constexpr size_t kAdvancedRelayAfter = 3;  // rules before the inserted one
constexpr RuleRow kFormat8AdvancedRelay = {
    "[CONFIG] Use Advanced Relay", 0x0012, gramBit, kwRoomRelayUseAdvanced, 2, "", 0, 0, 0, true};
constexpr const char* kFormat8RelayRemark = "[FW] PanlConfig: RELAY_SETTINGS V8";

}  // namespace

void PanelSettingsV2::buildRuleSets() {
  buildFormat9Rules();
  buildFormat7And8Rules();
}

void PanelSettingsV2::buildFormat9Rules() {
  MemRuleSet& format9 = memRules_[2];
  for (const RuleRow& row : kFormat9) format9.append(toRule(row));
}

void PanelSettingsV2::buildFormat7And8Rules() {
  MemRuleSet& format7 = memRules_[0];
  for (const RuleRow& row : kFormat7) format7.append(toRule(row));

  MemRuleSet& format8 = memRules_[1];
  for (size_t i = 0; i < std::size(kFormat7); ++i) {
    if (i == kAdvancedRelayAfter) format8.append(toRule(kFormat8AdvancedRelay));
    memRuleClass rule = toRule(kFormat7[i]);
    if (i == 0) rule.memoryPokeVal = kFormat8PokeVal;
    if (rule.memoryGrammar == gramRelaysV7) {
      rule.memoryValRemark = kFormat8RelayRemark;
      rule.memoryGrammar = gramRelaysV8;
    }
    format8.append(std::move(rule));
  }
}
