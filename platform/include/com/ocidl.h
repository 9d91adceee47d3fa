// Connection points: how an event source hands its events to the sinks that asked for
// them. Events are delivered synchronously, on the thread that raises them.
#pragma once

#include "com/com_ptr_t.h"
#include "com/hresult.h"
#include "com/unknwn.h"

// Enumerators of connections and points are not provided; the Enum members answer
// E_NOTIMPL.
struct IEnumConnections;
struct IEnumConnectionPoints;

KELVRA_INTERFACE_IID(IConnectionPointContainer, 0xB196B284, 0xBAB4, 0x101A, 0xB6, 0x9C, 0x00, 0xAA,
                     0x00, 0x34, 0x1D, 0x07)
KELVRA_INTERFACE_IID(IConnectionPoint, 0xB196B286, 0xBAB4, 0x101A, 0xB6, 0x9C, 0x00, 0xAA, 0x00,
                     0x34, 0x1D, 0x07)

// Advise asks the sink for the point's interface (CONNECT_E_CANNOTCONNECT when it has
// none) and answers a non-zero cookie that no other connection of the point ever
// gets; Unadvise of a cookie that is not connected answers CONNECT_E_NOCONNECTION.
struct IConnectionPoint : IUnknown {
  virtual HRESULT STDMETHODCALLTYPE GetConnectionInterface(IID* iid) = 0;
  virtual HRESULT STDMETHODCALLTYPE
  GetConnectionPointContainer(IConnectionPointContainer** container) = 0;
  virtual HRESULT STDMETHODCALLTYPE Advise(IUnknown* sink, DWORD* cookie) = 0;
  virtual HRESULT STDMETHODCALLTYPE Unadvise(DWORD cookie) = 0;
  virtual HRESULT STDMETHODCALLTYPE EnumConnections(IEnumConnections** connections) = 0;

 protected:
  ~IConnectionPoint() = default;
};

// FindConnectionPoint answers CONNECT_E_NOCONNECTION, *point NULL, for an event
// interface the object does not raise.
struct IConnectionPointContainer : IUnknown {
  virtual HRESULT STDMETHODCALLTYPE EnumConnectionPoints(IEnumConnectionPoints** points) = 0;
  virtual HRESULT STDMETHODCALLTYPE FindConnectionPoint(REFIID iid, IConnectionPoint** point) = 0;

 protected:
  ~IConnectionPointContainer() = default;
};

_COM_SMARTPTR_TYPEDEF(IConnectionPoint, __uuidof(IConnectionPoint));
_COM_SMARTPTR_TYPEDEF(IConnectionPointContainer, __uuidof(IConnectionPointContainer));

inline constexpr const IID& IID_IConnectionPoint = __uuidof(IConnectionPoint);
inline constexpr const IID& IID_IConnectionPointContainer = __uuidof(IConnectionPointContainer);
