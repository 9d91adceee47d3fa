// An entry of the address book, as Redemption's MapiUtils finds it.
#pragma once

#include "redemption/Declarations.h"

namespace Redemption {

// Each property has a raw accessor returning the HRESULT (implemented by the store
// and by test fakes) and a wrapper that raises _com_error when it fails.
struct IAddressEntry : IDispatch {
  _bstr_t GetSMTPAddress();

  virtual HRESULT STDMETHODCALLTYPE get_SMTPAddress(BSTR* address) = 0;
};

}  // namespace Redemption
