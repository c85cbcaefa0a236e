#include <QCoreApplication>
#include <QImage>
#include <functional>
#include <string>
#include <vector>

#include "../platform/ui/ui_test_support.h"
#include "a_qjx/a_qjx.h"
#include "a_qjx/tool_ids.h"
#include "platform/afx/afxres.h"
#include "platform/sys/file.h"
#include "platform/ui/afxctrl.h"
#include "platform/ui/message.h"
#include "platform/ui/modal.h"
#include "platform/ui/scintilla.h"
#include "tests/a_qjx/family_fixture.h"
#include "tests/support/test_support.h"
#include "ytn1/prompt.h"

namespace {

class InsEditorTest : public FamilyTest {
 protected:
  void SetUp() override {
    FamilyTest::SetUp();
    ui_test::EnsureApp();
    plat::ClearModalRecords();
  }
  // Runs the editor; `act` drives it and ends it.
  static void RunEditor(std::function<void(HWND)> act) {
    plat::PushDialogAction(std::move(act));
    a_qjx_ins(0);
  }
  static HWND Editor(HWND dialog) {
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
      char name[32] = {};
      GetClassName(child, name, sizeof name);
      if (std::string(name) == SCINTILLA_CLASS) return child;
    }
    return nullptr;
  }
  static std::string Text(HWND window) {
    std::vector<char> text(size_t(SendMessage(window, WM_GETTEXTLENGTH, 0, 0)) + 1, '\0');
    GetWindowText(window, text.data(), int(text.size()));
    return text.data();
  }
  static std::string Field(HWND dialog, int id) { return Text(GetDlgItem(dialog, id)); }
  static void SetText(HWND editor, const std::string& text) {
    SendMessage(editor, SCI_CLEARALL, 0, 0);
    SendMessage(editor, SCI_ADDTEXT, text.size(), LPARAM(text.c_str()));
  }
  static std::string EditorText(HWND editor) {
    std::vector<char> text(size_t(SendMessage(editor, SCI_GETLENGTH, 0, 0)) + 1, '\0');
    SendMessage(editor, SCI_GETTEXT, text.size(), LPARAM(text.data()));
    return text.data();
  }
  // The component tells about the caret when it has drawn.
  static void Settle(HWND dialog) {
    for (int i = 0; i < 3; ++i) {
      PumpWaitingMessages();
      QCoreApplication::processEvents();
    }
    UpdateWindow(dialog);
  }
  static void Command(HWND dialog, int id) { SendMessage(dialog, WM_COMMAND, id, 0); }
  static void Picture(HWND window, const std::string& name) {
    for (int i = 0; i < 3; ++i) PumpWaitingMessages();
    UpdateWindow(window);
    ui_test::Picture(window).save(
        QString::fromStdString(mirt_test::ProgramDir() + "/a_qjx_" + name + ".png"));
  }
  static bool Asked(const std::string& text) {
    for (const std::string& t : BoxTexts())
      if (t == text) return true;
    return false;
  }
};

constexpr auto kSaveQuestion = "Do you want to save changes?";
constexpr UINT kSciSetSel = 2160;  // the component's selection message

TEST_F(InsEditorTest, OpensWithTheHeaderAndFollowsTheCaretLine) {
  char before[MAX_PATH] = {};
  GetCurrentDirectory(sizeof before, before);
  RunEditor([](HWND dialog) {
    HWND editor = Editor(dialog);
    ASSERT_TRUE(editor);
    EXPECT_EQ(EditorText(editor), "'KALVEN - INSTALLATION FILE");
    EXPECT_EQ(Text(dialog), "KALVEN Installation file - []");
    constexpr auto kTyped = "\nQ5DEVICE 1";
    SendMessage(editor, SCI_GOTOPOS, SendMessage(editor, SCI_GETLENGTH, 0, 0), 0);
    SendMessage(editor, SCI_ADDTEXT, std::char_traits<char>::length(kTyped), LPARAM(kTyped));
    Settle(dialog);
    EXPECT_EQ(Field(dialog, IDC_INS_LINE_POSITION), "1/2");
    EXPECT_EQ(Field(dialog, IDC_INS_SYNTAX), "No Keyword");
    SendMessage(editor, SCI_GOTOLINE, 0, 0);
    Settle(dialog);
    EXPECT_EQ(Field(dialog, IDC_INS_LINE_POSITION), "0/2");
    EXPECT_EQ(Field(dialog, IDC_INS_SYNTAX), "OK");
    Picture(dialog, "ins_editor");
    plat::PushMessageBoxAnswer(IDNO);
    Command(dialog, IDC_INS_EXIT);
  });
  EXPECT_TRUE(Asked(kSaveQuestion));
  char after[MAX_PATH] = {};
  GetCurrentDirectory(sizeof after, after);
  EXPECT_STREQ(after, before);
}

