#include "gdi/GdiTable.h"

#include <algorithm>

namespace kelvra::platform {

GdiTable& GdiTable::Instance() {
  static GdiTable* table = new GdiTable;  // objects may be deleted while the process exits
  return *table;
}

HGDIOBJ GdiTable::Add(const GdiObject& object) {
  std::lock_guard lock(mutex_);
  auto handle = reinterpret_cast<HGDIOBJ>(next_);
  next_ += 4;
  objects_.emplace(handle, object);
  return handle;
}

bool GdiTable::Delete(HGDIOBJ handle) {
  std::lock_guard lock(mutex_);
  auto it = objects_.find(handle);
  if (it == objects_.end() || it->second.stock) return false;
  objects_.erase(it);
  return true;
}

std::optional<GdiObject> GdiTable::Get(HGDIOBJ handle) const {
  std::lock_guard lock(mutex_);
  auto it = objects_.find(handle);
  if (it == objects_.end()) return std::nullopt;
  return it->second;
}

bool GdiTable::With(HGDIOBJ handle, const std::function<void(GdiObject&)>& f) {
  std::lock_guard lock(mutex_);
  auto it = objects_.find(handle);
  if (it == objects_.end()) return false;
  f(it->second);
  return true;
}

bool GdiTable::Selected(HGDIOBJ handle) const {
  std::lock_guard lock(mutex_);
  return std::any_of(objects_.begin(), objects_.end(), [&](const auto& entry) {
    const GdiObject& o = entry.second;
    return o.selectedFont == handle || o.selectedBrush == handle || o.selectedBitmap == handle;
  });
}

int GdiTable::Count() const {
  std::lock_guard lock(mutex_);
  return static_cast<int>(std::count_if(objects_.begin(), objects_.end(),
                                        [](const auto& entry) { return !entry.second.stock; }));
}

HGDIOBJ GdiTable::Stock(int key, const std::function<GdiObject()>& make) {
  {
    std::lock_guard lock(mutex_);
    auto it = stock_.find(key);
    if (it != stock_.end()) return it->second;
  }
  GdiObject object = make();
  object.stock = true;
  HGDIOBJ handle = Add(object);
  std::lock_guard lock(mutex_);
  auto [it, added] = stock_.emplace(key, handle);
  if (!added) objects_.erase(handle);  // another thread made it first
  return it->second;
}

}  // namespace kelvra::platform
