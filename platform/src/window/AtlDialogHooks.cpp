// The window manager's side of ATL's dialog classes: the object DoModal hands to the
// dialog's first message, and the object of each dialog window.
#include <map>
#include <mutex>

#include "atl/atlwin.h"
#include "module/ModuleTable.h"

namespace ATL::detail {
namespace {

thread_local void* t_creating = nullptr;

struct Dialogs {
  std::mutex mutex;
  std::map<HWND, void*> objects;
};

Dialogs& TheDialogs() {
  static Dialogs* dialogs = new Dialogs;
  return *dialogs;
}

}  // namespace

void BeginDialog(void* object) { t_creating = object; }

void* TakeDialog() {
  void* object = t_creating;
  t_creating = nullptr;
  return object;
}

void AttachDialog(HWND wnd, void* object) {
  std::lock_guard lock(TheDialogs().mutex);
  TheDialogs().objects[wnd] = object;
}

void* FindDialog(HWND wnd) {
  std::lock_guard lock(TheDialogs().mutex);
  auto it = TheDialogs().objects.find(wnd);
  return it == TheDialogs().objects.end() ? nullptr : it->second;
}

void DetachDialog(HWND wnd) {
  std::lock_guard lock(TheDialogs().mutex);
  TheDialogs().objects.erase(wnd);
}

HINSTANCE FindDialogInstance(UINT id) {
  return kelvra::platform::ModuleTable::Instance().FindDialogModule(static_cast<WORD>(id));
}

}  // namespace ATL::detail
