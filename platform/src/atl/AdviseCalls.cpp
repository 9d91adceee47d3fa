#include "atl/DispEvent.h"

namespace ATL {

namespace {

HRESULT FindPoint(IUnknown* source, const IID& iid, IConnectionPoint** point) {
  *point = nullptr;
  if (source == nullptr) return E_INVALIDARG;
  IConnectionPointContainer* container = nullptr;
  const HRESULT asked =
      source->QueryInterface(IID_IConnectionPointContainer, reinterpret_cast<void**>(&container));
  if (FAILED(asked)) return asked;
  const HRESULT found = container->FindConnectionPoint(iid, point);
  container->Release();
  return found;
}

}  // namespace

HRESULT AtlAdvise(IUnknown* source, IUnknown* sink, const IID& iid, LPDWORD cookie) {
  if (cookie == nullptr) return E_POINTER;
  *cookie = 0;
  IConnectionPoint* point = nullptr;
  const HRESULT found = FindPoint(source, iid, &point);
  if (FAILED(found)) return found;
  const HRESULT advised = point->Advise(sink, cookie);
  point->Release();
  return advised;
}

HRESULT AtlUnadvise(IUnknown* source, const IID& iid, DWORD cookie) {
  IConnectionPoint* point = nullptr;
  const HRESULT found = FindPoint(source, iid, &point);
  if (FAILED(found)) return found;
  const HRESULT unadvised = point->Unadvise(cookie);
  point->Release();
  return unadvised;
}

}  // namespace ATL
