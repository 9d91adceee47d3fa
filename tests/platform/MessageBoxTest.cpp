#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "testkit/Operator.h"
#include "win32/windows.h"

namespace {

HWND FakeWindow(std::uintptr_t value) { return reinterpret_cast<HWND>(value); }

class MessageBoxTest : public ::testing::Test {
 protected:
  void SetUp() override { testkit::ClearMessageBoxes(); }
  void TearDown() override {
    testkit::SetMessageBoxHandler(nullptr);
    testkit::SetMessageBoxAnswer(0);
    testkit::ClearMessageBoxes();
  }
};

TEST_F(MessageBoxTest, RecordsAllFourArgumentsAndTheAnswer) {
  const int answer =
      MessageBoxA(FakeWindow(0x1234), "The file is missing.", "Kelvra", MB_ICONEXCLAMATION | MB_OK);
  EXPECT_EQ(answer, IDOK);
  const auto boxes = testkit::MessageBoxes();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].owner, FakeWindow(0x1234));
  EXPECT_EQ(boxes[0].text, "The file is missing.");
  EXPECT_EQ(boxes[0].caption, "Kelvra");
  EXPECT_EQ(boxes[0].type, static_cast<UINT>(MB_ICONEXCLAMATION));
  EXPECT_EQ(boxes[0].answer, IDOK);
}

TEST_F(MessageBoxTest, DefaultAnswerAcceptsTheBox) {
  EXPECT_EQ(MessageBoxA(nullptr, "a", "b", MB_OKCANCEL | MB_ICONQUESTION), IDOK);
  EXPECT_EQ(MessageBoxA(nullptr, "a", "b", MB_YESNO | MB_ICONQUESTION), IDYES);
  EXPECT_EQ(MessageBoxA(nullptr, "a", "b", MB_ICONERROR), IDOK);
}

TEST_F(MessageBoxTest, SetAnswerHoldsUntilReset) {
  testkit::SetMessageBoxAnswer(IDCANCEL);
  EXPECT_EQ(MessageBoxA(nullptr, "first", "c", MB_OKCANCEL), IDCANCEL);
  EXPECT_EQ(MessageBoxA(nullptr, "second", "c", MB_OKCANCEL), IDCANCEL);
  testkit::SetMessageBoxAnswer(0);
  EXPECT_EQ(MessageBoxA(nullptr, "third", "c", MB_YESNO), IDYES);
  const auto boxes = testkit::MessageBoxes();
  ASSERT_EQ(boxes.size(), 3u);
  EXPECT_EQ(boxes[1].answer, IDCANCEL);
  EXPECT_EQ(boxes[2].answer, IDYES);
}

TEST_F(MessageBoxTest, HandlerScriptsASequenceAndWinsOverTheAnswer) {
  testkit::SetMessageBoxAnswer(IDCANCEL);
  std::vector<std::string> seen;
  const int script[] = {IDNO, IDYES};
  testkit::SetMessageBoxHandler([&](const testkit::MessageBoxRecord& box) {
    seen.push_back(box.text + "|" + box.caption);
    return script[seen.size() - 1];
  });
  EXPECT_EQ(MessageBoxA(nullptr, "Replace?", "One", MB_YESNO), IDNO);
  EXPECT_EQ(MessageBoxA(nullptr, "Really?", "Two", MB_YESNO), IDYES);
  EXPECT_EQ(seen, (std::vector<std::string>{"Replace?|One", "Really?|Two"}));

  testkit::SetMessageBoxHandler(nullptr);
  EXPECT_EQ(MessageBoxA(nullptr, "x", "y", MB_OKCANCEL), IDCANCEL);
}

TEST_F(MessageBoxTest, HandlerMayLookAtEarlierBoxes) {
  testkit::SetMessageBoxHandler([](const testkit::MessageBoxRecord&) {
    return testkit::MessageBoxes().empty() ? IDOK : IDCANCEL;
  });
  EXPECT_EQ(MessageBoxA(nullptr, "1", "c", MB_OKCANCEL), IDOK);
  EXPECT_EQ(MessageBoxA(nullptr, "2", "c", MB_OKCANCEL), IDCANCEL);
}

TEST_F(MessageBoxTest, NullTextAndCaption) {
  MessageBoxA(nullptr, nullptr, nullptr, MB_OK);
  const auto boxes = testkit::MessageBoxes();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].text, "");
  EXPECT_EQ(boxes[0].caption, "Error");
}

TEST_F(MessageBoxTest, ClearForgetsShownBoxes) {
  MessageBoxA(nullptr, "a", "b", MB_OK);
  testkit::ClearMessageBoxes();
  EXPECT_TRUE(testkit::MessageBoxes().empty());
}

TEST_F(MessageBoxTest, BoxesFromManyThreadsAreAllRecorded) {
  std::atomic<int> answered{0};
  std::vector<std::thread> threads;
  for (int t = 0; t < 4; ++t) {
    threads.emplace_back([&] {
      for (int i = 0; i < 50; ++i)
        answered += MessageBoxA(nullptr, "t", "c", MB_OK) == IDOK ? 1 : 0;
    });
  }
  for (auto& thread : threads) thread.join();
  EXPECT_EQ(answered.load(), 200);
  EXPECT_EQ(testkit::MessageBoxes().size(), 200u);
}

TEST_F(MessageBoxTest, NoWindowIsActiveYet) { EXPECT_EQ(GetActiveWindow(), nullptr); }

}  // namespace
