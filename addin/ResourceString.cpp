#include "addin/ResourceString.h"

#include "win32/module.h"

std::string LoadResourceString(HINSTANCE module, UINT id) {
  char text[256] = "";
  if (LoadStringA(module, id, text, sizeof text) <= 0) return std::string();
  return text;
}
