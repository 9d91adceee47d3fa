// Owners of Windows handles: one template with a policy per kind of handle (its type, its
// invalid value, its close function), so that no handle needs a manual close path that
// an early return can skip, and no handle is handed over for the receiver to close.
#pragma once

#include <utility>

#include "win32/base.h"
#include "win32/files.h"
#include "win32/gdi.h"
#include "win32/module.h"
#include "win32/registry.h"

// A policy names Handle, Invalid() and Close(handle); Close is only given valid handles.
template <class Policy>
class UniqueAny {
 public:
  using Handle = typename Policy::Handle;

  UniqueAny() noexcept = default;
  explicit UniqueAny(Handle handle) noexcept : handle_(handle) {}
  ~UniqueAny() { Reset(); }
  UniqueAny(UniqueAny&& other) noexcept : handle_(other.Release()) {}
  UniqueAny& operator=(UniqueAny&& other) noexcept {
    if (this != &other) Reset(other.Release());
    return *this;
  }
  UniqueAny(const UniqueAny&) = delete;
  UniqueAny& operator=(const UniqueAny&) = delete;

  Handle Get() const noexcept { return handle_; }
  explicit operator bool() const noexcept { return handle_ != Policy::Invalid(); }

  // Closes the handle held and takes `handle` in its place.
  void Reset(Handle handle = Policy::Invalid()) noexcept {
    const Handle old = std::exchange(handle_, handle);
    if (old != Policy::Invalid()) Policy::Close(old);
  }
  // Gives up the handle without closing it: the caller owns it now.
  [[nodiscard]] Handle Release() noexcept { return std::exchange(handle_, Policy::Invalid()); }
  // For a call that fills in a handle: closes the one held and gives the place to fill.
  Handle* Put() noexcept {
    Reset();
    return &handle_;
  }
  // The place of the handle held, for a call that takes it by address and keeps it.
  Handle* Address() noexcept { return &handle_; }

 private:
  Handle handle_ = Policy::Invalid();
};

// Which value stands for "no handle": null, or INVALID_HANDLE_VALUE (files, searches).
enum class NoHandle { kNull, kMinusOne };

template <class H, auto CloseFunction, NoHandle none = NoHandle::kNull>
struct HandlePolicy {
  using Handle = H;
  static Handle Invalid() noexcept {
    if constexpr (none == NoHandle::kMinusOne) {
      return INVALID_HANDLE_VALUE;
    } else {
      return nullptr;
    }
  }
  static void Close(Handle handle) noexcept { CloseFunction(handle); }
};

// CreateFileA.
using UniqueFile = UniqueAny<HandlePolicy<HANDLE, &CloseHandle, NoHandle::kMinusOne>>;
// FindFirstFileA.
using UniqueFind = UniqueAny<HandlePolicy<HANDLE, &FindClose, NoHandle::kMinusOne>>;
// Events, mutexes, threads and processes: CloseHandle, null when there is none.
using UniqueKernelHandle = UniqueAny<HandlePolicy<HANDLE, &CloseHandle>>;
using UniqueEvent = UniqueKernelHandle;
using UniqueRegKey = UniqueAny<HandlePolicy<HKEY, &RegCloseKey>>;
// Fonts, bitmaps, brushes: DeleteObject.
template <class H>
using UniqueGdiObject = UniqueAny<HandlePolicy<H, &DeleteObject>>;
// LoadLibraryA.
using UniqueModule = UniqueAny<HandlePolicy<HMODULE, &FreeLibrary>>;
