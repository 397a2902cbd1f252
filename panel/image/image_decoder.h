// PanelSettingsV2::ImageDecoder: the work of one decodeMemoryMap call, private to the panel
// settings model.
//
// The decoder reads a fresh 8192-byte panel image whose blocks are fetched on first read:
//   1. the memory format, the byte at 0x1F01 compared with the first rule of each rule set;
//   2. the rules of that set marked for read-back, from the second on, in order
//      (image_decoder.cpp walks them, image_decoder_fields.cpp reads each
//      encoding); the walk stops after the rule during which a block could not be read, and
//      at a driver that is missing or does not check;
//   3. the option words whose bits were read, each settled to one word;
//   4. the listing appended to the memory debug window and the LoadError.
// Addresses read from the panel (pointers, index words) are followed only inside the image.
// Every value stored is one that a room file can give again and that builds again: a value
// outside its keyword's range or word list, a relay byte that gives no event, a legend text
// that holds a double quote or a line end, or one that would leave its table's texts too long
// for the table's field, is logged as a warning and the setting keeps what the re-read driver
// and the checker's defaults gave it.
// Selection keys and hidden functions are positions in the lists of the codes that the
// panel's packed code table flags, which hold the flags the room's check added to the
// driver's: the driver's codes take those flags, and each key takes the code at its position.
// A position that names no code of the driver (a damaged table, a code the driver lacks, a
// position past the list) is a warning, and the key gets no code.
// Nothing is raised; every finding is a line of the image's log.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "common/memory_image.h"
#include "common/memory_rule.h"
#include "common/variant.h"
#include "panel/image/code_table/packed_code_flags.h"
#include "panel/image/room_setting_fields.h"
#include "panel/panel_settings.h"

class PanelSettingsV2::ImageDecoder {
 public:
  // Bytes of a selection index and of a hidden-function index.
  static constexpr int16_t kSelectionKeys = RoomSettingFields::kSelectionKeys;
  static constexpr int16_t kHiddenFunctionKeys = RoomSettingFields::kHiddenFunctionKeys;

  // `ownDriver`, when given, is the driver's text as a room file writes it, read in place of
  // the library's driver of the name the panel holds.
  ImageDecoder(PanelSettingsV2& owner, const std::string* ownDriver) : owner_(owner), ownDriver_(ownDriver) {}

  // Decodes the panel; version is set as decodeMemoryMap describes. Gives the LoadError.
  int16_t run(int16_t& version);

 private:
  // What the walk does after a rule.
  enum class Walk { Next, Stop };

  // ---- Steps (image_decoder.cpp).
  // The rule set (1..3) whose format byte the panel holds; 0 when none.
  int16_t detectFormat();
  void walkRules(const MemRuleSet& rules);
  Walk decodeRule(const memRuleClass& rule, bool rewrittenLater);
  Walk reloadDriver(const memRuleClass& rule);
  void settleOptionWords();
  void finish();

  // ---- Encodings (image_decoder_fields.cpp).
  void readValue(const memRuleClass& rule);
  void readTime(const memRuleClass& rule);
  void readRelays(const memRuleClass& rule);
  void readPreamp(const memRuleClass& rule);
  void readLegendTable(const memRuleClass& rule);
  void readChoices(const memRuleClass& rule);
  // The codes and flags of the panel's packed code table, read at the first call; the decoded
  // driver's codes take the panel's flags.
  const PackedCodeFlags& panelCodeFlags();
  void readOptionBit(const memRuleClass& rule);
  void readCodeTableIndex(const memRuleClass& rule);
  // Reads the bytes of an encoding that takes no value, so that their blocks are listed.
  void readUnused(const memRuleClass& rule);

  // ---- Helpers.
  void log(int16_t kind, const std::string& text) { image_.memDebug(kind, text); }
  const std::string& keyword(int16_t row) const { return owner_.keywordTable(row).keyword; }
  // The warning that a value read from the panel is not stored: the room file could not give
  // it again. `kept` is what the setting keeps.
  void logRefused(const std::string& name, const std::string& value, const std::string& kept);
  // Value 1 of the target slot becomes `value`. A slot without a first pair keeps what it
  // holds; a slot that does not exist yet is created in the parser's layout. A value outside
  // the keyword's range or word list is refused with a warning.
  void setTargetValue(const Variant& value);

  // The words still possible for one option keyword stored as one bit per word.
  struct OptionWords {
    int16_t row;
    Variant words;  // 1-based list of texts
  };
  OptionWords& optionWordsOf(int16_t row);

  PanelSettingsV2& owner_;
  const std::string* ownDriver_;
  const MemRuleSet* rules_ = nullptr;  // the set being walked
  memBlockCls image_;
  int16_t result_ = 0;
  int16_t targetRow_ = 0;  // the slot of the last rule that named a keyword
  std::vector<OptionWords> optionWords_;  // in order of first appearance
  std::optional<PackedCodeFlags> panelCodes_;
};
