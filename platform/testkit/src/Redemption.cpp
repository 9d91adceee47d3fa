#include "testkit/Redemption.h"

#include <stdexcept>

#include "com/ClassRegistry.h"
#include "outlook/ItemObjects.h"
#include "redemption/BinaryArrays.h"

namespace testkit {

void FailCreate(const std::string& progId, HRESULT failure) {
  kelvra::com::ClassRegistry::Instance().FailCreate(std::u16string(progId.begin(), progId.end()),
                                                    failure);
}

void ClearCreateFailures() { kelvra::com::ClassRegistry::Instance().ClearFailures(); }

void SetBinaryReadElementType(VARTYPE type) {
  if (!kelvra::redemption::BinaryArrays::SetReadElementType(type)) {
    throw std::invalid_argument("testkit::SetBinaryReadElementType: not an element type");
  }
}

IDispatchPtr OutlookObjectOf(const kelvra::store::ItemPtr& item) {
  IDispatch* object = nullptr;
  if (FAILED(kelvra::outlook::ItemObjects::HandOut(item, &object))) {
    throw std::invalid_argument("testkit::OutlookObjectOf: no object for that item");
  }
  return IDispatchPtr(object, false);
}

}  // namespace testkit
