// The event interfaces of Outlook that sinks connect to (dispatch interfaces: sinks
// are called through IDispatch::Invoke with these dispatch ids, arguments last first).
#pragma once

#include "com/comdef.h"

namespace Outlook {

// The application's events: Quit() when Outlook ends.
KELVRA_INTERFACE_IID(ApplicationEvents, 0x0006304E, 0x0000, 0x0000, 0xC0, 0x00, 0x00, 0x00, 0x00,
                     0x00, 0x00, 0x46)
struct ApplicationEvents : IDispatch {
 protected:
  ~ApplicationEvents() = default;
};

// The explorers collection's events: NewExplorer(_Explorer* Explorer) when a window opens.
KELVRA_INTERFACE_IID(ExplorersEvents, 0x00063078, 0x0000, 0x0000, 0xC0, 0x00, 0x00, 0x00, 0x00,
                     0x00, 0x00, 0x46)
struct ExplorersEvents : IDispatch {
 protected:
  ~ExplorersEvents() = default;
};

// An explorer's events: BeforeFolderSwitch(IDispatch* NewFolder, VARIANT_BOOL* Cancel),
// ViewSwitch(), Close().
KELVRA_INTERFACE_IID(ExplorerEvents, 0x0006304F, 0x0000, 0x0000, 0xC0, 0x00, 0x00, 0x00, 0x00, 0x00,
                     0x00, 0x46)
struct ExplorerEvents : IDispatch {
 protected:
  ~ExplorerEvents() = default;
};

inline constexpr DISPID kDispidNewExplorer = 0xF001;
inline constexpr DISPID kDispidBeforeFolderSwitch = 0xF003;
inline constexpr DISPID kDispidViewSwitch = 0xF004;
inline constexpr DISPID kDispidQuit = 0xF007;
inline constexpr DISPID kDispidClose = 0xF008;

}  // namespace Outlook
