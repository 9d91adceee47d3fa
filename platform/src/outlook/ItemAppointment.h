// A single appointment or a series: the store item itself.
#pragma once

#include "outlook/AppointmentData.h"

namespace kelvra::outlook {

class ItemAppointment : public AppointmentData {
 public:
  explicit ItemAppointment(store::ItemPtr item) : item_(std::move(item)) {}

  const store::ItemPtr& Series() const override { return item_; }
  store::Value Get(std::string_view name) const override;
  HRESULT Set(std::string_view name, store::Value value) override;
  DATE Start() const override;
  DATE End() const override;
  long Duration() const override;
  HRESULT SetStart(DATE local) override;
  HRESULT SetEnd(DATE local) override;
  HRESULT SetDuration(long minutes) override;
  bool IsRecurring() const override;
  bool Saved() const override;
  HRESULT Save() override;
  HRESULT Delete() override;

 private:
  store::ItemPtr item_;
};

}  // namespace kelvra::outlook
