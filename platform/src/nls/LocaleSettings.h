// The user's settings behind GetACP and GetLocaleInfo, which tests change through
// testkit.
#pragma once

#include <atomic>
#include <mutex>
#include <string>

#include "win32/base.h"

namespace kelvra::platform {

class LocaleSettings {
 public:
  static LocaleSettings& Instance();

  // The override, else a supported page named by KELVRA_ACP, else 65001.
  UINT AnsiCodePage() const;
  // 0 removes the override.
  void OverrideAnsiCodePage(UINT codePage) { acpOverride_ = codePage; }

  // As UTF-8 text.
  std::string ListSeparator() const;
  void SetListSeparator(std::string separator);

  bool LocaleInfoFails() const { return failLocaleInfo_; }
  void FailLocaleInfo(bool fail) { failLocaleInfo_ = fail; }

 private:
  LocaleSettings() = default;

  std::atomic<UINT> acpOverride_{0};
  std::atomic<bool> failLocaleInfo_{false};
  mutable std::mutex mutex_;
  std::string listSeparator_ = ",";
};

}  // namespace kelvra::platform
