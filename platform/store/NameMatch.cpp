#include "store/NameMatch.h"

#include <algorithm>

#include "store/Folder.h"

namespace kelvra::store {

namespace {

char16_t Lower(char16_t c) { return (c >= u'A' && c <= u'Z') ? c - u'A' + u'a' : c; }

}  // namespace

bool SameName(std::u16string_view a, std::u16string_view b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                    [](char16_t x, char16_t y) { return Lower(x) == Lower(y); });
}

FolderPtr FolderNamed(const std::vector<FolderPtr>& folders, std::u16string_view name) {
  const auto found = std::find_if(folders.begin(), folders.end(),
                                  [&](const FolderPtr& f) { return SameName(f->Name(), name); });
  return found == folders.end() ? nullptr : *found;
}

}  // namespace kelvra::store
