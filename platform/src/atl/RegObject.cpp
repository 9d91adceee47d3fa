#include <cctype>
#include <optional>
#include <string>

#include "atl/RegistryScript.h"
#include "atl/RegistryScriptWriter.h"
#include "atl/statreg.h"
#include "win32/nls.h"

namespace ATL {

namespace {

std::optional<std::string> AnsiOf(LPCOLESTR text) {
  if (text == nullptr) return std::nullopt;
  const int bytes = WideCharToMultiByte(CP_ACP, 0, text, -1, nullptr, 0, nullptr, nullptr);
  if (bytes < 1) return std::nullopt;
  std::string result(static_cast<std::size_t>(bytes), '\0');
  if (WideCharToMultiByte(CP_ACP, 0, text, -1, result.data(), bytes, nullptr, nullptr) != bytes) {
    return std::nullopt;
  }
  result.pop_back();
  return result;
}

}  // namespace

HRESULT CRegObject::AddReplacement(LPCOLESTR key, LPCOLESTR item) {
  const std::optional<std::string> name = AnsiOf(key);
  const std::optional<std::string> value = AnsiOf(item);
  if (!name || !value) return E_INVALIDARG;
  std::string upper = *name;
  for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  replacements_[upper] = *value;
  return S_OK;
}

HRESULT CRegObject::ClearReplacements() {
  replacements_.clear();
  return S_OK;
}

HRESULT CRegObject::StringRegister(LPCOLESTR script) { return Apply(script, true); }

HRESULT CRegObject::StringUnregister(LPCOLESTR script) { return Apply(script, false); }

HRESULT CRegObject::Apply(LPCOLESTR script, bool reg) {
  const std::optional<std::string> text = AnsiOf(script);
  if (!text) return E_INVALIDARG;
  const auto roots = kelvra::atl::RegistryScript::Parse(*text, replacements_);
  if (!roots) return DISP_E_EXCEPTION;
  return reg ? kelvra::atl::RegistryScriptWriter::Register(*roots)
             : kelvra::atl::RegistryScriptWriter::Unregister(*roots);
}

}  // namespace ATL
