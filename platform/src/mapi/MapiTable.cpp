#include "mapi/MapiTable.h"

#include <algorithm>

#include "mapi/MessageProps.h"
#include "mapi/RowFilter.h"
#include "mapi/TableQuirks.h"
#include "store/FaultPlan.h"
#include "store/Item.h"

namespace kelvra::mapi {

MapiTable::MapiTable(std::vector<store::ItemPtr> items)
    : all_(std::move(items)),
      rows_(all_),
      columns_{PR_ENTRYID, PR_LAST_MODIFICATION_TIME, PR_MESSAGE_CLASS} {}

STDMETHODIMP MapiTable::SetColumns(LPSPropTagArray tags, ULONG) {
  HRESULT hr = S_OK;
  if (store::FaultPlan::Hit("IMAPITable.SetColumns", &hr)) return hr;
  if (tags == nullptr || tags->cValues == 0) return MAPI_E_INVALID_PARAMETER;
  columns_.assign(tags->aulPropTag, tags->aulPropTag + tags->cValues);
  return S_OK;
}

STDMETHODIMP MapiTable::Restrict(LPSRestriction restriction, ULONG) {
  HRESULT hr = S_OK;
  if (store::FaultPlan::Hit("IMAPITable.Restrict", &hr)) return hr;
  if (restriction != nullptr)
    if (const HRESULT checked = RowFilter::Check(*restriction); checked != S_OK) return checked;
  rows_.clear();
  for (const store::ItemPtr& item : all_)
    if (restriction == nullptr || RowFilter::Matches(*restriction, MessageProps::ClassText(*item)))
      rows_.push_back(item);
  cursor_ = 0;
  return S_OK;
}

STDMETHODIMP MapiTable::GetRowCount(ULONG, ULONG* count) {
  HRESULT hr = S_OK;
  if (store::FaultPlan::Hit("IMAPITable.GetRowCount", &hr)) return hr;
  if (count == nullptr) return MAPI_E_INVALID_PARAMETER;
  const long skewed = static_cast<long>(rows_.size()) + TableQuirks::Get().rowCountSkew;
  *count = static_cast<ULONG>(std::max(0L, skewed));
  return S_OK;
}

HRESULT MapiTable::MakeRow(const store::Item& item, SRow& row) const {
  row = SRow{};
  void* buffer = nullptr;
  const auto size = static_cast<ULONG>(columns_.size() * sizeof(SPropValue));
  if (const SCODE sc = MAPIAllocateBuffer(size, &buffer); sc != S_OK) return sc;
  auto* values = static_cast<LPSPropValue>(buffer);
  const TableQuirks::Settings quirks = TableQuirks::Get();
  for (std::size_t i = 0; i < columns_.size(); ++i) {
    const HRESULT hr = MessageProps::Fill(item, columns_[i], buffer, values[i]);
    if (FAILED(hr)) {
      MAPIFreeBuffer(buffer);
      return hr;
    }
    if (static_cast<int>(i) == quirks.column) values[i].ulPropTag = quirks.tag;
  }
  row.cValues = static_cast<ULONG>(columns_.size());
  row.lpProps = values;
  return S_OK;
}

STDMETHODIMP MapiTable::QueryRows(LONG rowCount, ULONG, LPSRowSet* rows) {
  HRESULT hr = S_OK;
  if (store::FaultPlan::Hit("IMAPITable.QueryRows", &hr)) return hr;
  if (rows == nullptr || rowCount <= 0) return MAPI_E_INVALID_PARAMETER;
  *rows = nullptr;
  const std::size_t count = std::min(static_cast<std::size_t>(rowCount), rows_.size() - cursor_);
  void* buffer = nullptr;
  if (const SCODE sc = MAPIAllocateBuffer(static_cast<ULONG>(CbNewSRowSet(count)), &buffer);
      sc != S_OK)
    return sc;
  auto* set = static_cast<LPSRowSet>(buffer);
  set->cRows = 0;
  for (std::size_t i = 0; i < count; ++i) {
    if (const HRESULT made = MakeRow(*rows_[cursor_ + i], set->aRow[i]); made != S_OK) {
      FreeProws(set);
      return made;
    }
    ++set->cRows;
  }
  cursor_ += count;
  *rows = set;
  return S_OK;
}

}  // namespace kelvra::mapi
