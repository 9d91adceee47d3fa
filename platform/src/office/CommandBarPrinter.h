// The command bars of a window as text, one line per control, for tests and for the
// host's verbose output.
#pragma once

#include <string>

#include "office/CommandBarSet.h"

namespace kelvra::office {

// Each bar's name, then its controls indented under it, menus under their popups:
//   "  5 button id=1 style=icon face=270 tooltip="Import contacts" hidden temporary".
// With addedOnly, only the temporary controls (those an add-in made) and the popups
// and bars that hold them.
std::string PrintCommandBars(const CommandBarSet& bars, bool addedOnly);

}  // namespace kelvra::office
