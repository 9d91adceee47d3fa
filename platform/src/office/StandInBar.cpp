#include "office/StandInBar.h"

#include "office/ControlSearch.h"
#include "outlook/OutParam.h"

namespace kelvra::office {

StandInBar::StandInBar(std::u16string name)
    : name_(std::move(name)), controls_(new ControlList(this)) {
  controls_->AddRef();
}

StandInBar::~StandInBar() { controls_->Release(); }

STDMETHODIMP StandInBar::get_Name(BSTR* name) { return outlook::HandOutText(name, name_); }

STDMETHODIMP StandInBar::get_Controls(Office::CommandBarControls** controls) {
  return outlook::HandOutObject(controls, [&] {
    controls_->AddRef();
    return static_cast<Office::CommandBarControls*>(controls_);
  });
}

STDMETHODIMP StandInBar::raw_FindControl(VARIANT type, VARIANT id, VARIANT tag, VARIANT visible,
                                         VARIANT recursive, Office::CommandBarControl** control) {
  if (control == nullptr) return E_POINTER;
  *control = nullptr;
  HRESULT result = S_OK;
  const auto criteria = ControlCriteria(type, id, tag, visible, &result);
  long deep = 0;
  if (!IsMissing(recursive) && !NumberOf(recursive, &deep)) result = E_INVALIDARG;
  if (FAILED(result)) return result;
  if (ControlNode* found = controls_->Find(criteria, deep != 0)) {
    *control = found->Control();
    (*control)->AddRef();
  }
  return S_OK;
}

}  // namespace kelvra::office
