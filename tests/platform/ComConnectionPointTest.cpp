#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "atl/atlbase.h"
#include "com/ComObject.h"
#include "testkit/Com.h"

namespace {

KELVRA_INTERFACE_IID(IClockEvents, 0x4B3A0001, 0x6C5D, 0x4E7F, 0x81, 0x92, 0xA3, 0xB4, 0xC5, 0xD6,
                     0xE7, 0xF8)
struct IClockEvents : IDispatch {};
KELVRA_INTERFACE_IID(IDoorEvents, 0x4B3A0002, 0x6C5D, 0x4E7F, 0x81, 0x92, 0xA3, 0xB4, 0xC5, 0xD6,
                     0xE7, 0xF8)
struct IDoorEvents : IDispatch {};

constexpr DISPID kTick = 7;
constexpr DISPID kOpening = 8;

// A raw sink: records the dispatch ids it is called with, runs a hook, answers a result.
class RecordingSink : public kelvra::ComObject<IClockEvents> {
 public:
  STDMETHODIMP Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                      UINT*) override {
    calls.push_back(id);
    EXPECT_EQ(flags, DISPATCH_METHOD);
    if (hook) hook();
    return answer;
  }
  std::vector<DISPID> calls;
  std::function<void()> hook;
  HRESULT answer = S_OK;
};

class ComConnectionPointTest : public ::testing::Test {
 protected:
  IConnectionPointPtr Point(REFIID iid) {
    IConnectionPointContainerPtr container(source_.Object());
    IConnectionPointPtr point;
    EXPECT_EQ(container->FindConnectionPoint(iid, &point), S_OK);
    return point;
  }
  DWORD Advise(IUnknown* sink) {
    DWORD cookie = 0;
    EXPECT_EQ(Point(__uuidof(IClockEvents))->Advise(sink, &cookie), S_OK);
    return cookie;
  }

  testkit::EventSource source_{__uuidof(IClockEvents), __uuidof(IDoorEvents)};
};

// --- Advise and Unadvise.

class ComConnectionAdviseTest : public ComConnectionPointTest {};

TEST_F(ComConnectionAdviseTest, PointsAreFoundByTheirEventInterface) {
  IConnectionPointPtr point = Point(__uuidof(IDoorEvents));
  IID iid{};
  EXPECT_EQ(point->GetConnectionInterface(&iid), S_OK);
  EXPECT_TRUE(iid == __uuidof(IDoorEvents));
  IConnectionPointContainerPtr container;
  EXPECT_EQ(point->GetConnectionPointContainer(&container), S_OK);
  EXPECT_TRUE(container == source_.Object());

  IConnectionPointContainerPtr sourceContainer(source_.Object());
  IConnectionPoint* none = reinterpret_cast<IConnectionPoint*>(1);
  EXPECT_EQ(sourceContainer->FindConnectionPoint(IID_IDispatch, &none), CONNECT_E_NOCONNECTION);
  EXPECT_EQ(none, nullptr);
}

TEST_F(ComConnectionAdviseTest, CookiesAreNonZeroAndNeverReused) {
  IUnknownPtr first(new RecordingSink), second(new RecordingSink);
  const DWORD a = Advise(first);
  const DWORD b = Advise(second);
  EXPECT_NE(a, 0u);
  EXPECT_NE(b, 0u);
  EXPECT_NE(a, b);
  IConnectionPointPtr point = Point(__uuidof(IClockEvents));
  EXPECT_EQ(point->Unadvise(a), S_OK);
  const DWORD c = Advise(first);
  EXPECT_NE(c, a);
  EXPECT_NE(c, b);
  // A stale cookie reaches nothing, not the connection made since.
  EXPECT_EQ(point->Unadvise(a), CONNECT_E_NOCONNECTION);
  EXPECT_EQ(source_.Connections(__uuidof(IClockEvents)), 2u);
  EXPECT_EQ(point->Unadvise(0), CONNECT_E_NOCONNECTION);
}

TEST_F(ComConnectionAdviseTest, ASinkWithoutTheEventInterfaceCannotConnect) {
  class Stranger : public kelvra::ComObject<IDoorEvents> {};
  IUnknownPtr stranger(new Stranger);
  DWORD cookie = 99;
  EXPECT_EQ(Point(__uuidof(IClockEvents))->Advise(stranger, &cookie), CONNECT_E_CANNOTCONNECT);
  EXPECT_EQ(cookie, 0u);
  EXPECT_EQ(Point(__uuidof(IClockEvents))->Advise(nullptr, &cookie), E_POINTER);
}

TEST_F(ComConnectionAdviseTest, TheSourceHoldsItsSinksUntilUnadvised) {
  auto* sink = new RecordingSink;
  sink->AddRef();
  const DWORD cookie = Advise(sink);
  EXPECT_EQ(sink->RefCount(), 2u);
  EXPECT_EQ(Point(__uuidof(IClockEvents))->Unadvise(cookie), S_OK);
  EXPECT_EQ(sink->Release(), 0u);
}

// --- Raising events.

class ComConnectionRaiseTest : public ComConnectionPointTest {};

