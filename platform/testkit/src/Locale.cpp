#include "testkit/Locale.h"

#include <utility>

#include "nls/LocaleSettings.h"

namespace testkit {

using kelvra::platform::LocaleSettings;

void SetAcp(UINT codePage) { LocaleSettings::Instance().OverrideAnsiCodePage(codePage); }

void SetListSeparator(std::string separator) {
  LocaleSettings::Instance().SetListSeparator(std::move(separator));
}

void SetDateTimeFormats(const std::string& shortDate, const std::string& time) {
  LocaleSettings::Instance().SetDateTimePictures(shortDate, time);
}

void FailLocaleInfo(bool fail) { LocaleSettings::Instance().FailLocaleInfo(fail); }

}  // namespace testkit
