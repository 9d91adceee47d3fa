#include "addin/GetEventLabelNames.h"

#include "addin/CLang.h"
#include "addin/ListSeparator.h"

std::string GetEventLabelNames(DWORD mask) {
  const std::string separator = GetListSeparator() + " ";
  std::string names;
  bool first = true;
  for (int label = 1; label <= 10; ++label) {
    if (!(mask & (1u << (label - 1)))) continue;
    if (!first) names += separator;
    first = false;
    names += g_Lang.GetText(("IDS_EVENT_LABEL" + std::to_string(label)).c_str());
  }
  return names;
}
