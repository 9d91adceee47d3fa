// A popup control of the stand-in's command bars: a caption over a menu of controls.
#pragma once

#include "office/BarControl.h"
#include "office/StandInBar.h"

namespace kelvra::office {

class BarPopup : public BarControl<Office::CommandBarPopup> {
 public:
  BarPopup();

  STDMETHODIMP get_Controls(Office::CommandBarControls** controls) override;
  STDMETHODIMP get_CommandBar(Office::CommandBar** bar) override;

  ControlList* Menu() override { return &menu_->controls(); }

 private:
  ~BarPopup() override;

  StandInBar* menu_;  // with a reference
};

}  // namespace kelvra::office
