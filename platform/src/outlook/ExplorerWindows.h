// The explorer windows open in the stand-in Outlook, in the order they were opened,
// and the one in front. Process-wide; the list holds a reference on each window.
#pragma once

#include <cstddef>
#include <mutex>
#include <vector>

#include "outlook/StoreExplorer.h"

namespace kelvra::outlook {

class ExplorerWindows {
 public:
  static ExplorerWindows& Instance();

  // A new window on folder, listed last and brought to the front; with a reference
  // for the caller. NewExplorer is the caller's to raise.
  StoreExplorer* Open(Outlook::MAPIFolder* folder);
  // Raises the window's Close event, then takes it off the list; the front passes to
  // the window opened last. False when the window is not open.
  bool Close(IUnknown* explorer);
  // Takes every window off the list, without events.
  void Reset();

  std::size_t Count() const;
  // With a reference for the caller; NULL out of range.
  StoreExplorer* At(std::size_t position) const;
  // With a reference for the caller; NULL when no window is open.
  StoreExplorer* Front() const;
  void BringToFront(StoreExplorer* explorer);
  // The open window behind an interface of it, without a reference; NULL for another.
  StoreExplorer* Find(IUnknown* explorer) const;

 private:
  ExplorerWindows() = default;
  static StoreExplorer* Referenced(StoreExplorer* explorer);

  mutable std::mutex mutex_;
  std::vector<StoreExplorer*> open_;
  StoreExplorer* front_ = nullptr;
};

}  // namespace kelvra::outlook
