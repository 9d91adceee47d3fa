// A folder of the current mailbox (or a store's root folder). One live object per
// folder, so that a folder reached twice is the same object.
#pragma once

#include "outlook/FolderRef.h"
#include "outlook/MAPIFolder.h"
#include "outlook/StandInObject.h"

namespace kelvra::outlook {

class StoreFolder : public StandInObject<Outlook::MAPIFolder> {
 public:
  // The folder's live object, or a new one; with a reference for the caller.
  static Outlook::MAPIFolder* Acquire(FolderRef folder);

  STDMETHODIMP get_Name(BSTR* name) override;
  // Fails with E_FAIL once the folder's store has left the mailbox.
  STDMETHODIMP get_Parent(IDispatch** parent) override;
  STDMETHODIMP get_Class(Outlook::OlObjectClass* objectClass) override;
  STDMETHODIMP get_Items(Outlook::_Items** items) override;
  STDMETHODIMP get_Folders(Outlook::_Folders** folders) override;
  STDMETHODIMP get_EntryID(BSTR* entryId) override;
  STDMETHODIMP get_StoreID(BSTR* storeId) override;
  STDMETHODIMP get_DefaultItemType(Outlook::OlItemType* type) override;
  STDMETHODIMP get_Application(Outlook::_Application** application) override;

 private:
  explicit StoreFolder(FolderRef folder) : folder_(std::move(folder)) {}
  ~StoreFolder() override;

  FolderRef folder_;
};

}  // namespace kelvra::outlook
