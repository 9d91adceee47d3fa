// Redemption of the stand-in: the objects are created by ProgID (com/objbase.h).
#pragma once

#include "redemption/AddressEntry.h"
#include "redemption/Attachment.h"
#include "redemption/Attachments.h"
#include "redemption/Declarations.h"
#include "redemption/MAPIUtils.h"
#include "redemption/SafeAppointmentItem.h"
#include "redemption/SafeContactItem.h"
#include "redemption/SafeRecipients.h"
