#include "outlook/StoreExplorers.h"

#include "outlook/CallGate.h"
#include "outlook/Events.h"
#include "outlook/ExplorerWindows.h"
#include "outlook/IndexArgument.h"
#include "outlook/ObjectCache.h"
#include "outlook/OutParam.h"

namespace kelvra::outlook {

namespace {

ObjectCache<StoreExplorers>& Cache() {
  static auto* cache = new ObjectCache<StoreExplorers>;
  return *cache;
}

}  // namespace

StoreExplorers::StoreExplorers() : points_(this, {__uuidof(Outlook::ExplorersEvents)}) {}

StoreExplorers::~StoreExplorers() { Cache().Forget(nullptr, this); }

Outlook::_Explorers* StoreExplorers::Acquire() {
  return Cache().Acquire(nullptr, [] { return new StoreExplorers; });
}

void StoreExplorers::RaiseNewExplorer(Outlook::_Explorer* explorer) {
  Outlook::_ExplorersPtr live(Acquire(), false);
  VARIANT argument{};
  argument.vt = VT_DISPATCH;
  argument.pdispVal = explorer;
  DISPPARAMS params{&argument, nullptr, 1, 0};
  static_cast<StoreExplorers*>(live.GetInterfacePtr())
      ->points_.Raise(__uuidof(Outlook::ExplorersEvents), Outlook::kDispidNewExplorer, &params);
}

STDMETHODIMP StoreExplorers::get_Count(long* count) {
  const HRESULT entered = CallGate::Enter("Explorers.Count");
  if (FAILED(entered)) return entered;
  return HandOutValue(count, static_cast<long>(ExplorerWindows::Instance().Count()));
}

STDMETHODIMP StoreExplorers::raw_Item(VARIANT index, Outlook::_Explorer** explorer) {
  const HRESULT entered = CallGate::Enter("Explorers.Item");
  if (FAILED(entered)) return entered;
  if (explorer == nullptr) return E_POINTER;
  *explorer = nullptr;
  std::size_t position = 0;
  const HRESULT found =
      IndexArgument::Position(index, ExplorerWindows::Instance().Count(), &position);
  if (FAILED(found)) return found;
  *explorer = ExplorerWindows::Instance().At(position);
  return *explorer != nullptr ? S_OK : E_INVALIDARG;
}

STDMETHODIMP StoreExplorers::EnumConnectionPoints(IEnumConnectionPoints** points) {
  if (points != nullptr) *points = nullptr;
  return E_NOTIMPL;
}

STDMETHODIMP StoreExplorers::FindConnectionPoint(REFIID iid, IConnectionPoint** point) {
  return points_.Find(iid, point);
}

}  // namespace kelvra::outlook
