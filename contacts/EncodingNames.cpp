#include "contacts/EncodingNames.h"

#include <algorithm>

#include "contacts/DovantCharConverter.h"

std::vector<std::string> EncodingNames::All() {
  std::vector<std::string> names;
  if (g_CharConverter == nullptr) return names;
  for (const auto& entry : g_CharConverter->GetEncodingsList().GetList())
    names.push_back(entry->Name);
  return names;
}

std::string EncodingNames::First() {
  const std::vector<std::string> names = All();
  return names.empty() ? std::string() : names.front();
}

std::string EncodingNames::KnownOrFirst(const std::string& name) {
  const std::vector<std::string> names = All();
  if (std::find(names.begin(), names.end(), name) != names.end()) return name;
  return names.empty() ? std::string() : names.front();
}
