#include "atl/RegistryScript.h"

#include <cctype>
#include <cstdlib>

namespace kelvra::atl {

namespace {

std::string Upper(std::string_view text) {
  std::string result(text);
  for (char& c : result) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return result;
}

struct Token {
  enum class Kind { kEnd, kWord, kQuoted, kOpen, kClose, kEquals };
  Kind kind = Kind::kEnd;
  std::string text;

  bool IsWord(std::string_view word) const {
    return kind == Kind::kWord && Upper(text) == Upper(word);
  }
  bool IsName() const { return kind == Kind::kWord || kind == Kind::kQuoted; }
};

// Reads tokens, separated by blanks, making the replacements inside words and quoted
// names as it goes, so that a replacement's text is never read as script (a path
// holding a quote stays one value).
class Tokens {
 public:
  Tokens(std::string_view text, const std::map<std::string, std::string>& replacements)
      : text_(text), replacements_(replacements) {}

  // False when the script is malformed.
  bool Next(Token& token) {
    token = Token{};
    while (at_ < text_.size() && std::isspace(static_cast<unsigned char>(text_[at_]))) ++at_;
    if (at_ == text_.size()) return true;
    if (text_[at_] == '\'') return Quoted(token);
    if (!Word(token)) return false;
    // Braces and "=" stand alone between blanks; "{...}" is a name (a class id).
    if (token.text == "{") token.kind = Token::Kind::kOpen;
    if (token.text == "}") token.kind = Token::Kind::kClose;
    if (token.text == "=") token.kind = Token::Kind::kEquals;
    return true;
  }

 private:
  bool Quoted(Token& token) {
    token.kind = Token::Kind::kQuoted;
    ++at_;
    while (at_ < text_.size()) {
      const char c = text_[at_];
      if (c == '\'') {
        if (at_ + 1 < text_.size() && text_[at_ + 1] == '\'') {
          token.text += '\'';
          at_ += 2;
          continue;
        }
        ++at_;
        return true;
      }
      if (c == '%') {
        if (!Replacement(token.text)) return false;
        continue;
      }
      token.text += c;
      ++at_;
    }
    return false;  // no closing quote
  }

  bool Word(Token& token) {
    token.kind = Token::Kind::kWord;
    while (at_ < text_.size()) {
      const char c = text_[at_];
      if (std::isspace(static_cast<unsigned char>(c))) break;
      if (c == '%') {
        if (!Replacement(token.text)) return false;
        continue;
      }
      token.text += c;
      ++at_;
    }
    return true;
  }

  // At a '%': "%%" or "%NAME%".
  bool Replacement(std::string& out) {
    const std::size_t close = text_.find('%', at_ + 1);
    if (close == std::string_view::npos) return false;
    const std::string_view name = text_.substr(at_ + 1, close - at_ - 1);
    at_ = close + 1;
    if (name.empty()) {
      out += '%';
      return true;
    }
    const auto found = replacements_.find(Upper(name));
    if (found == replacements_.end()) return false;
    out += found->second;
    return true;
  }

  std::string_view text_;
  const std::map<std::string, std::string>& replacements_;
  std::size_t at_ = 0;
};

bool HexDigit(char c, int& value) {
  if (c >= '0' && c <= '9')
    value = c - '0';
  else if (c >= 'a' && c <= 'f')
    value = c - 'a' + 10;
  else if (c >= 'A' && c <= 'F')
    value = c - 'A' + 10;
  else
    return false;
  return true;
}

bool ValueData(const std::string& type, const std::string& text, ScriptValue& value) {
  const std::string kind = Upper(type);
  if (kind == "S" || kind == "E") {
    value.type = kind == "S" ? REG_SZ : REG_EXPAND_SZ;
    value.data = text + '\0';
    return true;
  }
  if (kind == "D") {
    if (text.empty()) return false;
    char* end = nullptr;
    const unsigned long long number = std::strtoull(text.c_str(), &end, 0);
    if (*end != 0 || number > 0xFFFFFFFFull || text[0] == '-') return false;
    const auto dword = static_cast<DWORD>(number);
    value.type = REG_DWORD;
    value.data.assign(reinterpret_cast<const char*>(&dword), sizeof dword);
    return true;
  }
  if (kind == "B") {
    if (text.size() % 2 != 0) return false;
    value.type = REG_BINARY;
    for (std::size_t i = 0; i < text.size(); i += 2) {
      int high = 0, low = 0;
      if (!HexDigit(text[i], high) || !HexDigit(text[i + 1], low)) return false;
      value.data += static_cast<char>(high * 16 + low);
    }
    return true;
  }
  return false;
}

class Parser {
 public:
  Parser(std::string_view text, const std::map<std::string, std::string>& replacements)
      : tokens_(text, replacements) {}

