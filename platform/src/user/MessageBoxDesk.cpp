#include "user/MessageBoxDesk.h"

#include <utility>

#include "win32/user.h"

namespace kelvra::platform {
namespace {

// The button a user presses to simply accept the box.
int DefaultAnswer(UINT type) { return (type & MB_TYPEMASK) == MB_YESNO ? IDYES : IDOK; }

}  // namespace

MessageBoxDesk& MessageBoxDesk::Instance() {
  static MessageBoxDesk desk;
  return desk;
}

int MessageBoxDesk::Show(ShownMessageBox box) {
  box.answer = Answer(box);
  std::lock_guard lock(mutex_);
  shown_.push_back(std::move(box));
  return shown_.back().answer;
}

// The handler runs without the lock held, so that it may look at earlier boxes.
int MessageBoxDesk::Answer(const ShownMessageBox& box) const {
  Handler handler;
  int answer = 0;
  {
    std::lock_guard lock(mutex_);
    handler = handler_;
    answer = answer_;
  }
  if (handler) return handler(box);
  return answer != 0 ? answer : DefaultAnswer(box.type);
}

std::vector<ShownMessageBox> MessageBoxDesk::Shown() const {
  std::lock_guard lock(mutex_);
  return shown_;
}

void MessageBoxDesk::Clear() {
  std::lock_guard lock(mutex_);
  shown_.clear();
}

void MessageBoxDesk::SetAnswer(int answer) {
  std::lock_guard lock(mutex_);
  answer_ = answer;
}

void MessageBoxDesk::SetHandler(Handler handler) {
  std::lock_guard lock(mutex_);
  handler_ = std::move(handler);
}

}  // namespace kelvra::platform
