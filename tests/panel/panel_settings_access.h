// Test access to the private state of PanelSettingsV2: the parse log, the value slots and the
// fields that only later members (room-file reader, factory defaults) set. Shared by every
// panel test; add a static function here when a test needs another private member.
#pragma once

#include <string>

#include "panel/panel_settings.h"

class PanelSettingsTestAccess {
 public:
  static void logParse(PanelSettingsV2& settings, ParseLogKind kind, const std::string& text) {
    settings.logParse(kind, text);
  }
  static KeyValuePtr& slot(PanelSettingsV2& settings, int16_t row) { return settings.kv(row); }
  static void roomFileName(PanelSettingsV2& settings, const std::string& name) {
    settings.roomFileName_ = name;
  }
  static void loadingDefaults(PanelSettingsV2& settings, bool value) {
    settings.loadingDefaults_ = value;
  }
  static PrjTranslatorState& translator(PanelSettingsV2& settings) { return settings.translator_; }

  // Statement parser and driver-file lexer.
  static int16_t findKeyword(const PanelSettingsV2& settings, const std::string& key,
                             bool allowAlias) {
    int16_t row = -1;
    settings.findKeyword(key, allowAlias, row);
    return row;
  }
  static void parseStatement(PanelSettingsV2& settings, TypeValueList& tokens,
                             bool allowDuplicates) {
    settings.parseStatement(tokens, allowDuplicates);
  }
  static bool lexDriverFile(PanelSettingsV2& settings, const std::string& fileName) {
    return settings.lexDriverFile(fileName);
  }

  // Older-format driver reader.
  static bool readPrjFile(PanelSettingsV2& settings, const std::string& fileName) {
    return settings.readPrjFile(fileName);
  }
  static void translatePrjRecord(PanelSettingsV2& settings, TypeValueList& record) {
    settings.translatePrjRecord(record);
  }
  static std::string tokensToText(const TypeValueList& tokens) {
    return PanelSettingsV2::tokensToText(tokens);
  }

  // Relay, serial-line and pre-amplifier forms of the panel image.
  static constexpr auto encodeRelayByte = &PanelSettingsV2::encodeRelayByte;
  static constexpr auto encodeRelayByteBasic = &PanelSettingsV2::encodeRelayByteBasic;
  static constexpr auto decodeRelayByte = &PanelSettingsV2::decodeRelayByte;
  static constexpr auto decodeRelayByteBasic = &PanelSettingsV2::decodeRelayByteBasic;
  static constexpr auto encodeRelayBitsV7 = &PanelSettingsV2::encodeRelayBitsV7;
  static constexpr auto decodeRelayBitsV7 = &PanelSettingsV2::decodeRelayBitsV7;
  static constexpr auto computeBaudDivisor = &PanelSettingsV2::computeBaudDivisor;
  static constexpr auto encodeAfvpInput = &PanelSettingsV2::encodeAfvpInput;
  static constexpr auto decodeAfvpInput = &PanelSettingsV2::decodeAfvpInput;

  // Panel image encoder: carries out single rules.
  using ImageEncoder = PanelSettingsV2::ImageEncoder;
};
