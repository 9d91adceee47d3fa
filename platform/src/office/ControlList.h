// The controls of one bar or menu of the stand-in's command bars, in order. It holds a
// reference on each control; a control knows its list without holding it.
#pragma once

#include <functional>
#include <vector>

#include "com/ComObject.h"
#include "office/CommandBars.h"
#include "office/ControlNode.h"

namespace kelvra::office {

class ControlList : public ComObject<Office::CommandBarControls> {
 public:
  // bar: the bar or menu the controls sit on (not held: it holds this list).
  explicit ControlList(Office::CommandBar* bar);

  STDMETHODIMP get_Count(int* count) override;
  STDMETHODIMP get_Item(VARIANT index, Office::CommandBarControl** control) override;
  STDMETHODIMP raw_Add(VARIANT type, VARIANT id, VARIANT parameter, VARIANT before,
                       VARIANT temporary, Office::CommandBarControl** control) override;

  // 1-based position of a control of this list; 0 for another.
  int IndexOf(const ControlNode* node) const;
  // Places a new control (position 1-based, 0 = at the end); it must fit.
  void Insert(ControlNode* node, int position);
  // Takes the control off the list; false when it is not on it.
  bool Remove(ControlNode* node);
  Office::CommandBar* Bar() const { return bar_; }
  const std::vector<ControlNode*>& Nodes() const { return nodes_; }
  // The first control in order (depth first into menus when recursive) for which
  // matches answers true; null when none does.
  ControlNode* Find(const std::function<bool(const ControlNode&)>& matches, bool recursive) const;

 private:
  ~ControlList() override;

  Office::CommandBar* const bar_;
  std::vector<ControlNode*> nodes_;  // each with a reference of the list
};

}  // namespace kelvra::office
