#include "outlook/ExplorerWindows.h"

#include <algorithm>

#include "com/com_ptr_t.h"

namespace kelvra::outlook {

ExplorerWindows& ExplorerWindows::Instance() {
  static auto* windows = new ExplorerWindows;
  return *windows;
}

StoreExplorer* ExplorerWindows::Referenced(StoreExplorer* explorer) {
  if (explorer != nullptr) explorer->AddRef();
  return explorer;
}

StoreExplorer* ExplorerWindows::Open(Outlook::MAPIFolder* folder) {
  auto* explorer = new StoreExplorer(folder);
  explorer->AddRef();
  std::lock_guard lock(mutex_);
  open_.push_back(explorer);
  front_ = explorer;
  return Referenced(explorer);
}

bool ExplorerWindows::Close(IUnknown* explorer) {
  StoreExplorer* closing = Find(explorer);
  if (closing == nullptr) return false;
  // Sinks run unlocked: a handler may read the windows or unadvise.
  closing->RaiseClose();
  {
    std::lock_guard lock(mutex_);
    const auto found = std::find(open_.begin(), open_.end(), closing);
    if (found == open_.end()) return true;
    open_.erase(found);
    if (front_ == closing) front_ = open_.empty() ? nullptr : open_.back();
  }
  closing->Release();
  return true;
}

void ExplorerWindows::Reset() {
  std::vector<StoreExplorer*> closed;
  {
    std::lock_guard lock(mutex_);
    closed.swap(open_);
    front_ = nullptr;
  }
  for (StoreExplorer* explorer : closed) explorer->Release();
}

std::size_t ExplorerWindows::Count() const {
  std::lock_guard lock(mutex_);
  return open_.size();
}

StoreExplorer* ExplorerWindows::At(std::size_t position) const {
  std::lock_guard lock(mutex_);
  return position < open_.size() ? Referenced(open_[position]) : nullptr;
}

StoreExplorer* ExplorerWindows::Front() const {
  std::lock_guard lock(mutex_);
  return Referenced(front_);
}

void ExplorerWindows::BringToFront(StoreExplorer* explorer) {
  std::lock_guard lock(mutex_);
  if (std::find(open_.begin(), open_.end(), explorer) != open_.end()) front_ = explorer;
}

StoreExplorer* ExplorerWindows::Find(IUnknown* explorer) const {
  if (explorer == nullptr) return nullptr;
  const void* identity = ComIdentity(explorer);
  std::lock_guard lock(mutex_);
  for (StoreExplorer* each : open_) {
    if (ComIdentity(static_cast<Outlook::_Explorer*>(each)) == identity) return each;
  }
  return nullptr;
}

}  // namespace kelvra::outlook
