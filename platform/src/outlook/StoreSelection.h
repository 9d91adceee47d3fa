// A snapshot of the items selected in an explorer.
#pragma once

#include <vector>

#include "outlook/Explorer.h"
#include "outlook/StandInObject.h"

namespace kelvra::outlook {

class StoreSelection : public StandInObject<Outlook::Selection> {
 public:
  explicit StoreSelection(std::vector<IDispatchPtr> items) : items_(std::move(items)) {}

  STDMETHODIMP get_Count(long* count) override;
  STDMETHODIMP raw_Item(VARIANT index, IDispatch** item) override;

 private:
  const std::vector<IDispatchPtr> items_;
};

}  // namespace kelvra::outlook
