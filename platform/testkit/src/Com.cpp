#include "testkit/Com.h"

#include <algorithm>

#include "atl/AtlModule.h"
#include "atl/ObjectMap.h"
#include "com/ComObject.h"
#include "com/ConnectionPoints.h"
#include "com/Picture.h"

namespace testkit {

LONG ModuleLockCount() {
  return ATL::_pAtlModule != nullptr ? ATL::_pAtlModule->GetLockCount() : -1;
}

std::vector<CLSID> ObjectMapClasses() {
  std::vector<CLSID> classes;
  for (const auto& entry : kelvra::atl::ObjectMap::Instance().Entries()) {
    classes.push_back(*entry.clsid);
  }
  return classes;
}

std::size_t LivePictures() { return kelvra::com::Picture::Alive(); }

void FailPictureCreation(HRESULT failure) { kelvra::com::Picture::FailCreation(failure); }

std::optional<PictureInfo> PictureOf(IUnknown* picture) {
  const kelvra::com::Picture* found = kelvra::com::Picture::Of(picture);
  if (found == nullptr) return std::nullopt;
  return PictureInfo{found->type(), found->handle(), found->owned()};
}

class EventSource::Source : public kelvra::ComObject<IConnectionPointContainer> {
 public:
  explicit Source(std::initializer_list<IID> interfaces) : points_(this, interfaces) {}

  STDMETHODIMP EnumConnectionPoints(IEnumConnectionPoints** points) override {
    if (points != nullptr) *points = nullptr;
    return E_NOTIMPL;
  }
  STDMETHODIMP FindConnectionPoint(REFIID iid, IConnectionPoint** point) override {
    return points_.Find(iid, point);
  }

  const kelvra::com::ConnectionPoints& points() const { return points_; }

 private:
  ~Source() override = default;

  kelvra::com::ConnectionPoints points_;
};

EventSource::EventSource(std::initializer_list<IID> interfaces) : source_(new Source(interfaces)) {
  source_->AddRef();
}

EventSource::~EventSource() { source_->Release(); }

IUnknown* EventSource::Object() const { return source_; }

HRESULT EventSource::Raise(REFIID iid, DISPID id, std::vector<VARIANT> arguments) {
  std::reverse(arguments.begin(), arguments.end());
  DISPPARAMS params{arguments.data(), nullptr, static_cast<UINT>(arguments.size()), 0};
  return source_->points().Raise(iid, id, &params);
}

std::size_t EventSource::Connections(REFIID iid) const {
  return source_->points().Connections(iid);
}

}  // namespace testkit
