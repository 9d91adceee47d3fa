#include "addin/WrittenFilesMap.h"

#include <algorithm>
#include <utility>

void AddWrittenFile(WrittenFilesMap& files, const std::string& path) {
  files.emplace(path, static_cast<std::int32_t>(files.size()));
}

std::vector<std::string> WrittenInOrder(const WrittenFilesMap& files) {
  std::vector<std::pair<std::int32_t, const std::string*>> places;
  places.reserve(files.size());
  for (const auto& [path, place] : files) places.emplace_back(place, &path);
  std::stable_sort(places.begin(), places.end(),
                   [](const auto& a, const auto& b) { return a.first < b.first; });
  std::vector<std::string> paths;
  paths.reserve(places.size());
  for (const auto& place : places) paths.push_back(*place.second);
  return paths;
}
