#include "platform/event_log.h"

#include <syslog.h>

#include "platform/service_slot.h"

namespace platform {
namespace {

ServiceSlot<EventLog, SyslogEventLog>& slot() {
  static ServiceSlot<EventLog, SyslogEventLog> s;
  return s;
}

}  // namespace

void SyslogEventLog::logEvent(const std::string& text, EventType type) {
  static bool opened = false;
  if (!opened) {
    ::openlog("orvella-config", LOG_PID, LOG_USER);
    opened = true;
  }
  int priority = type == EventType::Error ? LOG_ERR : type == EventType::Warning ? LOG_WARNING : LOG_INFO;
  // The text is data, never a format; a NUL inside would end it, so it stops there.
  ::syslog(priority, "%s", text.c_str());
}

std::function<EventLog&()> installEventLog(std::function<EventLog&()> provider) {
  return slot().install(std::move(provider));
}

EventLog& currentEventLog() { return slot().current(); }

}  // namespace platform
