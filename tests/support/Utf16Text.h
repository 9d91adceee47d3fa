// UTF-16 test data built from readable UTF-8 literals, independent of the code under
// test and of the platform's converters.
#pragma once

#include <string>

namespace kelvra::test {

std::u16string Utf16FromUtf8(const std::string& utf8);
// The bytes of text in UTF-16 of either order, optionally after a byte-order mark.
std::string Utf16Bytes(const std::u16string& text, bool bigEndian, bool mark);

}  // namespace kelvra::test