TEST_F(ComConnectionRaiseTest, EveryConnectedSinkGetsTheEventInAdviseOrder) {
  std::vector<int> order;
  auto* first = new RecordingSink;
  auto* second = new RecordingSink;
  IUnknownPtr hold1(first), hold2(second);
  first->hook = [&] { order.push_back(1); };
  second->hook = [&] { order.push_back(2); };
  Advise(first);
  Advise(second);
  EXPECT_EQ(source_.Raise(__uuidof(IClockEvents), kTick), S_OK);
  EXPECT_EQ(order, (std::vector<int>{1, 2}));
  EXPECT_EQ(source_.Raise(__uuidof(IDoorEvents), kOpening), S_OK) << "no sink on that point";
  EXPECT_EQ(first->calls, std::vector<DISPID>{kTick});
}

TEST_F(ComConnectionRaiseTest, AFailingSinkDoesNotKeepTheEventFromTheOthers) {
  auto* failing = new RecordingSink;
  auto* healthy = new RecordingSink;
  IUnknownPtr hold1(failing), hold2(healthy);
  failing->answer = E_FAIL;
  Advise(failing);
  Advise(healthy);
  EXPECT_EQ(source_.Raise(__uuidof(IClockEvents), kTick), E_FAIL);
  EXPECT_EQ(healthy->calls.size(), 1u);
}

TEST_F(ComConnectionRaiseTest, ASinkUnadvisedDuringTheEventIsNotCalledAfterwards) {
  auto* first = new RecordingSink;
  auto* second = new RecordingSink;
  IUnknownPtr hold1(first), hold2(second);
  const DWORD firstCookie = Advise(first);
  const DWORD secondCookie = Advise(second);
  IConnectionPointPtr point = Point(__uuidof(IClockEvents));
  first->hook = [&] {
    EXPECT_EQ(point->Unadvise(firstCookie), S_OK);
    EXPECT_EQ(point->Unadvise(secondCookie), S_OK);
  };
  EXPECT_EQ(source_.Raise(__uuidof(IClockEvents), kTick), S_OK);
  EXPECT_EQ(first->calls.size(), 1u);
  EXPECT_TRUE(second->calls.empty());
  EXPECT_EQ(source_.Connections(__uuidof(IClockEvents)), 0u);
  EXPECT_EQ(first->RefCount(), 1u) << "the source let go of both";
  EXPECT_EQ(second->RefCount(), 1u);
}

// --- ATL sinks.

const _ATL_FUNC_INFO kOpeningInfo = {CC_STDCALL, VT_EMPTY, 2, {VT_DISPATCH, VT_BYREF | VT_BOOL}};
const _ATL_FUNC_INFO kTickInfo = {CC_STDCALL, VT_EMPTY, 1, {VT_I4}};

class Watcher : public ATL::IDispEventSimpleImpl<1, Watcher, &__uuidof(IClockEvents)>,
                public ATL::IDispEventSimpleImpl<2, Watcher, &__uuidof(IDoorEvents)> {
 public:
  using Clock = ATL::IDispEventSimpleImpl<1, Watcher, &__uuidof(IClockEvents)>;
  using Door = ATL::IDispEventSimpleImpl<2, Watcher, &__uuidof(IDoorEvents)>;

  BEGIN_SINK_MAP(Watcher)
    SINK_ENTRY_INFO(1, __uuidof(IClockEvents), kTick, &Watcher::OnTick, &kTickInfo)
    SINK_ENTRY_INFO(2, __uuidof(IDoorEvents), kOpening, &Watcher::OnOpening, &kOpeningInfo)
  END_SINK_MAP()

  void STDMETHODCALLTYPE OnTick(LONG seconds) { ticks.push_back(seconds); }
  void STDMETHODCALLTYPE OnOpening(IDispatch* door, VARIANT_BOOL* cancel) {
    openedBy = door;
    *cancel = VARIANT_TRUE;
  }

  std::vector<LONG> ticks;
  IDispatch* openedBy = nullptr;
};

class ComDispEventTest : public ComConnectionPointTest {
 protected:
  static VARIANT Long(LONG value) {
    VARIANT v{};
    v.vt = VT_I4;
    v.lVal = value;
    return v;
  }
  Watcher watcher_;
};

TEST_F(ComDispEventTest, AdviseKeepsTheCookieAndUnadviseClearsIt) {
  EXPECT_EQ(watcher_.Clock::m_dwEventCookie, 0xFEFEFEFEu);
  ASSERT_EQ(watcher_.Clock::DispEventAdvise(source_.Object()), S_OK);
  const DWORD cookie = watcher_.Clock::m_dwEventCookie;
  EXPECT_NE(cookie, 0xFEFEFEFEu);
  EXPECT_EQ(watcher_.Clock::DispEventAdvise(source_.Object()), CONNECT_E_ADVISELIMIT);
  EXPECT_EQ(watcher_.Clock::m_dwEventCookie, cookie) << "the first connection can still be undone";
  EXPECT_EQ(source_.Connections(__uuidof(IClockEvents)), 1u);
  EXPECT_EQ(watcher_.Clock::DispEventUnadvise(source_.Object()), S_OK);
  EXPECT_EQ(watcher_.Clock::m_dwEventCookie, 0xFEFEFEFEu);
  EXPECT_EQ(watcher_.Clock::DispEventUnadvise(source_.Object()), CONNECT_E_NOCONNECTION);
  EXPECT_EQ(source_.Connections(__uuidof(IClockEvents)), 0u);
}

