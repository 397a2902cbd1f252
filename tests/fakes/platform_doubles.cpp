#include "tests/fakes/platform_doubles.h"

using namespace platform;

ScriptedMessageBoxes::ScriptedMessageBoxes() {
  installMessageBoxes([this]() -> MessageBoxes& { return *this; });
}
ScriptedMessageBoxes::~ScriptedMessageBoxes() { installMessageBoxes(nullptr); }

void ScriptedMessageBoxes::script(std::vector<MsgAnswer> answers) {
  answers_.insert(answers_.end(), answers.begin(), answers.end());
}

MsgAnswer ScriptedMessageBoxes::show(const std::string& text, MsgButtons buttons, MsgIcon icon) {
  shown.push_back({text, buttons, icon});
  if (answers_.empty()) return buttons == MsgButtons::Ok ? MsgAnswer::Ok : MsgAnswer::Cancel;
  MsgAnswer answer = answers_.front();
  answers_.pop_front();
  return answer;
}

FakeDirectoryLister::FakeDirectoryLister() {
  installDirectoryLister([this]() -> DirectoryLister& { return *this; });
}
FakeDirectoryLister::~FakeDirectoryLister() { installDirectoryLister(nullptr); }

void FakeDirectoryLister::failNext(int error, const std::string& description, int times) {
  for (int i = 0; i < times; ++i) failures_.push_back(DirListing{{}, error, description});
}

DirListing FakeDirectoryLister::list(const std::string& pattern, DirAttr attrs) {
  patterns.push_back(pattern);
  if (!failures_.empty()) {
    DirListing failure = failures_.front();
    failures_.pop_front();
    return failure;
  }
  return real_.list(pattern, attrs);
}

RecordingShellOpener::RecordingShellOpener() {
  installShellOpener([this]() -> ShellOpener& { return *this; });
}
RecordingShellOpener::~RecordingShellOpener() { installShellOpener(nullptr); }

RecordingEventLog::RecordingEventLog() {
  installEventLog([this]() -> EventLog& { return *this; });
}
RecordingEventLog::~RecordingEventLog() { installEventLog(nullptr); }
