#include "com/ClassRegistry.h"

#include <algorithm>

#include "redemption/RedemptionClasses.h"

namespace kelvra::com {

namespace {

bool SameProgId(std::u16string_view a, std::u16string_view b) {
  const auto lower = [](char16_t c) { return c >= u'A' && c <= u'Z' ? c - u'A' + u'a' : c; };
  return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                    [&](char16_t x, char16_t y) { return lower(x) == lower(y); });
}

}  // namespace

ClassRegistry& ClassRegistry::Instance() {
  static ClassRegistry* registry = [] {
    auto* filled = new ClassRegistry;
    redemption::RegisterClasses(*filled);
    return filled;
  }();
  return *registry;
}

void ClassRegistry::Register(std::u16string progId, const CLSID& clsid, Factory factory) {
  std::lock_guard lock(mutex_);
  entries_.push_back({std::move(progId), clsid, factory});
}

const ClassRegistry::Entry* ClassRegistry::FindByProgId(std::u16string_view progId) const {
  for (const Entry& entry : entries_) {
    if (SameProgId(entry.progId, progId)) return &entry;
  }
  return nullptr;
}

HRESULT ClassRegistry::PlannedFailure(std::u16string_view progId) const {
  for (const Failure& failure : failures_) {
    if (SameProgId(failure.progId, progId)) return failure.result;
  }
  return S_OK;
}

HRESULT ClassRegistry::ClassOf(std::u16string_view progId, CLSID* clsid) const {
  std::lock_guard lock(mutex_);
  *clsid = CLSID{};
  const Entry* entry = FindByProgId(progId);
  if (entry == nullptr || PlannedFailure(progId) == CO_E_CLASSSTRING) return CO_E_CLASSSTRING;
  *clsid = entry->clsid;
  return S_OK;
}

HRESULT ClassRegistry::Create(const CLSID& clsid, REFIID iid, void** object) const {
  Factory factory = nullptr;
  {
    std::lock_guard lock(mutex_);
    const auto entry = std::find_if(entries_.begin(), entries_.end(),
                                    [&](const Entry& each) { return each.clsid == clsid; });
    if (entry == entries_.end()) return REGDB_E_CLASSNOTREG;
    const HRESULT planned = PlannedFailure(entry->progId);
    if (FAILED(planned)) return planned;
    factory = entry->factory;
  }
  return factory(iid, object);
}

void ClassRegistry::FailCreate(std::u16string progId, HRESULT failure) {
  std::lock_guard lock(mutex_);
  std::erase_if(failures_, [&](const Failure& each) { return SameProgId(each.progId, progId); });
  failures_.push_back({std::move(progId), failure});
}

void ClassRegistry::ClearFailures() {
  std::lock_guard lock(mutex_);
  failures_.clear();
}

}  // namespace kelvra::com
