// Reads the statements of a resource script. STRINGTABLE, VERSIONINFO and the dialogs go
// to their handlers, icons, bitmaps and registry scripts are noted by id; every other statement
// (menus, accelerators, LANGUAGE, ...) is passed over whole: it ends with its BEGIN ... END block
// or, for a resource read from a file, with the line that names the file.
#pragma once

#include "ResourceScript.h"
#include "SymbolTable.h"
#include "TokenStream.h"

namespace rcgen {

class ScriptParser {
 public:
  explicit ScriptParser(const SymbolTable& symbols) : symbols_(symbols) {}

  ResourceScript parse(TokenStream& tokens);

  // Passes over a BEGIN ... END block, nested ones included; tokens are at the BEGIN.
  static void SkipBlock(TokenStream& tokens);
  // Passes over the options between a statement's head and its BEGIN.
  static void SkipToBegin(TokenStream& tokens, const Token& statement);

 private:
  void statement(TokenStream& tokens, ResourceScript& script);
  void skipResource(TokenStream& tokens, const Token& type);
  bool fileResource(TokenStream& tokens, const Token& name, std::uint16_t& id, std::string& file);
  void image(TokenStream& tokens, const Token& name, ResourceScript& script);
  void registryScript(TokenStream& tokens, const Token& name, ResourceScript& script);

  const SymbolTable& symbols_;
};

}  // namespace rcgen