  bool Script(std::vector<ScriptRoot>& roots) {
    if (!Advance()) return false;
    while (token_.kind != Token::Kind::kEnd) {
      ScriptRoot root{};
      if (!RootKey(root.root) || !Advance() || !Expect(Token::Kind::kOpen)) return false;
      if (!Body(root.keys, nullptr)) return false;
      roots.push_back(std::move(root));
    }
    return true;
  }

 private:
  bool Advance() { return tokens_.Next(token_); }
  bool Expect(Token::Kind kind) { return token_.kind == kind && Advance(); }

  bool RootKey(HKEY& root) {
    if (token_.kind != Token::Kind::kWord) return false;
    const std::string name = Upper(token_.text);
    if (name == "HKCR" || name == "HKEY_CLASSES_ROOT")
      root = HKEY_CLASSES_ROOT;
    else if (name == "HKCU" || name == "HKEY_CURRENT_USER")
      root = HKEY_CURRENT_USER;
    else if (name == "HKLM" || name == "HKEY_LOCAL_MACHINE")
      root = HKEY_LOCAL_MACHINE;
    else
      return false;
    return true;
  }

  // After '{': keys (and, inside a key, "val" lines) up to the matching '}'.
  bool Body(std::vector<ScriptKey>& keys, std::vector<ScriptValue>* values) {
    while (token_.kind != Token::Kind::kClose) {
      if (values != nullptr && token_.IsWord("val")) {
        if (!Advance()) return false;
        ScriptValue value;
        if (!token_.IsName()) return false;
        value.name = token_.text;
        if (!Advance() || !Expect(Token::Kind::kEquals) || !Data(value)) return false;
        values->push_back(std::move(value));
        continue;
      }
      ScriptKey key;
      if (!Key(key)) return false;
      keys.push_back(std::move(key));
    }
    return Advance();
  }

  bool Key(ScriptKey& key) {
    if (token_.IsWord("ForceRemove"))
      key.flag = ScriptKey::Flag::kForceRemove;
    else if (token_.IsWord("NoRemove"))
      key.flag = ScriptKey::Flag::kNoRemove;
    else if (token_.IsWord("Delete"))
      key.flag = ScriptKey::Flag::kDelete;
    if (key.flag != ScriptKey::Flag::kNone && !Advance()) return false;
    if (!token_.IsName() || token_.text.empty()) return false;
    key.name = token_.text;
    if (!Advance()) return false;
    if (token_.kind == Token::Kind::kEquals) {
      ScriptValue value;
      if (!Advance() || !Data(value)) return false;
      key.values.push_back(std::move(value));
    }
    if (token_.kind == Token::Kind::kOpen) {
      if (!Advance()) return false;
      return Body(key.subkeys, &key.values);
    }
    return true;
  }

  // At the type letter: "s 'text'".
  bool Data(ScriptValue& value) {
    if (token_.kind != Token::Kind::kWord) return false;
    const std::string type = token_.text;
    if (!Advance() || token_.kind != Token::Kind::kQuoted) return false;
    if (!ValueData(type, token_.text, value)) return false;
    return Advance();
  }

  Tokens tokens_;
  Token token_;
};

}  // namespace

std::optional<std::vector<ScriptRoot>> RegistryScript::Parse(
    std::string_view text, const std::map<std::string, std::string>& replacements) {
  std::vector<ScriptRoot> roots;
  Parser parser(text, replacements);
  if (!parser.Script(roots)) return std::nullopt;
  return roots;
}

}  // namespace kelvra::atl
