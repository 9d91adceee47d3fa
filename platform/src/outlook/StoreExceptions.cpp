#include "outlook/StoreExceptions.h"

#include <vector>

#include "outlook/CallGate.h"
#include "outlook/IndexArgument.h"
#include "outlook/OutParam.h"
#include "outlook/SeriesExceptions.h"
#include "outlook/StoreException.h"
#include "store/Item.h"

namespace kelvra::outlook {

Outlook::Exceptions* StoreExceptions::Create(store::ItemPtr series) {
  auto* exceptions = new StoreExceptions(std::move(series));
  exceptions->AddRef();
  return exceptions;
}

STDMETHODIMP StoreExceptions::get_Count(long* count) {
  const HRESULT entered = CallGate::Enter("Exceptions.Count");
  if (FAILED(entered)) return entered;
  return HandOutValue(count, static_cast<long>(series_->Exceptions().size()));
}

STDMETHODIMP StoreExceptions::raw_Item(VARIANT index, Outlook::Exception** exception) {
  const HRESULT entered = CallGate::Enter("Exceptions.Item");
  if (FAILED(entered)) return entered;
  if (exception == nullptr) return E_POINTER;
  *exception = nullptr;
  std::vector<store::RecurrenceException> exceptions = SeriesExceptions::Sorted(*series_);
  std::size_t position = 0;
  const HRESULT valid = IndexArgument::Position(index, exceptions.size(), &position);
  if (FAILED(valid)) return valid;
  *exception = StoreException::Create(series_, std::move(exceptions[position]));
  return S_OK;
}

}  // namespace kelvra::outlook
