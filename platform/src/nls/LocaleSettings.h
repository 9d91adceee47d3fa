// The user's settings behind GetACP, GetLocaleInfo, GetDateFormat and GetTimeFormat,
// which tests and the host change through testkit.
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

  // The user's short date and time pictures (Windows picture strings, UTF-8):
  // "M/d/yyyy" and "h:mm:ss tt" until set.
  std::string ShortDatePicture() const;
  std::string TimePicture() const;
  void SetDateTimePictures(std::string shortDate, std::string time);
  void ResetDateTimePictures();

  bool LocaleInfoFails() const { return failLocaleInfo_; }
  void FailLocaleInfo(bool fail) { failLocaleInfo_ = fail; }

 private:
  LocaleSettings() { ResetDateTimePictures(); }

  std::atomic<UINT> acpOverride_{0};
  std::atomic<bool> failLocaleInfo_{false};
  mutable std::mutex mutex_;
  std::string listSeparator_ = ",";
  std::string shortDatePicture_;
  std::string timePicture_;
};

}  // namespace kelvra::platform
