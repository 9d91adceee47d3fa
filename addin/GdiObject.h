// Owner of a GDI object (font, bitmap, brush): deleted when the owner goes.
#pragma once

#include <utility>

#include "win32/windows.h"

template <class Handle>
class GdiObject {
 public:
  GdiObject() = default;
  explicit GdiObject(Handle h) : m_handle(h) {}
  ~GdiObject() { Reset(); }
  GdiObject(GdiObject&& other) noexcept : m_handle(std::exchange(other.m_handle, nullptr)) {}
  GdiObject& operator=(GdiObject&& other) noexcept {
    if (this != &other) Reset(std::exchange(other.m_handle, nullptr));
    return *this;
  }
  GdiObject(const GdiObject&) = delete;
  GdiObject& operator=(const GdiObject&) = delete;

  Handle Get() const { return m_handle; }
  explicit operator bool() const { return m_handle != nullptr; }

  // Hands the object to the caller, who deletes it.
  Handle Release() { return std::exchange(m_handle, nullptr); }

  void Reset(Handle h = nullptr) {
    if (m_handle) DeleteObject(m_handle);
    m_handle = h;
  }

 private:
  Handle m_handle = nullptr;
};
