#include "testkit/Windows.h"

#include <stdexcept>

#include "gdi/GdiTable.h"
#include "process/ProgramTable.h"
#include "sync/CreationFaults.h"
#include "sync/Waitable.h"
#include "thread/SyncHub.h"
#include "thread/ThreadQueues.h"
#include "window/DesktopState.h"
#include "window/WindowTable.h"

namespace testkit {

using kelvra::platform::GdiKind;
using kelvra::platform::GdiTable;
using kelvra::platform::WindowState;
using kelvra::platform::WindowTable;

namespace {

// Border and caption of a dialog frame, so client and screen coordinates differ.
constexpr POINT kDialogClientOffset{3, 26};

WindowState StateOf(HWND wnd) {
  auto state = WindowTable::Instance().Get(wnd);
  if (!state) throw std::invalid_argument("testkit: not a window");
  return *state;
}

kelvra::platform::GdiObject GdiObjectOf(HGDIOBJ handle) {
  auto object = GdiTable::Instance().Get(handle);
  if (!object) throw std::invalid_argument("testkit: not a GDI object");
  return *object;
}

WindowState TestWindow(const std::string& className) {
  WindowState state;
  state.className = className;
  state.proc = &DefWindowProcA;
  state.thread = GetCurrentThreadId();
  return state;
}

}  // namespace

HWND CreateTestDialog(const std::vector<TestControl>& controls, const RECT& rect,
                      const std::string& caption) {
  WindowState dialog = TestWindow("#32770");
  dialog.text = caption;
  dialog.rect = rect;
  dialog.clientOffset = kDialogClientOffset;
  HWND dlg = WindowTable::Instance().Create(dialog);
  for (const TestControl& c : controls) {
    WindowState control = TestWindow("Static");
    control.id = c.id;
    control.parent = dlg;
    control.text = c.text;
    control.rect = c.rect;
    control.style = c.style;
    control.visible = c.visible;
    WindowTable::Instance().Create(control);
  }
  return dlg;
}

void DestroyTestWindow(HWND wnd) { WindowTable::Instance().Destroy(wnd); }

void ResetWindows() { WindowTable::Instance().Clear(); }

std::string WindowText(HWND wnd) { return StateOf(wnd).text; }

RECT WindowRect(HWND wnd) { return StateOf(wnd).rect; }

LONG_PTR WindowStyle(HWND wnd) { return StateOf(wnd).style; }

bool WindowVisible(HWND wnd) { return StateOf(wnd).visible; }

bool WindowEnabled(HWND wnd) { return StateOf(wnd).enabled; }

std::string WindowClass(HWND wnd) { return StateOf(wnd).className; }

std::vector<HWND> TopLevelWindows() { return WindowTable::Instance().TopLevel(); }

std::vector<HWND> ChildWindows(HWND parent) { return WindowTable::Instance().Children(parent); }

std::vector<HWND> ForegroundCalls() {
  return kelvra::platform::DesktopState::Instance().ForegroundCalls();
}

void ClearForegroundCalls() { kelvra::platform::DesktopState::Instance().ClearForegroundCalls(); }

HCURSOR CurrentCursor() { return kelvra::platform::DesktopState::Instance().Cursor(); }

std::vector<UINT_PTR> Timers(HWND wnd) {
  const DWORD thread = WindowTable::Instance().ThreadOf(wnd);
  std::vector<UINT_PTR> ids;
  std::lock_guard lock(kelvra::platform::SyncHub::Instance().mutex());
  const kelvra::platform::ThreadQueue* queue = kelvra::platform::ThreadQueues::FindLocked(thread);
  if (queue == nullptr) return ids;
  for (const auto& timer : queue->timers)
    if (timer.wnd == wnd) ids.push_back(timer.id);
  return ids;
}

int GdiObjectCount() { return GdiTable::Instance().Count(); }

LOGFONTA FontOf(HFONT font) {
  auto object = GdiObjectOf(font);
  if (object.kind != GdiKind::kFont) throw std::invalid_argument("testkit: not a font");
  return object.font;
}

ImageInfo ImageOf(HANDLE image) {
  auto object = GdiObjectOf(image);
  if (object.kind != GdiKind::kBitmap && object.kind != GdiKind::kIcon)
    throw std::invalid_argument("testkit: not an image");
  return ImageInfo{object.kind == GdiKind::kIcon,
                   object.width,
                   object.height,
                   object.resourceId,
                   object.filled,
                   object.fillColor,
                   object.iconId};
}

COLORREF BackColorOf(HDC dc) { return GdiObjectOf(dc).backColor; }

COLORREF TextColorOf(HDC dc) { return GdiObjectOf(dc).textColor; }

int LiveSyncObjects() { return kelvra::platform::Waitable::Live(); }

void FailCreateEvent(int count) { kelvra::platform::CreationFaults::Instance().FailEvents(count); }

void FailCreateThread(int count) {
  kelvra::platform::CreationFaults::Instance().FailThreads(count);
}

void FailInitCommonControls(bool fail) {
  kelvra::platform::CreationFaults::Instance().FailCommonControls(fail);
}

void RegisterProgram(const std::string& windowsPath, ProgramMain main) {
  kelvra::platform::ProgramTable::Instance().Register(windowsPath, std::move(main));
}

void FailProgramStart(const std::string& windowsPath, DWORD error) {
  kelvra::platform::ProgramTable::Instance().FailStart(windowsPath, error);
}

std::vector<std::string> StartedPrograms() {
  return kelvra::platform::ProgramTable::Instance().Started();
}

void ClearStartedPrograms() { kelvra::platform::ProgramTable::Instance().ClearStarted(); }

}  // namespace testkit
