// IUnknown and the method declaration macros of COM interfaces.
#pragma once

#include "com/guid.h"
#include "com/hresult.h"

#define STDMETHODCALLTYPE
#define STDMETHODIMP HRESULT STDMETHODCALLTYPE
#define STDMETHODIMP_(type) type STDMETHODCALLTYPE
#define STDMETHOD(method) virtual HRESULT STDMETHODCALLTYPE method
#define STDMETHOD_(type, method) virtual type STDMETHODCALLTYPE method

KELVRA_INTERFACE_IID(IUnknown, 0x00000000, 0x0000, 0x0000, 0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
                     0x46)

// QueryInterface answers E_NOINTERFACE with *object set to NULL for an interface the
// object does not implement; asked for IUnknown it always answers the same pointer,
// which is the object's identity. Release deletes the object at count 0.
struct IUnknown {
  virtual HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) = 0;
  virtual ULONG STDMETHODCALLTYPE AddRef() = 0;
  virtual ULONG STDMETHODCALLTYPE Release() = 0;

 protected:
  // Objects end through Release, never through delete on an interface pointer.
  ~IUnknown() = default;
};
using LPUNKNOWN = IUnknown*;

inline constexpr const IID& IID_IUnknown = __uuidof(IUnknown);

KELVRA_INTERFACE_IID(IClassFactory, 0x00000001, 0x0000, 0x0000, 0xC0, 0x00, 0x00, 0x00, 0x00, 0x00,
                     0x00, 0x46)

// Makes objects of one class. LockServer(TRUE) keeps the module loaded until the
// matching LockServer(FALSE).
struct IClassFactory : IUnknown {
  virtual HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** object) = 0;
  virtual HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) = 0;

 protected:
  ~IClassFactory() = default;
};

inline constexpr const IID& IID_IClassFactory = __uuidof(IClassFactory);
