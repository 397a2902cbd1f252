// EventLog: the system's event log, where the program notes what happened without a window
// to show it in. The real log is syslog (identity "orvella-config", facility user).
#pragma once

#include <functional>
#include <string>

namespace platform {

enum class EventType { Error, Warning, Information };

class EventLog {
 public:
  virtual ~EventLog() = default;
  virtual void logEvent(const std::string& text, EventType type) = 0;
};

class SyslogEventLog : public EventLog {
 public:
  void logEvent(const std::string& text, EventType type) override;
};

// Returns the provider it replaces. An empty provider restores the syslog log.
std::function<EventLog&()> installEventLog(std::function<EventLog&()> provider);
EventLog& currentEventLog();

}  // namespace platform
