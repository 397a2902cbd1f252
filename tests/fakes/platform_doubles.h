// Test doubles of the POSIX layer. Each one installs itself as the current service when it is
// created and puts the real service back when it is destroyed, so a test declares the doubles
// it needs as locals.
//
// ScriptedMessageBoxes answers from a script and records every box shown; once the script is
// used up it answers as an unattended run does (OK for an OK box, Cancel for OK/Cancel).
// FakeDirectoryLister lists the real file system but fails the next calls with scripted
// errors, and records every pattern asked for. The shell opener and the event log record.
#pragma once

#include <cstdint>
#include <deque>
#include <string>
#include <vector>

#include "platform/directory_listing.h"
#include "platform/event_log.h"
#include "platform/message_box.h"
#include "platform/shell_opener.h"

struct ShownBox {
  std::string text;
  platform::MsgButtons buttons;
  platform::MsgIcon icon;
};

class ScriptedMessageBoxes : public platform::MessageBoxes {
 public:
  ScriptedMessageBoxes();
  ~ScriptedMessageBoxes() override;
  void script(std::vector<platform::MsgAnswer> answers);
  platform::MsgAnswer show(const std::string& text, platform::MsgButtons buttons,
                           platform::MsgIcon icon) override;
  std::vector<ShownBox> shown;

 private:
  std::deque<platform::MsgAnswer> answers_;
};

class FakeDirectoryLister : public platform::DirectoryLister {
 public:
  FakeDirectoryLister();
  ~FakeDirectoryLister() override;
  // The next `times` listings fail with this error.
  void failNext(int error, const std::string& description, int times = 1);
  platform::DirListing list(const std::string& pattern, platform::DirAttr attrs) override;
  std::vector<std::string> patterns;

 private:
  std::deque<platform::DirListing> failures_;
  platform::PosixDirectoryLister real_;
};

struct OpenedPath {
  std::string path;
  bool help;
  int32_t contextId;
};

class RecordingShellOpener : public platform::ShellOpener {
 public:
  RecordingShellOpener();
  ~RecordingShellOpener() override;
  void open(const std::string& path) override { opened.push_back({path, false, 0}); }
  void openHelp(const std::string& helpFile, int32_t contextId) override {
    opened.push_back({helpFile, true, contextId});
  }
  std::vector<OpenedPath> opened;
};

class RecordingEventLog : public platform::EventLog {
 public:
  RecordingEventLog();
  ~RecordingEventLog() override;
  void logEvent(const std::string& text, platform::EventType type) override {
    events.emplace_back(text, type);
  }
  std::vector<std::pair<std::string, platform::EventType>> events;
};
