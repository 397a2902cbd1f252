#include "platform/settings_store.h"

#include <vector>

#include "platform/ascii_case.h"
#include "platform/fs_util.h"
#include "platform/service_slot.h"
#include "platform/xdg_dirs.h"

namespace platform {
namespace {

std::string trimBlanks(const std::string& s) {
  size_t first = s.find_first_not_of(" \t");
  if (first == std::string::npos) return "";
  size_t last = s.find_last_not_of(" \t");
  return s.substr(first, last - first + 1);
}

bool holdsLineBreak(const std::string& s) { return s.find_first_of("\r\n") != std::string::npos; }

// The file split into lines without their CR LF or LF ends.
std::vector<std::string> splitLines(const std::string& bytes) {
  std::vector<std::string> lines;
  size_t start = 0;
  while (start < bytes.size()) {
    size_t end = bytes.find('\n', start);
    if (end == std::string::npos) end = bytes.size();
    std::string line = bytes.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(std::move(line));
    start = end + 1;
  }
  return lines;
}

// "[name]" gives name; any other line gives nothing.
bool sectionHeader(const std::string& line, std::string& name) {
  std::string t = trimBlanks(line);
  if (t.size() < 2 || t.front() != '[' || t.back() != ']') return false;
  name = trimBlanks(t.substr(1, t.size() - 2));
  return true;
}

// "key=value" gives both; comments and other lines give nothing.
bool keyLine(const std::string& line, std::string& key, std::string& value) {
  std::string t = trimBlanks(line);
  if (t.empty() || t[0] == ';' || t[0] == '#' || t[0] == '[') return false;
  size_t eq = line.find('=');
  if (eq == std::string::npos) return false;
  key = trimBlanks(line.substr(0, eq));
  value = line.substr(eq + 1);
  return true;
}

ServiceSlot<SettingsStore, IniSettingsStore>& slot() {
  static ServiceSlot<SettingsStore, IniSettingsStore> s;
  return s;
}

}  // namespace

std::string IniSettingsStore::fileOf(const std::string& app) {
  return configHome() + "/" + app + "/settings.ini";
}

std::string IniSettingsStore::getSetting(const std::string& app, const std::string& section,
                                         const std::string& key, const std::string& defaultValue) {
  auto bytes = readWholeFile(fileOf(app));
  if (!bytes) return defaultValue;
  bool inSection = false;
  for (const std::string& line : splitLines(*bytes)) {
    std::string name, k, v;
    if (sectionHeader(line, name)) inSection = ascii::sameIgnoringCase(name, section);
    else if (inSection && keyLine(line, k, v) && ascii::sameIgnoringCase(k, key)) return v;
  }
  return defaultValue;
}

bool IniSettingsStore::saveSetting(const std::string& app, const std::string& section,
                                   const std::string& key, const std::string& value) {
  if (app.empty() || app.find('/') != std::string::npos || section.empty() || key.empty())
    return false;
  if (holdsLineBreak(section) || section.find(']') != std::string::npos ||
      holdsLineBreak(key) || key.find('=') != std::string::npos ||
      trimBlanks(key) != key || key[0] == ';' || key[0] == '#' || key[0] == '[' ||
      holdsLineBreak(value))
    return false;

  std::string path = fileOf(app);
  if (!makeDirs(configHome() + "/" + app)) return false;
  std::vector<std::string> lines;
  if (auto bytes = readWholeFile(path)) lines = splitLines(*bytes);

  const std::string newLine = key + "=" + value;
  bool inSection = false, stored = false;
  size_t insertAt = std::string::npos;  // after the last line of the wanted section
  for (size_t i = 0; i < lines.size() && !stored; ++i) {
    std::string name, k, v;
    if (sectionHeader(lines[i], name)) {
      inSection = ascii::sameIgnoringCase(name, section);
      if (inSection) insertAt = i + 1;
    } else if (inSection) {
      if (keyLine(lines[i], k, v) && ascii::sameIgnoringCase(k, key)) {
        lines[i] = newLine;
        stored = true;
      } else if (!trimBlanks(lines[i]).empty()) {
        insertAt = i + 1;
      }
    }
  }
  if (!stored) {
    if (insertAt == std::string::npos) {
      if (!lines.empty() && !trimBlanks(lines.back()).empty()) lines.push_back("");
      lines.push_back("[" + section + "]");
      lines.push_back(newLine);
    } else {
      lines.insert(lines.begin() + long(insertAt), newLine);
    }
  }

  std::string bytes;
  for (const std::string& line : lines) bytes += line + "\r\n";
  return replaceFile(path, bytes);
}

std::function<SettingsStore&()> installSettingsStore(std::function<SettingsStore&()> provider) {
  return slot().install(std::move(provider));
}

SettingsStore& currentSettingsStore() { return slot().current(); }

}  // namespace platform
