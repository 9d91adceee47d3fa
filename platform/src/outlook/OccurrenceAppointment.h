// One occurrence of a series, known by its original start (in the series' wall
// clock): its own values where its exception changed them (and where this object
// changed them, until Save), the series' otherwise. Saving records the changes as
// the occurrence's exception and saves the series; deleting records it deleted.
// A read-only occurrence (the item of an Exception) refuses every change with
// E_ACCESSDENIED.
#pragma once

#include "outlook/AppointmentData.h"
#include "store/PropertyBag.h"
#include "store/Recurrence.h"

namespace kelvra::outlook {

class OccurrenceAppointment : public AppointmentData {
 public:
  OccurrenceAppointment(store::ItemPtr series, double originalDate, bool writable)
      : series_(std::move(series)), originalDate_(originalDate), writable_(writable) {}

  const store::ItemPtr& Series() const override { return series_; }
  store::Value Get(std::string_view name) const override;
  HRESULT Set(std::string_view name, store::Value value) override;
  DATE Start() const override;
  DATE End() const override;
  long Duration() const override;
  HRESULT SetStart(DATE local) override;
  HRESULT SetEnd(DATE local) override;
  HRESULT SetDuration(long minutes) override;
  bool IsRecurring() const override { return true; }
  bool Saved() const override;
  // E_INVALIDARG when the occurrence would start on a day that holds another
  // occurrence of the series.
  HRESULT Save() override;
  HRESULT Delete() override;

 private:
  // The occurrence's own values: its exception's changes under this object's.
  store::PropertyBag Changes() const;
  // In the series' wall clock.
  double ZoneStart() const;
  double ZoneEnd() const;
  void Change(std::string_view name, double zoneTime);
  HRESULT Record(store::RecurrenceException exception);

  store::ItemPtr series_;
  double originalDate_;
  bool writable_;
  store::PropertyBag pending_;
};

}  // namespace kelvra::outlook
