// The Outlook object model of the stand-in.
#pragma once

#include "outlook/Application.h"
#include "outlook/AppointmentItem.h"
#include "outlook/Attachment.h"
#include "outlook/Attachments.h"
#include "outlook/ContactItem.h"
#include "outlook/Declarations.h"
#include "outlook/DistListItem.h"
#include "outlook/Enums.h"
#include "outlook/Events.h"
#include "outlook/Exceptions.h"
#include "outlook/Explorer.h"
#include "outlook/Explorers.h"
#include "outlook/Folders.h"
#include "outlook/Items.h"
#include "outlook/MAPIFolder.h"
#include "outlook/NameSpace.h"
#include "outlook/OlObjectClass.h"
#include "outlook/Recipients.h"
#include "outlook/RecurrencePattern.h"
// Contact wizard pages
#include "outlook/MailItem.h"
