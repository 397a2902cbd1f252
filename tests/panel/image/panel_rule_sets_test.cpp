// The three memory rule sets, checked rule by rule against the image layout tables.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "panel/model/memory_grammar.h"
#include "panel/panel_settings.h"

namespace {

// "address grammar keyword-row bit poke low-bound delay-offset read-back [flag word]|remark";
// " net" marks a field of the network models, which no panel rule sets.
std::string ruleText(const memRuleClass& rule) {
  char text[64];
  std::snprintf(text, sizeof text, "%04X g%d k%d b%d p%d l%d d%d %s",
                unsigned(rule.memoryStartAddress), rule.memoryGrammar, rule.memoryValIndex,
                rule.memoryBitNum, int(rule.memoryPokeVal), rule.memLowBound,
                rule.delayTableOffset, rule.memRetreiveMe ? "R" : "-");
  std::string flag = rule.memoryGrammarFlagTest.empty() ? "" : " " + rule.memoryGrammarFlagTest;
  bool net = rule.memUpBound || rule.memOctetCount || rule.memCkSumBytes || !rule.memDefaultVal.isEmpty();
  return text + flag + (net ? " net" : "") + "|" + rule.memoryValRemark;
}

void expectRuleSet(int16_t set, const std::vector<std::string>& expected) {
  PanelSettingsV2 settings;
  const MemRuleSet& rules = settings.memRules(set);
  ASSERT_EQ(rules.count(), int16_t(expected.size()));
  for (int32_t pos = 1; pos <= rules.count(); ++pos)
    EXPECT_EQ(ruleText(rules.item(pos)), expected[size_t(pos - 1)]) << "rule " << pos;
}

const std::vector<std::string> kFormat7 = {
    "1F01 g11 k0 b0 p7 l0 d0 R|[FW] PanlConfig: EEPROM_FORMAT",
    "0013 g18 k2 b0 p0 l0 d0 R|[CONFIG] Projector Driver Name",
    "1F00 g11 k0 b0 p2 l0 d0 -|[FW] PanlConfig: CMD_SET_REVISION",
    "0000 g31 k38 b0 p0 l0 d0 -|[CONFIG] Input Selections Index",
    "0008 g27 k52 b0 p0 l0 d0 R|[CONFIG] Input Selections Index",
    "000C g28 k53 b0 p0 l0 d0 R|[CONFIG] Hidden Functions Index",
    "0400 g11 k0 b0 p1 l0 d0 -|[FW] ProjConfig: Format Number",
    "0401 g11 k0 b0 p255 l0 d0 -|[FW] ProjConfig: Projector ID",
    "0402 g11 k0 b0 p255 l0 d0 -|[FW] ProjConfig: Revision Number",
    "0403 g8 k33 b0 p0 l0 d0 -|[FW] ProjConfig: PRJ_USE_MODULATION",
    "0403 g8 k34 b1 p0 l0 d0 -|[FW] ProjConfig: PRJ_INVERT_LINE_LEVEL",
    "0403 g8 k25 b2 p0 l0 d0 -|[FW] ProjConfig: PRJ_USE_ABSOLUTE_VOLUME",
    "0404 g7 k14 b0 p0 l1 d0 -|[FW] ProjConfig: BYTES_TO_QUEUE",
    "0405 g13 k35 b0 p0 l1 d0 -|[FW] ProjConfig: SIR_PR2",
    "0406 g17 k36 b0 p0 l0 d0 -|[FW] ProjConfig: SIR_DC",
    "0407 g6 k11 b0 p0 l0 d0 -|[FW] ProjConfig: USART_BRGH & USART_SPBRG",
    "0409 g7 k26 b0 p0 l0 d0 -|[FW] ProjConfig: VOL_MUTE",
    "040A g7 k27 b0 p0 l0 d0 -|[FW] ProjConfig: VOL_RANGE",
    "040B g7 k28 b0 p0 l0 d0 -|[FW] ProjConfig: VOL_FLOOR",
    "040C g15 k30 b0 p0 l1 d0 -|[FW] ProjConfig: WARM_UP_DELAY",
    "040D g15 k31 b0 p0 l1 d0 -|[FW] ProjConfig: POWER_ON_DELAY",
    "040E g29 k29 b0 p0 l1 d0 -|[FW] ProjConfig: IO-DOWNTIME",
    "040F g15 k15 b0 p0 l1 d0 -|[FW] ProjConfig: PPOLL_INTERVAL",
    "0410 g15 k16 b0 p0 l1 d0 -|[FW] ProjConfig: PPOLL_TIMEOUT",
    "0411 g15 k24 b0 p0 l1 d0 -|[FW] ProjConfig: PPOLL_LOCKOUT",
    "0412 g8 k23 b0 p0 l0 d0 -|[FW] ProjConfig: PPC_POLL_DURING_LOCKOUT",
    "0412 g8 k22 b1 p0 l0 d0 -|[FW] ProjConfig: PPC_POLL_DURING_WARMUP",
    "0412 g8 k19 b2 p0 l0 d0 -|[FW] ProjConfig: PPC_ANY_RESP_MEANS_ON",
    "0413 g7 k18 b0 p0 l1 d0 -|[FW] ProjConfig: PPOLL_BYTE_TO_TEST",
    "0414 g7 k17 b0 p0 l1 d0 -|[FW] ProjConfig: PPOLL_MISMATCH_THRESH",
    "0415 g21 k20 b0 p0 l0 d0 -|[FW] ProjConfig: PPOLL_MATCH_BYTES",
    "0000 g1 k7 b0 p0 l0 d0 -|[DTABLE] Logical 0 uptime",
    "0000 g1 k6 b0 p0 l0 d1 -|[DTABLE] Logical 0 downtime",
    "0000 g1 k9 b0 p0 l0 d2 -|[DTABLE] Logical 1 uptime",
    "0000 g1 k8 b0 p0 l0 d3 -|[DTABLE] Logical 1 downtime",
    "0430 g23 k12 b0 p0 l0 d0 R|[FW] CODE TABLE -----------------------------",
    "1F02 g30 k0 b0 p0 l0 d0 -|[FW] PanlConfig: CFG_PANEL_CONFIGURED",
    "1F02 g8 k49 b1 p0 l0 d0 R|[FW] PanlConfig: CFG_NO_KEYPRESS_TIMEOUT",
    "1F02 g22 k55 b2 p0 l0 d0 R None|[FW] ProjConfig: PPC_VERIFY_PRJ_PWR",
    "1F02 g10 k63 b4 p0 l0 d0 R|[FW] PanlConfig: CFG_USE_AFVP_EQ",
    "1F02 g8 k62 b5 p0 l0 d0 R|[FW] PanlConfig: CFG_DEFEAT_AFVP_VOL",
    "1F02 g9 k55 b6 p0 l0 d0 R RS232Poll|[FW] ProjConfig: PPC_POLL_FOR_PRJ_POWER",
    "1F02 g9 k54 b7 p0 l0 d0 R Wired-Serial|[FW] ProjConfig: PRJ_WIRED_SERIAL_CONTROL",
    "1F03 g25 k0 b0 p1024 l0 d0 -|[FW] PanlConfig: PROJ_EEPROM_ADDRESS",
    "1F05 g11 k0 b0 p0 l0 d0 R|[FW] PanlConfig: PIC I2C address",
    "1F06 g14 k50 b0 p0 l1 d0 R|[FW] PanlConfig: NO_KEYPRESS_TIMEOUT",
    "1F07 g15 k51 b0 p0 l1 d0 R|[FW] PanlConfig: LOCKOUT_TIMEOUT",
    "1F08 g24 k61 b0 p0 l0 d0 R|[FW] PanlConfig: RELAY_SETTINGS V7",
    "1F20 g26 k64 b0 p0 l0 d0 R|[FW] PanlConfig: AFVP_SETTINGS V7",
};

TEST(PanelRuleSets, Format9) {
  expectRuleSet(3, {
    "1F01 g11 k0 b0 p9 l0 d0 R|[FW] PanlConfig: EEPROM_FORMAT",
    "0013 g18 k2 b0 p0 l0 d0 R|[CONFIG] Projector Driver Name",
    "0000 g19 k52 b0 p0 l0 d0 R|[CONFIG] Input Selections Index",
    "0004 g20 k53 b0 p0 l0 d0 R|[CONFIG] Hidden Functions Index",
    "0012 g8 k60 b2 p0 l0 d0 R|[CONFIG] Use Advanced Relay",
    "0080 g34 k0 b0 p0 l0 d0 -|[CONFIG] Short Driver File Name",
    "0120 g33 k0 b0 p0 l0 d0 R|[CONFIG] TimeStamp",
    "0140 g35 k65 b0 p0 l0 d0 -|[CONFIG] Short Legend Table",
    "0180 g12 k65 b0 p0 l0 d0 R|[CONFIG] Legend Table",
    "0220 g12 k71 b0 p0 l0 d0 R|[CONFIG] Legend Fonts",
    "02C0 g12 k72 b0 p0 l0 d0 R|[CONFIG] Legend GIFs",
    "0400 g11 k0 b0 p1 l0 d0 -|[FW] ProjConfig: Format Number",
    "0401 g7 k21 b0 p0 l0 d0 -|[FW] ProjConfig: Polling Mask",
    "0402 g11 k0 b0 p1 l0 d0 -|[FW] ProjConfig: Revision Number",
    "0403 g8 k33 b0 p0 l0 d0 -|[FW] ProjConfig: PRJ_USE_MODULATION",
    "0403 g8 k34 b1 p0 l0 d0 -|[FW] ProjConfig: PRJ_INVERT_LINE_LEVEL",
    "0403 g8 k25 b2 p0 l0 d0 -|[FW] ProjConfig: PRJ_USE_ABSOLUTE_VOLUME",
    "0403 g8 k32 b3 p0 l0 d0 -|[FW] ProjConfig: PRJ_WATCH_FOR_REPLY",
    "0403 g9 k54 b4 p0 l0 d0 R Wired-Serial|[FW] ProjConfig: PRJ_WIRED_SERIAL_CONTROL",
    "0403 g8 k58 b5 p0 l0 d0 R|[FW] ProjConfig: PRJ_POWER_RESETS_VOL",
    "0403 g8 k67 b6 p0 l0 d0 R|[FW] ProjConfig: PRJ_IR_PASSTHROUGH",
    "0403 g8 k69 b7 p0 l0 d0 R|[FW] ProjConfig: PRJ_POWER_RESETS_SEL",
    "0404 g7 k14 b0 p0 l1 d0 -|[FW] ProjConfig: BYTES_TO_QUEUE",
    "0405 g13 k35 b0 p0 l1 d0 -|[FW] ProjConfig: SIR_PR2",
    "0406 g17 k36 b0 p0 l0 d0 -|[FW] ProjConfig: SIR_DC",
    "0407 g6 k11 b0 p0 l0 d0 -|[FW] ProjConfig: USART_BRGH & USART_SPBRG",
    "0407 g8 k73 b6 p0 l0 d0 R|[FW] ProjConfig: PRESS_AND_HOLD_OFF",
    "0409 g7 k26 b0 p0 l0 d0 -|[FW] ProjConfig: VOL_MUTE",
    "040A g7 k27 b0 p0 l1 d0 -|[FW] ProjConfig: VOL_RANGE",
    "040B g7 k28 b0 p0 l0 d0 -|[FW] ProjConfig: VOL_FLOOR",
    "040C g16 k30 b0 p0 l1 d0 -|[FW] ProjConfig: WARM_UP_DELAY",
    "040D g16 k31 b0 p0 l1 d0 -|[FW] ProjConfig: POWER_ON_DELAY",
    "040E g29 k29 b0 p0 l1 d0 -|[FW] ProjConfig: IO-DOWNTIME",
    "040F g15 k15 b0 p0 l1 d0 -|[FW] ProjConfig: PPOLL_INTERVAL",
    "0410 g15 k16 b0 p0 l1 d0 -|[FW] ProjConfig: PPOLL_TIMEOUT",
    "0411 g16 k24 b0 p0 l1 d0 -|[FW] ProjConfig: PPOLL_LOCKOUT",
    "0412 g8 k23 b0 p0 l0 d0 -|[FW] ProjConfig: PPC_POLL_DURING_LOCKOUT",
    "0412 g8 k22 b1 p0 l0 d0 -|[FW] ProjConfig: PPC_POLL_DURING_WARMUP",
    "0412 g8 k19 b2 p0 l0 d0 -|[FW] ProjConfig: PPC_ANY_RESP_MEANS_ON",
    "0412 g22 k55 b3 p0 l0 d0 R None|[FW] ProjConfig: PPC_VERIFY_PRJ_PWR",
    "0412 g9 k55 b4 p0 l0 d0 R RS232Poll|[FW] ProjConfig: PPC_POLL_FOR_PRJ_POWER",
    "0413 g7 k18 b0 p0 l1 d0 -|[FW] ProjConfig: PPOLL_BYTE_TO_TEST",
    "0414 g7 k17 b0 p0 l1 d0 -|[FW] ProjConfig: PPOLL_MISMATCH_THRESH",
    "0415 g21 k20 b0 p0 l0 d0 -|[FW] ProjConfig: PPOLL_MATCH_BYTES",
    "0000 g1 k7 b0 p0 l0 d0 -|[DTABLE] Logical 0 uptime",
    "0000 g1 k6 b0 p0 l0 d1 -|[DTABLE] Logical 0 downtime",
    "0000 g1 k9 b0 p0 l0 d2 -|[DTABLE] Logical 1 uptime",
    "0000 g1 k8 b0 p0 l0 d3 -|[DTABLE] Logical 1 downtime",
    "0430 g2 k12 b0 p0 l0 d0 -|[FW] CODE TABLE -----------------------------",
    "1F00 g11 k0 b0 p3 l0 d0 -|[FW] PanlConfig: CMD_SET_REVISION",
    "1F02 g8 k57 b0 p0 l0 d0 R|[FW] PanlConfig: CFG_ENABLE_AUX",
    "1F02 g8 k49 b1 p0 l0 d0 R|[FW] PanlConfig: CFG_NO_KEYPRESS_TIMEOUT",
    "1F02 g8 k66 b2 p0 l0 d0 R|[FW] PanlConfig: CFG_SHIFT_KEY_TOGGLE",
    "1F02 g8 k48 b3 p0 l0 d0 R|[FW] PanlConfig: CFG_PASSIVE_MODE",
    "1F02 g10 k63 b4 p0 l0 d0 R|[FW] PanlConfig: CFG_USE_AFVP_EQ",
    "1F02 g8 k62 b5 p0 l0 d0 R|[FW] PanlConfig: CFG_DEFEAT_AFVP_VOL",
    "1F02 g9 k56 b6 p0 l0 d0 R AuxAudio|[FW] PanlConfig: CFG_USE_CTS_FOR_AUX",
    "1F02 g9 k56 b7 p0 l0 d0 R Keylock|[FW] PanlConfig: CFG_USE_CTS_FOR_KEYLOCK",
    "1F03 g7 k59 b0 p0 l0 d0 R|[FW] PanlConfig: POWER_ON_VOL",
    "1F04 g7 k37 b0 p0 l1 d0 -|[FW] PanlConfig: PROJ_NOT_RESP_THRESHOLD",
    "1F05 g7 k68 b0 p0 l0 d0 R|[FW] PanlConfig: POWER_ON_SEL",
    "1F06 g14 k50 b0 p0 l1 d0 R|[FW] PanlConfig: NO_KEYPRESS_TIMEOUT",
    "1F07 g16 k51 b0 p0 l1 d0 R|[FW] PanlConfig: LOCKOUT_TIMEOUT",
    "1F08 g3 k61 b0 p0 l0 d0 R|[FW] PanlConfig: RELAY_SETTINGS V9",
    "1F20 g4 k64 b0 p0 l0 d0 R|[FW] PanlConfig: AFVP_SETTINGS V9",
  });
}

TEST(PanelRuleSets, Format7AndFormat8WithItsThreeDifferences) {
  expectRuleSet(1, kFormat7);
  std::vector<std::string> format8 = kFormat7;
  format8[0] = "1F01 g11 k0 b0 p8 l0 d0 R|[FW] PanlConfig: EEPROM_FORMAT";
  format8.insert(format8.begin() + 3, "0012 g8 k60 b2 p0 l0 d0 R|[CONFIG] Use Advanced Relay");
  ASSERT_EQ(format8[48], "1F08 g24 k61 b0 p0 l0 d0 R|[FW] PanlConfig: RELAY_SETTINGS V7");
  format8[48] = "1F08 g36 k61 b0 p0 l0 d0 R|[FW] PanlConfig: RELAY_SETTINGS V8";
  expectRuleSet(2, format8);
}

TEST(PanelRuleSets, SetsAndPositionsOutsideTheirRangeRaiseSubscriptErrors) {
  PanelSettingsV2 settings;
  for (auto [set, pos] : {std::pair(0, 1), {4, 1}, {1, 0}, {1, 50}, {2, 51}, {3, 66}}) {
    try {
      (void)settings.memRules(int16_t(set)).item(int16_t(pos));
      ADD_FAILURE() << "set " << set << " rule " << pos;
    } catch (const VbError& e) {
      EXPECT_EQ(e.number(), 9);
    }
  }
}

}  // namespace
