#include "wizard/cli/globals_options.h"

#include <cstdint>
#include <optional>

#include "common/device_globals.h"

namespace cli {
namespace {

// "MAJ.MIN" with each part 0..255.
std::optional<std::pair<int16_t, int16_t>> parseVersion(const std::string& text) {
  size_t dot = text.find('.');
  if (dot == std::string::npos || dot == 0 || dot + 1 >= text.size()) return std::nullopt;
  auto part = [](const std::string& s) -> std::optional<int16_t> {
    if (s.empty() || s.size() > 3) return std::nullopt;
    int v = 0;
    for (char c : s) {
      if (c < '0' || c > '9') return std::nullopt;
      v = v * 10 + (c - '0');
    }
    if (v > 255) return std::nullopt;
    return int16_t(v);
  };
  auto major = part(text.substr(0, dot));
  auto minor = part(text.substr(dot + 1));
  if (!major || !minor) return std::nullopt;
  return std::make_pair(*major, *minor);
}

}  // namespace

void applyGlobalOptions(const std::vector<std::string>& pairs, GlobalOptions& globals) {
  for (size_t i = 0; i + 1 < pairs.size(); i += 2) {
    const std::string& option = pairs[i];
    const std::string& value = pairs[i + 1];
    if (option == "--library") {
      globals.library = value;
    } else if (option == "--fw" || option == "--mem") {
      auto version = parseVersion(value);
      if (!version) throw UsageError{option + " expects MAJ.MIN, got '" + value + "'"};
      if (option == "--fw") {
        VXCommon::gPanelFwMajor = version->first;
        VXCommon::gPanelFwMinor = version->second;
      } else {
        VXCommon::gPanelFmtMajor = version->first;
        VXCommon::gPanelFmtMinor = version->second;
      }
    } else {
      throw UsageError{"unknown option '" + option + "'"};
    }
  }
}

}  // namespace cli
