#include "window/DialogRegistry.h"

#include <algorithm>

#include "thread/SyncHub.h"

namespace kelvra::platform {

DialogRegistry& DialogRegistry::Instance() {
  static DialogRegistry* registry =
      new DialogRegistry;  // dialogs may close while the process exits
  return *registry;
}

void DialogRegistry::Opened(HWND dlg, int templateId) {
  std::lock_guard lock(mutex_);
  open_.push_back(OpenDialog{dlg, templateId, false});
  shown_.push_back(templateId);
  changed_.notify_all();
}

void DialogRegistry::Painted(HWND dlg) {
  std::lock_guard lock(mutex_);
  for (OpenDialog& d : open_)
    if (d.dlg == dlg) d.painted = true;
  changed_.notify_all();
}

void DialogRegistry::Closed(HWND dlg) {
  std::lock_guard lock(mutex_);
  std::erase_if(open_, [&](const OpenDialog& d) { return d.dlg == dlg; });
  changed_.notify_all();
}

bool DialogRegistry::IsPainted(HWND dlg) const {
  std::lock_guard lock(mutex_);
  return std::any_of(open_.begin(), open_.end(),
                     [&](const OpenDialog& d) { return d.dlg == dlg && d.painted; });
}

HWND DialogRegistry::OpenLocked(int templateId) const {
  for (const OpenDialog& d : open_)
    if (d.templateId == templateId && d.painted) return d.dlg;
  return nullptr;
}

HWND DialogRegistry::WaitFor(int templateId, std::chrono::milliseconds timeout) {
  std::unique_lock lock(mutex_);
  HWND found = nullptr;
  changed_.wait_for(lock, timeout, [&] { return (found = OpenLocked(templateId)) != nullptr; });
  return found;
}

bool DialogRegistry::WaitGone(HWND dlg, std::chrono::milliseconds timeout) {
  std::unique_lock lock(mutex_);
  return changed_.wait_for(lock, timeout, [&] {
    return std::none_of(open_.begin(), open_.end(),
                        [&](const OpenDialog& d) { return d.dlg == dlg; });
  });
}

HWND DialogRegistry::Open(int templateId) const {
  std::lock_guard lock(mutex_);
  return OpenLocked(templateId);
}

int DialogRegistry::TemplateOf(HWND dlg) const {
  std::lock_guard lock(mutex_);
  for (const OpenDialog& d : open_)
    if (d.dlg == dlg) return d.templateId;
  return 0;
}

std::vector<int> DialogRegistry::Shown() const {
  std::lock_guard lock(mutex_);
  return shown_;
}

void DialogRegistry::ClearShown() {
  std::lock_guard lock(mutex_);
  shown_.clear();
}

void DialogRegistry::AddScript(int templateId, Script script) {
  {
    std::lock_guard lock(mutex_);
    scripts_[templateId].push_back(std::move(script));
  }
  // A dialog of that template may be waiting in its loop already.
  SyncHub::Instance().NotifyAll();
}

bool DialogRegistry::HasScript(int templateId) const {
  std::lock_guard lock(mutex_);
  auto it = scripts_.find(templateId);
  return it != scripts_.end() && !it->second.empty();
}

DialogRegistry::Script DialogRegistry::TakeScript(int templateId) {
  std::lock_guard lock(mutex_);
  auto it = scripts_.find(templateId);
  if (it == scripts_.end() || it->second.empty()) return nullptr;
  Script script = std::move(it->second.front());
  it->second.pop_front();
  return script;
}

void DialogRegistry::ClearScripts() {
  std::lock_guard lock(mutex_);
  scripts_.clear();
}

void DialogRegistry::SetFailing(int templateId, bool fail) {
  std::lock_guard lock(mutex_);
  if (fail)
    failing_.insert(templateId);
  else
    failing_.erase(templateId);
}

bool DialogRegistry::Failing(int templateId) const {
  std::lock_guard lock(mutex_);
  return failing_.count(templateId) != 0;
}

}  // namespace kelvra::platform
