// The contents table of a folder: its saved items as they were when the table was
// made, in the folder's order, with the columns, the restriction and the cursor the
// caller set.
#pragma once

#include <vector>

#include "com/ComObject.h"
#include "mapi/MapiObjectCount.h"
#include "mapi/mapix.h"
#include "store/Nodes.h"

namespace kelvra::mapi {

class MapiTable : public ComObject<IMAPITable>, private MapiObjectCount {
 public:
  explicit MapiTable(std::vector<store::ItemPtr> items);

  STDMETHODIMP SetColumns(LPSPropTagArray tags, ULONG flags) override;
  STDMETHODIMP Restrict(LPSRestriction restriction, ULONG flags) override;
  STDMETHODIMP GetRowCount(ULONG flags, ULONG* count) override;
  STDMETHODIMP QueryRows(LONG rowCount, ULONG flags, LPSRowSet* rows) override;

 private:
  // One row's values in a buffer of their own.
  HRESULT MakeRow(const store::Item& item, SRow& row) const;

  std::vector<store::ItemPtr> all_;
  std::vector<store::ItemPtr> rows_;
  std::vector<ULONG> columns_;
  std::size_t cursor_ = 0;
};

}  // namespace kelvra::mapi
