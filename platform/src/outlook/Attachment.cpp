#include "outlook/Attachment.h"

#include "outlook/WrapperCall.h"

namespace Outlook {

using namespace kelvra::outlook;

OlAttachmentType Attachment::GetType() { return GetValue(this, &Attachment::get_Type); }

_bstr_t Attachment::GetFileName() { return GetText(this, &Attachment::get_FileName); }

void Attachment::SaveAsFile(_bstr_t path) { Call(this, &Attachment::raw_SaveAsFile, path); }

}  // namespace Outlook
