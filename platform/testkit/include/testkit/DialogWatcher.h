// The operator for every dialog: while a watcher lives, each dialog that comes up (shown
// and painted) without an operator script of its own waiting (testkit::OnDialog) has the
// watcher's handler run inside its modal loop, on its own thread, once. Inside the loop
// the handler's clicks act at once, and a click that opens another dialog returns when
// that one has ended, so nested dialogs are answered in turn.
#pragma once

#include <atomic>
#include <functional>
#include <set>
#include <thread>

#include "win32/windows.h"

namespace testkit {

class DialogWatcher {
 public:
  using Handler = std::function<void(HWND dlg, int templateId)>;

  explicit DialogWatcher(Handler handler);
  ~DialogWatcher();
  DialogWatcher(const DialogWatcher&) = delete;
  DialogWatcher& operator=(const DialogWatcher&) = delete;

 private:
  void Watch();
  void HandOver(int templateId);

  Handler handler_;
  std::set<HWND> handled_;
  std::atomic<bool> stop_{false};
  std::thread thread_;
};

// Whether the dialog has been ended (EndDialog) or is gone: a page that refused to close
// is still up after its button was clicked.
bool DialogEnded(HWND dlg);

}  // namespace testkit
