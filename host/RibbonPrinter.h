// The add-in's ribbon as text, for --verbose: one line per control, with its label.
#pragma once

#include <string>

#include "testkit/Office.h"

namespace host {

// "ribbon ID "LABEL"" a line, in document order, the items of the dynamic menus (the
// Kelvra application's profiles) after them; the label as the XML gives it, else as
// the add-in's getLabel callback answers.
std::string DescribeRibbon(testkit::RibbonHost& ribbon);

}  // namespace host
