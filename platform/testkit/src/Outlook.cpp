#include "testkit/Outlook.h"

#include "outlook/LiveObjects.h"
#include "outlook/StoreApplication.h"

namespace testkit {

Outlook::_ApplicationPtr CreateOutlookApplication() {
  return Outlook::_ApplicationPtr(kelvra::outlook::StoreApplication::Acquire(), false);
}

std::size_t LiveOutlookObjects() { return kelvra::outlook::LiveObjects::Count(); }

}  // namespace testkit
