// PanelSettingsV2::DriverChecker: the work of one IsDriverValid call, private to the panel
// settings model.
//
// The check runs over what the reader left in the value slots, in a fixed order:
//   1. the format statement (a missing or unknown PROJ-FILE-FMT ends the check at once);
//   2-11. defaults that complete the room (driver_checker_defaults.cpp);
//   12-19. checks of completeness and consistency (driver_checker_checks.cpp): besides the
//      mandatory keywords, a room file must name its driver, and each relay a panel has
//      needs an event as well as a duration;
//   20-21. the four summary lines and the load error.
// It only fills empty slots and adds pairs (a list of defaults, a flag on a code entry, the
// relays and audio inputs a room leaves out, which then stand in number order); it never
// removes a pair. Every finding is a line of the parse log; nothing is raised.
#pragma once

#include <cstdint>
#include <string>

#include "panel/panel_settings.h"

class PanelSettingsV2::DriverChecker {
 public:
  // Load errors the check passes back.
  static constexpr int16_t kLoadOk = 0;
  static constexpr int16_t kLoadDriverParseError = 2;
  static constexpr int16_t kLoadFirmwareTooOld = 5;
  static constexpr int16_t kLoadDriverFormatUnknown = 10;

  explicit DriverChecker(PanelSettingsV2& owner) : owner_(owner) {}

  // Runs every step and gives the load error.
  int16_t run();

 private:
  // ---- Format statement.
  bool formatIsKnown();

  // ---- Defaults (driver_checker_defaults.cpp).
  void defaultPollingLockout();
  void defaultPreampSettings();
  void completePowerSenseOptions();
  void defaultChosenOptions();
  void defaultRelays();
  void copyDefaultFunctions();
  void defaultProjectorLockout();
  void applyTableDefaults();

  // ---- Checks (driver_checker_checks.cpp).
  void checkMandatoryKeywords();
  void checkRelayEvents();
  void checkFunctionNames();
  void checkContinuations();
  void warnDeprecatedCodes();
  void checkCoreFunctions();
  void addMissingFunctionFlags();
  void checkWarmUpDelay();
  bool firmwareTooOld();
  void logSummary();

  // ---- Helpers.
  KeyValuePtr& slot(int16_t row) { return owner_.kv(row); }
  const std::string& keyword(int16_t row) const { return owner_.keywordTable(row).keyword; }
  void logError(const std::string& text) { owner_.logParse(plError, text); }
  void logWarning(const std::string& text) { owner_.logParse(plWarning, text); }
  void logInfo(const std::string& text) { owner_.logParse(plInfo, text); }

  PanelSettingsV2& owner_;
  // Whether any code of the table asks for the deprecated repeat, prefix or suffix codes.
  bool usesRepeat_ = false;
  bool usesPrefix_ = false;
  bool usesSuffix_ = false;
};
