// Office of the stand-in: the add-in interface and the ribbon.
#pragma once

#include "office/Extensibility.h"
#include "office/Ribbon.h"
