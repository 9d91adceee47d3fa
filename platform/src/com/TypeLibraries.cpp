#include "com/TypeLibraries.h"

#include <algorithm>

namespace kelvra::com {

TypeLibraries& TypeLibraries::Instance() {
  static auto* libraries = new TypeLibraries;
  return *libraries;
}

void TypeLibraries::Add(const typelib::Library& library) {
  std::lock_guard lock(mutex_);
  libraries_.push_back(&library);
}

void TypeLibraries::Remove(const typelib::Library& library) {
  std::lock_guard lock(mutex_);
  std::erase(libraries_, &library);
}

const typelib::Library* TypeLibraries::Find(const GUID& libid, WORD major, WORD minor) const {
  std::lock_guard lock(mutex_);
  const auto found = std::find_if(libraries_.rbegin(), libraries_.rend(), [&](const auto* each) {
    return *each->libid == libid && each->major == major && each->minor == minor;
  });
  return found != libraries_.rend() ? *found : nullptr;
}

const typelib::Library* TypeLibraries::Find(const GUID& libid) const {
  std::lock_guard lock(mutex_);
  const auto found = std::find_if(libraries_.rbegin(), libraries_.rend(),
                                  [&](const auto* each) { return *each->libid == libid; });
  return found != libraries_.rend() ? *found : nullptr;
}

}  // namespace kelvra::com
