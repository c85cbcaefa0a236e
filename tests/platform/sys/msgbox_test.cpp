// Message boxes: scripted answers, handler, default buttons, records.
#include <gtest/gtest.h>

#include <string>

#include "platform/sys/msgbox.h"
#include "platform/sys/profile.h"

namespace {

class MessageBoxTest : public ::testing::Test {
 protected:
  void SetUp() override { plat::ClearMessageBoxRecords(); }
  void TearDown() override {
    plat::SetMessageBoxHandler(nullptr);
    plat::ClearMessageBoxRecords();
  }
};

TEST_F(MessageBoxTest, DefaultButtonAnswersWithoutAScript) {
  struct Case {
    UINT type;
    int answer;
  } cases[] = {
      {MB_OK, IDOK},
      {MB_OKCANCEL | MB_DEFBUTTON2, IDCANCEL},
      {MB_YESNO, IDYES},
      {MB_YESNO | MB_DEFBUTTON2, IDNO},
      {MB_YESNOCANCEL | MB_DEFBUTTON3, IDCANCEL},
      {MB_ABORTRETRYIGNORE | MB_DEFBUTTON2, IDRETRY},
      {MB_RETRYCANCEL | MB_DEFBUTTON4, IDRETRY},  // no fourth button: the first
      {MB_OK | MB_HELP | MB_DEFBUTTON2, IDHELP},
  };
  for (const Case& c : cases) {
    testing::internal::CaptureStderr();
    EXPECT_EQ(c.answer, MessageBox(nullptr, "line1\nline2", "Cap", c.type)) << c.type;
    std::string err = testing::internal::GetCapturedStderr();
    EXPECT_NE(std::string::npos, err.find("[Cap]: line1 | line2")) << err;
    EXPECT_EQ(1, std::count(err.begin(), err.end(), '\n'));
  }
}

TEST_F(MessageBoxTest, ScriptedAnswersComeFirstThenTheHandler) {
  plat::PushMessageBoxAnswer(IDNO);
  plat::PushMessageBoxAnswer(IDCANCEL);
  int handled = 0;
  plat::SetMessageBoxHandler([&](const plat::MessageBoxRecord& r) {
    ++handled;
    EXPECT_EQ("third", r.text);
    return IDRETRY;
  });
  EXPECT_EQ(IDNO, MessageBox(nullptr, "first", nullptr, MB_YESNO));
  EXPECT_EQ(IDCANCEL, MessageBox(nullptr, "second", "C", MB_OKCANCEL | MB_ICONSTOP));
  EXPECT_EQ(IDRETRY, MessageBox(nullptr, "third", "C", MB_RETRYCANCEL));
  EXPECT_EQ(1, handled);
  auto records = plat::MessageBoxRecords();
  ASSERT_EQ(3u, records.size());
  EXPECT_EQ("Error", records[0].caption);
  EXPECT_EQ(static_cast<UINT>(MB_OKCANCEL | MB_ICONSTOP), records[1].type);
  EXPECT_EQ(IDRETRY, records[2].answer);

  plat::PushMessageBoxAnswer(IDYES);
  plat::ClearMessageBoxRecords();  // also drops the pending answer
  EXPECT_TRUE(plat::MessageBoxRecords().empty());
  EXPECT_EQ(IDRETRY, MessageBox(nullptr, "third", "C", MB_YESNO));
}

TEST_F(MessageBoxTest, OnlyTheNewestRecordsAreKept) {
  constexpr size_t kShown = plat::kMessageBoxRecordLimit + 10;
  testing::internal::CaptureStderr();
  for (size_t i = 0; i < kShown; ++i) MessageBox(nullptr, std::to_string(i).c_str(), "Loop", MB_OK);
  testing::internal::GetCapturedStderr();
  auto records = plat::MessageBoxRecords();
  ASSERT_EQ(records.size(), plat::kMessageBoxRecordLimit);
  EXPECT_EQ(records.front().text, std::to_string(kShown - plat::kMessageBoxRecordLimit));
  EXPECT_EQ(records.back().text, std::to_string(kShown - 1));
}

TEST_F(MessageBoxTest, AfxMessageBoxUsesTheApplicationNameAndAddsAnIcon) {
  plat::Profile::App().SetAppName("Mirt Test");
  struct Case {
    UINT type, recorded;
  } cases[] = {
      {MB_OK, MB_OK | MB_ICONEXCLAMATION},
      {MB_YESNO, MB_YESNO | MB_ICONQUESTION},
      {MB_OK | MB_ICONINFORMATION, MB_OK | MB_ICONINFORMATION},
      {MB_RETRYCANCEL, MB_RETRYCANCEL},
  };
  for (const Case& c : cases) {
    plat::PushMessageBoxAnswer(IDOK);
    AfxMessageBox("text", c.type);
    auto r = plat::MessageBoxRecords().back();
    EXPECT_EQ("Mirt Test", r.caption);
    EXPECT_EQ(c.recorded, r.type);
  }
}

}  // namespace
