#include "outlook/NameSpacePickerDesk.h"

namespace kelvra::outlook {

NameSpacePickerDesk& NameSpacePickerDesk::Instance() {
  static auto* desk = new NameSpacePickerDesk;
  return *desk;
}

// The handler runs without the lock held, so that it may look at the count.
std::optional<std::string> NameSpacePickerDesk::Show() {
  Handler handler;
  std::optional<std::string> answer;
  {
    std::lock_guard lock(mutex_);
    ++shown_;
    handler = handler_;
    answer = answer_;
  }
  return handler ? handler() : answer;
}

int NameSpacePickerDesk::ShownCount() const {
  std::lock_guard lock(mutex_);
  return shown_;
}

void NameSpacePickerDesk::Reset() {
  std::lock_guard lock(mutex_);
  shown_ = 0;
  answer_.reset();
  handler_ = nullptr;
}

void NameSpacePickerDesk::SetAnswer(std::optional<std::string> answer) {
  std::lock_guard lock(mutex_);
  answer_ = std::move(answer);
}

void NameSpacePickerDesk::SetHandler(Handler handler) {
  std::lock_guard lock(mutex_);
  handler_ = std::move(handler);
}

}  // namespace kelvra::outlook
