#include "addin/MessagePump.h"

MessagePump::~MessagePump() {
  if (m_quitSeen) PostQuitMessage(static_cast<int>(m_exitCode));
}

void MessagePump::DispatchPending() {
  MSG msg{};
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      m_quitSeen = true;
      m_exitCode = msg.wParam;
      continue;
    }
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
}

DWORD MessagePump::WaitFor(DWORD count, const HANDLE* handles) {
  for (;;) {
    DWORD result = MsgWaitForMultipleObjects(count, handles, FALSE, INFINITE, QS_ALLINPUT);
    if (result < WAIT_OBJECT_0 + count) return result - WAIT_OBJECT_0;
    if (result != WAIT_OBJECT_0 + count) return WAIT_FAILED;
    DispatchPending();
  }
}
