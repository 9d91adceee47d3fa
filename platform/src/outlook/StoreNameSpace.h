// The stand-in's MAPI namespace: one live object, over the current mailbox.
#pragma once

#include "outlook/NameSpace.h"
#include "outlook/StandInObject.h"

namespace kelvra::outlook {

class StoreNameSpace : public StandInObject<Outlook::_NameSpace> {
 public:
  // The live namespace, or a new one; with a reference for the caller.
  static Outlook::_NameSpace* Acquire();

  STDMETHODIMP raw_GetDefaultFolder(Outlook::OlDefaultFolders folder,
                                    Outlook::MAPIFolder** result) override;
  STDMETHODIMP get_Folders(Outlook::_Folders** folders) override;
  STDMETHODIMP raw_GetItemFromID(BSTR entryId, VARIANT storeId, IDispatch** item) override;
  STDMETHODIMP get_Class(Outlook::OlObjectClass* objectClass) override;
  // Answered by the operator (NameSpacePickerDesk); a path that names no folder fails
  // with MAPI_E_NOT_FOUND.
  STDMETHODIMP raw_PickFolder(Outlook::MAPIFolder** folder) override;

 private:
  StoreNameSpace() = default;
  ~StoreNameSpace() override;
};

}  // namespace kelvra::outlook
