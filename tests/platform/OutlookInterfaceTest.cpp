#include <gtest/gtest.h>

#include <string>

#include "ComTestObjects.h"
#include "com/com.h"
#include "outlook/outlook.h"

namespace {

using comtest::ErrorOf;
using comtest::Text;
using Outlook::MAPIFolder;
using Outlook::MAPIFolderPtr;
using Outlook::OlObjectClass;

class FakeApplication : public kelvra::ComObject<Outlook::_Application> {
 public:
  FakeApplication(const char16_t* version, HRESULT result) : version_(version), result_(result) {}

  STDMETHODIMP get_Version(BSTR* version) override {
    *version = SysAllocString(version_);
    return result_;
  }
  STDMETHODIMP get_Session(Outlook::_NameSpace**) override { return E_NOTIMPL; }
  STDMETHODIMP raw_GetNamespace(BSTR, Outlook::_NameSpace**) override { return E_NOTIMPL; }
  STDMETHODIMP raw_CreateItem(Outlook::OlItemType, IDispatch**) override { return E_NOTIMPL; }

 private:
  const char16_t* version_;
  HRESULT result_;
};

// The NameSpace above a store's top folder: a dispatch object that is no folder.
class FakeNamespace : public kelvra::ComObject<IDispatch> {};

// A folder whose reads answer what the test sets; a failing read still hands out a
// value, as a careless implementation might.
class FakeFolder : public kelvra::ComObject<MAPIFolder> {
 public:
  FakeFolder(const char16_t* name, IDispatch* parent) : name_(name), parent_(parent) {}

  STDMETHODIMP get_Name(BSTR* name) override {
    *name = SysAllocString(name_);
    return nameResult;
  }
  STDMETHODIMP get_Parent(IDispatch** parent) override {
    *parent = parent_;
    if (parent_ != nullptr) parent_->AddRef();
    return parentResult;
  }
  STDMETHODIMP get_Class(OlObjectClass* objectClass) override {
    *objectClass = Outlook::olFolder;
    return classResult;
  }
  STDMETHODIMP get_Items(Outlook::_Items**) override { return E_NOTIMPL; }
  STDMETHODIMP get_Folders(Outlook::_Folders**) override { return E_NOTIMPL; }
  STDMETHODIMP get_EntryID(BSTR*) override { return E_NOTIMPL; }
  STDMETHODIMP get_StoreID(BSTR*) override { return E_NOTIMPL; }
  STDMETHODIMP get_DefaultItemType(Outlook::OlItemType*) override { return E_NOTIMPL; }
  STDMETHODIMP get_Application(Outlook::_Application**) override { return E_NOTIMPL; }

  HRESULT nameResult = S_OK;
  HRESULT parentResult = S_OK;
  HRESULT classResult = S_OK;

 private:
  const char16_t* name_;
  IDispatchPtr parent_;
};

class OutlookApplicationTest : public ::testing::Test {};

TEST_F(OutlookApplicationTest, VersionPassesThrough) {
  Outlook::_ApplicationPtr application(new FakeApplication(u"14.0.0.4760", S_OK));
  EXPECT_EQ(Text(application->GetVersion()), u"14.0.0.4760");
}

TEST_F(OutlookApplicationTest, FailedVersionReadRaisesItsResult) {
  Outlook::_ApplicationPtr application(new FakeApplication(u"ignored", E_FAIL));
  EXPECT_EQ(ErrorOf([&] { application->GetVersion(); }), E_FAIL);
}

TEST_F(OutlookApplicationTest, ApplicationIsFoundThroughIDispatch) {
  IDispatchPtr dispatch(static_cast<IDispatch*>(new FakeApplication(u"12.0", S_OK)));
  Outlook::_ApplicationPtr application(dispatch);
  ASSERT_TRUE(application != NULL);
  EXPECT_EQ(Text(application->GetVersion()), u"12.0");
  MAPIFolderPtr notAFolder(dispatch);
  EXPECT_TRUE(notAFolder == NULL);
}

// Personal Folders (top folder of a store, below the NameSpace) holding Contacts.
class OutlookFolderTest : public ::testing::Test {
 protected:
  ULONG TopCount() const { return top_->RefCount(); }

  IDispatchPtr namespace_{static_cast<IDispatch*>(new FakeNamespace)};
  FakeFolder* top_ = new FakeFolder(u"Personal Folders", namespace_);
  MAPIFolderPtr topOwner_{top_};
  FakeFolder* contacts_ = new FakeFolder(u"Contacts", static_cast<MAPIFolder*>(top_));
  MAPIFolderPtr contactsOwner_{contacts_};
};

// The full path of a folder, built the way the add-in builds it.
std::u16string PathOf(MAPIFolder* folder) {
  const std::u16string name = Text(folder->GetName());
  MAPIFolderPtr parent(folder->GetParent());
  if (parent != NULL && parent->GetClass() == Outlook::olFolder) {
    return PathOf(parent) + u"\\" + name;
  }
  return u"\\\\" + name;
}

TEST_F(OutlookFolderTest, ValuesPassThrough) {
  EXPECT_EQ(Text(contactsOwner_->GetName()), u"Contacts");
  EXPECT_EQ(contactsOwner_->GetClass(), Outlook::olFolder);
  IDispatchPtr parent = contactsOwner_->GetParent();
  EXPECT_TRUE(parent == topOwner_);
}

TEST_F(OutlookFolderTest, ParentChainEndsAtTheNamespace) {
  EXPECT_EQ(PathOf(contactsOwner_), u"\\\\Personal Folders\\Contacts");
  IDispatchPtr above = topOwner_->GetParent();
  EXPECT_TRUE(above == namespace_);
  EXPECT_TRUE(MAPIFolderPtr(above) == NULL);
}

TEST_F(OutlookFolderTest, ParentIsHandedOverWithOneReference) {
  const ULONG before = TopCount();
  {
    IDispatchPtr parent = contactsOwner_->GetParent();
    EXPECT_EQ(TopCount(), before + 1);
  }
  EXPECT_EQ(TopCount(), before);
}

TEST_F(OutlookFolderTest, FailedReadsRaiseTheirResults) {
  contacts_->nameResult = E_FAIL;
  contacts_->parentResult = DISP_E_MEMBERNOTFOUND;
  contacts_->classResult = E_OUTOFMEMORY;
  const ULONG before = TopCount();
  EXPECT_EQ(ErrorOf([&] { contactsOwner_->GetName(); }), E_FAIL);
  EXPECT_EQ(ErrorOf([&] { contactsOwner_->GetParent(); }), DISP_E_MEMBERNOTFOUND);
  EXPECT_EQ(ErrorOf([&] { contactsOwner_->GetClass(); }), E_OUTOFMEMORY);
  // What the failing reads handed out was not kept.
  EXPECT_EQ(TopCount(), before);
}

}  // namespace
