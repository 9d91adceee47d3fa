#include "nls/LocaleSettings.h"

#include <cstdlib>
#include <utility>

#include "nls/CodePageCatalog.h"

namespace kelvra::platform {
namespace {

constexpr UINT kDefaultAnsiCodePage = 65001;
constexpr const char* kDefaultShortDate = "M/d/yyyy";
constexpr const char* kDefaultTime = "h:mm:ss tt";

// A page the stand-in cannot convert would make every CP_ACP conversion fail, so such
// a setting is ignored.
UINT EnvironmentCodePage() {
  const char* text = std::getenv("KELVRA_ACP");
  if (text == nullptr) return kDefaultAnsiCodePage;
  char* end = nullptr;
  const unsigned long value = std::strtoul(text, &end, 10);
  const bool wellFormed = end != text && *end == '\0' && value <= 0xFFFFu;
  if (!wellFormed || CodePageCatalog::Instance().Find(static_cast<UINT>(value)) == nullptr) {
    return kDefaultAnsiCodePage;
  }
  return static_cast<UINT>(value);
}

}  // namespace

LocaleSettings& LocaleSettings::Instance() {
  static LocaleSettings settings;
  return settings;
}

UINT LocaleSettings::AnsiCodePage() const {
  const UINT overridden = acpOverride_;
  return overridden != 0 ? overridden : EnvironmentCodePage();
}

std::string LocaleSettings::ListSeparator() const {
  std::lock_guard lock(mutex_);
  return listSeparator_;
}

void LocaleSettings::SetListSeparator(std::string separator) {
  std::lock_guard lock(mutex_);
  listSeparator_ = std::move(separator);
}

std::string LocaleSettings::ShortDatePicture() const {
  std::lock_guard lock(mutex_);
  return shortDatePicture_;
}

std::string LocaleSettings::TimePicture() const {
  std::lock_guard lock(mutex_);
  return timePicture_;
}

void LocaleSettings::SetDateTimePictures(std::string shortDate, std::string time) {
  std::lock_guard lock(mutex_);
  shortDatePicture_ = std::move(shortDate);
  timePicture_ = std::move(time);
}

void LocaleSettings::ResetDateTimePictures() {
  SetDateTimePictures(kDefaultShortDate, kDefaultTime);
}

}  // namespace kelvra::platform
