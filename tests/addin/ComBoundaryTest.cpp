// Nothing thrown inside the add-in crosses into Office or Outlook: a COM error or an
// allocation failure inside a COM method is logged and becomes its HRESULT.
#include <gtest/gtest.h>

#include <new>
#include <stdexcept>
#include <string>

#include "ConnectTestSupport.h"
#include "addin/Application.h"
#include "addin/ComBoundary.h"
#include "com/comdef.h"
#include "testkit/Store.h"

namespace kelvra::test {
namespace {

constexpr HRESULT kDisconnected = static_cast<HRESULT>(0x80010108u);  // RPC_E_DISCONNECTED

class ComBoundaryTest : public ConnectTest {
 protected:
  void TearDown() override {
    testkit::ClearFaults();
    ConnectTest::TearDown();
  }
  bool Logged(const std::string& text) const { return m_log.Err().find(text) != std::string::npos; }
};

TEST_F(ComBoundaryTest, EachKindOfExceptionBecomesItsHresultAndOneLogLine) {
  EXPECT_EQ(ComBoundary("Edge::ComError", []() -> HRESULT { _com_issue_error(kDisconnected); }),
            kDisconnected);
  EXPECT_EQ(ComBoundary("Edge::NoMemory", []() -> HRESULT { throw std::bad_alloc(); }),
            E_OUTOFMEMORY);
  EXPECT_EQ(ComBoundary("Edge::Other", []() -> HRESULT { throw std::runtime_error("x"); }), E_FAIL);
  // A COM error that carries a success code still reports a failure.
  EXPECT_EQ(ComBoundary("Edge::Odd", []() -> HRESULT { throw _com_error(S_FALSE); }), E_FAIL);
  EXPECT_EQ(ComBoundary("Edge::Fine", [] { return S_FALSE; }), S_FALSE);
  bool ran = false;
  EventBoundary("Edge::Event", [&] {
    ran = true;
    throw std::runtime_error("x");
  });
  EXPECT_TRUE(ran);
  EXPECT_TRUE(Logged("Err[-2147417848] in Edge::ComError: _com_error(")) << m_log.Err();
  EXPECT_TRUE(Logged("Err[-2147024882] in Edge::NoMemory: out of memory")) << m_log.Err();
  EXPECT_TRUE(Logged("Err[0] in Edge::Other: CATCHED EXCEPTION!")) << m_log.Err();
  EXPECT_TRUE(Logged("Err[0] in Edge::Event: CATCHED EXCEPTION!")) << m_log.Err();
  EXPECT_FALSE(Logged("Edge::Fine"));
}

TEST_F(ComBoundaryTest, AConnectionThatRunsOutOfMemoryGivesEOutOfMemory) {
  testkit::ExhaustMemoryOnCall("Application.Version", 0);
  EXPECT_EQ(Connect(), E_OUTOFMEMORY);
  EXPECT_EQ(g_Application, nullptr);
  EXPECT_TRUE(Logged("in CConnect::OnConnection: out of memory")) << m_log.Err();
}

TEST_F(ComBoundaryTest, ARibbonButtonWhoseWizardThrowsGivesItsHresult) {
  OpenStartWindow();
  ASSERT_EQ(Connect(), S_OK);
  CancelFirstPages();
  const IDispatchPtr button = RibbonControl("Ostrane.Kelvra.btnExportC");

  testkit::ExhaustMemoryOnCall("Application.ActiveExplorer", 0);
  EXPECT_EQ(m_connect->Button_OnAction(button), E_OUTOFMEMORY);
  EXPECT_TRUE(Logged("in CConnect::Button_OnAction: out of memory")) << m_log.Err();

  testkit::ClearFaults();
  // Still usable afterwards: the next press runs the wizard.
  EXPECT_EQ(m_connect->Button_OnAction(button), S_OK);
  ShutDown();
}

}  // namespace
}  // namespace kelvra::test
