// Integer expressions of resource statements and of #if lines: numbers, #define
// names, parentheses, unary - ~ ! NOT, and the binary operators + - & | with C's
// order, plus comparisons, && || and defined() on #if lines.
#pragma once

#include <cstdint>

#include "SymbolTable.h"
#include "TokenStream.h"

namespace rcgen {

class ExpressionEvaluator {
 public:
  enum class Mode {
    kStatement,  // an unknown name is an error
    kCondition,  // an unknown name is 0, as the C preprocessor reads it
  };

  ExpressionEvaluator(const SymbolTable& symbols, Mode mode, int depth = 0)
      : symbols_(symbols), mode_(mode), depth_(depth) {}

  // Reads one expression and stops at the first token that cannot continue it.
  std::int64_t evaluate(TokenStream& tokens);
  // Reads one operand of a "|" chain (a style flag, a sum, a parenthesised expression).
  std::int64_t operand(TokenStream& tokens) { return bitAnd(tokens); }

 private:
  std::int64_t logicalOr(TokenStream& tokens);
  std::int64_t logicalAnd(TokenStream& tokens);
  std::int64_t bitOr(TokenStream& tokens);
  std::int64_t bitAnd(TokenStream& tokens);
  std::int64_t comparison(TokenStream& tokens);
  std::int64_t sum(TokenStream& tokens);
  std::int64_t unary(TokenStream& tokens);
  std::int64_t primary(TokenStream& tokens);
  std::int64_t definedTest(TokenStream& tokens);
  std::int64_t symbol(const Token& name);

  const SymbolTable& symbols_;
  Mode mode_;
  int depth_;
};

}  // namespace rcgen
