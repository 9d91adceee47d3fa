// Controls over the creatable classes of the stand-in (Redemption's objects).
#pragma once

#include <string>

#include "com/comdef.h"
#include "com/variant.h"
#include "store/Nodes.h"
#include "win32/base.h"

namespace testkit {

// Makes the class with that ProgID (any case) uncreatable. CO_E_CLASSSTRING makes
// CLSIDFromProgID fail as for an unknown ProgID; any other failure makes
// CoCreateInstance of its class id fail with that HRESULT.
void FailCreate(const std::string& progId, HRESULT failure);
void ClearCreateFailures();

// From now on MAPIUtils.HrGetOneProp hands binary properties out as arrays of that
// element type: VT_VARIANT (each a VT_UI1, the default), VT_UI1 (a plain byte array)
// or VT_I4; std::invalid_argument for another type. Failures of the helpers are
// planned with testkit::FailCall as "MAPIUtils.GetIDsFromNames",
// "MAPIUtils.HrGetOneProp", "MAPIUtils.HrSetOneProp", "MAPIUtils.HrArrayToString",
// "MAPIUtils.HrStringToArray", "SafeAppointmentItem.<member>" (Item, Body, Fields,
// Recipients, GetIDsFromNames), and "Recipients.<member>", "Recipient.<member>" for
// the recipients of both the object model and the safe item.
void SetBinaryReadElementType(VARTYPE type);

// The Outlook object-model object of a store item (what the Redemption objects take
// as their item argument).
IDispatchPtr OutlookObjectOf(const kelvra::store::ItemPtr& item);

}  // namespace testkit
