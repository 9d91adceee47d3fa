// GUIDs and the IIDs attached to interface types.
#pragma once

#include "win32/base.h"

struct GUID {
  DWORD Data1;
  WORD Data2;
  WORD Data3;
  BYTE Data4[8];
};
using IID = GUID;
using CLSID = GUID;
using REFGUID = const GUID&;
using REFIID = const IID&;
using REFCLSID = const CLSID&;

constexpr bool operator==(const GUID& a, const GUID& b) noexcept {
  if (a.Data1 != b.Data1 || a.Data2 != b.Data2 || a.Data3 != b.Data3) return false;
  for (int i = 0; i < 8; ++i) {
    if (a.Data4[i] != b.Data4[i]) return false;
  }
  return true;
}

constexpr bool IsEqualGUID(REFGUID a, REFGUID b) noexcept { return a == b; }
constexpr bool IsEqualIID(REFIID a, REFIID b) noexcept { return a == b; }
constexpr bool IsEqualCLSID(REFCLSID a, REFCLSID b) noexcept { return a == b; }

inline constexpr GUID GUID_NULL{};
inline constexpr IID IID_NULL{};

namespace kelvra {

// Names an interface type to the IID lookup without letting a derived interface fall
// back on its base's IID: an interface without its own IID does not compile.
template <class Interface>
struct IidTag {};

}  // namespace kelvra

// Attaches an IID to an interface type, in the interface's own namespace (the IID is
// found through argument-dependent lookup), and forward-declares the interface:
//   KELVRA_INTERFACE_IID(IUnknown, 0x00000000, 0x0000, 0x0000,
//                        0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46)
#define KELVRA_INTERFACE_IID(Interface, l, w1, w2, b1, b2, b3, b4, b5, b6, b7, b8) \
  struct Interface;                                                                \
  constexpr GUID KelvraInterfaceIid(::kelvra::IidTag<Interface>) noexcept {        \
    return GUID{l, w1, w2, {b1, b2, b3, b4, b5, b6, b7, b8}};                      \
  }

namespace kelvra {

// The IID of an interface type as an object with a fixed address, so that
// &__uuidof(I) is a constant (smart pointer types carry it as a template argument).
template <class Interface>
struct InterfaceIid {
  static constexpr GUID value = KelvraInterfaceIid(IidTag<Interface>{});
};

}  // namespace kelvra

// The IID of an interface type (the form taking an expression is not provided).
#define __uuidof(Interface) (::kelvra::InterfaceIid<Interface>::value)
