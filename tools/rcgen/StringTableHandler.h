// STRINGTABLE [options] BEGIN  id [,] "text"  ...  END
#pragma once

#include "ResourceScript.h"
#include "SymbolTable.h"
#include "TokenStream.h"

namespace rcgen {

class StringTableHandler {
 public:
  explicit StringTableHandler(const SymbolTable& symbols) : symbols_(symbols) {}

  // tokens are at the STRINGTABLE keyword.
  void parse(TokenStream& tokens, ResourceScript& script);

 private:
  void entry(TokenStream& tokens, ResourceScript& script);

  const SymbolTable& symbols_;
};

}  // namespace rcgen
