// The stand-in's Outlook application: one live object, over the current mailbox and
// the open explorer windows; the source of Quit.
#pragma once

#include "com/ConnectionPoints.h"
#include "outlook/Application.h"
#include "outlook/StandInObject.h"

namespace kelvra::outlook {

class StoreApplication : public StandInObject<Outlook::_Application, IConnectionPointContainer> {
 public:
  // The live application, or a new one; with a reference for the caller.
  static Outlook::_Application* Acquire();
  // Raises Quit on the live application's sinks.
  static void RaiseQuit();

  STDMETHODIMP get_Version(BSTR* version) override;
  STDMETHODIMP get_Session(Outlook::_NameSpace** session) override;
  STDMETHODIMP raw_GetNamespace(BSTR type, Outlook::_NameSpace** session) override;
  STDMETHODIMP raw_CreateItem(Outlook::OlItemType type, IDispatch** item) override;
  STDMETHODIMP get_Explorers(Outlook::_Explorers** explorers) override;
  STDMETHODIMP raw_ActiveExplorer(Outlook::_Explorer** explorer) override;

  STDMETHODIMP EnumConnectionPoints(IEnumConnectionPoints** points) override;
  STDMETHODIMP FindConnectionPoint(REFIID iid, IConnectionPoint** point) override;

 private:
  StoreApplication();
  ~StoreApplication() override;

  com::ConnectionPoints points_;
};

}  // namespace kelvra::outlook
