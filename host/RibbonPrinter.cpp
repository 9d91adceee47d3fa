#include "RibbonPrinter.h"

#include <optional>

#include "AddInActions.h"

namespace host {

std::string DescribeRibbon(testkit::RibbonHost& ribbon) {
  OpenDynamicMenus(ribbon);
  std::string text;
  for (const std::string& id : ribbon.ControlIds()) {
    std::optional<std::string> label = ribbon.Attribute(id, "label");
    if (!label) {
      std::string asked;
      if (SUCCEEDED(ribbon.GetLabel(id, asked))) label = asked;
    }
    text += "ribbon " + id + " \"" + label.value_or("") + "\"\n";
  }
  return text;
}

}  // namespace host
