// The stand-in's Outlook application: one live object, over the current mailbox.
#pragma once

#include "outlook/Application.h"
#include "outlook/StandInObject.h"

namespace kelvra::outlook {

class StoreApplication : public StandInObject<Outlook::_Application> {
 public:
  // The live application, or a new one; with a reference for the caller.
  static Outlook::_Application* Acquire();

  STDMETHODIMP get_Version(BSTR* version) override;
  STDMETHODIMP get_Session(Outlook::_NameSpace** session) override;
  STDMETHODIMP raw_GetNamespace(BSTR type, Outlook::_NameSpace** session) override;
  STDMETHODIMP raw_CreateItem(Outlook::OlItemType type, IDispatch** item) override;

 private:
  StoreApplication() = default;
  ~StoreApplication() override;
};

}  // namespace kelvra::outlook
