// The loop of a modal dialog on its thread: dispatches the thread's messages until
// EndDialog (from any thread) ends it, runs the operator's script for the template once
// the dialog has painted, and stops at a WM_QUIT, which the caller posts again.
#pragma once

#include "win32/window.h"

namespace kelvra::platform {

class ModalLoop {
 public:
  struct Outcome {
    bool quit = false;
    int quitCode = 0;
  };

  static Outcome Run(HWND dlg, int templateId);
};

}  // namespace kelvra::platform
