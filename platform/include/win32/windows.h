// The Win32 surface of the stand-in, one header per area.
#pragma once

#include "win32/base.h"
#include "win32/crt.h"
#include "win32/files.h"
#include "win32/ini.h"
#include "win32/module.h"
#include "win32/nls.h"
#include "win32/registry.h"
#include "win32/shell.h"
#include "win32/time.h"
#include "win32/user.h"
#include "win32/window.h"
