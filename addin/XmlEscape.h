// Text made safe to stand inside an XML attribute value or element.
#pragma once

#include <string>
#include <string_view>

// "&", "<", ">", '"' and "'" become their entities; every other byte stays.
std::string XmlEscape(std::string_view text);
