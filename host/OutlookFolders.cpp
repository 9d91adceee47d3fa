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

std::string NameOf(Outlook::MAPIFolder* folder) {
  const _bstr_t name = folder->GetName();
  return testkit::Utf8(std::u16string_view(static_cast<const WCHAR*>(name), name.length()));
}

// The folders below prefix ("\\Store\") that hold items of the type, and theirs.
void AddPaths(Outlook::_Folders* folders, const std::string& prefix, Outlook::OlItemType type,
              std::vector<std::string>& paths) {
  const long count = folders->GetCount();
  for (long i = 1; i <= count; ++i) {
    Outlook::MAPIFolderPtr folder = folders->Item(_variant_t(i));
    const std::string path = prefix + NameOf(folder);
    if (folder->GetDefaultItemType() == type) paths.push_back(path);
    AddPaths(folder->GetFolders(), path + "\\", type, paths);
  }
}

}  // namespace

std::vector<std::string> FolderPathsOf(Outlook::_Application* application,
                                       Outlook::OlItemType type) {
  std::vector<std::string> paths;
  try {
    Outlook::_FoldersPtr stores = application->GetNamespace("MAPI")->GetFolders();
    const long count = stores->GetCount();
    for (long i = 1; i <= count; ++i) {
      Outlook::MAPIFolderPtr store = stores->Item(_variant_t(i));
      AddPaths(store->GetFolders(), "\\\\" + NameOf(store) + "\\", type, paths);
    }
  } catch (const _com_error&) {
    // What could be read is listed.
  }
  return paths;
}

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
