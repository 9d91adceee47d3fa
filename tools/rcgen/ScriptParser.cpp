#include "ScriptParser.h"

#include "DialogHandler.h"
#include "ExpressionEvaluator.h"
#include "StringTableHandler.h"
#include "VersionInfoHandler.h"

namespace rcgen {
namespace {

std::string Describe(const Token& token) {
  return token.kind == TokenKind::kEnd ? "the end of the script" : "'" + token.text + "'";
}

bool IsName(const Token& token) {
  return token.kind == TokenKind::kIdentifier || token.kind == TokenKind::kNumber;
}

}  // namespace

ResourceScript ScriptParser::parse(TokenStream& tokens) {
  ResourceScript script;
  while (!tokens.atEnd()) statement(tokens, script);
  return script;
}

void ScriptParser::statement(TokenStream& tokens, ResourceScript& script) {
  const Token& first = tokens.peek();
  if (first.isKeyword("STRINGTABLE")) {
    StringTableHandler(symbols_).parse(tokens, script);
    return;
  }
  // Top-level LANGUAGE, VERSION and CHARACTERISTICS take the rest of their line.
  if (first.isKeyword("LANGUAGE") || first.isKeyword("VERSION") ||
      first.isKeyword("CHARACTERISTICS")) {
    Token keyword = tokens.next();
    while (!tokens.atEnd() && tokens.peek().sameLine(keyword)) tokens.next();
    return;
  }
  if (!IsName(first))
    throw RcError(first.where, "expected a resource statement, found " + Describe(first));
  Token name = tokens.next();
  const Token& type = tokens.peek();
  if (!IsName(type))
    throw RcError(type.kind == TokenKind::kEnd ? name.where : type.where,
                  "expected a resource type after '" + name.text + "', found " + Describe(type));
  if (type.isKeyword("VERSIONINFO"))
    VersionInfoHandler(symbols_).parse(tokens, script);
  else if (type.isKeyword("DIALOG") || type.isKeyword("DIALOGEX"))
    DialogHandler(symbols_).parse(tokens, name, script);
  else if (type.isKeyword("ICON") || type.isKeyword("BITMAP"))
    image(tokens, name, script);
  else if (type.isKeyword("REGISTRY"))
    registryScript(tokens, name, script);
  else
    skipResource(tokens, tokens.next());
}

// An image or registry statement names its file on the same line, after optional
// memory flags. Only resources with a numeric id (a number or a #define) are kept: the
// system loads them by id. False for a resource to pass over.
bool ScriptParser::fileResource(TokenStream& tokens, const Token& name, std::uint16_t& id,
                                std::string& file) {
  Token type = tokens.next();
  while (!tokens.atEnd() && tokens.peek().sameLine(type)) {
    Token token = tokens.next();
    if (token.kind == TokenKind::kString || token.kind == TokenKind::kWord) file = token.text;
  }
  if (name.kind == TokenKind::kIdentifier && !symbols_.defined(name.text)) return false;
  TokenStream nameTokens({{name.where, name.text}});
  std::int64_t value =
      ExpressionEvaluator(symbols_, ExpressionEvaluator::Mode::kStatement).evaluate(nameTokens);
  if (value <= 0 || value > 0xFFFF)
    throw RcError(name.where,
                  type.text + " id " + std::to_string(value) + " is outside 1 to 65535");
  id = static_cast<std::uint16_t>(value);
  return true;
}

void ScriptParser::image(TokenStream& tokens, const Token& name, ResourceScript& script) {
  Image image;
  image.kind = tokens.peek().isKeyword("ICON") ? ImageKind::kIcon : ImageKind::kBitmap;
  if (fileResource(tokens, name, image.id, image.file)) script.images.push_back(std::move(image));
}

void ScriptParser::registryScript(TokenStream& tokens, const Token& name, ResourceScript& script) {
  RegistryScript registry;
  registry.where = name.where;
  if (fileResource(tokens, name, registry.id, registry.file))
    script.registryScripts.push_back(std::move(registry));
}

void ScriptParser::skipResource(TokenStream& tokens, const Token& type) {
  while (!tokens.atEnd() && tokens.peek().sameLine(type) && !tokens.peek().isBegin()) {
    TokenKind kind = tokens.next().kind;
    if (kind == TokenKind::kString || kind == TokenKind::kWord) {
      while (!tokens.atEnd() && tokens.peek().sameLine(type)) tokens.next();
      return;
    }
  }
  while (!tokens.atEnd() && !tokens.peek().isBegin()) {
    if (tokens.peek().isEnd())
      throw RcError(tokens.peek().where, "'" + tokens.peek().text + "' without BEGIN");
    tokens.next();
  }
  if (tokens.atEnd())
    throw RcError(type.where, "'" + type.text + "' statement without its BEGIN ... END block");
  SkipBlock(tokens);
}

void ScriptParser::SkipBlock(TokenStream& tokens) {
  std::vector<Token> open{tokens.next()};
  while (!open.empty()) {
    if (tokens.atEnd()) throw RcError(open.back().where, "BEGIN without END");
    Token token = tokens.next();
    if (token.isBegin())
      open.push_back(token);
    else if (token.isEnd())
      open.pop_back();
  }
}

void ScriptParser::SkipToBegin(TokenStream& tokens, const Token& statement) {
  while (!tokens.peek().isBegin()) {
    const Token& token = tokens.peek();
    bool option = token.kind == TokenKind::kIdentifier || token.kind == TokenKind::kNumber ||
                  token.is(TokenKind::kPunct, ",");
    if (!option || token.isEnd())
      throw RcError(token.kind == TokenKind::kEnd ? statement.where : token.where,
                    "expected BEGIN after " + statement.text + ", found " + Describe(token));
    tokens.next();
  }
}

}  // namespace rcgen
