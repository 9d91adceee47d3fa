#include "outlook/StoreExplorer.h"

#include "office/ExplorerBarsLayout.h"
#include "outlook/CallGate.h"
#include "outlook/Events.h"
#include "outlook/ExplorerWindows.h"
#include "outlook/MAPIFolder.h"
#include "outlook/OutParam.h"
#include "outlook/StoreSelection.h"

namespace kelvra::outlook {

StoreExplorer::StoreExplorer(Outlook::MAPIFolder* folder)
    : folder_(folder), points_(this, {__uuidof(Outlook::ExplorerEvents)}) {}

STDMETHODIMP StoreExplorer::get_CurrentFolder(Outlook::MAPIFolder** folder) {
  const HRESULT entered = CallGate::Enter("Explorer.CurrentFolder");
  if (FAILED(entered)) return entered;
  return HandOutObject(folder, [&] {
    Outlook::MAPIFolder* shown = folder_;
    if (shown != nullptr) shown->AddRef();
    return shown;
  });
}

STDMETHODIMP StoreExplorer::putref_CurrentFolder(Outlook::MAPIFolder* folder) {
  const HRESULT entered = CallGate::Enter("Explorer.CurrentFolder");
  if (FAILED(entered)) return entered;
  if (folder == nullptr) return E_INVALIDARG;
  VARIANT_BOOL cancel = VARIANT_FALSE;
  VARIANT arguments[2]{};
  arguments[0].vt = VT_BYREF | VT_BOOL;
  arguments[0].pboolVal = &cancel;
  arguments[1].vt = VT_DISPATCH;
  arguments[1].pdispVal = folder;
  DISPPARAMS params{arguments, nullptr, 2, 0};
  points_.Raise(__uuidof(Outlook::ExplorerEvents), Outlook::kDispidBeforeFolderSwitch, &params);
  if (cancel == VARIANT_FALSE) folder_ = folder;
  return S_OK;
}

STDMETHODIMP StoreExplorer::get_Selection(Outlook::Selection** selection) {
  const HRESULT entered = CallGate::Enter("Explorer.Selection");
  if (FAILED(entered)) return entered;
  return HandOutObject(selection, [&] {
    Outlook::Selection* made = new StoreSelection(selection_);
    made->AddRef();
    return made;
  });
}

STDMETHODIMP StoreExplorer::raw_Activate() {
  const HRESULT entered = CallGate::Enter("Explorer.Activate");
  if (FAILED(entered)) return entered;
  ++activations_;
  ExplorerWindows::Instance().BringToFront(this);
  return S_OK;
}

STDMETHODIMP StoreExplorer::get_Caption(BSTR* caption) {
  const HRESULT entered = CallGate::Enter("Explorer.Caption");
  if (FAILED(entered)) return entered;
  std::u16string text;
  if (folder_ != nullptr) {
    BSTR name = nullptr;
    if (SUCCEEDED(folder_->get_Name(&name))) text = TextOf(name);
    SysFreeString(name);
  }
  return HandOutText(caption, text + u" - Microsoft Outlook");
}

STDMETHODIMP StoreExplorer::get_CommandBars(Office::_CommandBars** bars) {
  const HRESULT entered = CallGate::Enter("Explorer.CommandBars");
  if (FAILED(entered)) return entered;
  return HandOutObject(bars, [&] {
    if (bars_ == nullptr) bars_.Attach(office::MakeExplorerCommandBars());
    Office::_CommandBars* made = bars_;
    made->AddRef();
    return made;
  });
}

STDMETHODIMP StoreExplorer::EnumConnectionPoints(IEnumConnectionPoints** points) {
  if (points != nullptr) *points = nullptr;
  return E_NOTIMPL;
}

STDMETHODIMP StoreExplorer::FindConnectionPoint(REFIID iid, IConnectionPoint** point) {
  return points_.Find(iid, point);
}

void StoreExplorer::Select(std::vector<IDispatchPtr> items) { selection_ = std::move(items); }

void StoreExplorer::RaiseViewSwitch() {
  points_.Raise(__uuidof(Outlook::ExplorerEvents), Outlook::kDispidViewSwitch, nullptr);
}

void StoreExplorer::RaiseClose() {
  points_.Raise(__uuidof(Outlook::ExplorerEvents), Outlook::kDispidClose, nullptr);
}

std::size_t StoreExplorer::EventSinks() const {
  return points_.Connections(__uuidof(Outlook::ExplorerEvents));
}

}  // namespace kelvra::outlook
