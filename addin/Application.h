// Globals of the add-in module that the connection object sets and many parts read.
#pragma once

#include "outlook/Application.h"
#include "win32/base.h"

// The add-in module's instance: every string, icon and dialog load uses it.
extern HINSTANCE g_hInstance;

// The Outlook application the add-in is connected to (borrowed: the connection object
// holds the reference); null while not connected.
extern Outlook::_Application* g_Application;
