// The connection points of one event source, for the object that implements
// IConnectionPointContainer: it owns this and answers FindConnectionPoint with it.
#pragma once

#include <initializer_list>
#include <vector>

#include "com/ConnectionPoint.h"

namespace kelvra::com {

class ConnectionPoints {
 public:
  // One point per event interface; owner is the container (not held).
  ConnectionPoints(IConnectionPointContainer* owner, std::initializer_list<IID> interfaces);
  ~ConnectionPoints();
  ConnectionPoints(const ConnectionPoints&) = delete;
  ConnectionPoints& operator=(const ConnectionPoints&) = delete;

  HRESULT Find(REFIID iid, IConnectionPoint** point) const;
  // Raises the event on the point of iid; S_OK when there is none.
  HRESULT Raise(REFIID iid, DISPID id, DISPPARAMS* params) const;
  std::size_t Connections(REFIID iid) const;

 private:
  ConnectionPoint* PointOf(REFIID iid) const;

  std::vector<ConnectionPoint*> points_;
};

}  // namespace kelvra::com
