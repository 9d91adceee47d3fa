// One event interface of a source: the sinks advised to it, each under its own cookie.
#pragma once

#include <mutex>
#include <vector>

#include "com/ComObject.h"
#include "com/comdef.h"
#include "com/ocidl.h"

namespace kelvra::com {

class ConnectionPoint : public ComObject<IConnectionPoint> {
 public:
  // container is not held: its owner outlives the point's use or calls Orphan.
  ConnectionPoint(const IID& iid, IConnectionPointContainer* container);

  STDMETHODIMP GetConnectionInterface(IID* iid) override;
  STDMETHODIMP GetConnectionPointContainer(IConnectionPointContainer** container) override;
  STDMETHODIMP Advise(IUnknown* sink, DWORD* cookie) override;
  STDMETHODIMP Unadvise(DWORD cookie) override;
  STDMETHODIMP EnumConnections(IEnumConnections** connections) override;

  // Calls Invoke(id, DISPATCH_METHOD) on every sink advised when the event starts, in
  // the order they were advised, skipping those unadvised meanwhile (by themselves or
  // by another sink). A failing sink does not keep the event from the others; the
  // first failure is answered. Events are raised on the thread that owns the source.
  HRESULT Raise(DISPID id, DISPPARAMS* params);
  std::size_t Connections() const;
  // The container is going: the point forgets it and drops its sinks.
  void Orphan();

 private:
  struct Connection {
    DWORD cookie;
    IDispatchPtr sink;
  };

  // The connected sink of the cookie, held by its connection; NULL when not connected.
  IDispatch* SinkOf(DWORD cookie) const;

  const IID iid_;
  mutable std::mutex mutex_;
  IConnectionPointContainer* container_;
  std::vector<Connection> connections_;
  DWORD nextCookie_ = 1;
};

}  // namespace kelvra::com
