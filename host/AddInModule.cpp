#include "AddInModule.h"

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <optional>
#include <stdexcept>
#include <type_traits>
#include <vector>

#include "win32/owners.h"
#include "win32/registry.h"

_COM_SMARTPTR_TYPEDEF(IClassFactory, __uuidof(IClassFactory));

namespace host {
namespace {

// "{1C6AE261-98B6-4EEF-9D3A-A7D6E7F1BD5B}", as the registry writes a class id.
std::optional<CLSID> ParseClassId(const std::string& text) {
  unsigned data1 = 0;
  unsigned short data2 = 0;
  unsigned short data3 = 0;
  unsigned char d[8] = {};
  int consumed = 0;
  if (std::sscanf(text.c_str(), "{%8x-%4hx-%4hx-%2hhx%2hhx-%2hhx%2hhx%2hhx%2hhx%2hhx%2hhx}%n",
                  &data1, &data2, &data3, &d[0], &d[1], &d[2], &d[3], &d[4], &d[5], &d[6], &d[7],
                  &consumed) != 11 ||
      consumed != 38 || text.size() != 38)
    return std::nullopt;
  CLSID clsid{data1, data2, data3, {d[0], d[1], d[2], d[3], d[4], d[5], d[6], d[7]}};
  return clsid;
}

// The class id HKEY_CLASSES_ROOT gives the ProgID, as Office looks it up.
std::optional<CLSID> RegisteredClass(const char* progId) {
  HKEY opened = nullptr;
  if (RegOpenKeyExA(HKEY_CLASSES_ROOT, (std::string(progId) + "\\CLSID").c_str(), 0, KEY_READ,
                    &opened) != ERROR_SUCCESS)
    return std::nullopt;
  const UniqueRegKey key(opened);
  char text[64] = {};
  DWORD size = sizeof text - 1;
  DWORD type = 0;
  const LONG read =
      RegQueryValueExA(key.Get(), nullptr, nullptr, &type, reinterpret_cast<BYTE*>(text), &size);
  if (read != ERROR_SUCCESS || type != REG_SZ) return std::nullopt;
  return ParseClassId(std::string(text, strnlen(text, size)));
}

}  // namespace

std::string WindowsPathOf(const std::string& linuxPath) {
  std::string path = "Z:" + std::filesystem::absolute(linuxPath).lexically_normal().string();
  for (char& c : path)
    if (c == '/') c = '\\';
  return path;
}

std::string HresultText(HRESULT hr) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%08X", static_cast<unsigned>(hr));
  return text;
}

AddInModule::AddInModule(const std::string& linuxPath) {
  module_.Reset(LoadLibraryA(WindowsPathOf(linuxPath).c_str()));
  if (!module_) throw std::runtime_error("cannot load the add-in " + linuxPath);
  getClassObject_ = reinterpret_cast<GetClassObject>(Export("DllGetClassObject"));
  registerServer_ = reinterpret_cast<ServerCall>(Export("DllRegisterServer"));
  unregisterServer_ = reinterpret_cast<ServerCall>(Export("DllUnregisterServer"));
}

AddInModule::~AddInModule() = default;

FARPROC AddInModule::Export(const char* name) const {
  FARPROC address = GetProcAddress(module_.Get(), name);
  if (address == nullptr)
    throw std::runtime_error(std::string("the add-in does not export ") + name);
  return address;
}

HRESULT AddInModule::Register() const { return registerServer_(); }

HRESULT AddInModule::Unregister() const { return unregisterServer_(); }

IUnknownPtr AddInModule::CreateConnect() const {
  std::optional<CLSID> clsid = RegisteredClass("Kelvra.Connect");
  if (!clsid)
    throw std::runtime_error("the add-in is not registered: run kelvra-host register first");
  IClassFactoryPtr factory;
  HRESULT hr = getClassObject_(*clsid, IID_IClassFactory, reinterpret_cast<void**>(&factory));
  if (FAILED(hr))
    throw std::runtime_error("the add-in has no class factory for its class: " + HresultText(hr));
  IUnknownPtr connect;
  hr = factory->CreateInstance(nullptr, IID_IUnknown, reinterpret_cast<void**>(&connect));
  if (FAILED(hr))
    throw std::runtime_error("the add-in cannot make its connection object: " + HresultText(hr));
  return connect;
}

std::string AddInModule::WindowsFolder() const {
  char path[2048];
  DWORD length = GetModuleFileNameA(module_.Get(), path, sizeof path);
  std::string file(path, length);
  return file.substr(0, file.find_last_of("\\/"));
}

std::string AddInModule::Version() const {
  char path[2048];
  const DWORD length = GetModuleFileNameA(module_.Get(), path, sizeof path);
  DWORD handle = 0;
  const DWORD size = length == 0 ? 0 : GetFileVersionInfoSizeA(path, &handle);
  std::vector<BYTE> data(size);
  auto text = [&](const char* name) -> std::string {
    void* value = nullptr;
    UINT chars = 0;
    const std::string query = std::string("\\StringFileInfo\\040904b0\\") + name;
    if (!VerQueryValueA(data.data(), query.c_str(), &value, &chars) || value == nullptr) return "";
    return std::string(static_cast<const char*>(value),
                       strnlen(static_cast<const char*>(value), chars));
  };
  if (size == 0 || !GetFileVersionInfoA(path, 0, size, data.data()) || text("FileVersion").empty())
    throw std::runtime_error("the add-in has no version resource");
  return text("ProductName") + " " + text("FileVersion");
}

}  // namespace host
