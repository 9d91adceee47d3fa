// An explorer window of the stand-in: the folder it shows, its selection, the times it
// was activated, its command bars, and its events.
#pragma once

#include <vector>

#include "com/ConnectionPoints.h"
#include "office/CommandBars.h"
#include "outlook/Explorer.h"
#include "outlook/StandInObject.h"

namespace kelvra::outlook {

class StoreExplorer : public StandInObject<Outlook::_Explorer, IConnectionPointContainer> {
 public:
  explicit StoreExplorer(Outlook::MAPIFolder* folder);

  STDMETHODIMP get_CurrentFolder(Outlook::MAPIFolder** folder) override;
  STDMETHODIMP putref_CurrentFolder(Outlook::MAPIFolder* folder) override;
  STDMETHODIMP get_Selection(Outlook::Selection** selection) override;
  STDMETHODIMP raw_Activate() override;
  STDMETHODIMP get_Caption(BSTR* caption) override;
  // Made on first use, as a new window of the Outlook version played has them.
  STDMETHODIMP get_CommandBars(Office::_CommandBars** bars) override;

  STDMETHODIMP EnumConnectionPoints(IEnumConnectionPoints** points) override;
  STDMETHODIMP FindConnectionPoint(REFIID iid, IConnectionPoint** point) override;

  void Select(std::vector<IDispatchPtr> items);
  int activations() const { return activations_; }
  // Events, raised to the sinks connected now.
  void RaiseViewSwitch();
  void RaiseClose();
  // Sinks connected to the window's events now.
  std::size_t EventSinks() const;

 private:
  ~StoreExplorer() override = default;

  Outlook::MAPIFolderPtr folder_;
  std::vector<IDispatchPtr> selection_;
  int activations_ = 0;
  Office::_CommandBarsPtr bars_;
  com::ConnectionPoints points_;
};

}  // namespace kelvra::outlook
