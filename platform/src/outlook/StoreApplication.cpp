#include "outlook/StoreApplication.h"

#include "outlook/CallGate.h"
#include "outlook/Events.h"
#include "outlook/ExplorerWindows.h"
#include "outlook/ItemObjects.h"
#include "outlook/MailItemObject.h"
#include "outlook/ObjectCache.h"
#include "outlook/OutParam.h"
#include "outlook/StoreExplorers.h"
#include "outlook/StoreNameSpace.h"
#include "store/CurrentMailbox.h"
#include "store/Folder.h"
#include "store/ItemType.h"
#include "store/Mailbox.h"
#include "store/NameMatch.h"
#include "store/OutlookVersion.h"

namespace kelvra::outlook {

namespace {

ObjectCache<StoreApplication>& Cache() {
  static auto* cache = new ObjectCache<StoreApplication>;
  return *cache;
}

// The default folder that a new item of the type is saved into; -1 for a type that
// has none (a new mail is no store item: MailItemObject).
std::int32_t HomeFolderOf(Outlook::OlItemType type) {
  switch (type) {
    case Outlook::olAppointmentItem:
      return store::defaultfolder::kCalendar;
    case Outlook::olContactItem:
    case Outlook::olDistributionListItem:
      return store::defaultfolder::kContacts;
    default:
      return -1;
  }
}

}  // namespace

StoreApplication::StoreApplication() : points_(this, {__uuidof(Outlook::ApplicationEvents)}) {}

Outlook::_Application* StoreApplication::Acquire() {
  return Cache().Acquire(nullptr, [] { return new StoreApplication; });
}

StoreApplication::~StoreApplication() { Cache().Forget(nullptr, this); }

void StoreApplication::RaiseQuit() {
  Outlook::_ApplicationPtr live(Acquire(), false);
  static_cast<StoreApplication*>(live.GetInterfacePtr())
      ->points_.Raise(__uuidof(Outlook::ApplicationEvents), Outlook::kDispidQuit, nullptr);
}

STDMETHODIMP StoreApplication::get_Version(BSTR* version) {
  const HRESULT entered = CallGate::Enter("Application.Version");
  if (FAILED(entered)) return entered;
  return HandOutText(version, store::OutlookVersion::Text());
}

STDMETHODIMP StoreApplication::get_Session(Outlook::_NameSpace** session) {
  const HRESULT entered = CallGate::Enter("Application.Session");
  if (FAILED(entered)) return entered;
  return HandOutObject(session, &StoreNameSpace::Acquire);
}

STDMETHODIMP StoreApplication::raw_GetNamespace(BSTR type, Outlook::_NameSpace** session) {
  const HRESULT entered = CallGate::Enter("Application.GetNamespace");
  if (FAILED(entered)) return entered;
  if (session == nullptr) return E_POINTER;
  *session = nullptr;
  if (!store::SameName(TextOf(type), u"MAPI")) return E_INVALIDARG;
  *session = StoreNameSpace::Acquire();
  return S_OK;
}

STDMETHODIMP StoreApplication::raw_CreateItem(Outlook::OlItemType type, IDispatch** item) {
  const HRESULT entered = CallGate::Enter("Application.CreateItem");
  if (FAILED(entered)) return entered;
  if (item == nullptr) return E_POINTER;
  *item = nullptr;
  if (type == Outlook::olMailItem) {
    *item = MailItemObject::Create();
    return S_OK;
  }
  const std::u16string messageClass = store::ItemType::MessageClassOf(type);
  const std::int32_t home = HomeFolderOf(type);
  if (messageClass.empty() || home < 0) return E_INVALIDARG;
  const store::FolderPtr folder = store::CurrentMailbox::Get()->DefaultFolder(home);
  if (folder == nullptr) return MAPI_E_NOT_FOUND;
  return ItemObjects::HandOut(folder->NewItem(messageClass), item);
}

STDMETHODIMP StoreApplication::get_Explorers(Outlook::_Explorers** explorers) {
  const HRESULT entered = CallGate::Enter("Application.Explorers");
  if (FAILED(entered)) return entered;
  return HandOutObject(explorers, &StoreExplorers::Acquire);
}

STDMETHODIMP StoreApplication::raw_ActiveExplorer(Outlook::_Explorer** explorer) {
  const HRESULT entered = CallGate::Enter("Application.ActiveExplorer");
  if (FAILED(entered)) return entered;
  return HandOutObject(explorer, [] {
    Outlook::_Explorer* front = ExplorerWindows::Instance().Front();
    return front;
  });
}

STDMETHODIMP StoreApplication::EnumConnectionPoints(IEnumConnectionPoints** points) {
  if (points != nullptr) *points = nullptr;
  return E_NOTIMPL;
}

STDMETHODIMP StoreApplication::FindConnectionPoint(REFIID iid, IConnectionPoint** point) {
  return points_.Find(iid, point);
}

}  // namespace kelvra::outlook
