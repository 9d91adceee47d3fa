// Reads the statements of a resource script. STRINGTABLE and VERSIONINFO go to their
// handlers; every other statement (dialogs, icons, bitmaps, LANGUAGE, ...) is passed
// over whole: it ends with its BEGIN ... END block or, for a resource read from a file,
// with the line that names the file.
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

  const SymbolTable& symbols_;
};

}  // namespace rcgen
