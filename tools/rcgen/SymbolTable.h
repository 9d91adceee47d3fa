// The #define names of the script and its headers, and the names the Windows SDK
// headers would bring (the script includes them, but they are not on this machine).
#pragma once

#include <map>
#include <string>

#include "RcError.h"

namespace rcgen {

class SymbolTable {
 public:
  struct Definition {
    std::string body;
    SourceLocation where;
  };

  SymbolTable();

  void define(const std::string& name, const std::string& body, const SourceLocation& where);
  void undefine(const std::string& name) { definitions_.erase(name); }
  bool defined(const std::string& name) const { return definitions_.count(name) != 0; }
  // Null when the name is not defined.
  const Definition* find(const std::string& name) const;

 private:
  std::map<std::string, Definition> definitions_;
};

}  // namespace rcgen
