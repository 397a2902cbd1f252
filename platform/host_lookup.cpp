// HostLookup over gethostname and getaddrinfo (IPv4 only).
#include "platform/host_lookup.h"

#include <netdb.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/service_slot.h"

namespace platform {

namespace {

int errnoOr(int fallback) { return errno != 0 ? errno : fallback; }

ServiceSlot<HostLookup, SystemHostLookup>& slot() {
  static ServiceSlot<HostLookup, SystemHostLookup> s;
  return s;
}

}  // namespace

int SystemHostLookup::localHostName(std::string& name) {
  char buffer[256] = {};
  errno = 0;
  if (gethostname(buffer, sizeof buffer) != 0) return errnoOr(EINVAL);
  buffer[sizeof buffer - 1] = '\0';
  name.assign(buffer, strnlen(buffer, sizeof buffer));
  return 0;
}

int SystemHostLookup::resolveIPv4(const std::string& name, std::string& address) {
  if (name.find('\0') != std::string::npos) return EAI_NONAME;
  addrinfo hints{};
  hints.ai_family = AF_INET;
  hints.ai_socktype = SOCK_STREAM;
  addrinfo* found = nullptr;
  errno = 0;
  int status = getaddrinfo(name.c_str(), nullptr, &hints, &found);
  if (status == EAI_SYSTEM) return errnoOr(EAI_SYSTEM);
  if (status != 0) return status;
  int result = EAI_NONAME;
  if (found != nullptr && found->ai_addr != nullptr) {
    const auto* ipv4 = reinterpret_cast<const sockaddr_in*>(found->ai_addr);
    address.assign(reinterpret_cast<const char*>(&ipv4->sin_addr), sizeof ipv4->sin_addr);
    result = 0;
  }
  freeaddrinfo(found);
  return result;
}

void installHostLookup(std::function<HostLookup&()> provider) {
  slot().install(std::move(provider));
}

HostLookup& currentHostLookup() { return slot().current(); }

}  // namespace platform
