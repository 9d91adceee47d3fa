// IDispatchImpl: IDispatch of a dual interface, answered from the description of the
// interface in a type library (com/TypeLibrary.h).
#pragma once

#include "atl/AtlModule.h"
#include "com/TypeLibrary.h"

namespace ATL {

template <class T, const IID* piid = &__uuidof(T), const GUID* plibid = &CAtlModule::m_libid,
          WORD wMajor = 1, WORD wMinor = 0>
class ATL_NO_VTABLE IDispatchImpl : public T {
 public:
  STDMETHOD(GetTypeInfoCount)(UINT* count) override {
    if (count == nullptr) return E_POINTER;
    *count = 0;
    return S_OK;
  }
  // The description has no ITypeInfo form.
  STDMETHOD(GetTypeInfo)(UINT, LCID, ITypeInfo** info) override {
    if (info != nullptr) *info = nullptr;
    return E_NOTIMPL;
  }
  STDMETHOD(GetIDsOfNames)(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) override {
    return kelvra::typelib::GetIDsOfNames(*plibid, wMajor, wMinor, *piid, names, count, ids);
  }
  STDMETHOD(Invoke)
  (DISPID id, REFIID reserved, LCID, WORD flags, DISPPARAMS* params, VARIANT* result, EXCEPINFO*,
   UINT* argError) override {
    return kelvra::typelib::Invoke(*plibid, wMajor, wMinor, *piid, static_cast<T*>(this), id,
                                   reserved, flags, params, result, argError);
  }
};

}  // namespace ATL
