// Sets the calling thread's locale for the lifetime of the object and restores the one
// it found when it goes.
#pragma once

#include "win32/nls.h"

class ThreadLocaleScope {
 public:
  explicit ThreadLocaleScope(LCID locale) : m_previous(GetThreadLocale()) {
    SetThreadLocale(locale);
  }
  ~ThreadLocaleScope() { SetThreadLocale(m_previous); }
  ThreadLocaleScope(const ThreadLocaleScope&) = delete;
  ThreadLocaleScope& operator=(const ThreadLocaleScope&) = delete;

 private:
  LCID m_previous;
};
