// Owner of a kernel handle (mutex, event, process, thread): closed when the owner goes.
#pragma once

#include <utility>

#include "win32/base.h"

class UniqueHandle {
 public:
  UniqueHandle() = default;
  explicit UniqueHandle(HANDLE h) : m_handle(h) {}
  ~UniqueHandle() { Reset(); }
  UniqueHandle(UniqueHandle&& other) noexcept : m_handle(other.Release()) {}
  UniqueHandle& operator=(UniqueHandle&& other) noexcept {
    if (this != &other) Reset(other.Release());
    return *this;
  }
  UniqueHandle(const UniqueHandle&) = delete;
  UniqueHandle& operator=(const UniqueHandle&) = delete;

  HANDLE Get() const { return m_handle; }
  explicit operator bool() const { return m_handle != nullptr; }

  void Reset(HANDLE h = nullptr) {
    if (m_handle) CloseHandle(m_handle);
    m_handle = h;
  }
  HANDLE Release() { return std::exchange(m_handle, nullptr); }

 private:
  HANDLE m_handle = nullptr;
};
