// Which contacts an export or import takes: a mask of rules and the category names
// some of the rules look for.
#pragma once

#include <string>

#include "win32/base.h"

struct ContactFilter {
  // Skip contacts whose sensitivity is not normal (personal, private, confidential).
  static constexpr DWORD kSkipNotNormal = 2;
  // Skip contacts that carry any of the categories.
  static constexpr DWORD kExcludeCategories = 4;
  // Take only contacts that carry one of the categories.
  static constexpr DWORD kIncludeCategories = 8;

  DWORD mask = 0;
  // Category names joined by the user's list separator.
  std::string categories;
};
