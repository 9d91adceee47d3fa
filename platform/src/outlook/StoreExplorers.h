// The stand-in's explorers collection: one live object over the open windows, and the
// source of NewExplorer.
#pragma once

#include "com/ConnectionPoints.h"
#include "outlook/Explorers.h"
#include "outlook/StandInObject.h"

namespace kelvra::outlook {

class StoreExplorers : public StandInObject<Outlook::_Explorers, IConnectionPointContainer> {
 public:
  // The live collection, or a new one; with a reference for the caller.
  static Outlook::_Explorers* Acquire();
  // Raises NewExplorer on the live collection's sinks (none when no collection lives).
  static void RaiseNewExplorer(Outlook::_Explorer* explorer);

  STDMETHODIMP get_Count(long* count) override;
  STDMETHODIMP raw_Item(VARIANT index, Outlook::_Explorer** explorer) override;

  STDMETHODIMP EnumConnectionPoints(IEnumConnectionPoints** points) override;
  STDMETHODIMP FindConnectionPoint(REFIID iid, IConnectionPoint** point) override;

 private:
  StoreExplorers();
  ~StoreExplorers() override;

  com::ConnectionPoints points_;
};

}  // namespace kelvra::outlook
