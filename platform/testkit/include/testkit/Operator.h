// The operator: the user who answers what the system shows.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "win32/base.h"

namespace testkit {

// One message box as the system showed it, and the operator's answer.
struct MessageBoxRecord {
  HWND owner = nullptr;
  std::string text;
  std::string caption;
  UINT type = 0;
  int answer = 0;
};

// Every box shown since the last ClearMessageBoxes, oldest first.
std::vector<MessageBoxRecord> MessageBoxes();
void ClearMessageBoxes();

// The answer to every following box; 0 goes back to the default: IDOK for MB_OK and
// MB_OKCANCEL boxes, IDYES for MB_YESNO boxes.
void SetMessageBoxAnswer(int answer);

// A handler that answers each box (its record's answer not yet filled in); it takes
// precedence over SetMessageBoxAnswer. An empty function removes it.
using MessageBoxHandler = std::function<int(const MessageBoxRecord&)>;
void SetMessageBoxHandler(MessageBoxHandler handler);

}  // namespace testkit

namespace testkit {

// One folder browser as the system showed it.
struct FolderBrowserRecord {
  HWND owner = nullptr;
  std::string title;
  UINT flags = 0;
  // The folder the callback selected with BFFM_SETSELECTIONA, "" when none.
  std::string startFolder;
};
// What the next folder browsers answer: a Windows path, or nullopt for Cancel (the
// default). A handler takes precedence; an empty one is removed.
void SetFolderBrowserAnswer(std::optional<std::string> folder);
using FolderBrowserHandler = std::function<std::optional<std::string>(const FolderBrowserRecord&)>;
void SetFolderBrowserHandler(FolderBrowserHandler handler);
std::vector<FolderBrowserRecord> FolderBrowsers();
void ClearFolderBrowsers();

// One ShellExecuteA call; nothing is launched.
struct ShellExecuteRecord {
  HWND wnd = nullptr;
  std::string operation;
  std::string file;
  std::string parameters;
  std::string directory;
  int showCommand = 0;
};
std::vector<ShellExecuteRecord> ShellExecutes();
void ClearShellExecutes();

}  // namespace testkit
