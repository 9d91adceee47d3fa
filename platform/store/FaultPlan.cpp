#include "store/FaultPlan.h"

#include <atomic>
#include <map>
#include <mutex>
#include <new>
#include <vector>

namespace kelvra::store {

namespace {

struct PlannedFailure {
  int callsBefore;  // the member's calls when the failure was planned
  int nth;          // 0: every call
  HRESULT hr;
  bool outOfMemory;
};

struct MemberPlan {
  int calls = 0;
  std::vector<PlannedFailure> failures;
};

struct Plans {
  std::mutex mutex;
  std::map<std::string, MemberPlan, std::less<>> byMember;
  // Every stand-in call asks; almost always nothing is planned.
  std::atomic<bool> anyPlanned{false};
};

Plans& ThePlans() {
  static Plans plans;
  return plans;
}

}  // namespace

bool FaultPlan::Hit(const char* member, HRESULT* hr) {
  Plans& plans = ThePlans();
  if (!plans.anyPlanned.load(std::memory_order_acquire)) return false;
  std::lock_guard lock(plans.mutex);
  const auto found = plans.byMember.find(std::string_view(member));
  if (found == plans.byMember.end()) return false;
  MemberPlan& plan = found->second;
  const int call = ++plan.calls;
  for (const PlannedFailure& failure : plan.failures) {
    if (failure.nth == 0 || failure.callsBefore + failure.nth == call) {
      if (failure.outOfMemory) throw std::bad_alloc();
      if (hr != nullptr) *hr = failure.hr;
      return true;
    }
  }
  return false;
}

namespace {

void Plan(const std::string& member, int nth, HRESULT hr, bool outOfMemory) {
  Plans& plans = ThePlans();
  std::lock_guard lock(plans.mutex);
  MemberPlan& plan = plans.byMember[member];
  plan.failures.push_back({plan.calls, nth, hr, outOfMemory});
  plans.anyPlanned.store(true, std::memory_order_release);
}

}  // namespace

void FaultPlan::Fail(const std::string& member, int nth, HRESULT hr) {
  Plan(member, nth, hr, false);
}

void FaultPlan::ExhaustMemory(const std::string& member, int nth) {
  Plan(member, nth, E_OUTOFMEMORY, true);
}

void FaultPlan::Clear() {
  Plans& plans = ThePlans();
  std::lock_guard lock(plans.mutex);
  plans.byMember.clear();
  plans.anyPlanned.store(false, std::memory_order_release);
}

}  // namespace kelvra::store
