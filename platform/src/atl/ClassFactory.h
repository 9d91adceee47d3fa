// The class factory that DllGetClassObject hands out for a class of the object map.
#pragma once

#include "atl/AtlModule.h"
#include "com/ComObject.h"

namespace kelvra::atl {

class ClassFactory : public ComObject<IClassFactory> {
 public:
  explicit ClassFactory(const ObjectEntry& entry) : entry_(entry) {}

  STDMETHODIMP CreateInstance(IUnknown* outer, REFIID iid, void** object) override;
  // Locks and unlocks the module.
  STDMETHODIMP LockServer(BOOL lock) override;

 private:
  const ObjectEntry entry_;
};

}  // namespace kelvra::atl
