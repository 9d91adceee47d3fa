#include "addin/OptionsKeyPath.h"

#include "addin/ResourceString.h"
#include "resource.h"

std::string OptionsKeyPath(HINSTANCE module) {
  return "Software\\" + LoadResourceString(module, IDS_COMPANY) + "\\" +
         LoadResourceString(module, IDS_PRODUCT);
}
