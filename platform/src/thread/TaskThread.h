// Starts a real thread for a CreateThread body or a program: the thread takes its id
// before the start returns, runs the body, leaves the window manager (its windows go,
// its mutexes are abandoned) and only then signals the objects that wait for its end.
#pragma once

#include <functional>
#include <memory>
#include <vector>

#include "sync/Waitable.h"

namespace kelvra::platform {

class TaskThread {
 public:
  // False when the thread cannot be started. Each task gets the body's result as exit
  // code; the first task gets the thread's id.
  static bool Start(std::vector<std::shared_ptr<TaskObject>> tasks, std::function<DWORD()> body);
};

}  // namespace kelvra::platform
