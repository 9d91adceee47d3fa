#include "window/ClassTable.h"

#include "base/AsciiCase.h"
#include "win32/commctrl.h"
#include "win32/dialog.h"
#include "window/ControlProcs.h"

namespace kelvra::platform {

ClassTable& ClassTable::Instance() {
  static ClassTable* table = new ClassTable;  // windows may be made while the process exits
  return *table;
}

ClassTable::ClassTable() {
  const std::pair<const char*, WNDPROC> builtIns[] = {
      {"Static", &ControlProcs::Static},
      {"Button", &ControlProcs::Button},
      {"Edit", &ControlProcs::Edit},
      {"ComboBox", &ControlProcs::ComboBox},
      {PROGRESS_CLASSA, &ControlProcs::Progress},
      {DATETIMEPICK_CLASSA, &ControlProcs::DateTime},
      {TOOLTIPS_CLASSA, &ControlProcs::Tooltip},
      {WC_DIALOG, &ControlProcs::Dialog},
  };
  for (const auto& [name, proc] : builtIns)
    classes_[Key(name)] = WindowClass{name, proc, nullptr, 0, true};
}

std::string ClassTable::Key(const std::string& name) {
  std::string key;
  for (char c : name) key.push_back(static_cast<char>(AsciiLower(static_cast<unsigned char>(c))));
  return key;
}

bool ClassTable::Register(const WindowClass& windowClass, ATOM& atom) {
  std::lock_guard lock(mutex_);
  auto [it, added] = classes_.emplace(Key(windowClass.name), windowClass);
  if (!added) {
    SetLastError(ERROR_CLASS_ALREADY_EXISTS);
    return false;
  }
  atom = nextAtom_++;
  return true;
}

bool ClassTable::Unregister(const std::string& name) {
  std::lock_guard lock(mutex_);
  auto it = classes_.find(Key(name));
  if (it == classes_.end() || it->second.builtIn) {
    SetLastError(ERROR_CLASS_DOES_NOT_EXIST);
    return false;
  }
  classes_.erase(it);
  return true;
}

std::optional<WindowClass> ClassTable::Find(const std::string& name) const {
  std::lock_guard lock(mutex_);
  auto it = classes_.find(Key(name));
  if (it == classes_.end()) return std::nullopt;
  return it->second;
}

}  // namespace kelvra::platform
