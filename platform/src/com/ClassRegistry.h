// The classes that CoCreateInstance can make, by ProgID and class id, and the
// failures tests plan for them. Process-wide; the platform registers its classes
// when the registry is first used.
#pragma once

#include <mutex>
#include <string>
#include <string_view>
#include <vector>

#include "com/unknwn.h"

namespace kelvra::com {

class ClassRegistry {
 public:
  // Makes a new object and asks it for iid (the factory's reference is dropped).
  using Factory = HRESULT (*)(REFIID iid, void** object);

  static ClassRegistry& Instance();

  void Register(std::u16string progId, const CLSID& clsid, Factory factory);
  // CO_E_CLASSSTRING for an unknown ProgID (compared without ASCII case) or one
  // planned to fail so.
  HRESULT ClassOf(std::u16string_view progId, CLSID* clsid) const;
  // REGDB_E_CLASSNOTREG for an unknown class id; a planned failure of its ProgID.
  HRESULT Create(const CLSID& clsid, REFIID iid, void** object) const;

  void FailCreate(std::u16string progId, HRESULT failure);
  void ClearFailures();

 private:
  struct Entry {
    std::u16string progId;
    CLSID clsid;
    Factory factory;
  };
  struct Failure {
    std::u16string progId;
    HRESULT result;
  };

  ClassRegistry() = default;
  const Entry* FindByProgId(std::u16string_view progId) const;
  HRESULT PlannedFailure(std::u16string_view progId) const;

  mutable std::mutex mutex_;
  std::vector<Entry> entries_;
  std::vector<Failure> failures_;
};

// A factory for Object, which must be default-constructible.
template <class Object>
HRESULT CreateObject(REFIID iid, void** object) {
  auto* created = new Object;
  created->AddRef();
  const HRESULT result = created->QueryInterface(iid, object);
  created->Release();
  return result;
}

}  // namespace kelvra::com
