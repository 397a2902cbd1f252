// Building the panel image: the walk over one rule set, the choice of each rule's grammar, the
// listing in the memory debug window and the decision to hand the image over.
#include <exception>
#include <memory>
#include <string>

#include "common/text_helpers.h"
#include "common/vb_error.h"
#include "panel/image/image_encoder.h"
#include "panel/model/memory_grammar.h"
#include "panel/model/room_slot_values.h"
#include "panel/model/time_ticks.h"
#include "wizard/mem_debug_form.h"

std::shared_ptr<memBlockCls> PanelSettingsV2::makeMemoryMap(int16_t& version, int16_t fwMajor,
                                                            int16_t fwMinor) const {
  auto image = std::make_shared<memBlockCls>();
  image->Clear(kPanelImageSize, devicePanel);
  image->memDebug(memDbgInfo, "-------------- Writing to EEPROM -----------------");
  if (version < 1 || version > kRuleSetCount) {
    image->memDebug(memDbgError, "Program Error - no memory rules for version " +
                                     std::to_string(version));
  } else {
    const MemRuleSet& rules = memRules(version);
    ImageEncoder encoder(*this, rules, *image, fwMajor, fwMinor);
    // Each byte remembers the rule that wrote it, by its position in the set.
    for (int16_t pos = 1; pos <= rules.count(); ++pos) {
      image->writerTag(pos);
      encoder.applyRule(rules.item(pos));
    }
    image->writerTag(0);
    encoder.checkTextFields();
  }

  MemDebugForm& window = MemDebugForm::instance();
  window.appendListing(image->memDebugListing(true));
  if (image->memDebugErrors() > 0) {
    window.Show();
    return nullptr;
  }
  return image;
}

PanelSettingsV2::ImageEncoder::ImageEncoder(const PanelSettingsV2& owner, const MemRuleSet& rules,
                                            memBlockCls& image, int16_t fwMajor, int16_t fwMinor)
    : owner_(owner), rules_(rules), image_(image), fwMajor_(fwMajor), fwMinor_(fwMinor) {}

void PanelSettingsV2::ImageEncoder::applyRule(const memRuleClass& rule) {
  rule_ = &rule;
  values_ = nullptr;
  image_.memDebug(memDbgInfo, rule.memoryValRemark);
  const int16_t row = rule.memoryValIndex;
  if (row > 0) {
    if (row <= kKeywordCount) values_ = owner_.kv(row);
    image_.memDebug(memDbgInfo, "          from: '" + keywordName(row) + "'");
  }
  try {
    applyGrammar();
  } catch (const std::exception& e) {
    // A value that no conversion above foresaw: the image must not leave with it.
    image_.memDebug(memDbgError, std::string("Program Error - ") + e.what());
  }
  image_.memDebug(memDbgBlank, "");
}

std::string PanelSettingsV2::ImageEncoder::keywordName(int16_t row) const {
  return row > 0 && row <= kKeywordCount ? owner_.keywordTable(row).keyword : "";
}

void PanelSettingsV2::ImageEncoder::applyGrammar() {
  switch (rule_->memoryGrammar) {
    case gramDelaySlot: return encodeDelaySlot();
    case gramCodeTable:
    case gramCodeTableV7: return encodeCodeTable();
    case gramRelaysV9:
    case gramRelaysV7:
    case gramRelaysV8: return encodeRelays(rule_->memoryGrammar);
    case gramAfvp: return encodePreamp(values_ ? values_->count() : 0);
    case gramAfvp4: return encodePreamp(4);
    case gramLString:
      if (haveValues())
        encodeLString(RoomSlotValues::asText(value(1)), "'" + keywordName(rule_->memoryValIndex) + "'");
      return;
    case gramBaud: return encodeBaud();
    case gramByte: return encodeByte();
    case gramBit: return encodeBit(false);
    case gramNotBit: return encodeBit(true);
    case gramFlagBit: return encodeFlagBit(false);
    case gramNotFlagBit: return encodeFlagBit(true);
    case gramSetBit: return encodeSetBit();
    case gramConstByte: return encodeConstByte();
    case gramConstWord: return encodeConstWord();
    case gramLegendTable: return encodeLegendTable();
    case gramTimeTick200ns:
    case gramTimeTick120s:
    case gramTimeTick470ms:
    case gramTimeTick1880ms:
    case gramTimeTick29ms: return encodeTime(*TimeTicks::ofGrammar(rule_->memoryGrammar));
    case gramDutyCycle: return encodeDutyCycle();
    case gramDriverName: return encodeDriverName();
    case gramSelIndex: return encodeIndexes(false, false);
    case gramHidIndex: return encodeIndexes(true, false);
    case gramSelIndex0: return encodeIndexes(false, true);
    case gramHidIndex0: return encodeIndexes(true, true);
    case gramCoreIndex: return encodeCoreIndexes();
    case gramMatchBytes: return encodeMatchBytes();
    case gramRoomFileName: return encodeLString(owner_.roomFileName(), "the room file name");
    case gramTimeStamp: return encodeTimeStamp();
    case gramShortDriverName: return encodeShortDriverName();
    case gramShortLegends: return encodeShortLegends();
    default:
      image_.memDebug(memDbgError, "Program Error - unclassified memory rule");
  }
}

void PanelSettingsV2::ImageEncoder::checkTextFields() {
  const std::string bytes = image_.memImage();
  for (const TextField& field : textFields_) {
    if (bytes.compare(size_t(field.start), field.bytes.size(), field.bytes) == 0) continue;
    const int32_t last = field.start + int32_t(field.bytes.size()) - 1;
    image_.memDebug(memDbgError, field.remark + " - field $" + VXCommon::hex4Str(field.start) +
                                     "-$" + VXCommon::hex4Str(last) +
                                     " overwritten by a later rule");
  }
}
