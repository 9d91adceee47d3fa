// Type libraries recorded under HKEY_CLASSES_ROOT.
#include <cstdio>
#include <string>

#include "com/RegistryEdit.h"
#include "com/TypeLibraries.h"
#include "store/GuidText.h"
#include "win32/nls.h"

namespace kelvra::typelib {

namespace {

// The interface marshaller of automation interfaces.
constexpr const char* kAutomationProxy = "{00020424-0000-0000-C000-000000000046}";

std::string Ansi(const char16_t* text) {
  std::string result;
  for (; text != nullptr && *text != 0; ++text) {
    result += *text < 0x80 ? static_cast<char>(*text) : '?';
  }
  return result;
}

std::string VersionText(WORD major, WORD minor) {
  char text[16];
  std::snprintf(text, sizeof text, "%x.%x", major, minor);
  return text;
}

std::string FolderOf(const std::string& path) {
  const std::size_t slash = path.find_last_of("\\/");
  return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

class Writer {
 public:
  LONG String(const std::string& path, const std::string& name, const std::string& text) {
    if (error_ == ERROR_SUCCESS)
      error_ = com::RegistryEdit::SetString(HKEY_CLASSES_ROOT, path, name, text);
    return error_;
  }
  LONG error() const { return error_; }

 private:
  LONG error_ = ERROR_SUCCESS;
};

}  // namespace

HRESULT Register(const GUID& libid, const char* modulePath) {
  const Library* library = com::TypeLibraries::Instance().Find(libid);
  if (library == nullptr) return TYPE_E_LIBNOTREGISTERED;
  const std::string libidText = store::GuidText::Of(libid);
  const std::string version = VersionText(library->major, library->minor);
  const std::string path = modulePath != nullptr ? modulePath : "";
  const std::string base = "TypeLib\\" + libidText + "\\" + version;
  Writer writer;
  writer.String(base, "", Ansi(library->helpString));
  writer.String(base + "\\0\\win32", "", path);
  writer.String(base + "\\FLAGS", "", "0");
  writer.String(base + "\\HELPDIR", "", FolderOf(path));
  for (const Interface& each : library->interfaces) {
    const std::string key = "Interface\\" + store::GuidText::Of(*each.iid);
    writer.String(key, "", Ansi(each.name));
    writer.String(key + "\\ProxyStubClsid32", "", kAutomationProxy);
    writer.String(key + "\\TypeLib", "", libidText);
    writer.String(key + "\\TypeLib", "Version", version);
  }
  return com::RegistryResult(writer.error());
}

HRESULT Unregister(const GUID& libid) {
  const Library* library = com::TypeLibraries::Instance().Find(libid);
  if (library == nullptr) return TYPE_E_LIBNOTREGISTERED;
  for (const Interface& each : library->interfaces) {
    const LONG removed = com::RegistryEdit::DeleteTree(
        HKEY_CLASSES_ROOT, "Interface\\" + store::GuidText::Of(*each.iid));
    if (removed != ERROR_SUCCESS) return com::RegistryResult(removed);
  }
  const std::string libraryKey = "TypeLib\\" + store::GuidText::Of(libid);
  LONG removed = com::RegistryEdit::DeleteTree(
      HKEY_CLASSES_ROOT, libraryKey + "\\" + VersionText(library->major, library->minor));
  if (removed == ERROR_SUCCESS)
    removed = com::RegistryEdit::DeleteIfLeaf(HKEY_CLASSES_ROOT, libraryKey);
  return com::RegistryResult(removed);
}

}  // namespace kelvra::typelib
