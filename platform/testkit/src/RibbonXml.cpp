#include "RibbonXml.h"

#include <cctype>
#include <cstdlib>

namespace testkit {

namespace {

bool NameChar(char c) {
  return std::isalnum(static_cast<unsigned char>(c)) || c == '_' || c == '-' || c == '.' ||
         c == ':' || static_cast<unsigned char>(c) >= 0x80;
}

void AppendUtf8(std::string& out, unsigned long code) {
  if (code < 0x80) {
    out += static_cast<char>(code);
  } else if (code < 0x800) {
    out += static_cast<char>(0xC0 | (code >> 6));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else if (code < 0x10000) {
    out += static_cast<char>(0xE0 | (code >> 12));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (code >> 18));
    out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  }
}

class Reader {
 public:
  explicit Reader(std::string_view text) : text_(text) {}

  bool Document(std::vector<XmlElement>& elements) {
    SkipSpace();
    if (Starts("<?xml")) {
      const std::size_t end = text_.find("?>", at_);
      if (end == std::string_view::npos) return false;
      at_ = end + 2;
    }
    if (!Misc()) return false;
    if (!Starts("<")) return false;
    if (!Element(elements, 0)) return false;
    return Misc() && at_ == text_.size();
  }

 private:
  bool Starts(std::string_view prefix) const { return text_.substr(at_, prefix.size()) == prefix; }
  void SkipSpace() {
    while (at_ < text_.size() && std::isspace(static_cast<unsigned char>(text_[at_]))) ++at_;
  }

  // Blanks and comments between elements.
  bool Misc() {
    for (;;) {
      SkipSpace();
      if (!Starts("<!--")) return true;
      const std::size_t end = text_.find("-->", at_ + 4);
      if (end == std::string_view::npos) return false;
      at_ = end + 3;
    }
  }

  bool Name(std::string& name) {
    const std::size_t start = at_;
    while (at_ < text_.size() && NameChar(text_[at_])) ++at_;
    name = std::string(text_.substr(start, at_ - start));
    return !name.empty();
  }

  // At '&': one entity, decoded.
  bool Entity(std::string& out) {
    const std::size_t end = text_.find(';', at_);
    if (end == std::string_view::npos) return false;
    const std::string_view name = text_.substr(at_ + 1, end - at_ - 1);
    at_ = end + 1;
    if (name == "amp")
      out += '&';
    else if (name == "lt")
      out += '<';
    else if (name == "gt")
      out += '>';
    else if (name == "quot")
      out += '"';
    else if (name == "apos")
      out += '\'';
    else if (name.size() > 1 && name[0] == '#') {
      const bool hex = name[1] == 'x';
      const std::string digits(name.substr(hex ? 2 : 1));
      if (digits.empty()) return false;
      char* stop = nullptr;
      const unsigned long code = std::strtoul(digits.c_str(), &stop, hex ? 16 : 10);
      if (*stop != 0 || code == 0 || code > 0x10FFFF) return false;
      AppendUtf8(out, code);
    } else {
      return false;
    }
    return true;
  }

  bool AttributeValue(std::string& value) {
    if (at_ >= text_.size() || (text_[at_] != '"' && text_[at_] != '\'')) return false;
    const char quote = text_[at_++];
    while (at_ < text_.size() && text_[at_] != quote) {
      const char c = text_[at_];
      if (c == '<') return false;
      if (c == '&') {
        if (!Entity(value)) return false;
      } else {
        value += c;
        ++at_;
      }
    }
    if (at_ >= text_.size()) return false;
    ++at_;
    return true;
  }

  static std::string Local(const std::string& name) {
    const std::size_t colon = name.find(':');
    return colon == std::string::npos ? name : name.substr(colon + 1);
  }

  bool Element(std::vector<XmlElement>& elements, int depth) {
    ++at_;  // '<'
    std::string qualified;
    if (!Name(qualified)) return false;
    XmlElement element{Local(qualified), {}, depth};
    for (;;) {
      const std::size_t before = at_;
      SkipSpace();
      if (Starts("/>")) {
        at_ += 2;
        elements.push_back(std::move(element));
        return true;
      }
      if (Starts(">")) {
        ++at_;
        break;
      }
      if (at_ == before) return false;  // attributes are separated by blanks
      std::string name, value;
      if (!Name(name)) return false;
      SkipSpace();
      if (!Starts("=")) return false;
      ++at_;
      SkipSpace();
      if (!AttributeValue(value)) return false;
      if (!element.attributes.emplace(name, value).second) return false;
    }
    elements.push_back(std::move(element));
    return Content(elements, depth, qualified);
  }

  bool Content(std::vector<XmlElement>& elements, int depth, const std::string& qualified) {
    std::string ignored;
    while (at_ < text_.size()) {
      if (Starts("</")) {
        at_ += 2;
        std::string closing;
        if (!Name(closing) || closing != qualified) return false;
        SkipSpace();
        if (!Starts(">")) return false;
        ++at_;
        return true;
      }
      if (Starts("<!--")) {
        if (!Misc()) return false;
        continue;
      }
      if (Starts("<")) {
        if (!Element(elements, depth + 1)) return false;
        continue;
      }
      if (text_[at_] == '&') {
        if (!Entity(ignored)) return false;
        continue;
      }
      ++at_;
    }
    return false;
  }

  std::string_view text_;
  std::size_t at_ = 0;
};

}  // namespace

std::optional<std::vector<XmlElement>> RibbonXml::Parse(std::string_view text) {
  std::vector<XmlElement> elements;
  Reader reader(text);
  if (!reader.Document(elements)) return std::nullopt;
  return elements;
}

}  // namespace testkit