TEST_F(InsEditorTest, SyntaxCheckChecksEveryLineIncludingTheFirst) {
  RunEditor([](HWND dialog) {
    HWND editor = Editor(dialog);
    ASSERT_TRUE(editor);
    SetText(editor, "Q5DEVICE 1\n  ; comment\n\nQ8DEVICE 1\nQ8DEVICE");
    Command(dialog, IDC_INS_SYNTAX_CHECK);
    const std::string messages = Field(dialog, IDC_INS_MESSAGES);
    EXPECT_EQ(messages.rfind("----------Syntax Check----------", 0), 0u);
    EXPECT_NE(messages.find("\r\nLine 0: Q5DEVICE 1\r\n"), std::string::npos);
    EXPECT_NE(messages.find("\r\n(003) Q8DEVICE 1"), std::string::npos);
    EXPECT_NE(messages.find("\r\nLine 4: Q8DEVICE\r\n"), std::string::npos);
    EXPECT_EQ(messages.substr(messages.size() - 32), "\r\n----------2 Error(s)----------");
    Command(dialog, IDC_INS_DELETE_MESSAGES);
    EXPECT_EQ(Field(dialog, IDC_INS_MESSAGES), "");
    plat::PushMessageBoxAnswer(IDNO);
    Command(dialog, IDC_INS_EXIT);
  });
}

TEST_F(InsEditorTest, ExecuteAllStopsAtTheFirstBadLine) {
  RunEditor([](HWND dialog) {
    HWND editor = Editor(dialog);
    SetText(editor, "' run\nQ5DEVICE 1\nQ8DEVICE 1");
    Command(dialog, IDC_INS_EXECUTE_ALL);
    const std::string messages = Field(dialog, IDC_INS_MESSAGES);
    EXPECT_NE(messages.find("Line 1: Q5DEVICE 1"), std::string::npos);
    EXPECT_EQ(messages.find("Q8DEVICE"), std::string::npos);
    EXPECT_EQ(messages.substr(messages.size() - 27), "\r\n----------Error----------");
    plat::PushMessageBoxAnswer(IDNO);
    Command(dialog, IDC_INS_EXIT);
  });
}

TEST_F(InsEditorTest, EscAndTheCloseBoxAskAboutUnsavedEdits) {
  for (UINT end : {UINT(WM_COMMAND), UINT(WM_CLOSE)}) {
    plat::ClearMessageBoxRecords();
    RunEditor([end](HWND dialog) {
      SendMessage(Editor(dialog), SCI_ADDTEXT, 1, LPARAM("x"));
      plat::PushMessageBoxAnswer(IDNO);
      SendMessage(dialog, end, end == WM_COMMAND ? IDCANCEL : 0, 0);
    });
    EXPECT_TRUE(Asked(kSaveQuestion)) << end;
  }
  // Unchanged text ends without a question.
  plat::ClearMessageBoxRecords();
  RunEditor([](HWND dialog) { SendMessage(dialog, WM_COMMAND, IDCANCEL, 0); });
  EXPECT_FALSE(Asked(kSaveQuestion));
}

TEST_F(InsEditorTest, SaveAsStoresUnderTheInsNameAndOpenReadsItBack) {
  const std::string folder = dir + "/v1.2";
  CreateDirectory(folder.c_str(), nullptr);
  const std::string stored = folder + "/board.ins";
  RunEditor([&](HWND dialog) {
    HWND editor = Editor(dialog);
    SetText(editor, "Q8DEVICE 1\nQ8PAR 10 0 1");
    ytn1::PushFileAnswer(folder + "/board.txt");
    Command(dialog, IDM_INS_SAVE_AS);
    EXPECT_EQ(Text(dialog), "KALVEN Installation file - [" + stored + "]");
    EXPECT_EQ(mirt_test::ReadFile(stored), "Q8DEVICE 1\r\nQ8PAR 10 0 1");
    Command(dialog, ID_FILE_NEW);
    EXPECT_EQ(EditorText(editor), "'KALVEN - INSTALLATION FILE");
    ytn1::PushFileAnswer(stored);
    Command(dialog, ID_FILE_OPEN);
    EXPECT_EQ(EditorText(editor), "Q8DEVICE 1\nQ8PAR 10 0 1\n");
    EXPECT_EQ(Text(dialog), "KALVEN Installation file - [" + stored + "]");
    Command(dialog, IDC_INS_EXIT);
  });
  EXPECT_FALSE(Asked(kSaveQuestion));
}

