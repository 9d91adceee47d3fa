// What the stand-in's command-bar collections and searches need of a control, whichever
// kind it is: its properties, the collection it sits in, and a popup's menu.
#pragma once

#include <string>

#include "office/CommandBarControl.h"

namespace kelvra::office {

class ControlList;

struct ControlProperties {
  Office::MsoControlType type = Office::msoControlButton;
  int id = 1;
  std::u16string caption;
  std::u16string tag;
  std::u16string parameter;
  std::u16string tooltip;
  bool beginGroup = false;
  bool enabled = true;
  bool visible = true;
  bool temporary = false;
};

class ControlNode {
 public:
  ControlProperties properties;
  // The collection the control sits in; null once it was deleted or its bar went.
  ControlList* list = nullptr;

  // The control's COM face, without a reference.
  virtual Office::CommandBarControl* Control() = 0;
  // A popup's menu; null for a button.
  virtual ControlList* Menu() { return nullptr; }

 protected:
  ~ControlNode() = default;
};

}  // namespace kelvra::office
