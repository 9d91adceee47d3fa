// A scripted stand-in for Redemption's MAPI helpers: named properties with fixed tags,
// property values by tag, failures per operation and tag, and a record of the writes.
#pragma once

#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "com/ComObject.h"
#include "com/variant_t.h"
#include "redemption/MAPIUtils.h"

namespace zonetest {

class FakeMapiUtils : public kelvra::ComObject<Redemption::IMAPIUtils> {
 public:
  static constexpr const char* kAppointmentSet = "{00062002-0000-0000-C000-000000000046}";
  static constexpr const char* kCommonSet = "{00062008-0000-0000-C000-000000000046}";

  // Makes the named property known with that tag (type bits 0).
  void Name(const std::string& set, long id, long tag) { tags_[{set, id}] = tag; }
  void Put(long tag, const _variant_t& value) { values_[tag] = value; }
  const _variant_t* Get(long tag) const {
    const auto found = values_.find(tag);
    return found == values_.end() ? nullptr : &found->second;
  }
  void FailRead(long tag) { failedReads_.insert(tag); }
  void FailWrite(long tag) { failedWrites_.insert(tag); }
  void FailLookups() { failLookups_ = true; }

  // Tags written, in order, failed writes included.
  const std::vector<long>& Writes() const { return writes_; }

  STDMETHODIMP raw_GetAddressEntryFromID(VARIANT, Redemption::IAddressEntry** entry) override {
    *entry = nullptr;
    return E_NOTIMPL;
  }
  STDMETHODIMP raw_GetIDsFromNames(IUnknown* item, BSTR guid, VARIANT id, VARIANT_BOOL create,
                                   long* tag) override {
    *tag = 0;
    if (item == nullptr || create != VARIANT_FALSE || id.vt != VT_I4) return E_INVALIDARG;
    if (failLookups_) return E_FAIL;
    const auto found =
        tags_.find({std::string(static_cast<const char*>(_bstr_t(guid, true))), id.lVal});
    if (found != tags_.end()) *tag = found->second;
    return S_OK;
  }
  STDMETHODIMP raw_HrGetOneProp(IUnknown* item, long tag, VARIANT* value) override {
    VariantInit(value);
    if (item == nullptr || failedReads_.count(tag) != 0) return E_FAIL;
    const auto found = values_.find(tag);
    return found == values_.end() ? S_OK : VariantCopy(value, &found->second);
  }
  STDMETHODIMP raw_HrSetOneProp(IUnknown* item, long tag, VARIANT value,
                                VARIANT_BOOL save) override {
    writes_.push_back(tag);
    if (item == nullptr || save != VARIANT_FALSE || failedWrites_.count(tag) != 0) return E_FAIL;
    values_[tag] = _variant_t(value);
    return S_OK;
  }

 private:
  std::map<std::pair<std::string, long>, long> tags_;
  std::map<long, _variant_t> values_;
  std::set<long> failedReads_;
  std::set<long> failedWrites_;
  bool failLookups_ = false;
  std::vector<long> writes_;
};

}  // namespace zonetest
