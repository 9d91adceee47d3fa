// The command bars a new Outlook explorer window has before any add-in touches them:
// the "Menu Bar" (the active menu bar) and the "Standard", "Advanced" and "Web"
// toolbars with Outlook's built-in controls and their Ids.
#pragma once

#include "office/CommandBarSet.h"

namespace kelvra::office {

// A new set with a reference for the caller.
CommandBarSet* MakeExplorerCommandBars();

}  // namespace kelvra::office
