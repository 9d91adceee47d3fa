// The encodings the wizards offer, as listed in supportedEncodings.txt
// ("Name|Charset|CodePage" a line).
#pragma once

#include <string>

namespace host {

// The Name of the entry whose Name or Charset is nameOrCharset (any case); "UTF-8" is
// always known. "" when the file lists no such entry.
std::string EncodingName(const std::string& nameOrCharset, const std::string& encodingsFile);

}  // namespace host
