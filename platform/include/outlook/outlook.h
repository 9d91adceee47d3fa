// The Outlook object model of the stand-in.
#pragma once

#include "outlook/Application.h"
#include "outlook/Declarations.h"
#include "outlook/MAPIFolder.h"
#include "outlook/OlObjectClass.h"
