#include "testkit/Redemption.h"

#include "com/ClassRegistry.h"

namespace testkit {

void FailCreate(const std::string& progId, HRESULT failure) {
  kelvra::com::ClassRegistry::Instance().FailCreate(std::u16string(progId.begin(), progId.end()),
                                                    failure);
}

void ClearCreateFailures() { kelvra::com::ClassRegistry::Instance().ClearFailures(); }

}  // namespace testkit
