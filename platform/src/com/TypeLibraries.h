// The type-library descriptions known to the process, by library id and version.
#pragma once

#include <mutex>
#include <vector>

#include "com/TypeLibrary.h"

namespace kelvra::com {

class TypeLibraries {
 public:
  static TypeLibraries& Instance();

  void Add(const typelib::Library& library);
  void Remove(const typelib::Library& library);

  // NULL when unknown. Descriptions are constant and live as long as their module.
  const typelib::Library* Find(const GUID& libid, WORD major, WORD minor) const;
  // The library of that id added last, whatever its version.
  const typelib::Library* Find(const GUID& libid) const;

 private:
  TypeLibraries() = default;

  mutable std::mutex mutex_;
  std::vector<const typelib::Library*> libraries_;
};

}  // namespace kelvra::com
