#include "SymbolTable.h"

namespace rcgen {

SymbolTable::SymbolTable() {
  static constexpr struct {
    const char* name;
    const char* value;
  } kSdk[] = {
      {"RC_INVOKED", "1"},
      {"VS_VERSION_INFO", "1"},
      {"VS_FFI_FILEFLAGSMASK", "0x3FL"},
      {"VS_FF_DEBUG", "0x1L"},
      {"VS_FF_PRERELEASE", "0x2L"},
      {"VS_FF_PATCHED", "0x4L"},
      {"VS_FF_PRIVATEBUILD", "0x8L"},
      {"VS_FF_INFOINFERRED", "0x10L"},
      {"VS_FF_SPECIALBUILD", "0x20L"},
      {"VOS_UNKNOWN", "0x0L"},
      {"VOS_NT", "0x40000L"},
      {"VOS__WINDOWS32", "0x4L"},
      {"VOS_NT_WINDOWS32", "0x40004L"},
      {"VFT_UNKNOWN", "0x0L"},
      {"VFT_APP", "0x1L"},
      {"VFT_DLL", "0x2L"},
      {"VFT2_UNKNOWN", "0x0L"},
  };
  for (const auto& symbol : kSdk) define(symbol.name, symbol.value, {"<sdk>", 0});
}

void SymbolTable::define(const std::string& name, const std::string& body,
                         const SourceLocation& where) {
  definitions_[name] = {body, where};
}

const SymbolTable::Definition* SymbolTable::find(const std::string& name) const {
  auto it = definitions_.find(name);
  return it == definitions_.end() ? nullptr : &it->second;
}

}  // namespace rcgen
