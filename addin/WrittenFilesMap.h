// The files an export run wrote, by path; the export finish page attaches them to a
// mail. The value is unused (0).
#pragma once

#include <cstdint>
#include <string>
#include <unordered_map>

using WrittenFilesMap = std::unordered_map<std::string, std::int32_t>;
