// The controls of the add-in's ribbon tab that the callbacks answer for: the language
// keys of their labels and screen tips, and their icons.
#pragma once

#include "win32/base.h"

struct RibbonControl {
  const char* id;
  const char* labelKey;
  // nullptr: the control declares no screen tip; "": its screen tip is empty.
  const char* screentipKey;
  // 0: the control has no icon of the add-in's own.
  WORD iconId;
};

inline constexpr const char* kProfilesMenuId = "Ostrane.Kelvra.mnuProfiles";
// A profile's button in the profiles menu: this prefix, then the profile's key.
inline constexpr const char* kRunProfilePrefix = "Ostrane.Kelvra.btnRunProfile.";

// The control with that id (compared without case); nullptr for another id.
const RibbonControl* FindRibbonControl(const char* id);
