// Windows and threads for the window-manager tests: a window whose procedure is a
// function, and a thread that owns such a window and runs a message loop.
#pragma once

#include <functional>
#include <thread>

#include "win32/windows.h"

namespace kelvra::test {

class ScriptedWindow {
 public:
  using Proc = std::function<LRESULT(HWND, UINT, WPARAM, LPARAM)>;

  // Created on the calling thread, which owns it.
  explicit ScriptedWindow(Proc proc, const char* title = "scripted") : proc_(std::move(proc)) {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = &Dispatch;
    windowClass.lpszClassName = kClass;
    RegisterClassA(&windowClass);  // once per process; later calls find it
    wnd_ = CreateWindowExA(0, kClass, title, WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr, nullptr,
                           nullptr, this);
  }
  ~ScriptedWindow() {
    if (IsWindow(wnd_)) DestroyWindow(wnd_);
  }
  ScriptedWindow(const ScriptedWindow&) = delete;
  ScriptedWindow& operator=(const ScriptedWindow&) = delete;

  HWND hwnd() const { return wnd_; }

  static constexpr const char* kClass = "KelvraTest.Scripted";

 private:
  static LRESULT CALLBACK Dispatch(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCCREATE) {
      auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
      SetWindowLongPtrA(wnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* self = reinterpret_cast<ScriptedWindow*>(GetWindowLongPtrA(wnd, GWLP_USERDATA));
    if (self != nullptr && self->proc_) {
      const LRESULT result = self->proc_(wnd, msg, wParam, lParam);
      if (result != kDefault) return result;
    }
    return DefWindowProcA(wnd, msg, wParam, lParam);
  }

 public:
  // A procedure's answer that passes the message on to DefWindowProcA.
  static constexpr LRESULT kDefault = static_cast<LRESULT>(0x7EADBEEF);

 private:
  Proc proc_;
  HWND wnd_ = nullptr;
};

// A thread with a scripted window and a GetMessage loop, until it is destroyed.
class PumpingThread {
 public:
  explicit PumpingThread(ScriptedWindow::Proc proc) {
    HANDLE ready = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    thread_ = std::thread([this, proc = std::move(proc), ready] {
      ScriptedWindow window(proc);
      wnd_ = window.hwnd();
      id_ = GetCurrentThreadId();
      SetEvent(ready);
      MSG msg{};
      while (GetMessageA(&msg, nullptr, 0, 0) > 0) DispatchMessageA(&msg);
    });
    WaitForSingleObject(ready, INFINITE);
    CloseHandle(ready);
  }
  ~PumpingThread() {
    PostThreadMessageA(id_, WM_QUIT, 0, 0);
    thread_.join();
  }
  PumpingThread(const PumpingThread&) = delete;
  PumpingThread& operator=(const PumpingThread&) = delete;

  HWND hwnd() const { return wnd_; }
  DWORD id() const { return id_; }

 private:
  std::thread thread_;
  HWND wnd_ = nullptr;
  DWORD id_ = 0;
};

}  // namespace kelvra::test
