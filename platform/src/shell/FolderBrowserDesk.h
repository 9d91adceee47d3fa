// Where the folder browser goes: each one is recorded and answered by the operator.
// Also the record of ShellExecuteA calls, which launch nothing.
#pragma once

#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "win32/base.h"

namespace kelvra::platform {

struct ShownFolderBrowser {
  HWND owner = nullptr;
  std::string title;
  UINT flags = 0;
  std::string startFolder;
};

struct ShellExecuteCall {
  HWND wnd = nullptr;
  std::string operation;
  std::string file;
  std::string parameters;
  std::string directory;
  int showCommand = 0;
};

class FolderBrowserDesk {
 public:
  using Handler = std::function<std::optional<std::string>(const ShownFolderBrowser&)>;

  static FolderBrowserDesk& Instance();

  // Records the browser and gives the operator's answer (nullopt: Cancel).
  std::optional<std::string> Show(const ShownFolderBrowser& browser);
  std::vector<ShownFolderBrowser> Shown() const;
  void Clear();
  void SetAnswer(std::optional<std::string> answer);
  void SetHandler(Handler handler);

  void RecordExecute(ShellExecuteCall call);
  std::vector<ShellExecuteCall> Executes() const;
  void ClearExecutes();

 private:
  FolderBrowserDesk() = default;

  mutable std::mutex mutex_;
  std::vector<ShownFolderBrowser> shown_;
  std::optional<std::string> answer_;
  Handler handler_;
  std::vector<ShellExecuteCall> executes_;
};

}  // namespace kelvra::platform
