// Office of the stand-in: the add-in interface, the ribbon and the command bars.
#pragma once

#include "office/CommandBarControl.h"
#include "office/CommandBars.h"
#include "office/Extensibility.h"
#include "office/Ribbon.h"
