// Test doubles of the POSIX layer. Each one installs itself as the current service when it is
// created and puts the real service back when it is destroyed, so a test declares the doubles
// it needs as locals.
//
// ScriptedMessageBoxes answers from a script and records every box shown; once the script is
// used up it answers as an unattended run does (OK for an OK box, Cancel for OK/Cancel).
// FakeDirectoryLister lists the real file system but fails the next calls with scripted
// errors, and records every pattern asked for. The shell opener records what it opens.
#pragma once

#include <cstdint>
#include <deque>
#include <string>
#include <vector>

#include "platform/directory_listing.h"
#include "platform/message_box.h"
#include "platform/shell_opener.h"

struct ShownBox {
  std::string text;
  platform::MsgButtons buttons;
  platform::MsgIcon icon;
};

class ScriptedMessageBoxes : public platform::MessageBoxes {
 public:
  ScriptedMessageBoxes() { platform::installMessageBoxes([this]() -> MessageBoxes& { return *this; }); }
  ~ScriptedMessageBoxes() override { platform::installMessageBoxes(nullptr); }
  void script(std::vector<platform::MsgAnswer> answers) {
    answers_.insert(answers_.end(), answers.begin(), answers.end());
  }
  platform::MsgAnswer show(const std::string& text, platform::MsgButtons buttons,
                           platform::MsgIcon icon) override {
    shown.push_back({text, buttons, icon});
    if (answers_.empty())
      return buttons == platform::MsgButtons::Ok ? platform::MsgAnswer::Ok : platform::MsgAnswer::Cancel;
    platform::MsgAnswer answer = answers_.front();
    answers_.pop_front();
    return answer;
  }
  std::vector<ShownBox> shown;

 private:
  std::deque<platform::MsgAnswer> answers_;
};

class FakeDirectoryLister : public platform::DirectoryLister {
 public:
  FakeDirectoryLister() { platform::installDirectoryLister([this]() -> DirectoryLister& { return *this; }); }
  ~FakeDirectoryLister() override { platform::installDirectoryLister(nullptr); }
  // The next `times` listings fail with this error.
  void failNext(int error, const std::string& description, int times = 1) {
    platform::DirListing failure;
    failure.error = error;
    failure.description = description;
    for (int i = 0; i < times; ++i) failures_.push_back(failure);
  }
  platform::DirListing list(const std::string& pattern, platform::DirAttr attrs) override {
    patterns.push_back(pattern);
    if (failures_.empty()) return real_.list(pattern, attrs);
    platform::DirListing failure = failures_.front();
    failures_.pop_front();
    return failure;
  }
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
  RecordingShellOpener() { platform::installShellOpener([this]() -> ShellOpener& { return *this; }); }
  ~RecordingShellOpener() override { platform::installShellOpener(nullptr); }
  void open(const std::string& path) override { opened.push_back({path, false, 0}); }
  void openHelp(const std::string& helpFile, int32_t contextId) override {
    opened.push_back({helpFile, true, contextId});
  }
  std::vector<OpenedPath> opened;
};
