#include "testkit/Locale.h"

#include <utility>

#include "nls/LocaleSettings.h"

namespace testkit {

using kelvra::platform::LocaleSettings;

void SetAcp(UINT codePage) { LocaleSettings::Instance().OverrideAnsiCodePage(codePage); }

void SetListSeparator(std::string separator) { LocaleSettings::Instance().SetListSeparator(std::move(separator)); }

void FailLocaleInfo(bool fail) { LocaleSettings::Instance().FailLocaleInfo(fail); }

}  // namespace testkit
