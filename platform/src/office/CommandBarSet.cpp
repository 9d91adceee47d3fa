#include "office/CommandBarSet.h"

#include <algorithm>

#include "office/ControlSearch.h"
#include "outlook/CallGate.h"
#include "outlook/OutParam.h"

namespace kelvra::office {

namespace {

bool SameName(const std::u16string& a, const std::u16string& b) {
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(), [](char16_t x, char16_t y) {
           auto lower = [](char16_t c) { return c >= u'A' && c <= u'Z' ? c + (u'a' - u'A') : c; };
           return lower(x) == lower(y);
         });
}

HRESULT HandOutBar(Office::CommandBar** out, StandInBar* bar) {
  return outlook::HandOutObject(out, [&] {
    if (bar != nullptr) bar->AddRef();
    return static_cast<Office::CommandBar*>(bar);
  });
}

}  // namespace

CommandBarSet::~CommandBarSet() {
  for (StandInBar* bar : bars_) bar->Release();
}

STDMETHODIMP CommandBarSet::get_ActiveMenuBar(Office::CommandBar** bar) {
  const HRESULT entered = outlook::CallGate::Enter("CommandBars.ActiveMenuBar");
  if (FAILED(entered)) return entered;
  return HandOutBar(bar, menuBar_);
}

STDMETHODIMP CommandBarSet::get_Count(int* count) {
  return outlook::HandOutValue(count, static_cast<int>(bars_.size()));
}

STDMETHODIMP CommandBarSet::get_Item(VARIANT index, Office::CommandBar** bar) {
  if (bar == nullptr) return E_POINTER;
  *bar = nullptr;
  const HRESULT entered = outlook::CallGate::Enter("CommandBars.Item");
  if (FAILED(entered)) return entered;
  StandInBar* found = nullptr;
  long position = 0;
  if (NumberOf(index, &position)) {
    if (position >= 1 && position <= static_cast<long>(bars_.size())) found = bars_[position - 1];
  } else if (index.vt == VT_BSTR) {
    const std::u16string name = outlook::TextOf(index.bstrVal);
    for (StandInBar* each : bars_) {
      if (SameName(each->name(), name)) {
        found = each;
        break;
      }
    }
  }
  if (found == nullptr) return E_INVALIDARG;
  return HandOutBar(bar, found);
}

STDMETHODIMP CommandBarSet::raw_FindControl(VARIANT type, VARIANT id, VARIANT tag, VARIANT visible,
                                            Office::CommandBarControl** control) {
  if (control == nullptr) return E_POINTER;
  *control = nullptr;
  HRESULT result = S_OK;
  const auto criteria = ControlCriteria(type, id, tag, visible, &result);
  if (FAILED(result)) return result;
  for (StandInBar* bar : bars_) {
    if (ControlNode* found = bar->controls().Find(criteria, true)) {
      *control = found->Control();
      (*control)->AddRef();
      return S_OK;
    }
  }
  return S_OK;
}

StandInBar* CommandBarSet::AddBar(const std::u16string& name, bool menuBar) {
  auto* bar = new StandInBar(name);
  bar->AddRef();
  bars_.push_back(bar);
  if (menuBar) menuBar_ = bar;
  return bar;
}

bool CommandBarSet::RemoveBar(const std::u16string& name) {
  const auto found = std::find_if(bars_.begin(), bars_.end(),
                                  [&](StandInBar* bar) { return SameName(bar->name(), name); });
  if (found == bars_.end()) return false;
  StandInBar* removed = *found;
  bars_.erase(found);
  if (menuBar_ == removed) menuBar_ = nullptr;
  removed->Release();
  return true;
}

}  // namespace kelvra::office