TEST_F(ComDispEventTest, EachSinkOfTheClassGetsItsOwnSourcesEvents) {
  ASSERT_EQ(watcher_.Clock::DispEventAdvise(source_.Object()), S_OK);
  ASSERT_EQ(watcher_.Door::DispEventAdvise(source_.Object()), S_OK);
  EXPECT_EQ(source_.Raise(__uuidof(IClockEvents), kTick, {Long(5)}), S_OK);
  EXPECT_EQ(watcher_.ticks, std::vector<LONG>{5});

  IDispatchPtr door(watcher_.Clock::GetEventSink());
  VARIANT_BOOL cancel = VARIANT_FALSE;
  VARIANT doorArg{};
  doorArg.vt = VT_DISPATCH;
  doorArg.pdispVal = door;
  VARIANT cancelArg{};
  cancelArg.vt = VT_BYREF | VT_BOOL;
  cancelArg.pboolVal = &cancel;
  EXPECT_EQ(source_.Raise(__uuidof(IDoorEvents), kOpening, {doorArg, cancelArg}), S_OK);
  EXPECT_EQ(watcher_.openedBy, door.GetInterfacePtr());
  EXPECT_EQ(cancel, VARIANT_TRUE) << "the handler's answer reaches the source";
  EXPECT_EQ(watcher_.ticks.size(), 1u);
  watcher_.Clock::DispEventUnadvise(source_.Object());
  watcher_.Door::DispEventUnadvise(source_.Object());
}

TEST_F(ComDispEventTest, EventsOutsideTheMapAreIgnored) {
  ASSERT_EQ(watcher_.Clock::DispEventAdvise(source_.Object()), S_OK);
  EXPECT_EQ(source_.Raise(__uuidof(IClockEvents), 99, {Long(1)}), S_OK);
  EXPECT_TRUE(watcher_.ticks.empty());
  watcher_.Clock::DispEventUnadvise(source_.Object());
}

TEST_F(ComDispEventTest, ArgumentsOtherThanTheSignatureNamesNeverReachTheHandler) {
  ASSERT_EQ(watcher_.Clock::DispEventAdvise(source_.Object()), S_OK);
  _variant_t text(u"five");
  EXPECT_EQ(source_.Raise(__uuidof(IClockEvents), kTick, {text}), DISP_E_TYPEMISMATCH);
  EXPECT_EQ(source_.Raise(__uuidof(IClockEvents), kTick, {}), DISP_E_BADPARAMCOUNT);
  EXPECT_EQ(source_.Raise(__uuidof(IClockEvents), kTick, {Long(1), Long(2)}), DISP_E_BADPARAMCOUNT);
  EXPECT_TRUE(watcher_.ticks.empty());
  watcher_.Clock::DispEventUnadvise(source_.Object());
}

// Like a window object that ends itself when its window closes.
class SelfEnding : public ATL::IDispEventSimpleImpl<1, SelfEnding, &__uuidof(IClockEvents)> {
 public:
  explicit SelfEnding(IUnknown* source, bool* ended) : source_(source), ended_(ended) {}
  ~SelfEnding() { *ended_ = true; }

  BEGIN_SINK_MAP(SelfEnding)
    SINK_ENTRY_INFO(1, __uuidof(IClockEvents), kTick, &SelfEnding::OnTick, &kTickInfo)
  END_SINK_MAP()

  void STDMETHODCALLTYPE OnTick(LONG) {
    DispEventUnadvise(source_);
    delete this;
  }

 private:
  IUnknown* source_;
  bool* ended_;
};

TEST_F(ComDispEventTest, ASinkObjectMayUnadviseAndDeleteItselfInItsHandler) {
  bool ended = false;
  auto* sink = new SelfEnding(source_.Object(), &ended);
  ASSERT_EQ(sink->DispEventAdvise(source_.Object()), S_OK);
  ASSERT_EQ(watcher_.Clock::DispEventAdvise(source_.Object()), S_OK);
  EXPECT_EQ(source_.Raise(__uuidof(IClockEvents), kTick, {Long(3)}), S_OK);
  EXPECT_TRUE(ended);
  EXPECT_EQ(watcher_.ticks, std::vector<LONG>{3}) << "the sinks after it still get the event";
  EXPECT_EQ(source_.Connections(__uuidof(IClockEvents)), 1u);
  watcher_.Clock::DispEventUnadvise(source_.Object());
}

TEST_F(ComDispEventTest, AdvisingToAnObjectWithoutConnectionPointsFails) {
  IUnknownPtr plain(new RecordingSink);
  EXPECT_EQ(watcher_.Clock::DispEventAdvise(plain), E_NOINTERFACE);
  EXPECT_EQ(watcher_.Clock::m_dwEventCookie, 0xFEFEFEFEu);
}

}  // namespace
