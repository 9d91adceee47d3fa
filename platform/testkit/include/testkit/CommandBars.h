// Office's command bars of the stand-in's explorer windows, played for an add-in.
//
// A window gets its bars when they are first asked for, as a new window of the Outlook
// version played (testkit::SetOutlookVersion) has them: the "Menu Bar" (active menu
// bar) with the menus &File (30002, holding 1886), &Edit (30003, holding 22), &View,
// &Go, &Tools, &Actions and &Help (30010), then the toolbars "Standard" (Delete 478 at
// position 4), "Advanced" and "Web". Outlook 2000 buttons lack Picture and Mask.
//
// The user clicks buttons: Office raises Click on every button on a bar with a
// connected sink that carries the clicked button's tag (the clicked button itself only
// when it has no tag), with the clicked button as Ctrl.
//
// "CommandBarControls.Add", "CommandBars.Item", "CommandBars.ActiveMenuBar" and
// "Explorer.CommandBars" can be made to fail with testkit::FailCall.
#pragma once

#include <cstddef>
#include <string>

#include "office/office.h"
#include "outlook/Explorer.h"

namespace testkit {

// The first button of the window's bars (bars in order, menus depth first) whose
// parameter equals text; else the first whose tag, then caption ("&" ignored), then
// tooltip equals it. Null when none does. explorer NULL: the active explorer.
Office::CommandBarButtonPtr FindButton(Outlook::_Explorer* explorer, const std::string& text);
// The first button that carries both tag and parameter.
Office::CommandBarButtonPtr FindButton(Outlook::_Explorer* explorer, const std::string& tag,
                                       const std::string& parameter);

// A user's click of the button; false when it is no button on a bar, or is hidden or
// disabled (a user cannot reach it).
bool Click(Office::CommandBarControl* button);
// FindButton(explorer, text), then Click; false when there is none to click.
bool ClickButton(Outlook::_Explorer* explorer, const std::string& text);

// The window's bars as text, one line per control (see office/CommandBarPrinter.h in
// the platform): with addedOnly, only the controls an add-in made and what holds them.
// Empty for a window that is not open.
std::string PrintCommandBars(Outlook::_Explorer* explorer, bool addedOnly = false);

// Sinks connected to one button's click; to the click of any button alive.
std::size_t ClickSinks(Office::CommandBarControl* button);
std::size_t ClickSinksAlive();
// The bitmap resource ids of the copies Office keeps of a button's picture and mask;
// 0 when the button has none (or is no button).
int PictureResource(Office::CommandBarControl* button);
int MaskResource(Office::CommandBarControl* button);

// Takes a toolbar off the window's bars ("Standard"); false when it has none.
bool RemoveCommandBar(Outlook::_Explorer* explorer, const std::string& name);
// The nth call of CommandBarControls.Add from now on fails with failure.
void FailControlAdd(int nth, HRESULT failure = E_FAIL);

}  // namespace testkit
