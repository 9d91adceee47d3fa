// The tokens of a preprocessed resource script, each with the line it came from.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "RcError.h"

namespace rcgen {

struct SourceLine {
  SourceLocation where;
  std::string text;
};

enum class TokenKind {
  kIdentifier,
  kNumber,
  kString,  // text holds the decoded bytes
  kPunct,   // one of , | & + - ~ ! ( ) { } < > = and the pairs && || == != <= >=
  kWord,    // anything else up to a blank, such as an unquoted file name
  kEnd,
};

struct Token {
  TokenKind kind = TokenKind::kEnd;
  std::string text;
  std::uint64_t number = 0;
  SourceLocation where;

  bool is(TokenKind k, std::string_view t) const;
  // Keywords of the script language compare without regard to case.
  bool isKeyword(std::string_view keyword) const;
  bool isBegin() const;
  bool isEnd() const;
  bool sameLine(const Token& other) const;
};

class TokenStream {
 public:
  explicit TokenStream(const std::vector<SourceLine>& lines);

  const Token& peek() const { return tokens_[position_]; }
  Token next();
  bool atEnd() const { return peek().kind == TokenKind::kEnd; }
  // Consumes the token when it is that punctuation.
  bool accept(std::string_view punct);
  Token expectString(const std::string& what);

 private:
  void tokenizeLine(const SourceLine& line);

  std::vector<Token> tokens_;
  std::size_t position_ = 0;
};

}  // namespace rcgen
