#include "VersionInfoHandler.h"

#include <strings.h>

#include "ExpressionEvaluator.h"

namespace rcgen {
namespace {

bool InStringFileInfo(const std::vector<std::string>& path) {
  return path.size() == 2 && strcasecmp(path[0].c_str(), "StringFileInfo") == 0;
}

}  // namespace

void VersionInfoHandler::parse(TokenStream& tokens, ResourceScript& script) {
  Token keyword = tokens.next();
  if (script.version) throw RcError(keyword.where, "a second VERSIONINFO");
  VersionInfo version;
  while (!tokens.peek().isBegin()) {
    if (tokens.atEnd()) throw RcError(keyword.where, "VERSIONINFO without BEGIN");
    fixedStatement(tokens, version);
  }
  std::vector<std::string> path;
  block(tokens, path, version);
  script.version = std::move(version);
}

void VersionInfoHandler::fixedStatement(TokenStream& tokens, VersionInfo& version) {
  Token statement = tokens.next();
  if (statement.isKeyword("FILEVERSION"))
    versionWords(tokens, version.fileVersion);
  else if (statement.isKeyword("PRODUCTVERSION"))
    versionWords(tokens, version.productVersion);
  else if (statement.isKeyword("FILEFLAGSMASK"))
    version.fileFlagsMask = number(tokens);
  else if (statement.isKeyword("FILEFLAGS"))
    version.fileFlags = number(tokens);
  else if (statement.isKeyword("FILEOS"))
    version.fileOS = number(tokens);
  else if (statement.isKeyword("FILETYPE"))
    version.fileType = number(tokens);
  else if (statement.isKeyword("FILESUBTYPE"))
    version.fileSubtype = number(tokens);
  else
    throw RcError(statement.where, "unknown VERSIONINFO statement '" + statement.text + "'");
}

// Up to four words separated by commas; missing ones are 0.
void VersionInfoHandler::versionWords(TokenStream& tokens, std::array<std::uint16_t, 4>& words) {
  words = {0, 0, 0, 0};
  for (std::size_t i = 0;; ++i) {
    Token first = tokens.peek();
    if (i == words.size()) throw RcError(first.where, "a version has at most four parts");
    std::uint32_t word = number(tokens);
    if (word > 0xFFFF)
      throw RcError(first.where, "version part " + std::to_string(word) + " exceeds 65535");
    words[i] = static_cast<std::uint16_t>(word);
    if (!tokens.accept(",")) return;
  }
}

std::uint32_t VersionInfoHandler::number(TokenStream& tokens) {
  return static_cast<std::uint32_t>(
      ExpressionEvaluator(symbols_, ExpressionEvaluator::Mode::kStatement).evaluate(tokens));
}

void VersionInfoHandler::block(TokenStream& tokens, std::vector<std::string>& path,
                               VersionInfo& version) {
  Token open = tokens.next();
  if (!open.isBegin()) throw RcError(open.where, "expected BEGIN, found '" + open.text + "'");
  while (!tokens.peek().isEnd()) {
    Token statement = tokens.next();
    if (statement.kind == TokenKind::kEnd) throw RcError(open.where, "BEGIN without END");
    if (statement.isKeyword("BLOCK")) {
      path.push_back(tokens.expectString("the name of the BLOCK").text);
      block(tokens, path, version);
      path.pop_back();
    } else if (statement.isKeyword("VALUE")) {
      value(tokens, path, version);
    } else {
      throw RcError(statement.where,
                    "expected BLOCK, VALUE or END, found '" + statement.text + "'");
    }
  }
  tokens.next();
}

// VALUE "name", item, item ...: only the text of a StringFileInfo value is kept; it
// ends at its first NUL ("1.0.0.1\0" is "1.0.0.1").
void VersionInfoHandler::value(TokenStream& tokens, const std::vector<std::string>& path,
                               VersionInfo& version) {
  Token name = tokens.expectString("the name of the VALUE");
  bool stringValue = InStringFileInfo(path);
  bool first = true;
  while (tokens.accept(",")) {
    if (tokens.peek().kind == TokenKind::kString) {
      std::string text = tokens.next().text;
      if (stringValue && first)
        version.values.push_back({path[1], name.text, text.substr(0, text.find('\0'))});
    } else if (stringValue) {
      throw RcError(tokens.peek().where, "the value of \"" + name.text + "\" must be a string");
    } else {
      number(tokens);
    }
    first = false;
  }
  if (stringValue && first)
    throw RcError(name.where, "VALUE \"" + name.text + "\" without a value");
}

}  // namespace rcgen
