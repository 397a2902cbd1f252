// ServiceSlot: how the program reaches one platform service and how tests replace it.
//
// Each service has one slot holding a provider function; without a provider the slot hands
// out the real POSIX implementation. Tests install a provider that returns their double and
// install an empty one to go back to the real service.
#pragma once

#include <functional>

namespace platform {

template <class Service, class Real>
class ServiceSlot {
 public:
  void install(std::function<Service&()> provider) { provider_ = std::move(provider); }
  Service& current() {
    if (provider_) return provider_();
    static Real real;
    return real;
  }

 private:
  std::function<Service&()> provider_;
};

}  // namespace platform
