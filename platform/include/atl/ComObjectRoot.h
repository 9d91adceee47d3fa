// The ATL object classes: the reference count (CComObjectRootEx), the interface map
// that QueryInterface walks (BEGIN_COM_MAP), the creatable object (CComObject) and the
// class that a class factory makes (CComCoClass).
//
//   class ATL_NO_VTABLE CShape : public ATL::CComObjectRootEx<ATL::CComSingleThreadModel>,
//                                public ATL::CComCoClass<CShape, &CLSID_Shape>,
//                                public IShape {
//    public:
//     DECLARE_REGISTRY_RESOURCEID(IDR_SHAPE)
//     BEGIN_COM_MAP(CShape)
//       COM_INTERFACE_ENTRY(IShape)
//     END_COM_MAP()
//   };
//   OBJECT_ENTRY_AUTO(CLSID_Shape, CShape)
#pragma once

#include <cstdint>
#include <new>

#include "atl/AtlModule.h"
#include "com/unknwn.h"

namespace ATL {

class CComSingleThreadModel {
 public:
  static ULONG Increment(LONG* count) noexcept { return static_cast<ULONG>(++*count); }
  static ULONG Decrement(LONG* count) noexcept { return static_cast<ULONG>(--*count); }
};

class CComMultiThreadModel {
 public:
  static ULONG Increment(LONG* count) noexcept {
    return static_cast<ULONG>(__atomic_add_fetch(count, 1, __ATOMIC_SEQ_CST));
  }
  static ULONG Decrement(LONG* count) noexcept {
    return static_cast<ULONG>(__atomic_sub_fetch(count, 1, __ATOMIC_SEQ_CST));
  }
};

// One interface of the map: its IID and how the object is seen as it.
struct _ATL_INTMAP_ENTRY {
  const IID* piid;
  IUnknown* (*cast)(void* object);
};

class CComObjectRootBase {
 public:
  HRESULT FinalConstruct() { return S_OK; }
  void FinalRelease() {}

  // IUnknown answers the first entry (the identity); entries end with a NULL piid.
  static HRESULT InternalQueryInterface(void* object, const _ATL_INTMAP_ENTRY* entries, REFIID iid,
                                        void** result);

  LONG m_dwRef = 0;
};

template <class ThreadModel>
class CComObjectRootEx : public CComObjectRootBase {
 public:
  ULONG InternalAddRef() noexcept { return ThreadModel::Increment(&m_dwRef); }
  ULONG InternalRelease() noexcept { return ThreadModel::Decrement(&m_dwRef); }
};

// The creatable form of a class with a COM map. Each object keeps the module locked
// while it lives.
template <class Base>
class CComObject : public Base {
 public:
  CComObject() noexcept {
    if (_pAtlModule != nullptr) _pAtlModule->Lock();
  }
  virtual ~CComObject() {
    // Keeps a QueryInterface and Release inside FinalRelease from deleting twice.
    this->m_dwRef = -(INT32_MAX / 2);
    this->FinalRelease();
    if (_pAtlModule != nullptr) _pAtlModule->Unlock();
  }

  STDMETHOD_(ULONG, AddRef)() override { return this->InternalAddRef(); }
  STDMETHOD_(ULONG, Release)() override {
    const ULONG left = this->InternalRelease();
    if (left == 0) delete this;
    return left;
  }
  STDMETHOD(QueryInterface)(REFIID iid, void** object) override {
    return this->_InternalQueryInterface(iid, object);
  }

  // A new object with count 0, FinalConstruct done; NULL and its failure when
  // FinalConstruct fails (the object is then deleted).
  static HRESULT WINAPI CreateInstance(CComObject<Base>** result) {
    if (result == nullptr) return E_POINTER;
    *result = nullptr;
    auto* made = new (std::nothrow) CComObject<Base>();
    if (made == nullptr) return E_OUTOFMEMORY;
    made->InternalAddRef();
    const HRESULT constructed = made->FinalConstruct();
    made->InternalRelease();
    if (FAILED(constructed)) {
      delete made;
      return constructed;
    }
    *result = made;
    return S_OK;
  }
};

template <class T, const CLSID* pclsid = &GUID_NULL>
class CComCoClass {
 public:
  // What the object map and the class factory call: a new object asked for iid.
  struct _CreatorClass {
    static HRESULT WINAPI CreateInstance(IUnknown* outer, REFIID iid, void** object) {
      if (object == nullptr) return E_POINTER;
      *object = nullptr;
      if (outer != nullptr) return CLASS_E_NOAGGREGATION;
      CComObject<T>* made = nullptr;
      const HRESULT created = CComObject<T>::CreateInstance(&made);
      if (FAILED(created)) return created;
      made->AddRef();
      const HRESULT answered = made->QueryInterface(iid, object);
      made->Release();
      return answered;
    }
  };

  static const CLSID& WINAPI GetObjectCLSID() noexcept { return *pclsid; }

  template <class Q>
  static HRESULT CreateInstance(Q** object) {
    return _CreatorClass::CreateInstance(nullptr, __uuidof(Q), reinterpret_cast<void**>(object));
  }
};

}  // namespace ATL

namespace kelvra::atl {

template <class Class, class Itf, class Through>
IUnknown* InterfaceOf(void* object) {
  return static_cast<Itf*>(static_cast<Through*>(static_cast<Class*>(object)));
}

}  // namespace kelvra::atl

#define BEGIN_COM_MAP(x)                                                                 \
 public:                                                                                 \
  typedef x _ComMapClass;                                                                \
  HRESULT _InternalQueryInterface(REFIID iid, void** object) {                           \
    return InternalQueryInterface(static_cast<void*>(this), _GetEntries(), iid, object); \
  }                                                                                      \
  static const ::ATL::_ATL_INTMAP_ENTRY* _GetEntries() {                                 \
    static const ::ATL::_ATL_INTMAP_ENTRY entries[] = {
#define COM_INTERFACE_ENTRY(x) {&__uuidof(x), &::kelvra::atl::InterfaceOf<_ComMapClass, x, x>},
#define COM_INTERFACE_ENTRY_IID(iid, x) {&(iid), &::kelvra::atl::InterfaceOf<_ComMapClass, x, x>},
// The interface x as reached through x2 (IDispatch through one of several duals).
#define COM_INTERFACE_ENTRY2(x, x2) \
  {&__uuidof(x), &::kelvra::atl::InterfaceOf<_ComMapClass, x, x2>},
#define END_COM_MAP()                            \
  { nullptr, nullptr }                           \
  }                                              \
  ;                                              \
  return entries;                                \
  }                                              \
  virtual ULONG STDMETHODCALLTYPE AddRef() = 0;  \
  virtual ULONG STDMETHODCALLTYPE Release() = 0; \
  virtual HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void**) = 0;

#define DECLARE_REGISTRY_RESOURCEID(x)                                        \
  static HRESULT WINAPI UpdateRegistry(BOOL bRegister) {                      \
    return ::ATL::_pAtlModule != nullptr                                      \
               ? ::ATL::_pAtlModule->UpdateRegistryFromResource(x, bRegister) \
               : E_UNEXPECTED;                                                \
  }
#define DECLARE_NO_REGISTRY() \
  static HRESULT WINAPI UpdateRegistry(BOOL) { return S_OK; }
#define DECLARE_NOT_AGGREGATABLE(x)
#define DECLARE_PROTECT_FINAL_CONSTRUCT()
