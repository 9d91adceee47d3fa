#include "ExpressionEvaluator.h"

namespace rcgen {
namespace {

// Deeper than any honest chain of #define names: a name defined through itself.
constexpr int kMaxDepth = 32;

std::string Describe(const Token& token) {
  return token.kind == TokenKind::kEnd ? "the end of the script" : "'" + token.text + "'";
}

bool AcceptOperator(TokenStream& tokens, bool allowed, const char* op) {
  return allowed && tokens.accept(op);
}

}  // namespace

std::int64_t ExpressionEvaluator::evaluate(TokenStream& tokens) { return logicalOr(tokens); }

std::int64_t ExpressionEvaluator::logicalOr(TokenStream& tokens) {
  std::int64_t value = logicalAnd(tokens);
  while (AcceptOperator(tokens, mode_ == Mode::kCondition, "||")) {
    std::int64_t right = logicalAnd(tokens);
    value = (value != 0 || right != 0) ? 1 : 0;
  }
  return value;
}

std::int64_t ExpressionEvaluator::logicalAnd(TokenStream& tokens) {
  std::int64_t value = bitOr(tokens);
  while (AcceptOperator(tokens, mode_ == Mode::kCondition, "&&")) {
    std::int64_t right = bitOr(tokens);
    value = (value != 0 && right != 0) ? 1 : 0;
  }
  return value;
}

std::int64_t ExpressionEvaluator::bitOr(TokenStream& tokens) {
  std::int64_t value = bitAnd(tokens);
  while (tokens.accept("|")) value |= bitAnd(tokens);
  return value;
}

std::int64_t ExpressionEvaluator::bitAnd(TokenStream& tokens) {
  std::int64_t value = comparison(tokens);
  while (tokens.accept("&")) value &= comparison(tokens);
  return value;
}

std::int64_t ExpressionEvaluator::comparison(TokenStream& tokens) {
  std::int64_t value = sum(tokens);
  while (mode_ == Mode::kCondition) {
    if (tokens.accept("=="))
      value = value == sum(tokens);
    else if (tokens.accept("!="))
      value = value != sum(tokens);
    else if (tokens.accept("<="))
      value = value <= sum(tokens);
    else if (tokens.accept(">="))
      value = value >= sum(tokens);
    else if (tokens.accept("<"))
      value = value < sum(tokens);
    else if (tokens.accept(">"))
      value = value > sum(tokens);
    else
      break;
  }
  return value;
}

std::int64_t ExpressionEvaluator::sum(TokenStream& tokens) {
  std::int64_t value = unary(tokens);
  for (;;) {
    if (tokens.accept("+"))
      value += unary(tokens);
    else if (tokens.accept("-"))
      value -= unary(tokens);
    else
      return value;
  }
}

std::int64_t ExpressionEvaluator::unary(TokenStream& tokens) {
  if (tokens.accept("-")) return -unary(tokens);
  if (tokens.accept("~")) return ~unary(tokens);
  if (tokens.accept("!")) return unary(tokens) == 0 ? 1 : 0;
  if (tokens.peek().isKeyword("NOT")) {
    tokens.next();
    return ~unary(tokens);
  }
  return primary(tokens);
}

std::int64_t ExpressionEvaluator::primary(TokenStream& tokens) {
  const Token& token = tokens.peek();
  if (token.kind == TokenKind::kNumber) return static_cast<std::int64_t>(tokens.next().number);
  if (tokens.accept("(")) {
    std::int64_t value = logicalOr(tokens);
    if (!tokens.accept(")"))
      throw RcError(tokens.peek().where, "expected ')', found " + Describe(tokens.peek()));
    return value;
  }
  if (token.kind == TokenKind::kIdentifier) {
    if (mode_ == Mode::kCondition && token.text == "defined") return definedTest(tokens);
    return symbol(tokens.next());
  }
  throw RcError(token.where, "expected a number or a name, found " + Describe(token));
}

std::int64_t ExpressionEvaluator::definedTest(TokenStream& tokens) {
  tokens.next();
  bool parenthesised = tokens.accept("(");
  Token name = tokens.next();
  if (name.kind != TokenKind::kIdentifier)
    throw RcError(name.where, "expected a name after 'defined'");
  if (parenthesised && !tokens.accept(")"))
    throw RcError(name.where, "expected ')' after 'defined(" + name.text + "'");
  return symbols_.defined(name.text) ? 1 : 0;
}

std::int64_t ExpressionEvaluator::symbol(const Token& name) {
  const SymbolTable::Definition* definition = symbols_.find(name.text);
  if (definition == nullptr) {
    if (mode_ == Mode::kCondition) return 0;
    throw RcError(name.where, "unknown symbol '" + name.text + "'");
  }
  if (depth_ >= kMaxDepth)
    throw RcError(name.where, "'" + name.text + "' is defined through itself");
  TokenStream body({{definition->where, definition->body}});
  if (body.atEnd()) throw RcError(name.where, "'" + name.text + "' has no value");
  std::int64_t value = ExpressionEvaluator(symbols_, mode_, depth_ + 1).evaluate(body);
  if (!body.atEnd())
    throw RcError(definition->where, "'" + name.text + "' is not a number: " + definition->body);
  return value;
}

}  // namespace rcgen