TEST_F(InsEditorTest, AFailedOpenKeepsTheDocumentAndItsPath) {
  const std::string path = dir + "/kept.ins";
  mirt_test::WriteFile(path, "Q8DEVICE 1\r\n");
  RunEditor([&](HWND dialog) {
    HWND editor = Editor(dialog);
    ytn1::PushFileAnswer(path);
    Command(dialog, ID_FILE_OPEN);
    ytn1::PushFileAnswer(dir + "/missing.ins");
    Command(dialog, ID_FILE_OPEN);
    EXPECT_EQ(EditorText(editor), "Q8DEVICE 1\n");
    EXPECT_EQ(Text(dialog), "KALVEN Installation file - [" + path + "]");
    Command(dialog, IDC_INS_EXIT);
  });
  EXPECT_TRUE(Asked("Could not open file. " + dir + "/missing.ins"));
}

TEST_F(InsEditorTest, InsertFlagsStartsFromTheSelection) {
  RunEditor([](HWND dialog) {
    HWND editor = Editor(dialog);
    SetText(editor, "Q8INST P.EXE 100 10 0 0 1a");
    const LRESULT end = SendMessage(editor, SCI_GETLENGTH, 0, 0);
    SendMessage(editor, kSciSetSel, end - 2, end);
    plat::PushDialogAction([](HWND flags) {
      EXPECT_EQ(Field(flags, IDC_FLAGS_VALUE), "1A");
      EXPECT_EQ(SendDlgItemMessage(flags, IDC_FLAGS_TASK_TYPE, CB_GETCURSEL, 0, 0), 2);  // DI-Task
      SendDlgItemMessage(flags, IDC_FLAGS_ACTIVATE, CB_SETCURSEL, 1, 0);
      SendMessage(flags, WM_COMMAND, MAKEWPARAM(IDC_FLAGS_ACTIVATE, CBN_SELCHANGE),
                  LPARAM(GetDlgItem(flags, IDC_FLAGS_ACTIVATE)));
      EXPECT_EQ(Field(flags, IDC_FLAGS_VALUE), "101A");
      Picture(flags, "ins_flags");
      SendMessage(flags, WM_COMMAND, IDOK, 0);
    });
    Command(dialog, IDC_INS_INSERT_FLAGS);
    EXPECT_EQ(EditorText(editor), "Q8INST P.EXE 100 10 0 0 101A");
    plat::PushMessageBoxAnswer(IDNO);
    Command(dialog, IDC_INS_EXIT);
  });
}

TEST_F(InsEditorTest, TypedFlagsShowTheirListsAndCancelKeepsTheSelection) {
  RunEditor([](HWND dialog) {
    HWND editor = Editor(dialog);
    SetText(editor, "task");
    SendMessage(editor, kSciSetSel, 0, 4);
    plat::PushDialogAction([](HWND flags) {
      EXPECT_EQ(Field(flags, IDC_FLAGS_VALUE), "0");
      SetDlgItemText(flags, IDC_FLAGS_VALUE, "1908");
      SendMessage(flags, WM_COMMAND, MAKEWPARAM(IDC_FLAGS_VALUE, EN_KILLFOCUS),
                  LPARAM(GetDlgItem(flags, IDC_FLAGS_VALUE)));
      EXPECT_EQ(SendDlgItemMessage(flags, IDC_FLAGS_ACTIVATE, CB_GETCURSEL, 0, 0), 1);
      SendMessage(flags, WM_COMMAND, IDCANCEL, 0);
    });
    Command(dialog, IDC_INS_INSERT_FLAGS);
    EXPECT_EQ(EditorText(editor), "task");
    plat::PushMessageBoxAnswer(IDNO);
    Command(dialog, IDC_INS_EXIT);
  });
}

}  // namespace
