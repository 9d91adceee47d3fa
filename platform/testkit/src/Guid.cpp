#include "testkit/Guid.h"

#include <stdexcept>

#include "com/GuidSource.h"

namespace testkit {

using kelvra::com::GuidSource;

void SetGuidSequence(std::vector<GUID> guids) {
  if (guids.empty()) throw std::invalid_argument("testkit::SetGuidSequence: no GUIDs");
  GuidSource::Instance().UseSequence(std::move(guids));
}

void SeedGuids(std::uint64_t seed) { GuidSource::Instance().UseSeed(seed); }

void UseRandomGuids() { GuidSource::Instance().UseRandom(); }

}  // namespace testkit
