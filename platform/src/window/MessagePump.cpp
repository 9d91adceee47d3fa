#include "window/MessagePump.h"

#include <algorithm>

#include "sync/WaitEngine.h"
#include "thread/SyncHub.h"
#include "thread/ThreadQueues.h"
#include "time/Clock.h"
#include "win32/sync.h"
#include "window/WindowManager.h"
#include "window/WindowTable.h"

namespace kelvra::platform {
namespace {

// Due timers are looked for at least this often while a thread waits.
constexpr DWORD kTimerPollMs = 5;

bool InRange(UINT msg, UINT filterMin, UINT filterMax) {
  return (filterMin == 0 && filterMax == 0) || (msg >= filterMin && msg <= filterMax);
}

bool ForWindow(HWND wnd, HWND filter) {
  if (filter == nullptr) return true;
  if (filter == reinterpret_cast<HWND>(static_cast<LONG_PTR>(-1))) return wnd == nullptr;
  return wnd == filter;
}

bool Due(const QueueTimer& timer, DWORD now) { return static_cast<LONG>(now - timer.due) >= 0; }

MSG Make(HWND wnd, UINT message, WPARAM wParam, LPARAM lParam) {
  return MSG{wnd, message, wParam, lParam, Clock::Instance().TickCount(), POINT{0, 0}};
}

DWORD PollFor(const ThreadQueue& queue) { return queue.timers.empty() ? 0 : kTimerPollMs; }

}  // namespace

bool MessagePump::DeliverSent() {
  bool any = false;
  for (;;) {
    std::shared_ptr<SentMessage> sent;
    {
      std::lock_guard lock(SyncHub::Instance().mutex());
      ThreadQueue& queue = ThreadQueues::OwnLocked();
      if (queue.sent.empty()) return any;
      sent = queue.sent.front();
      queue.sent.pop_front();
    }
    const LRESULT result = WindowManager::Call(sent->wnd, sent->msg, sent->wParam, sent->lParam);
    std::lock_guard lock(SyncHub::Instance().mutex());
    sent->result = result;
    sent->done = true;
    SyncHub::Instance().NotifyThreadLocked(sent->sender);
    any = true;
  }
}

LRESULT MessagePump::SendAcross(DWORD thread, HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  auto sent = std::make_shared<SentMessage>();
  sent->sender = ThreadQueues::CurrentId();
  sent->wnd = wnd;
  sent->msg = msg;
  sent->wParam = wParam;
  sent->lParam = lParam;
  {
    std::lock_guard lock(SyncHub::Instance().mutex());
    ThreadQueue* target = ThreadQueues::FindLocked(thread);
    if (target == nullptr) return 0;
    target->sent.push_back(sent);
    SyncHub::Instance().NotifyThreadLocked(thread);
  }
  BlockedIn blocked("SendMessage to another thread");
  for (;;) {
    {
      std::unique_lock lock(SyncHub::Instance().mutex());
      ThreadQueue& own = ThreadQueues::OwnLocked();
      SyncHub::Instance().Wait(lock, INFINITE, [&] { return sent->done || !own.sent.empty(); });
      if (sent->done) return sent->result;
    }
    DeliverSent();
  }
}

bool MessagePump::Post(DWORD thread, const MSG& msg) {
  std::lock_guard lock(SyncHub::Instance().mutex());
  ThreadQueue* queue = thread == ThreadQueues::CurrentId() ? &ThreadQueues::OwnLocked()
                                                           : ThreadQueues::FindLocked(thread);
  if (queue == nullptr) return false;
  queue->posted.push_back(msg);
  SyncHub::Instance().NotifyThreadLocked(queue->threadId);
  return true;
}

void MessagePump::PostQuit(int code) {
  std::lock_guard lock(SyncHub::Instance().mutex());
  ThreadQueue& queue = ThreadQueues::OwnLocked();
  queue.quitPosted = true;
  queue.quitCode = code;
  SyncHub::Instance().NotifyAllLocked();
}

bool MessagePump::RetrieveLocked(ThreadQueue& queue, MSG& msg, HWND filter, UINT filterMin,
                                 UINT filterMax, bool remove) {
  auto posted = std::find_if(queue.posted.begin(), queue.posted.end(), [&](const MSG& m) {
    return ForWindow(m.hwnd, filter) && InRange(m.message, filterMin, filterMax);
  });
  if (posted != queue.posted.end()) {
    msg = *posted;
    if (remove) queue.posted.erase(posted);
    return true;
  }
  if (queue.quitPosted && InRange(WM_QUIT, filterMin, filterMax)) {
    msg = Make(nullptr, WM_QUIT, static_cast<WPARAM>(queue.quitCode), 0);
    if (remove) queue.quitPosted = false;
    return true;
  }
  if (InRange(WM_PAINT, filterMin, filterMax)) {
    auto paint = std::find_if(queue.paint.begin(), queue.paint.end(),
                              [&](HWND wnd) { return ForWindow(wnd, filter); });
    if (paint != queue.paint.end()) {
      msg = Make(*paint, WM_PAINT, 0, 0);
      if (remove) queue.paint.erase(paint);  // nothing is drawn: the window is valid at once
      return true;
    }
  }
  if (InRange(WM_TIMER, filterMin, filterMax)) {
    const DWORD now = Clock::Instance().TickCount();
    for (QueueTimer& timer : queue.timers) {
      if (!Due(timer, now) || !ForWindow(timer.wnd, filter)) continue;
      msg = Make(timer.wnd, WM_TIMER, timer.id, reinterpret_cast<LPARAM>(timer.proc));
      if (remove) timer.due = now + timer.elapse;
      return true;
    }
  }
  return false;
}

bool MessagePump::HasInputLocked(ThreadQueue& queue, DWORD mask) {
  if ((mask & (QS_POSTMESSAGE | QS_ALLPOSTMESSAGE)) != 0 &&
      (!queue.posted.empty() || queue.quitPosted))
    return true;
  if ((mask & QS_PAINT) != 0 && !queue.paint.empty()) return true;
  if ((mask & QS_TIMER) != 0) {
    const DWORD now = Clock::Instance().TickCount();
    for (const QueueTimer& timer : queue.timers)
      if (Due(timer, now)) return true;
  }
  return false;
}

bool MessagePump::Peek(MSG& msg, HWND filter, UINT filterMin, UINT filterMax, bool remove) {
  DeliverSent();
  std::lock_guard lock(SyncHub::Instance().mutex());
  return RetrieveLocked(ThreadQueues::OwnLocked(), msg, filter, filterMin, filterMax, remove);
}

bool MessagePump::Get(MSG& msg, HWND filter, UINT filterMin, UINT filterMax) {
  BlockedIn blocked("GetMessage");
  for (;;) {
    DeliverSent();
    std::unique_lock lock(SyncHub::Instance().mutex());
    ThreadQueue& queue = ThreadQueues::OwnLocked();
    MSG probe{};
    SyncHub::Instance().Wait(
        lock, INFINITE,
        [&] {
          return !queue.sent.empty() ||
                 RetrieveLocked(queue, probe, filter, filterMin, filterMax, false);
        },
        PollFor(queue));
    if (RetrieveLocked(queue, msg, filter, filterMin, filterMax, true))
      return msg.message != WM_QUIT;
  }
}

void MessagePump::WaitForInput(const std::function<bool()>& stop) {
  DeliverSent();
  std::unique_lock lock(SyncHub::Instance().mutex());
  ThreadQueue& queue = ThreadQueues::OwnLocked();
  SyncHub::Instance().Wait(
      lock, INFINITE,
      [&] { return stop() || !queue.sent.empty() || HasInputLocked(queue, QS_ALLINPUT); },
      PollFor(queue));
}

DWORD MessagePump::WaitForInputOrObjects(const std::vector<std::shared_ptr<Waitable>>& objects,
                                         bool waitAll, DWORD milliseconds, DWORD wakeMask) {
  BlockedIn blocked("MsgWaitForMultipleObjects");
  const DWORD thread = ThreadQueues::CurrentId();
  const DWORD inputResult = WAIT_OBJECT_0 + static_cast<DWORD>(objects.size());
  const DWORD start = Clock::Instance().TickCount();
  for (;;) {
    const bool handled = DeliverSent();
    std::unique_lock lock(SyncHub::Instance().mutex());
    ThreadQueue& queue = ThreadQueues::OwnLocked();
    DWORD result = WAIT_TIMEOUT;
    bool sentArrived = false;
    DWORD left = milliseconds;
    if (milliseconds != INFINITE) {
      const DWORD elapsed = Clock::Instance().TickCount() - start;
      left = elapsed >= milliseconds ? 0 : milliseconds - elapsed;
    }
    SyncHub::Instance().Wait(
        lock, left,
        [&] {
          if (!objects.empty() && WaitEngine::TryAcquireLocked(objects, waitAll, thread, result))
            return true;
          if ((handled && (wakeMask & QS_SENDMESSAGE) != 0) || HasInputLocked(queue, wakeMask)) {
            result = inputResult;
            return true;
          }
          sentArrived = !queue.sent.empty();
          return sentArrived;
        },
        (wakeMask & QS_TIMER) != 0 ? PollFor(queue) : 0);
    if (!sentArrived || result != WAIT_TIMEOUT) return result;
  }
}

void MessagePump::RequestPaint(HWND wnd) {
  const DWORD thread = WindowTable::Instance().ThreadOf(wnd);
  if (thread == 0) return;
  std::lock_guard lock(SyncHub::Instance().mutex());
  ThreadQueue* queue = ThreadQueues::FindLocked(thread);
  if (queue == nullptr) return;
  if (std::find(queue->paint.begin(), queue->paint.end(), wnd) == queue->paint.end())
    queue->paint.push_back(wnd);
  SyncHub::Instance().NotifyThreadLocked(thread);
}

void MessagePump::ForgetWindowLocked(ThreadQueue& queue, HWND wnd) {
  std::erase(queue.paint, wnd);
  std::erase_if(queue.timers, [&](const QueueTimer& t) { return t.wnd == wnd; });
  if (queue.active == wnd) queue.active = nullptr;
  if (queue.focus == wnd) queue.focus = nullptr;
}

}  // namespace kelvra::platform
