// The files an export run wrote, by path; the export finish page attaches them to a
// mail. The value is the file's place in the order the run wrote them (0 first).
#pragma once

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

using WrittenFilesMap = std::unordered_map<std::string, std::int32_t>;

// Enters the path after the files written so far; a path already there keeps its place.
void AddWrittenFile(WrittenFilesMap& files, const std::string& path);
// The paths in the order they were written.
std::vector<std::string> WrittenInOrder(const WrittenFilesMap& files);
