#include "outlook/StoreSelection.h"

#include "outlook/CallGate.h"
#include "outlook/IndexArgument.h"
#include "outlook/OutParam.h"

namespace kelvra::outlook {

STDMETHODIMP StoreSelection::get_Count(long* count) {
  const HRESULT entered = CallGate::Enter("Selection.Count");
  if (FAILED(entered)) return entered;
  return HandOutValue(count, static_cast<long>(items_.size()));
}

STDMETHODIMP StoreSelection::raw_Item(VARIANT index, IDispatch** item) {
  const HRESULT entered = CallGate::Enter("Selection.Item");
  if (FAILED(entered)) return entered;
  if (item == nullptr) return E_POINTER;
  *item = nullptr;
  std::size_t position = 0;
  const HRESULT found = IndexArgument::Position(index, items_.size(), &position);
  if (FAILED(found)) return found;
  *item = items_[position];
  (*item)->AddRef();
  return S_OK;
}

}  // namespace kelvra::outlook
