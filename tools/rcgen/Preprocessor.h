// Reads a resource script as the resource compiler's preprocessor does: comments
// removed, #include followed, #define names collected, conditional sections resolved.
// Headers (.h, .c) give only their directives, as with the resource compiler.
#pragma once

#include <string>
#include <vector>

#include "SymbolTable.h"
#include "TokenStream.h"

namespace rcgen {

class Preprocessor {
 public:
  explicit Preprocessor(SymbolTable& symbols) : symbols_(symbols) {}

  // The script's lines that remain for the resource statements.
  std::vector<SourceLine> run(const std::string& path);

 private:
  struct Condition {
    bool active;       // lines of the current section are kept
    bool taken;        // a section of this #if chain was kept
    bool outerActive;  // the enclosing section is kept
    bool seenElse;
    SourceLocation where;
  };

  void processFile(const std::string& path, bool directivesOnly, int depth);
  void directive(const SourceLocation& where, const std::string& text,
                 const std::string& includingPath, int depth);
  void include(const SourceLocation& where, const std::string& argument,
               const std::string& includingPath, int depth);
  void conditional(const SourceLocation& where, const std::string& name,
                   const std::string& argument);
  bool evaluate(const SourceLocation& where, const std::string& expression) const;
  bool active() const { return conditions_.empty() || conditions_.back().active; }

  SymbolTable& symbols_;
  std::vector<Condition> conditions_;
  std::vector<SourceLine> lines_;
};

}  // namespace rcgen
