// name VERSIONINFO  FILEVERSION a,b,c,d  PRODUCTVERSION a,b,c,d  FILEFLAGSMASK n ...
// BEGIN  BLOCK "StringFileInfo" BEGIN BLOCK "040904b0" BEGIN VALUE "Name", "text" ...
// END END  BLOCK "VarFileInfo" BEGIN VALUE "Translation", 0x409, 1200 END  END
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "ResourceScript.h"
#include "SymbolTable.h"
#include "TokenStream.h"

namespace rcgen {

class VersionInfoHandler {
 public:
  explicit VersionInfoHandler(const SymbolTable& symbols) : symbols_(symbols) {}

  // tokens are at the VERSIONINFO keyword, after the resource's name.
  void parse(TokenStream& tokens, ResourceScript& script);

 private:
  void fixedStatement(TokenStream& tokens, VersionInfo& version);
  void versionWords(TokenStream& tokens, std::array<std::uint16_t, 4>& words);
  std::uint32_t number(TokenStream& tokens);
  void block(TokenStream& tokens, std::vector<std::string>& path, VersionInfo& version);
  void value(TokenStream& tokens, const std::vector<std::string>& path, VersionInfo& version);

  const SymbolTable& symbols_;
};

}  // namespace rcgen
