// Building the panel image: the walk over one rule set, the choice of each rule's grammar, the
// listing in the memory debug window and the decision to hand the image over.
#include <algorithm>
#include <exception>
#include <memory>
#include <string>

#include "common/text_helpers.h"
#include "common/time_codes.h"
#include "common/vb_error.h"
#include "panel/image/image_encoder.h"
#include "panel/image/room_setting_fields.h"
#include "panel/model/memory_grammar.h"
#include "panel/model/room_slot_values.h"
#include "panel/model/time_ticks.h"
#include "wizard/mem_debug_form.h"

namespace {

constexpr int16_t kByteMax = 255;

}  // namespace

std::shared_ptr<memBlockCls> PanelSettingsV2::makeMemoryMap(
    int16_t& version, int16_t fwMajor, int16_t fwMinor, std::vector<ImageBuildError>* errors) const {
  auto image = std::make_shared<memBlockCls>();
  image->Clear(kPanelImageSize, devicePanel);
  image->memDebug(memDbgInfo, "-------------- Writing to EEPROM -----------------");
  std::vector<ImageBuildError> records;
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
    records = encoder.takeErrors();
  }
  const std::vector<std::string>& texts = image->memDebugErrorTexts();
  for (size_t i = records.size(); i < texts.size(); ++i) {
    records.emplace_back();
    records.back().text = texts[i];
  }
  if (errors) *errors = std::move(records);

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
  // A keyword with subscripts is a list of settings: its grammar names the one it writes.
  const bool wholeSlot = row > 0 && row <= kKeywordCount && owner_.keywordTable(row).subscriptKind == subNone;
  owe(wholeSlot ? row : int16_t(0));
  try {
    applyGrammar();
  } catch (const std::exception& e) {
    // A value that no conversion above foresaw: the image must not leave with it.
    image_.memDebug(memDbgError, std::string("Program Error - ") + e.what());
  }
  owe(0);
  image_.memDebug(memDbgBlank, "");
}

void PanelSettingsV2::ImageEncoder::owe(int16_t row, const Variant& entry) {
  recordErrors();
  owedRow_ = row;
  owedEntry_ = entry;
}

void PanelSettingsV2::ImageEncoder::recordErrors() {
  const std::vector<std::string>& texts = image_.memDebugErrorTexts();
  for (; recordedErrors_ < texts.size(); ++recordedErrors_) {
    ImageBuildError& error = errors_.emplace_back();
    error.text = texts[recordedErrors_];
    if (owedRow_ == 0 || !rule_) continue;
    error.remark = rule_->memoryValRemark;
    error.row = owedRow_;
    error.entry = owedEntry_;
    error.largest = largest_;
    error.textLength = textLength_;
  }
}

std::vector<ImageBuildError> PanelSettingsV2::ImageEncoder::takeErrors() {
  recordErrors();
  return std::move(errors_);
}

void PanelSettingsV2::ImageEncoder::pokeCount(int16_t count, int32_t address, const Decimal& step,
                                              const Decimal& divisor) {
  if (count <= kByteMax) return image_.pokeByte(count, address, rule_->memLowBound);
  // 255 steps, written as the keyword's values are (whole numbers cut down, so that they fit).
  const Decimal largest = Decimal(kByteMax) * step / divisor;
  const int16_t row = rule_->memoryValIndex;
  const int16_t type = row > 0 && row <= kKeywordCount ? owner_.keywordTable(row).valueType : int16_t(0);
  recordErrors();
  largest_ = type == valTime       ? VXCommon::formatMicroseconds(largest)
             : type == valCodeName ? "position " + largest.truncate().toString()
                                   : largest.truncate().toString();
  image_.pokeByte(count, address, rule_->memLowBound);
  recordErrors();
  largest_.clear();
}

int32_t PanelSettingsV2::ImageEncoder::pokeLengthPrefixed(const std::string& text, int32_t address) {
  // The length is one byte: pokeLString refuses a longer text, and its line says only where.
  if (text.size() <= size_t(kByteMax)) return image_.pokeLString(text, address);
  recordErrors();
  largest_ = std::to_string(kByteMax);
  textLength_ = int32_t(text.size());
  const int32_t next = image_.pokeLString(text, address);
  recordErrors();
  largest_.clear();
  textLength_ = 0;
  return next;
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
    // Format 9 writes the inputs the room numbers, up to the five its field has room for; an
    // input past them is not written over the bytes that follow.
    case gramAfvp:
      return encodePreamp(
          RoomSlotValues::numberedPairs(values_, RoomSettingFields::kFormat9AudioInputs)->count());
    case gramAfvp4: return encodePreamp(RoomSettingFields::kFixedAudioInputs);
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
  // Each of these lines names its field; no one setting led to it.
  owe(0);
  const std::string bytes = image_.memImage();
  for (const TextField& field : textFields_) {
    if (bytes.compare(size_t(field.start), field.bytes.size(), field.bytes) == 0) continue;
    const int32_t last = field.start + int32_t(field.bytes.size()) - 1;
    image_.memDebug(memDbgError, field.remark + " - field $" + VXCommon::hex4Str(field.start) +
                                     "-$" + VXCommon::hex4Str(last) +
                                     " overwritten by a later rule");
  }
}
