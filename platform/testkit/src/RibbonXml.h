// A strict reader of the custom-UI XML that ribbon hosts take: elements and their
// attributes (entities decoded), in document order. It refuses what an XML parser
// refuses in such documents: unmatched tags, unquoted or repeated attributes, a bare
// "&" or "<" in text or values, unknown entities, text after the root.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace testkit {

struct XmlElement {
  std::string name;  // without a namespace prefix
  std::map<std::string, std::string> attributes;
  int depth = 0;  // 0 for the root
};

class RibbonXml {
 public:
  // nullopt when the document is not well-formed.
  static std::optional<std::vector<XmlElement>> Parse(std::string_view text);
};

}  // namespace testkit
