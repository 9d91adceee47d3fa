#include "testkit/KelvraApp.h"

#include <mutex>
#include <optional>

#include "testkit/Windows.h"
#include "win32/owners.h"
#include "window/DesktopState.h"
#include "window/WindowTable.h"

namespace testkit {
namespace {

constexpr char kMutexName[] = "Ostrane.Kelvra.exe";
constexpr char kClassName[] = "Ostrane.Kelvra.MainWindow";
// A thread message that asks the application to send a command.
constexpr UINT kSendRequest = WM_APP + 1;

struct SendRequest {
  std::string text;
  HWND to = nullptr;
  bool withNul = false;
  LRESULT result = 0;
  HANDLE done = nullptr;  // owned by the sender, which waits for it
};

// What the application and the tests share.
struct AppState {
  std::mutex mutex;
  std::string installedPath;
  KelvraAppOptions installedOptions;
  DWORD thread = 0;
  UniqueEvent exited;  // set when the running application has ended
  HWND window = nullptr;
  HWND lastSender = nullptr;
  std::vector<KelvraAppCommand> received;
  LRESULT reply = TRUE;
  int starts = 0;
  int foregroundSeen = 0;
};

AppState& State() {
  static AppState* state = new AppState;  // the application may still run at exit
  return *state;
}

// Waits for the handle while handling what other threads send to this one, so that
// the application may send to this thread's windows meanwhile.
void WaitHandlingSent(HANDLE handle) {
  while (MsgWaitForMultipleObjects(1, &handle, FALSE, INFINITE, QS_SENDMESSAGE) ==
         WAIT_OBJECT_0 + 1) {
  }
}

LRESULT Receive(HWND wnd, HWND sender, const COPYDATASTRUCT* data) {
  KelvraAppCommand command;
  command.sender = sender;
  if (data != nullptr) {
    command.dwData = data->dwData;
    command.cbData = data->cbData;
    if (data->lpData != nullptr)
      command.text.assign(static_cast<const char*>(data->lpData), data->cbData);
  }
  const int foreground = kelvra::platform::DesktopState::Instance().ForegroundCount(wnd);
  AppState& state = State();
  std::lock_guard lock(state.mutex);
  command.foreground = foreground != state.foregroundSeen;
  state.foregroundSeen = foreground;
  state.lastSender = sender;
  state.received.push_back(command);
  return state.reply;
}

LRESULT CALLBACK AppWindowProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_COPYDATA)
    return Receive(wnd, reinterpret_cast<HWND>(wParam),
                   reinterpret_cast<const COPYDATASTRUCT*>(lParam));
  return DefWindowProcA(wnd, msg, wParam, lParam);
}

void Send(HWND window, SendRequest& request) {
  HWND to = request.to;
  if (to == nullptr) {
    std::lock_guard lock(State().mutex);
    to = State().lastSender;
  }
  COPYDATASTRUCT data{0, static_cast<DWORD>(request.text.size() + (request.withNul ? 1 : 0)),
                      const_cast<char*>(request.text.c_str())};
  request.result = to != nullptr && IsWindow(to)
                       ? SendMessageA(to, WM_COPYDATA, reinterpret_cast<WPARAM>(window),
                                      reinterpret_cast<LPARAM>(&data))
                       : 0;
  SetEvent(request.done);
}

HWND MakeWindow(const KelvraAppOptions& options) {
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = &AppWindowProc;
  windowClass.lpszClassName = kClassName;
  RegisterClassA(&windowClass);  // a second start finds it registered
  HWND window = CreateWindowExA(0, kClassName, "Kelvra", WS_OVERLAPPEDWINDOW, 0, 0, 640, 480,
                                nullptr, nullptr, nullptr, nullptr);
  if (window != nullptr && options.windowDelayMs != 0) {
    const DWORD from = GetTickCount() + options.windowDelayMs;
    kelvra::platform::WindowTable::Instance().With(
        window, [&](kelvra::platform::WindowState& s) { s.findableFrom = from; });
  }
  return window;
}

