// Event sinks of dispatch interfaces: IDispEventSimpleImpl, its sink map, and
// AtlAdvise/AtlUnadvise.
//
//   class CWatcher : public ATL::IDispEventSimpleImpl<1, CWatcher, &__uuidof(ClockEvents)> {
//    public:
//     BEGIN_SINK_MAP(CWatcher)
//       SINK_ENTRY_INFO(1, __uuidof(ClockEvents), 7, &CWatcher::OnTick, &kTickInfo)
//     END_SINK_MAP()
//     void STDMETHODCALLTYPE OnTick(LONG seconds);
//   };
//
// The sink is an IDispatch object inside the class that does not count references: the
// class's own lifetime is its owner's business, and it must unadvise before it goes.
// Events the map does not name are answered S_OK. An event whose arguments differ in
// count or type from the entry's _ATL_FUNC_INFO is refused (DISP_E_BADPARAMCOUNT,
// DISP_E_TYPEMISMATCH) without calling the handler. Handlers take the parameter types
// of com/DispatchArguments.h and return nothing or an HRESULT.
#pragma once

#include "com/ComObject.h"
#include "com/DispatchArguments.h"
#include "com/ocidl.h"

enum CALLCONV {
  CC_FASTCALL = 0,
  CC_CDECL = 1,
  CC_MSCPASCAL = 2,
  CC_PASCAL = CC_MSCPASCAL,
  CC_MACPASCAL = 3,
  CC_STDCALL = 4,
};

#define _ATL_MAX_VARTYPES 8

// The signature of an event: calling convention, result type and parameter types.
struct _ATL_FUNC_INFO {
  CALLCONV cc;
  VARTYPE vtReturn;
  SHORT nParams;
  VARTYPE pVarTypes[_ATL_MAX_VARTYPES];
};

#define CONNECT_E_ADVISELIMIT static_cast<HRESULT>(0x80040201u)

namespace ATL {

// Connects sink to the connection point of iid of source (found through
// IConnectionPointContainer); *cookie is the connection's.
HRESULT AtlAdvise(IUnknown* source, IUnknown* sink, const IID& iid, LPDWORD cookie);
HRESULT AtlUnadvise(IUnknown* source, const IID& iid, DWORD cookie);

}  // namespace ATL

namespace kelvra::atl {

template <class T>
struct SinkEntry {
  UINT id;
  const IID* iid;
  DISPID dispid;
  HRESULT (*invoke)(T* object, DISPPARAMS* params, VARIANT* result);
  const _ATL_FUNC_INFO* info;
};

template <class T, auto Handler>
HRESULT InvokeHandler(T* object, DISPPARAMS* params, VARIANT* result) {
  using Class = typename dispatch::MemberTraits<decltype(Handler)>::Class;
  return dispatch::Invoke(static_cast<Class*>(object), Handler, params, result, nullptr);
}

// S_OK when the arguments have the count and the types the signature names.
HRESULT CheckArguments(const _ATL_FUNC_INFO& info, const DISPPARAMS* params);

// The dispatch object that a connection point calls; it hands each call to its owner.
class EventSinkObject : public IDispatch {
 public:
  using Handler = HRESULT (*)(void* owner, DISPID id, DISPPARAMS* params, VARIANT* result);

  EventSinkObject(const IID& iid, void* owner, Handler handler) noexcept
      : iid_(iid), owner_(owner), handler_(handler) {}
  EventSinkObject(const EventSinkObject&) = delete;
  EventSinkObject& operator=(const EventSinkObject&) = delete;
  ~EventSinkObject() = default;

  STDMETHODIMP QueryInterface(REFIID iid, void** object) override;
  STDMETHODIMP_(ULONG) AddRef() override { return 1; }
  STDMETHODIMP_(ULONG) Release() override { return 1; }
  STDMETHODIMP GetTypeInfoCount(UINT* count) override;
  STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo** info) override;
  STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override;
  STDMETHODIMP Invoke(DISPID id, REFIID reserved, LCID, WORD flags, DISPPARAMS* params,
                      VARIANT* result, EXCEPINFO*, UINT*) override;

 private:
  const IID& iid_;
  void* owner_;
  Handler handler_;
};

}  // namespace kelvra::atl

namespace ATL {

template <UINT nID, class T, const IID* pdiid>
class IDispEventSimpleImpl {
 public:
  static constexpr DWORD kNotConnected = 0xFEFEFEFE;

  IDispEventSimpleImpl() noexcept : m_sink(*pdiid, this, &Dispatch) {}
  IDispEventSimpleImpl(const IDispEventSimpleImpl&) = delete;
  IDispEventSimpleImpl& operator=(const IDispEventSimpleImpl&) = delete;

  // CONNECT_E_ADVISELIMIT when this sink is connected already: the cookie of the first
  // connection is kept, so that it can still be disconnected.
  HRESULT DispEventAdvise(IUnknown* source, const IID* piid = pdiid) {
    if (m_dwEventCookie != kNotConnected) return CONNECT_E_ADVISELIMIT;
    DWORD cookie = 0;
    const HRESULT advised = AtlAdvise(source, &m_sink, *piid, &cookie);
    if (SUCCEEDED(advised)) m_dwEventCookie = cookie;
    return advised;
  }
  // CONNECT_E_NOCONNECTION when not connected.
  HRESULT DispEventUnadvise(IUnknown* source, const IID* piid = pdiid) {
    if (m_dwEventCookie == kNotConnected) return CONNECT_E_NOCONNECTION;
    const HRESULT unadvised = AtlUnadvise(source, *piid, m_dwEventCookie);
    if (SUCCEEDED(unadvised)) m_dwEventCookie = kNotConnected;
    return unadvised;
  }
  // The sink's IDispatch, as connection points see it.
  IDispatch* GetEventSink() noexcept { return &m_sink; }

  DWORD m_dwEventCookie = kNotConnected;

 private:
  static HRESULT Dispatch(void* self, DISPID id, DISPPARAMS* params, VARIANT* result) {
    T* object = static_cast<T*>(static_cast<IDispEventSimpleImpl*>(self));
    for (const auto* entry = T::_GetSinkMap(); entry->iid != nullptr; ++entry) {
      if (entry->id != nID || !(*entry->iid == *pdiid) || entry->dispid != id) continue;
      if (entry->info != nullptr) {
        const HRESULT checked = kelvra::atl::CheckArguments(*entry->info, params);
        if (FAILED(checked)) return checked;
      }
      return entry->invoke(object, params, result);
    }
    return S_OK;
  }

  kelvra::atl::EventSinkObject m_sink;
};

}  // namespace ATL

#define BEGIN_SINK_MAP(_class)                                   \
  typedef _class _atl_event_classtype;                           \
  static const ::kelvra::atl::SinkEntry<_class>* _GetSinkMap() { \
    static const ::kelvra::atl::SinkEntry<_class> map[] = {
// fn is written &Class::Method.
#define SINK_ENTRY_INFO(id, iid, dispid, fn, info) \
  {id, &(iid), dispid, &::kelvra::atl::InvokeHandler<_atl_event_classtype, fn>, info},
#define END_SINK_MAP()                \
  { 0, nullptr, 0, nullptr, nullptr } \
  }                                   \
  ;                                   \
  return map;                         \
  }
