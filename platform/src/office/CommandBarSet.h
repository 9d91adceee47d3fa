// The command bars of one explorer window of the stand-in: its toolbars and its menu
// bar, in order.
#pragma once

#include <string>
#include <vector>

#include "com/ComObject.h"
#include "office/CommandBars.h"
#include "office/StandInBar.h"

namespace kelvra::office {

class CommandBarSet : public ComObject<Office::_CommandBars> {
 public:
  CommandBarSet() = default;

  STDMETHODIMP get_ActiveMenuBar(Office::CommandBar** bar) override;
  STDMETHODIMP get_Count(int* count) override;
  STDMETHODIMP get_Item(VARIANT index, Office::CommandBar** bar) override;
  STDMETHODIMP raw_FindControl(VARIANT type, VARIANT id, VARIANT tag, VARIANT visible,
                               Office::CommandBarControl** control) override;

  // A new bar at the end; the set holds it. The menu bar is the active one.
  StandInBar* AddBar(const std::u16string& name, bool menuBar = false);
  // Takes a bar off the set; false when there is none of that name.
  bool RemoveBar(const std::u16string& name);
  const std::vector<StandInBar*>& Bars() const { return bars_; }
  StandInBar* MenuBar() const { return menuBar_; }

 private:
  ~CommandBarSet() override;

  std::vector<StandInBar*> bars_;  // each with a reference
  StandInBar* menuBar_ = nullptr;
};

}  // namespace kelvra::office
