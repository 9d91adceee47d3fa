#include "office/BarPopup.h"

namespace kelvra::office {

BarPopup::BarPopup() : BarControl(Office::msoControlPopup), menu_(new StandInBar(u"")) {
  menu_->AddRef();
}

BarPopup::~BarPopup() { menu_->Release(); }

STDMETHODIMP BarPopup::get_Controls(Office::CommandBarControls** controls) {
  return outlook::HandOutObject(controls, [&] {
    Office::CommandBarControls* list = &menu_->controls();
    list->AddRef();
    return list;
  });
}

STDMETHODIMP BarPopup::get_CommandBar(Office::CommandBar** bar) {
  return outlook::HandOutObject(bar, [&] {
    menu_->AddRef();
    return static_cast<Office::CommandBar*>(menu_);
  });
}

}  // namespace kelvra::office
