#include "window/ModalLoop.h"

#include "thread/ThreadQueues.h"
#include "window/DialogRegistry.h"
#include "window/MessagePump.h"
#include "window/WindowTable.h"

namespace kelvra::platform {
namespace {

bool Ended(HWND dlg) {
  auto state = WindowTable::Instance().Get(dlg);
  return !state || state->dialogEnded;
}

}  // namespace

ModalLoop::Outcome ModalLoop::Run(HWND dlg, int templateId) {
  BlockedIn blocked("a modal dialog loop");
  DialogRegistry& registry = DialogRegistry::Instance();
  bool scripted = false;
  while (!Ended(dlg)) {
    MSG msg{};
    if (MessagePump::Peek(msg, nullptr, 0, 0, true)) {
      if (msg.message == WM_QUIT) return Outcome{true, static_cast<int>(msg.wParam)};
      DispatchMessageA(&msg);
      if (msg.message == WM_PAINT && msg.hwnd == dlg) registry.Painted(dlg);
      continue;
    }
    if (!scripted && registry.IsPainted(dlg)) {
      if (DialogRegistry::Script script = registry.TakeScript(templateId)) {
        scripted = true;
        script(dlg);
        continue;
      }
    }
    MessagePump::WaitForInput([&] {
      return Ended(dlg) || (!scripted && registry.IsPainted(dlg) && registry.HasScript(templateId));
    });
  }
  return Outcome{};
}

}  // namespace kelvra::platform
