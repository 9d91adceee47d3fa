// The answers file format that kelvra-host reads (--answers).
#include <gtest/gtest.h>

#include "testkit/Answers.h"

namespace kelvra::test {
namespace {

using testkit::Answers;
using testkit::DialogAction;
using Kind = testkit::DialogAction::Kind;

class AnswersTest : public ::testing::Test {
 protected:
  static std::string ErrorOf(const std::string& text) {
    try {
      Answers answers(text);
    } catch (const std::invalid_argument& e) {
      return e.what();
    }
    return "";
  }
};

TEST_F(AnswersTest, DialogLinesGiveTheirActionsInOrder) {
  Answers answers(
      "# first showing of the options\n"
      "dialog 225: check 243; select 246 Western European (Windows) ;click 1\n"
      "\n"
      "dialog 224:   type 229 Z:\\tmp\\a\\; b ; uncheck 232; escape\r\n"
      "dialog 225: close\n");
  std::optional<std::vector<DialogAction>> options = answers.TakeDialog(225);
  ASSERT_TRUE(options);
  ASSERT_EQ(options->size(), 3u);
  EXPECT_EQ((*options)[0].kind, Kind::kCheck);
  EXPECT_EQ((*options)[0].control, 243);
  EXPECT_EQ((*options)[1].kind, Kind::kSelect);
  EXPECT_EQ((*options)[1].text, "Western European (Windows)");
  EXPECT_EQ((*options)[2].kind, Kind::kClick);

  std::optional<std::vector<DialogAction>> first = answers.TakeDialog(224);
  ASSERT_TRUE(first);
  ASSERT_EQ(first->size(), 3u);
  EXPECT_EQ((*first)[0].text, "Z:\\tmp\\a; b");  // "\;" is a ";" of the text
  EXPECT_EQ((*first)[1].kind, Kind::kUncheck);
  EXPECT_EQ((*first)[2].kind, Kind::kEscape);

  // The second showing of 225 gets the second line, a third none.
  std::optional<std::vector<DialogAction>> again = answers.TakeDialog(225);
  ASSERT_TRUE(again);
  EXPECT_EQ((*again)[0].kind, Kind::kClose);
  EXPECT_FALSE(answers.TakeDialog(225));
  EXPECT_FALSE(answers.TakeDialog(224));
}

TEST_F(AnswersTest, MessageBoxesFoldersAndFilesAreAnsweredInTurn) {
  Answers answers(
      "msgbox: IDNO\nfolder: Z:\\tmp\\out\nmsgbox: idcancel\nfile: cancel\nfolder: Cancel\nmsgbox: "
      "6\n");
  EXPECT_EQ(answers.TakeMessageBox(), IDNO);
  EXPECT_EQ(answers.TakeMessageBox(), IDCANCEL);
  EXPECT_EQ(answers.TakeMessageBox(), IDYES);
  EXPECT_FALSE(answers.TakeMessageBox());

  auto folder = answers.TakeFolder();
  ASSERT_TRUE(folder);
  EXPECT_EQ(*folder, std::optional<std::string>("Z:\\tmp\\out"));
  folder = answers.TakeFolder();
  ASSERT_TRUE(folder);
  EXPECT_FALSE(*folder);  // Cancel
  EXPECT_FALSE(answers.TakeFolder());

  auto file = answers.TakeFile();
  ASSERT_TRUE(file);
  EXPECT_FALSE(*file);
  EXPECT_FALSE(answers.TakeFile());
}

TEST_F(AnswersTest, MalformedLinesNameTheirLine) {
  EXPECT_EQ(ErrorOf("msgbox: IDOK\n\ndialog 273 click 373\n").rfind("line 3: ", 0), 0u);
  EXPECT_NE(ErrorOf("dialog x: click 1").find("template id"), std::string::npos);
  EXPECT_NE(ErrorOf("dialog 5: push 1").find("push"), std::string::npos);
  EXPECT_NE(ErrorOf("dialog 5: click").find("control id"), std::string::npos);
  EXPECT_NE(ErrorOf("dialog 5: type 229").find("text"), std::string::npos);
  EXPECT_NE(ErrorOf("dialog 5: click 1 2").find("only a control id"), std::string::npos);
  EXPECT_NE(ErrorOf("dialog 5: escape now").find("escape"), std::string::npos);
  EXPECT_NE(ErrorOf("msgbox: MAYBE").find("MAYBE"), std::string::npos);
  EXPECT_NE(ErrorOf("folder:").find("path or cancel"), std::string::npos);
  EXPECT_NE(ErrorOf("window 5: click 1").find("window 5"), std::string::npos);
  EXPECT_EQ(ErrorOf("# only a comment\n\n"), "");
}

}  // namespace
}  // namespace kelvra::test
