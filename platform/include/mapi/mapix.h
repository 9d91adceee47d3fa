// The MAPI objects a caller's session reaches (message stores, folders, contents
// tables, messages) and the memory functions of MAPI. Only the members the
// item-share library calls are declared.
#pragma once

#include "com/unknwn.h"
#include "mapi/mapidefs.h"

struct IMAPITable;
struct IMsgStore;
using LPMAPITABLE = IMAPITable*;
using LPMDB = IMsgStore*;

KELVRA_INTERFACE_IID(IMAPIProp, 0x00020303, 0x0000, 0x0000, 0xC0, 0x00, 0x00, 0x00, 0x00, 0x00,
                     0x00, 0x46)
KELVRA_INTERFACE_IID(IMAPITable, 0x00020301, 0x0000, 0x0000, 0xC0, 0x00, 0x00, 0x00, 0x00, 0x00,
                     0x00, 0x46)
KELVRA_INTERFACE_IID(IMAPIContainer, 0x0002030B, 0x0000, 0x0000, 0xC0, 0x00, 0x00, 0x00, 0x00, 0x00,
                     0x00, 0x46)
KELVRA_INTERFACE_IID(IMAPIFolder, 0x0002030C, 0x0000, 0x0000, 0xC0, 0x00, 0x00, 0x00, 0x00, 0x00,
                     0x00, 0x46)
KELVRA_INTERFACE_IID(IMessage, 0x00020307, 0x0000, 0x0000, 0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
                     0x46)
KELVRA_INTERFACE_IID(IMsgStore, 0x00020306, 0x0000, 0x0000, 0xC0, 0x00, 0x00, 0x00, 0x00, 0x00,
                     0x00, 0x46)
KELVRA_INTERFACE_IID(IMAPISession, 0x00020300, 0x0000, 0x0000, 0xC0, 0x00, 0x00, 0x00, 0x00, 0x00,
                     0x00, 0x46)

// The values come in one MAPI buffer that the caller frees with MAPIFreeBuffer. A
// property the object lacks comes back as a PT_ERROR value, and the call answers
// MAPI_W_ERRORS_RETURNED.
struct IMAPIProp : IUnknown {
  using BaseInterface = IUnknown;
  virtual HRESULT STDMETHODCALLTYPE GetProps(LPSPropTagArray tags, ULONG flags, ULONG* count,
                                             LPSPropValue* values) = 0;

 protected:
  ~IMAPIProp() = default;
};

// Rows come one cursor step at a time; each row set is freed with FreeProws.
struct IMAPITable : IUnknown {
  using BaseInterface = IUnknown;
  virtual HRESULT STDMETHODCALLTYPE SetColumns(LPSPropTagArray tags, ULONG flags) = 0;
  // Null lifts the restriction.
  virtual HRESULT STDMETHODCALLTYPE Restrict(LPSRestriction restriction, ULONG flags) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetRowCount(ULONG flags, ULONG* count) = 0;
  virtual HRESULT STDMETHODCALLTYPE QueryRows(LONG rowCount, ULONG flags, LPSRowSet* rows) = 0;

 protected:
  ~IMAPITable() = default;
};

struct IMAPIContainer : IMAPIProp {
  using BaseInterface = IMAPIProp;
  virtual HRESULT STDMETHODCALLTYPE GetContentsTable(ULONG flags, LPMAPITABLE* table) = 0;

 protected:
  ~IMAPIContainer() = default;
};

struct IMAPIFolder : IMAPIContainer {
  using BaseInterface = IMAPIContainer;

 protected:
  ~IMAPIFolder() = default;
};
using LPMAPIFOLDER = IMAPIFolder*;

struct IMessage : IMAPIProp {
  using BaseInterface = IMAPIProp;

 protected:
  ~IMessage() = default;
};
using LPMESSAGE = IMessage*;

struct IMsgStore : IMAPIProp {
  using BaseInterface = IMAPIProp;
  // Opens a folder (IID_IMAPIFolder) or a message (IID_IMessage) of this store.
  virtual HRESULT STDMETHODCALLTYPE OpenEntry(ULONG idSize, LPENTRYID id, LPCIID iid, ULONG flags,
                                              ULONG* objectType, LPUNKNOWN* object) = 0;

 protected:
  ~IMsgStore() = default;
};

struct IMAPISession : IUnknown {
  using BaseInterface = IUnknown;
  virtual HRESULT STDMETHODCALLTYPE OpenMsgStore(ULONG_PTR uiParam, ULONG idSize, LPENTRYID id,
                                                 LPCIID iid, ULONG flags, LPMDB* store) = 0;

 protected:
  ~IMAPISession() = default;
};
using LPMAPISESSION = IMAPISession*;

inline constexpr const IID& IID_IMAPIProp = __uuidof(IMAPIProp);
inline constexpr const IID& IID_IMAPITable = __uuidof(IMAPITable);
inline constexpr const IID& IID_IMAPIContainer = __uuidof(IMAPIContainer);
inline constexpr const IID& IID_IMAPIFolder = __uuidof(IMAPIFolder);
inline constexpr const IID& IID_IMessage = __uuidof(IMessage);
inline constexpr const IID& IID_IMsgStore = __uuidof(IMsgStore);
inline constexpr const IID& IID_IMAPISession = __uuidof(IMAPISession);

// MAPI memory: a buffer, and more blocks linked to it that go with it when it is
// freed.
SCODE WINAPI MAPIAllocateBuffer(ULONG size, LPVOID* buffer);
SCODE WINAPI MAPIAllocateMore(ULONG size, LPVOID parent, LPVOID* buffer);
ULONG WINAPI MAPIFreeBuffer(LPVOID buffer);
// Frees each row's values and then the row set.
void WINAPI FreeProws(LPSRowSet rows);
