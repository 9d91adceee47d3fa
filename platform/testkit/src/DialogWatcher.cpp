#include "testkit/DialogWatcher.h"

#include <chrono>
#include <utility>

#include "window/DialogRegistry.h"
#include "window/WindowTable.h"

namespace testkit {

using kelvra::platform::DialogRegistry;
using kelvra::platform::WindowState;
using kelvra::platform::WindowTable;

namespace {

// Often enough that a dialog waits no noticeable time, rarely enough to cost nothing.
constexpr std::chrono::milliseconds kPollInterval{2};

}  // namespace

DialogWatcher::DialogWatcher(Handler handler)
    : handler_(std::move(handler)), thread_([this] { Watch(); }) {}

DialogWatcher::~DialogWatcher() {
  stop_ = true;
  thread_.join();
}

void DialogWatcher::Watch() {
  DialogRegistry& registry = DialogRegistry::Instance();
  while (!stop_) {
    std::set<HWND> seen;
    for (HWND wnd : WindowTable::Instance().TopLevel()) {
      std::optional<WindowState> state = WindowTable::Instance().Get(wnd);
      if (!state || state->templateId == 0 || state->dialogEnded) continue;
      seen.insert(wnd);
      if (handled_.count(wnd) != 0 || !registry.IsPainted(wnd) ||
          registry.HasScript(state->templateId))
        continue;
      handled_.insert(wnd);
      HandOver(state->templateId);
    }
    // A handle of a closed dialog may come back for a new one.
    std::erase_if(handled_, [&](HWND wnd) { return seen.count(wnd) == 0; });
    std::this_thread::sleep_for(kPollInterval);
  }
}

void DialogWatcher::HandOver(int templateId) {
  // The loop of that dialog takes the script when it next looks, on its own thread. The
  // script holds its own copy of the handler: should the dialog end before, it waits for
  // the next dialog of the template, which may come after the watcher is gone.
  DialogRegistry::Instance().AddScript(
      templateId, [handler = handler_, templateId](HWND dlg) { handler(dlg, templateId); });
}

bool DialogEnded(HWND dlg) {
  std::optional<WindowState> state = WindowTable::Instance().Get(dlg);
  return !state || state->dialogEnded;
}

}  // namespace testkit
