#include "shell/FolderBrowserDesk.h"

namespace kelvra::platform {

FolderBrowserDesk& FolderBrowserDesk::Instance() {
  static FolderBrowserDesk desk;
  return desk;
}

// The handler runs without the lock held, so that it may look at earlier browsers.
std::optional<std::string> FolderBrowserDesk::Show(const ShownFolderBrowser& browser) {
  Handler handler;
  std::optional<std::string> answer;
  {
    std::lock_guard lock(mutex_);
    shown_.push_back(browser);
    handler = handler_;
    answer = answer_;
  }
  return handler ? handler(browser) : answer;
}

std::vector<ShownFolderBrowser> FolderBrowserDesk::Shown() const {
  std::lock_guard lock(mutex_);
  return shown_;
}

void FolderBrowserDesk::Clear() {
  std::lock_guard lock(mutex_);
  shown_.clear();
}

void FolderBrowserDesk::SetAnswer(std::optional<std::string> answer) {
  std::lock_guard lock(mutex_);
  answer_ = std::move(answer);
}

void FolderBrowserDesk::SetHandler(Handler handler) {
  std::lock_guard lock(mutex_);
  handler_ = std::move(handler);
}

void FolderBrowserDesk::RecordExecute(ShellExecuteCall call) {
  std::lock_guard lock(mutex_);
  executes_.push_back(std::move(call));
}

std::vector<ShellExecuteCall> FolderBrowserDesk::Executes() const {
  std::lock_guard lock(mutex_);
  return executes_;
}

void FolderBrowserDesk::ClearExecutes() {
  std::lock_guard lock(mutex_);
  executes_.clear();
}

}  // namespace kelvra::platform
