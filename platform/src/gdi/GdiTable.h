// GDI objects as handles with recorded attributes: what was created, what a device
// context has selected, what was drawn into a bitmap (its fill colour and the icon
// drawn over it). Stock objects and system-colour brushes are shared and not counted.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <mutex>
#include <optional>

#include "win32/gdi.h"

namespace kelvra::platform {

enum class GdiKind { kFont, kBrush, kBitmap, kIcon, kMemoryDc, kScreenDc };

struct GdiObject {
  GdiKind kind = GdiKind::kBrush;
  bool stock = false;
  LOGFONTA font{};
  COLORREF color = 0;  // a brush's colour
  int width = 0;       // bitmaps and icons
  int height = 0;
  WORD resourceId = 0;  // an icon or bitmap loaded from resources
  // What was drawn into a bitmap.
  bool filled = false;
  COLORREF fillColor = 0;
  WORD iconId = 0;
  // A device context's state.
  HGDIOBJ selectedFont = nullptr;
  HGDIOBJ selectedBrush = nullptr;
  HGDIOBJ selectedBitmap = nullptr;
  COLORREF backColor = RGB(255, 255, 255);
  COLORREF textColor = 0;
  int backMode = OPAQUE;
};

class GdiTable {
 public:
  static GdiTable& Instance();

  HGDIOBJ Add(const GdiObject& object);
  // Deletes an object of any kind that is not stock.
  bool Delete(HGDIOBJ handle);
  std::optional<GdiObject> Get(HGDIOBJ handle) const;
  // Runs f under the table's lock; false for an unknown handle.
  bool With(HGDIOBJ handle, const std::function<void(GdiObject&)>& f);
  // Whether a device context has the object selected.
  bool Selected(HGDIOBJ handle) const;
  // Objects that are not stock.
  int Count() const;
  // The shared stock object made by make on first use under that key.
  HGDIOBJ Stock(int key, const std::function<GdiObject()>& make);

 private:
  GdiTable() = default;

  mutable std::mutex mutex_;
  std::map<HGDIOBJ, GdiObject> objects_;
  std::map<int, HGDIOBJ> stock_;
  std::uintptr_t next_ = 0x200000;
};

}  // namespace kelvra::platform
