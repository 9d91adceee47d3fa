#include "thread/TaskThread.h"

#include <system_error>
#include <thread>

#include "thread/SyncHub.h"
#include "thread/ThreadQueues.h"

namespace kelvra::platform {

bool TaskThread::Start(std::vector<std::shared_ptr<TaskObject>> tasks,
                       std::function<DWORD()> body) {
  auto started = std::make_shared<bool>(false);
  try {
    std::thread thread([tasks, body = std::move(body), started] {
      {
        std::lock_guard lock(SyncHub::Instance().mutex());
        for (const auto& task : tasks) task->SetId(ThreadQueues::CurrentId());
        *started = true;
        SyncHub::Instance().NotifyAllLocked();
      }
      const DWORD result = body();
      ThreadQueues::EndCurrentThread();
      std::lock_guard lock(SyncHub::Instance().mutex());
      for (const auto& task : tasks) task->End(result);
      SyncHub::Instance().NotifyAllLocked();
    });
    thread.detach();
  } catch (const std::system_error&) {
    return false;
  }
  std::unique_lock lock(SyncHub::Instance().mutex());
  SyncHub::Instance().Wait(lock, INFINITE, [&] { return *started; });
  return true;
}

}  // namespace kelvra::platform
