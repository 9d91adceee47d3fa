#include "outlook/AppointmentItemCategoriesDesk.h"

namespace kelvra::outlook {

AppointmentItemCategoriesDesk& AppointmentItemCategoriesDesk::Instance() {
  static auto* desk = new AppointmentItemCategoriesDesk;
  return *desk;
}

// The handler runs without the lock held, so that it may look at earlier dialogs.
std::optional<std::string> AppointmentItemCategoriesDesk::Show(const std::string& categories) {
  Handler handler;
  std::optional<std::string> answer;
  {
    std::lock_guard lock(mutex_);
    shown_.push_back(categories);
    handler = handler_;
    answer = answer_;
  }
  return handler ? handler(categories) : answer;
}

std::vector<std::string> AppointmentItemCategoriesDesk::Shown() const {
  std::lock_guard lock(mutex_);
  return shown_;
}

void AppointmentItemCategoriesDesk::Reset() {
  std::lock_guard lock(mutex_);
  shown_.clear();
  answer_.reset();
  handler_ = nullptr;
}

void AppointmentItemCategoriesDesk::SetAnswer(std::optional<std::string> answer) {
  std::lock_guard lock(mutex_);
  answer_ = std::move(answer);
}

void AppointmentItemCategoriesDesk::SetHandler(Handler handler) {
  std::lock_guard lock(mutex_);
  handler_ = std::move(handler);
}

}  // namespace kelvra::outlook
