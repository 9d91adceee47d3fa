#include "thread/ThreadQueues.h"

#include <atomic>
#include <map>

#include "thread/SyncHub.h"

namespace kelvra::platform {
namespace {

struct Registry {
  std::map<DWORD, std::unique_ptr<ThreadQueue>> queues;
  // Set once, while other locks may be held: atomics rather than the hub's lock.
  std::atomic<ThreadQueues::EndHook> windowsEnd{nullptr};
  std::atomic<ThreadQueues::EndHook> mutexesEnd{nullptr};
};

Registry& TheRegistry() {
  static Registry* registry = new Registry;  // threads end while the process exits
  return *registry;
}

std::atomic<DWORD> g_nextId{0x1000};

// Ends the thread's part when a thread that never called EndCurrentThread goes.
struct ThreadGuard {
  DWORD id = 0;
  bool ended = false;
  ~ThreadGuard() {
    if (id != 0 && !ended) ThreadQueues::EndCurrentThread();
  }
};

thread_local ThreadGuard t_guard;

}  // namespace

DWORD ThreadQueues::CurrentId() {
  if (t_guard.id == 0) t_guard.id = g_nextId.fetch_add(4);
  return t_guard.id;
}

ThreadQueue& ThreadQueues::OwnLocked() {
  const DWORD id = CurrentId();
  auto& slot = TheRegistry().queues[id];
  if (!slot) {
    slot = std::make_unique<ThreadQueue>();
    slot->threadId = id;
  }
  return *slot;
}

ThreadQueue* ThreadQueues::FindLocked(DWORD threadId) {
  auto& queues = TheRegistry().queues;
  auto it = queues.find(threadId);
  return it == queues.end() ? nullptr : it->second.get();
}

void ThreadQueues::EndCurrentThread() {
  const DWORD id = CurrentId();
  if (t_guard.ended) return;
  t_guard.ended = true;
  Registry& registry = TheRegistry();
  const EndHook windowsEnd = registry.windowsEnd.load();
  const EndHook mutexesEnd = registry.mutexesEnd.load();
  if (windowsEnd != nullptr) windowsEnd(id);
  if (mutexesEnd != nullptr) mutexesEnd(id);
  std::lock_guard lock(SyncHub::Instance().mutex());
  auto it = registry.queues.find(id);
  if (it != registry.queues.end()) {
    for (auto& sent : it->second->sent) sent->done = true;  // their senders get 0
    registry.queues.erase(it);
  }
  SyncHub::Instance().NotifyAllLocked();
}

std::vector<std::string> ThreadQueues::Describe() {
  std::lock_guard lock(SyncHub::Instance().mutex());
  std::vector<std::string> lines;
  for (const auto& [id, queue] : TheRegistry().queues) {
    lines.push_back("thread " + std::to_string(id) + ": " +
                    (queue->waitingIn != nullptr ? queue->waitingIn : "running") + ", " +
                    std::to_string(queue->sent.size()) + " sent and " +
                    std::to_string(queue->posted.size()) + " posted messages waiting");
  }
  return lines;
}

void ThreadQueues::SetWindowsEndHook(EndHook hook) { TheRegistry().windowsEnd = hook; }

void ThreadQueues::SetMutexesEndHook(EndHook hook) { TheRegistry().mutexesEnd = hook; }

BlockedIn::BlockedIn(const char* call) {
  std::lock_guard lock(SyncHub::Instance().mutex());
  ThreadQueue& queue = ThreadQueues::OwnLocked();
  previous_ = queue.waitingIn;
  queue.waitingIn = call;
}

BlockedIn::~BlockedIn() {
  std::lock_guard lock(SyncHub::Instance().mutex());
  ThreadQueues::OwnLocked().waitingIn = previous_;
}

}  // namespace kelvra::platform
