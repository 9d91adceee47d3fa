#include "addin/IconToBitmap.h"

#include "win32/owners.h"

namespace {

// The screen's device context, borrowed for the call.
class ScreenDC {
 public:
  ScreenDC() : m_dc(GetDC(nullptr)) {}
  ~ScreenDC() {
    if (m_dc) ReleaseDC(nullptr, m_dc);
  }
  ScreenDC(const ScreenDC&) = delete;
  ScreenDC& operator=(const ScreenDC&) = delete;
  HDC Get() const { return m_dc; }

 private:
  HDC m_dc;
};

// A memory device context with one object selected into it; the old object is put back
// before the context is deleted, so that the bitmap can outlive it.
class MemoryDC {
 public:
  explicit MemoryDC(HDC compatible) : m_dc(CreateCompatibleDC(compatible)) {}
  ~MemoryDC() {
    if (m_old) SelectObject(m_dc, m_old);
    if (m_dc) DeleteDC(m_dc);
  }
  MemoryDC(const MemoryDC&) = delete;
  MemoryDC& operator=(const MemoryDC&) = delete;
  HDC Get() const { return m_dc; }
  void Select(HGDIOBJ object) { m_old = SelectObject(m_dc, object); }

 private:
  HDC m_dc;
  HGDIOBJ m_old = nullptr;
};

}  // namespace

HBITMAP IconToBitmap(HICON icon, COLORREF background, int width, int height, HDC target) {
  ScreenDC screen;
  if (!screen.Get()) return nullptr;
  UniqueGdiObject<HBITMAP> bitmap(CreateCompatibleBitmap(screen.Get(), width, height));
  if (!bitmap) return nullptr;
  {
    MemoryDC memory(screen.Get());
    if (!memory.Get()) return nullptr;
    memory.Select(bitmap.Get());
    UniqueGdiObject<HBRUSH> brush(CreateSolidBrush(background));
    RECT area{0, 0, width, height};
    if (brush) FillRect(memory.Get(), &area, brush.Get());
    DrawIconEx(memory.Get(), 0, 0, icon, width, height, 0, nullptr, DI_NORMAL);
    if (target) BitBlt(target, 0, 0, width, height, memory.Get(), 0, 0, SRCCOPY);
  }
  return bitmap.Release();
}
