#include "TokenStream.h"

#include <strings.h>

#include <algorithm>
#include <cctype>

namespace rcgen {
namespace {

bool IsIdentifierStart(char c) { return std::isalpha(static_cast<unsigned char>(c)) || c == '_'; }
bool IsIdentifierChar(char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; }
bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\f' || c == '\v'; }

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// Reads the escape after a backslash at text[i] (i at the backslash) into out and
// returns the index after it. Unknown escapes keep the backslash, as the resource
// compiler does with paths such as "res\icon.ico".
std::size_t ReadEscape(std::string_view text, std::size_t i, std::string& out) {
  char c = i + 1 < text.size() ? text[i + 1] : '\0';
  static constexpr std::string_view kFrom = "ntrabfv\\\"'?";
  static constexpr std::string_view kTo = "\n\t\r\a\b\f\v\\\"'?";
  if (std::size_t k = kFrom.find(c); c != '\0' && k != std::string_view::npos) {
    out.push_back(kTo[k]);
    return i + 2;
  }
  if (c >= '0' && c <= '7') {
    int value = 0;
    std::size_t j = i + 1;
    for (; j < text.size() && j < i + 4 && text[j] >= '0' && text[j] <= '7'; ++j)
      value = value * 8 + (text[j] - '0');
    out.push_back(static_cast<char>(value));
    return j;
  }
  if (c == 'x' && i + 2 < text.size() && HexDigit(text[i + 2]) >= 0) {
    int value = 0;
    std::size_t j = i + 2;
    for (; j < text.size() && j < i + 4 && HexDigit(text[j]) >= 0; ++j)
      value = value * 16 + HexDigit(text[j]);
    out.push_back(static_cast<char>(value));
    return j;
  }
  out.push_back('\\');
  return i + 1;
}

// Each reader takes the token starting at text[i] and returns the index after it.

std::size_t ReadString(std::string_view text, std::size_t i, Token& token) {
  token.kind = TokenKind::kString;
  i += text[i] == 'L' ? 2 : 1;
  for (;;) {
    if (i >= text.size()) throw RcError(token.where, "unterminated string");
    if (text[i] == '"' && i + 1 < text.size() && text[i + 1] == '"') {
      token.text.push_back('"');
      i += 2;
    } else if (text[i] == '"') {
      return i + 1;
    } else if (text[i] == '\\') {
      i = ReadEscape(text, i, token.text);
    } else {
      token.text.push_back(text[i++]);
    }
  }
}

// Decimal or 0x hexadecimal, with any of the suffixes u and l.
std::size_t ReadNumber(std::string_view text, std::size_t i, Token& token) {
  std::size_t start = i;
  while (i < text.size() && IsIdentifierChar(text[i])) ++i;
  token.kind = TokenKind::kNumber;
  token.text = std::string(text.substr(start, i - start));
  bool hex = token.text.size() > 1 && (token.text[1] == 'x' || token.text[1] == 'X');
  int base = hex ? 16 : 10;
  std::size_t j = hex ? 2 : 0;
  for (; j < token.text.size() && HexDigit(token.text[j]) >= 0 && HexDigit(token.text[j]) < base;
       ++j)
    token.number = token.number * base + HexDigit(token.text[j]);
  bool digits = j > (hex ? 2u : 0u);
  bool suffixOnly = token.text.find_first_not_of("uUlL", j) == std::string::npos;
  if (!digits || !suffixOnly) throw RcError(token.where, "bad number '" + token.text + "'");
  return i;
}

// A name; one running on into a path or file name is a single unquoted word.
std::size_t ReadName(std::string_view text, std::size_t i, Token& token) {
  std::size_t start = i;
  while (i < text.size() && IsIdentifierChar(text[i])) ++i;
  token.kind = TokenKind::kIdentifier;
  if (i < text.size() && std::string_view(".\\/:").find(text[i]) != std::string_view::npos) {
    while (i < text.size() && !IsBlank(text[i]) && text[i] != ',') ++i;
    token.kind = TokenKind::kWord;
  }
  token.text = std::string(text.substr(start, i - start));
  return i;
}

std::size_t ReadPunct(std::string_view text, std::size_t i, Token& token) {
  static constexpr std::string_view kPairs[] = {"&&", "||", "==", "!=", "<=", ">="};
  token.kind = TokenKind::kPunct;
  std::string_view pair = text.substr(i, 2);
  std::size_t length =
      std::find(std::begin(kPairs), std::end(kPairs), pair) != std::end(kPairs) ? 2 : 1;
  token.text = std::string(text.substr(i, length));
  return i + length;
}

std::size_t ReadWord(std::string_view text, std::size_t i, Token& token) {
  std::size_t start = i;
  while (i < text.size() && !IsBlank(text[i])) ++i;
  token.kind = TokenKind::kWord;
  token.text = std::string(text.substr(start, i - start));
  return i;
}

std::size_t ReadToken(std::string_view text, std::size_t i, Token& token) {
  char c = text[i];
  if (c == '"' || (c == 'L' && i + 1 < text.size() && text[i + 1] == '"'))
    return ReadString(text, i, token);
  if (std::isdigit(static_cast<unsigned char>(c))) return ReadNumber(text, i, token);
  if (IsIdentifierStart(c)) return ReadName(text, i, token);
  if (std::string_view(",|&+-~!(){}<>=").find(c) != std::string_view::npos)
    return ReadPunct(text, i, token);
  return ReadWord(text, i, token);
}

}  // namespace

bool Token::is(TokenKind k, std::string_view t) const { return kind == k && text == t; }

bool Token::isKeyword(std::string_view keyword) const {
  return kind == TokenKind::kIdentifier && text.size() == keyword.size() &&
         strncasecmp(text.c_str(), keyword.data(), keyword.size()) == 0;
}

bool Token::isBegin() const { return isKeyword("BEGIN") || is(TokenKind::kPunct, "{"); }
bool Token::isEnd() const { return isKeyword("END") || is(TokenKind::kPunct, "}"); }

bool Token::sameLine(const Token& other) const {
  return where.line == other.where.line && where.file == other.where.file;
}

TokenStream::TokenStream(const std::vector<SourceLine>& lines) {
  for (const SourceLine& line : lines) tokenizeLine(line);
  Token end;
  if (!lines.empty()) end.where = lines.back().where;
  tokens_.push_back(end);
}

Token TokenStream::next() {
  Token token = tokens_[position_];
  if (position_ + 1 < tokens_.size()) ++position_;
  return token;
}

bool TokenStream::accept(std::string_view punct) {
  if (!peek().is(TokenKind::kPunct, punct)) return false;
  next();
  return true;
}

Token TokenStream::expectString(const std::string& what) {
  if (peek().kind != TokenKind::kString)
    throw RcError(peek().where,
                  "expected " + what +
                      (peek().kind == TokenKind::kEnd ? " before the end of the script"
                                                      : ", found '" + peek().text + "'"));
  return next();
}

void TokenStream::tokenizeLine(const SourceLine& line) {
  std::string_view text = line.text;
  std::size_t i = 0;
  while (i < text.size()) {
    if (IsBlank(text[i])) {
      ++i;
      continue;
    }
    Token token;
    token.where = line.where;
    i = ReadToken(text, i, token);
    tokens_.push_back(std::move(token));
  }
}

}  // namespace rcgen
