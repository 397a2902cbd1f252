// The driver checker's frame: the format statement, the order of the steps, the firmware
// requirement, the summary lines and the load error passed back.
#include <optional>
#include <string>

#include "common/decimal.h"
#include "common/device_globals.h"
#include "panel/check/driver_checker.h"

namespace {

// A stored number (decimal text or a number); no value when absent or not a number.
std::optional<Decimal> numberOf(const Variant& value) {
  return value.isEmpty() ? std::nullopt : value.tryToDecimal();
}

// A count as the summary writes it: one blank before a number that is not negative.
std::string countText(int16_t count) {
  return (count >= 0 ? " " : "") + std::to_string(count);
}

}  // namespace

void PanelSettingsV2::IsDriverValid(int16_t& result) {
  result = DriverChecker(*this).run();
}

int16_t PanelSettingsV2::DriverChecker::run() {
  if (!formatIsKnown()) return kLoadDriverFormatUnknown;

  defaultPollingLockout();
  defaultPreampSettings();
  completePowerSenseOptions();
  defaultChosenOptions();
  defaultRelays();
  copyDefaultFunctions();
  defaultProjectorLockout();
  applyTableDefaults();

  checkMandatoryKeywords();
  checkRelayEvents();
  checkFunctionNames();
  checkContinuations();
  warnDeprecatedCodes();
  checkCoreFunctions();
  addMissingFunctionFlags();
  checkWarmUpDelay();
  int16_t result = firmwareTooOld() ? kLoadFirmwareTooOld : kLoadOk;

  logSummary();
  // A firmware failure outranks the parse errors.
  if (result == kLoadOk && owner_.parseErrors() > 0) result = kLoadDriverParseError;
  return result;
}

bool PanelSettingsV2::DriverChecker::formatIsKnown() {
  const KeyValuePtr& format = slot(kwProjFileFmt);
  if (!format) {
    logError("Can't find Driver file format statement.  ABORT.");
    return false;
  }
  // An absent or unreadable value counts as 0, which no format has.
  Decimal version = numberOf(format->ItemVal(1)).value_or(Decimal(0));
  if (version < Decimal(1) || version > Decimal(2)) {
    logError("Driver format is unrecognized. ABORT.");
    return false;
  }
  return true;
}

bool PanelSettingsV2::DriverChecker::firmwareTooOld() {
  const KeyValuePtr& required = slot(kwRequiresFwVersion);
  if (!required) return false;
  // An absent part counts as 0.
  Decimal major = numberOf(required->ItemVal(1)).value_or(Decimal(0));
  Decimal minor = numberOf(required->ItemVal(2)).value_or(Decimal(0));
  Decimal panelMajor(VXCommon::gPanelFwMajor);
  Decimal panelMinor(VXCommon::gPanelFwMinor);
  if (major > panelMajor || (major == panelMajor && minor > panelMinor)) {
    logError("Firmware upgrade required for this driver");
    return true;
  }
  return false;
}

void PanelSettingsV2::DriverChecker::logSummary() {
  owner_.logParse(plIndent, "");
  owner_.logParse(plIndent, "Parse complete.");
  owner_.logParse(plIndent, "   " + countText(owner_.parseErrors()) + " errors.");
  owner_.logParse(plIndent, "   " + countText(owner_.parseWarnings()) + " warnings.");
}
