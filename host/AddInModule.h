// The add-in's module as Office sees it: a library loaded by path, its four exports and
// the connection object made through the class factory of its registered class.
#pragma once

#include <string>

#include "com/comdef.h"
#include "win32/owners.h"
#include "win32/windows.h"

namespace host {

class AddInModule {
 public:
  // Loads the library at the Linux path; throws std::runtime_error when it cannot be
  // loaded or lacks an export.
  explicit AddInModule(const std::string& linuxPath);
  ~AddInModule();
  AddInModule(const AddInModule&) = delete;
  AddInModule& operator=(const AddInModule&) = delete;

  HRESULT Register() const;
  HRESULT Unregister() const;
  // A new connection object of the class registered for "Kelvra.Connect"; throws
  // std::runtime_error when the class is not registered or cannot be made.
  IUnknownPtr CreateConnect() const;
  // The Windows folder the module lives in, without a trailing "\".
  std::string WindowsFolder() const;
  // Its product name and file version from its version resource ("Kelvra 1.0.0.1");
  // throws std::runtime_error when it has none.
  std::string Version() const;

 private:
  using GetClassObject = HRESULT (*)(REFCLSID, REFIID, LPVOID*);
  using ServerCall = HRESULT (*)();

  FARPROC Export(const char* name) const;

  UniqueModule module_;
  GetClassObject getClassObject_ = nullptr;
  ServerCall registerServer_ = nullptr;
  ServerCall unregisterServer_ = nullptr;
};

// "Z:\..." for an absolute Linux path.
std::string WindowsPathOf(const std::string& linuxPath);
// "0x80004005"
std::string HresultText(HRESULT hr);

}  // namespace host
