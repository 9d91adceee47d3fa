#include "OutlookFolders.h"

#include "testkit/Store.h"

namespace host {
namespace {

std::vector<std::string> Names(const std::string& path) {
  std::vector<std::string> names;
  std::string name;
  for (char c : path + "\\") {
    if (c != '\\' && c != '/') {
      name += c;
    } else if (!name.empty()) {
      names.push_back(name);
      name.clear();
    }
  }
  return names;
}

}  // namespace

Outlook::MAPIFolderPtr FolderAtPath(Outlook::_Application* application, const std::string& path) {
  std::vector<std::string> names = Names(path);
  if (names.empty()) return nullptr;
  try {
    Outlook::_FoldersPtr folders = application->GetNamespace("MAPI")->GetFolders();
    Outlook::MAPIFolderPtr folder;
    for (const std::string& name : names) {
      folder = folders->Item(_variant_t(testkit::Utf16(name).c_str()));
      folders = folder->GetFolders();
    }
    return folder;
  } catch (const _com_error&) {
    return nullptr;
  }
}

std::vector<IDispatchPtr> ItemsOf(Outlook::MAPIFolder* folder) {
  std::vector<IDispatchPtr> items;
  Outlook::_ItemsPtr all = folder->GetItems();
  const long count = all->GetCount();
  for (long i = 1; i <= count; ++i) items.push_back(all->Item(_variant_t(i)));
  return items;
}

}  // namespace host
