#include "mapi/MapiObjectCount.h"

#include <atomic>

namespace kelvra::mapi {

namespace {
std::atomic<std::size_t> g_live{0};
}  // namespace

MapiObjectCount::MapiObjectCount() { ++g_live; }

MapiObjectCount::~MapiObjectCount() { --g_live; }

std::size_t MapiObjectCount::Live() { return g_live.load(); }

}  // namespace kelvra::mapi
