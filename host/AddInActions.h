// The actions that reach the add-in through one of Outlook's own doors: a ribbon control,
// a command-bar control, or a command of the Kelvra application.
#pragma once

#include <string>

#include "HostOptions.h"
#include "OfficeSession.h"

namespace host {

// Presses a ribbon control as Office calls its onAction callback; the buttons of the
// dynamic menus are found by opening those menus first. Throws UsageError for a
// control the ribbon does not have.
ExitStatus PressRibbon(OfficeSession& session, const std::string& id);

// Clicks the command-bar control whose tag or parameter is the text, as Office raises
// its click event. Throws UsageError when the bars have no such control.
ExitStatus ClickButton(OfficeSession& session, const std::string& tagOrParameter);

// As a user who opens each menu: the buttons of the dynamic menus' content become
// controls of the ribbon.
void OpenDynamicMenus(testkit::RibbonHost& ribbon);
// The Kelvra application sends the text to the add-in's window.
ExitStatus SendAppCommand(const std::string& text);

}  // namespace host
