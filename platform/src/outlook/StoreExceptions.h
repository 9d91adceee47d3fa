// The exceptions of a series, read from its store item at every call, in the
// order of the occurrences' original starts.
#pragma once

#include "outlook/Exceptions.h"
#include "outlook/StandInObject.h"
#include "store/Nodes.h"

namespace kelvra::outlook {

class StoreExceptions : public StandInObject<Outlook::Exceptions> {
 public:
  // A new collection with a reference for the caller.
  static Outlook::Exceptions* Create(store::ItemPtr series);

  STDMETHODIMP get_Count(long* count) override;
  STDMETHODIMP raw_Item(VARIANT index, Outlook::Exception** exception) override;

 private:
  explicit StoreExceptions(store::ItemPtr series) : series_(std::move(series)) {}

  store::ItemPtr series_;
};

}  // namespace kelvra::outlook
