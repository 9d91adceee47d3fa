// The modal dialogs that are up, the template ids shown so far, the scripts the
// operator runs inside their loops and the templates made to fail. Its lock is taken
// on its own or inside the sync hub's, never the other way round.
#pragma once

#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <map>
#include <mutex>
#include <set>
#include <vector>

#include "win32/window.h"

namespace kelvra::platform {

class DialogRegistry {
 public:
  using Script = std::function<void(HWND)>;

  static DialogRegistry& Instance();

  void Opened(HWND dlg, int templateId);
  void Painted(HWND dlg);
  void Closed(HWND dlg);
  bool IsPainted(HWND dlg) const;

  // The first dialog of the template that is up and painted, waiting up to timeout.
  HWND WaitFor(int templateId, std::chrono::milliseconds timeout);
  bool WaitGone(HWND dlg, std::chrono::milliseconds timeout);
  HWND Open(int templateId) const;
  int TemplateOf(HWND dlg) const;
  std::vector<int> Shown() const;
  void ClearShown();

  void AddScript(int templateId, Script script);
  bool HasScript(int templateId) const;
  Script TakeScript(int templateId);
  void ClearScripts();

  void SetFailing(int templateId, bool fail);
  bool Failing(int templateId) const;

 private:
  struct OpenDialog {
    HWND dlg;
    int templateId;
    bool painted;
  };
  DialogRegistry() = default;
  HWND OpenLocked(int templateId) const;

  mutable std::mutex mutex_;
  std::condition_variable changed_;
  std::vector<OpenDialog> open_;
  std::vector<int> shown_;
  std::map<int, std::deque<Script>> scripts_;
  std::set<int> failing_;
};

}  // namespace kelvra::platform
