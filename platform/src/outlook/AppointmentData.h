// What an appointment object of the object model reads and writes: a single
// appointment or a series (the store item itself, ItemAppointment), or one
// occurrence of a series (OccurrenceAppointment). Times are the system zone's
// local times.
#pragma once

#include <string_view>

#include "com/variant.h"
#include "store/Nodes.h"
#include "store/Value.h"

namespace kelvra::outlook {

class AppointmentData {
 public:
  virtual ~AppointmentData() = default;

  // The item that holds the appointment: the series for an occurrence.
  virtual const store::ItemPtr& Series() const = 0;

  // A property by object-model name; an absent one reads as its default.
  virtual store::Value Get(std::string_view name) const = 0;
  virtual HRESULT Set(std::string_view name, store::Value value) = 0;

  virtual DATE Start() const = 0;
  virtual DATE End() const = 0;
  virtual long Duration() const = 0;
  // Keeps the duration.
  virtual HRESULT SetStart(DATE local) = 0;
  // E_INVALIDARG for an end before the start.
  virtual HRESULT SetEnd(DATE local) = 0;
  // E_INVALIDARG for a negative duration.
  virtual HRESULT SetDuration(long minutes) = 0;

  virtual bool IsRecurring() const = 0;
  virtual bool Saved() const = 0;
  virtual HRESULT Save() = 0;
  virtual HRESULT Delete() = 0;
};

}  // namespace kelvra::outlook