// The application's main: the mutex, the window, then its message loop until WM_QUIT.
DWORD AppMain(KelvraAppOptions options, HANDLE ready) {
  UniqueKernelHandle mutex(CreateMutexA(nullptr, TRUE, kMutexName));
  const bool second = GetLastError() == ERROR_ALREADY_EXISTS;
  HWND window = nullptr;
  HANDLE exited = nullptr;
  if (!second && !options.endAtStart) {
    // The queue exists before anyone learns the thread, so that a WM_QUIT posted to it
    // is never lost; and the start is counted before the window can be found, so that
    // whoever finds the window also sees the start.
    MSG peeked{};
    PeekMessageA(&peeked, nullptr, 0, 0, PM_NOREMOVE);
    AppState& state = State();
    {
      std::lock_guard lock(state.mutex);
      state.thread = GetCurrentThreadId();
      state.exited.Reset(CreateEventA(nullptr, TRUE, FALSE, nullptr));
      exited = state.exited.Get();
      state.window = nullptr;
      state.foregroundSeen = 0;
      ++state.starts;
    }
    if (!options.noWindow) window = MakeWindow(options);
    std::lock_guard lock(state.mutex);
    state.window = window;
    state.foregroundSeen =
        window != nullptr ? kelvra::platform::DesktopState::Instance().ForegroundCount(window) : 0;
  }
  if (ready != nullptr) SetEvent(ready);
  if (!second && !options.endAtStart) {
    MSG msg{};
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
      if (msg.hwnd == nullptr && msg.message == kSendRequest)
        Send(window, *reinterpret_cast<SendRequest*>(msg.lParam));
      else
        DispatchMessageA(&msg);
    }
    if (window != nullptr) DestroyWindow(window);
    std::lock_guard lock(State().mutex);
    State().thread = 0;
    State().window = nullptr;
  }
  if (!second) ReleaseMutex(mutex.Get());
  mutex.Reset();  // closed before anyone hears of the end
  if (exited != nullptr) SetEvent(exited);
  return second ? 1 : 0;
}

DWORD WINAPI StartedByTest(LPVOID param) {
  auto* args = static_cast<std::pair<KelvraAppOptions, HANDLE>*>(param);
  const auto [options, ready] = *args;
  delete args;
  return AppMain(options, ready);
}

}  // namespace

void InstallKelvraApp(const std::string& exePath, KelvraAppOptions options) {
  {
    std::lock_guard lock(State().mutex);
    State().installedPath = exePath;
    State().installedOptions = options;
  }
  RegisterProgram(exePath, [options](const std::string&) { return AppMain(options, nullptr); });
  FailProgramStart(exePath, options.startError);
}

bool StartKelvraApp(KelvraAppOptions options) {
  if (KelvraAppRunning()) return false;
  const UniqueEvent ready(CreateEventA(nullptr, TRUE, FALSE, nullptr));
  auto* args = new std::pair<KelvraAppOptions, HANDLE>(options, ready.Get());
  const UniqueKernelHandle thread(
      CreateThread(nullptr, 0, &StartedByTest, args, 0, nullptr));  // it runs on
  if (!thread) {
    delete args;
    return false;
  }
  WaitHandlingSent(ready.Get());
  return true;
}

void StopKelvraApp() {
  DWORD thread = 0;
  UniqueEvent exited;
  {
    std::lock_guard lock(State().mutex);
    thread = State().thread;
    exited = std::move(State().exited);
  }
  if (thread == 0) return;
  PostThreadMessageA(thread, WM_QUIT, 0, 0);
  WaitHandlingSent(exited.Get());
}

bool KelvraAppRunning() {
  std::lock_guard lock(State().mutex);
  return State().thread != 0;
}

int KelvraAppStarts() {
  std::lock_guard lock(State().mutex);
  return State().starts;
}

HWND KelvraAppWindow() {
  std::lock_guard lock(State().mutex);
  return State().window;
}

std::vector<KelvraAppCommand> KelvraAppReceived() {
  std::lock_guard lock(State().mutex);
  return State().received;
}

void ClearKelvraAppReceived() {
  std::lock_guard lock(State().mutex);
  State().received.clear();
}

void SetKelvraAppReply(LRESULT reply) {
  std::lock_guard lock(State().mutex);
  State().reply = reply;
}

LRESULT KelvraAppSend(const std::string& text, HWND to, bool withNul) {
  DWORD thread = 0;
  {
    std::lock_guard lock(State().mutex);
    thread = State().thread;
  }
  if (thread == 0) return 0;
  const UniqueEvent done(CreateEventA(nullptr, TRUE, FALSE, nullptr));
  SendRequest request{text, to, withNul, 0, done.Get()};
  if (!PostThreadMessageA(thread, kSendRequest, 0, reinterpret_cast<LPARAM>(&request))) return 0;
  WaitHandlingSent(done.Get());
  return request.result;
}

void ResetKelvraApp() {
  StopKelvraApp();
  std::string path;
  {
    std::lock_guard lock(State().mutex);
    path = State().installedPath;
    State().installedPath.clear();
    State().installedOptions = KelvraAppOptions{};
    State().received.clear();
    State().lastSender = nullptr;
    State().reply = TRUE;
    State().starts = 0;
  }
  if (!path.empty()) {
    RegisterProgram(path, nullptr);
    FailProgramStart(path, 0);
  }
}

}  // namespace testkit
