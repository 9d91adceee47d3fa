// The module's globals: the DLL entry sets the instance, the connection object the
// application.
#include "addin/Application.h"

HINSTANCE g_hInstance = nullptr;
Outlook::_Application* g_Application = nullptr;
