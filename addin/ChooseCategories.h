// The Categories... button of the filter pages: Outlook's categories dialog over the
// names of edit 290.
#pragma once

#include "outlook/outlook.h"
#include "win32/windows.h"

// Shows Outlook's categories dialog for a temporary appointment that is never saved,
// holding the names of 290; the names chosen go back into 290, trimmed, and check 284
// follows whether there are any. A COM error is logged under function, any other
// failure as "Exception"; the page stays as it was then.
void ChooseCategories(HWND dlg, Outlook::_Application* app, const char* function);
