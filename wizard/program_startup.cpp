#include "wizard/program_startup.h"

#include "common/startup_globals.h"
#include "platform/settings_store.h"

namespace {

// The settings store with the default directory replaced for this run.
class LibraryForThisRun : public platform::SettingsStore {
 public:
  LibraryForThisRun(platform::SettingsStore& stored, std::string dir)
      : stored_(stored), dir_(std::move(dir)) {}

  std::string getSetting(const std::string& app, const std::string& section, const std::string& key,
                         const std::string& defaultValue) override {
    if (isDefaultDirectory(app, section, key)) return dir_;
    return stored_.getSetting(app, section, key, defaultValue);
  }
  bool saveSetting(const std::string& app, const std::string& section, const std::string& key,
                   const std::string& value) override {
    if (isDefaultDirectory(app, section, key)) return true;
    return stored_.saveSetting(app, section, key, value);
  }

 private:
  static bool isDefaultDirectory(const std::string& app, const std::string& section,
                                 const std::string& key) {
    return app == VXCommon::kSettingsApp && section == VXCommon::kSettingsSection &&
           key == "DefaultDirectory";
  }
  platform::SettingsStore& stored_;
  std::string dir_;
};

}  // namespace

void programStartup(const std::string& libraryDir) {
  auto& store = platform::currentSettingsStore();
  VXCommon::gUpdateServer =
      store.getSetting(VXCommon::kSettingsApp, VXCommon::kSettingsSection, "UpdateURL", kDefaultUpdateServer);
  if (libraryDir.empty()) {
    VXCommon::initGlobals();
    return;
  }
  LibraryForThisRun overlay(store, libraryDir);
  auto previous = platform::installSettingsStore([&overlay]() -> platform::SettingsStore& { return overlay; });
  VXCommon::initGlobals();
  platform::installSettingsStore(std::move(previous));
}
