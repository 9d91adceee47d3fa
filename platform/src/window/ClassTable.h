// Window classes: those the system registers with RegisterClassA and the built-in ones
// of the controls and dialogs. Names compare without regard to case.
#pragma once

#include <map>
#include <mutex>
#include <optional>
#include <string>

#include "win32/window.h"

namespace kelvra::platform {

struct WindowClass {
  std::string name;
  WNDPROC proc = nullptr;
  HINSTANCE instance = nullptr;
  UINT style = 0;
  bool builtIn = false;
};

class ClassTable {
 public:
  static ClassTable& Instance();

  // False (1410) when a class of that name exists.
  bool Register(const WindowClass& windowClass, ATOM& atom);
  bool Unregister(const std::string& name);
  std::optional<WindowClass> Find(const std::string& name) const;

 private:
  ClassTable();
  static std::string Key(const std::string& name);

  mutable std::mutex mutex_;
  std::map<std::string, WindowClass> classes_;
  ATOM nextAtom_ = 0xC000;
};

}  // namespace kelvra::platform
