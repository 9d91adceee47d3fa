#include "outlook/LiveObjects.h"

#include <atomic>

namespace kelvra::outlook {

namespace {
std::atomic<std::size_t> g_live{0};
}  // namespace

LiveObjects::LiveObjects() { ++g_live; }

LiveObjects::~LiveObjects() { --g_live; }

std::size_t LiveObjects::Count() { return g_live.load(); }

}  // namespace kelvra::outlook
