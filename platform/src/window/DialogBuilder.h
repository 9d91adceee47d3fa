// Makes a dialog window and its controls from a template: dialog units become pixels
// with the base units of an 8-point dialog font, the template's font is created and
// set on every control, image controls get their bitmap or icon.
#pragma once

#include "module/DialogTemplate.h"
#include "win32/dialog.h"

namespace kelvra::platform {

class DialogBuilder {
 public:
  // The hidden dialog window, or NULL when a control cannot be made.
  static HWND Build(const DialogTemplate& dialog, HWND owner, DLGPROC proc, HINSTANCE instance);
  // Destroys the dialog window, then the font and images it owns.
  static void Discard(HWND dlg);
};

}  // namespace kelvra::platform
