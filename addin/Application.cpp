// These globals belong to the module and connection object, which set them when the
// add-in is loaded and connected; they are defined here until that unit exists.
#include "addin/Application.h"

HINSTANCE g_hInstance = nullptr;
Outlook::_Application* g_Application = nullptr;
