// A folder of an Outlook store.
#pragma once

#include "outlook/Declarations.h"
#include "outlook/OlObjectClass.h"

namespace Outlook {

// Each property has a raw accessor returning the HRESULT (implemented by the store
// and by test fakes) and a wrapper that raises _com_error when it fails.
struct MAPIFolder : IDispatch {
  _bstr_t GetName();
  // The folder above (Class olFolder), or the NameSpace (olNamespace) above a store's
  // top folder.
  IDispatchPtr GetParent();
  OlObjectClass GetClass();

  virtual HRESULT STDMETHODCALLTYPE get_Name(BSTR* name) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_Parent(IDispatch** parent) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_Class(OlObjectClass* objectClass) = 0;
};

}  // namespace Outlook
