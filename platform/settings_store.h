// SettingsStore: the per-user settings, named values under an application and a section.
//
// The real store is an INI file per application, $XDG_CONFIG_HOME/<application>/settings.ini
// (see xdg_dirs.h), one "[section]" per settings section and one "key=value" line per value,
// lines ending in CR LF. Section and key names match ignoring ASCII letter case; values are
// kept byte for byte. Every save rewrites the file through a temporary file in the same
// folder and a rename, so a failed save leaves the old file whole. Reading never fails: a
// missing file, section or key reads as the default value.
#pragma once

#include <functional>
#include <string>

namespace platform {

class SettingsStore {
 public:
  virtual ~SettingsStore() = default;
  virtual std::string getSetting(const std::string& app, const std::string& section,
                                 const std::string& key, const std::string& defaultValue = "") = 0;
  // False when the value could not be stored: the file could not be written, or a name or
  // the value holds a line break (or the key an "=") that the file cannot keep.
  virtual bool saveSetting(const std::string& app, const std::string& section,
                           const std::string& key, const std::string& value) = 0;
};

class IniSettingsStore : public SettingsStore {
 public:
  std::string getSetting(const std::string& app, const std::string& section,
                         const std::string& key, const std::string& defaultValue = "") override;
  bool saveSetting(const std::string& app, const std::string& section, const std::string& key,
                   const std::string& value) override;
  // The file that holds the application's settings.
  static std::string fileOf(const std::string& app);
};

// Returns the provider it replaces. An empty provider restores the INI store.
std::function<SettingsStore&()> installSettingsStore(std::function<SettingsStore&()> provider);
SettingsStore& currentSettingsStore();

}  // namespace platform
