#include "StringTableHandler.h"

#include "ExpressionEvaluator.h"
#include "ScriptParser.h"

namespace rcgen {

void StringTableHandler::parse(TokenStream& tokens, ResourceScript& script) {
  Token keyword = tokens.next();
  ScriptParser::SkipToBegin(tokens, keyword);
  tokens.next();
  while (!tokens.peek().isEnd()) {
    if (tokens.atEnd()) throw RcError(keyword.where, "STRINGTABLE without END");
    entry(tokens, script);
  }
  tokens.next();
}

void StringTableHandler::entry(TokenStream& tokens, ResourceScript& script) {
  Token first = tokens.peek();
  std::int64_t id =
      ExpressionEvaluator(symbols_, ExpressionEvaluator::Mode::kStatement).evaluate(tokens);
  if (id < 0 || id > 0xFFFF)
    throw RcError(first.where, "string id " + std::to_string(id) + " is outside 0 to 65535");
  tokens.accept(",");
  Token text = tokens.expectString("the text of string " + std::to_string(id));
  auto [it, added] =
      script.strings.emplace(static_cast<std::uint16_t>(id), StringEntry{text.text, first.where});
  if (!added)
    throw RcError(first.where, "string id " + std::to_string(id) + " is defined twice (first at " +
                                   it->second.where.file + ":" +
                                   std::to_string(it->second.where.line) + ")");
}

}  // namespace rcgen
