// Outlook folders named by path, as the add-in writes them ("\\Personal Folders\Contacts").
#pragma once

#include <string>
#include <vector>

#include "outlook/outlook.h"

namespace host {

// The folder at the path ("\" or "/" between names, any case); null when there is none.
Outlook::MAPIFolderPtr FolderAtPath(Outlook::_Application* application, const std::string& path);
// The paths ("\\Personal Folders\Calendar") of every folder that holds items of
// that type, stores and subfolders in their order.
std::vector<std::string> FolderPathsOf(Outlook::_Application* application,
                                       Outlook::OlItemType type);
// Every item of the folder, in its order.
std::vector<IDispatchPtr> ItemsOf(Outlook::MAPIFolder* folder);

}  // namespace host
