// A module's dialog template and image ids, copied out of its compiled resources so that
// they outlive the registration's data.
#pragma once

#include <string>
#include <vector>

#include "win32/base.h"
#include "win32/resources.h"

namespace kelvra::platform {

struct DialogTemplateControl {
  int id = 0;
  std::string className;
  std::string text;
  WORD imageId = 0;
  DWORD style = 0;
  DWORD exStyle = 0;
  int x = 0;
  int y = 0;
  int cx = 0;
  int cy = 0;
};

struct DialogTemplate {
  WORD id = 0;
  DWORD style = 0;
  DWORD exStyle = 0;
  int x = 0;
  int y = 0;
  int cx = 0;
  int cy = 0;
  std::string caption;
  std::string fontName;
  WORD pointSize = 0;
  WORD weight = 0;
  BYTE italic = 0;
  std::vector<DialogTemplateControl> controls;

  static DialogTemplate From(const resources::DialogResource& resource);
};

}  // namespace kelvra::platform
