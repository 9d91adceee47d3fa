// Control of the GUIDs that CoCreateGuid hands out.
#pragma once

#include <cstdint>
#include <vector>

#include "com/guid.h"

namespace testkit {

// From now on CoCreateGuid hands out these GUIDs in order, then starts over at the
// first; std::invalid_argument for an empty list.
void SetGuidSequence(std::vector<GUID> guids);
// From now on CoCreateGuid draws from a generator seeded with this number: the same
// seed gives the same GUIDs.
void SeedGuids(std::uint64_t seed);
// Back to the machine's random source.
void UseRandomGuids();

}  // namespace testkit
