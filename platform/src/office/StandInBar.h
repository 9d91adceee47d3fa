// A toolbar, menu bar or popup menu of the stand-in's command bars: a name and a list
// of controls.
#pragma once

#include <string>

#include "com/ComObject.h"
#include "office/CommandBars.h"
#include "office/ControlList.h"

namespace kelvra::office {

class StandInBar : public ComObject<Office::CommandBar> {
 public:
  explicit StandInBar(std::u16string name);

  STDMETHODIMP get_Name(BSTR* name) override;
  STDMETHODIMP get_Controls(Office::CommandBarControls** controls) override;
  STDMETHODIMP raw_FindControl(VARIANT type, VARIANT id, VARIANT tag, VARIANT visible,
                               VARIANT recursive, Office::CommandBarControl** control) override;

  const std::u16string& name() const { return name_; }
  ControlList& controls() const { return *controls_; }

 private:
  ~StandInBar() override;

  const std::u16string name_;
  ControlList* controls_;  // with a reference
};

}  // namespace kelvra::office
