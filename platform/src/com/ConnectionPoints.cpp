#include "com/ConnectionPoints.h"

namespace kelvra::com {

ConnectionPoints::ConnectionPoints(IConnectionPointContainer* owner,
                                   std::initializer_list<IID> interfaces) {
  for (const IID& iid : interfaces) {
    auto* point = new ConnectionPoint(iid, owner);
    point->AddRef();
    points_.push_back(point);
  }
}

ConnectionPoints::~ConnectionPoints() {
  for (ConnectionPoint* point : points_) {
    point->Orphan();
    point->Release();
  }
}

ConnectionPoint* ConnectionPoints::PointOf(REFIID iid) const {
  for (ConnectionPoint* point : points_) {
    IID each{};
    point->GetConnectionInterface(&each);
    if (each == iid) return point;
  }
  return nullptr;
}

HRESULT ConnectionPoints::Find(REFIID iid, IConnectionPoint** point) const {
  if (point == nullptr) return E_POINTER;
  *point = PointOf(iid);
  if (*point == nullptr) return CONNECT_E_NOCONNECTION;
  (*point)->AddRef();
  return S_OK;
}

HRESULT ConnectionPoints::Raise(REFIID iid, DISPID id, DISPPARAMS* params) const {
  ConnectionPoint* point = PointOf(iid);
  return point != nullptr ? point->Raise(id, params) : S_OK;
}

std::size_t ConnectionPoints::Connections(REFIID iid) const {
  ConnectionPoint* point = PointOf(iid);
  return point != nullptr ? point->Connections() : 0;
}

}  // namespace kelvra::com
