#include "com/ConnectionPoint.h"

#include <algorithm>

namespace kelvra::com {

ConnectionPoint::ConnectionPoint(const IID& iid, IConnectionPointContainer* container)
    : iid_(iid), container_(container) {}

STDMETHODIMP ConnectionPoint::GetConnectionInterface(IID* iid) {
  if (iid == nullptr) return E_POINTER;
  *iid = iid_;
  return S_OK;
}

STDMETHODIMP ConnectionPoint::GetConnectionPointContainer(IConnectionPointContainer** container) {
  if (container == nullptr) return E_POINTER;
  std::lock_guard lock(mutex_);
  *container = container_;
  if (container_ == nullptr) return E_UNEXPECTED;
  container_->AddRef();
  return S_OK;
}

STDMETHODIMP ConnectionPoint::Advise(IUnknown* sink, DWORD* cookie) {
  if (cookie == nullptr) return E_POINTER;
  *cookie = 0;
  if (sink == nullptr) return E_POINTER;
  // The sink answers the event interface; events are then raised through its IDispatch.
  IUnknown* asEvents = nullptr;
  if (FAILED(sink->QueryInterface(iid_, reinterpret_cast<void**>(&asEvents))) ||
      asEvents == nullptr) {
    return CONNECT_E_CANNOTCONNECT;
  }
  IDispatchPtr dispatch(static_cast<IDispatch*>(static_cast<void*>(asEvents)), false);
  std::lock_guard lock(mutex_);
  *cookie = nextCookie_++;
  connections_.push_back({*cookie, std::move(dispatch)});
  return S_OK;
}

STDMETHODIMP ConnectionPoint::Unadvise(DWORD cookie) {
  IDispatchPtr dropped;
  {
    std::lock_guard lock(mutex_);
    const auto found = std::find_if(connections_.begin(), connections_.end(),
                                    [&](const Connection& each) { return each.cookie == cookie; });
    if (found == connections_.end()) return CONNECT_E_NOCONNECTION;
    dropped = std::move(found->sink);
    connections_.erase(found);
  }
  // The sink is released outside the lock: its release may unadvise again.
  return S_OK;
}

STDMETHODIMP ConnectionPoint::EnumConnections(IEnumConnections** connections) {
  if (connections != nullptr) *connections = nullptr;
  return E_NOTIMPL;
}

HRESULT ConnectionPoint::Raise(DISPID id, DISPPARAMS* params) {
  std::vector<DWORD> cookies;
  {
    std::lock_guard lock(mutex_);
    for (const Connection& each : connections_) cookies.push_back(each.cookie);
  }
  DISPPARAMS none{nullptr, nullptr, 0, 0};
  HRESULT first = S_OK;
  for (const DWORD cookie : cookies) {
    IDispatch* sink = SinkOf(cookie);
    if (sink == nullptr) continue;
    // No reference is taken for the call: a sink object may unadvise and delete itself
    // in its handler, and nothing here touches it afterwards.
    const HRESULT result =
        sink->Invoke(id, IID_NULL, 0, DISPATCH_METHOD, params != nullptr ? params : &none, nullptr,
                     nullptr, nullptr);
    if (FAILED(result) && SUCCEEDED(first)) first = result;
  }
  return first;
}

IDispatch* ConnectionPoint::SinkOf(DWORD cookie) const {
  std::lock_guard lock(mutex_);
  for (const Connection& each : connections_) {
    if (each.cookie == cookie) return each.sink;
  }
  return nullptr;
}

std::size_t ConnectionPoint::Connections() const {
  std::lock_guard lock(mutex_);
  return connections_.size();
}

void ConnectionPoint::Orphan() {
  std::vector<Connection> dropped;
  std::lock_guard lock(mutex_);
  container_ = nullptr;
  dropped.swap(connections_);
}

}  // namespace kelvra::com
