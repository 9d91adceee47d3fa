// The Win32 message box call.
#include "user/MessageBoxDesk.h"
#include "win32/user.h"

int WINAPI MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT type) {
  kelvra::platform::ShownMessageBox box;
  box.owner = owner;
  box.text = text != nullptr ? text : "";
  box.caption = caption != nullptr ? caption : "Error";
  box.type = type;
  return kelvra::platform::MessageBoxDesk::Instance().Show(std::move(box));
}
