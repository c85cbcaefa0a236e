// The debugger's dialogs through the layer's messages: the hex number
// filter, Go To, Watch Expression, I/O-Port Access on a simulated board
// and Edit Breakpoints.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "debugger/breakpoint_list.h"
#include "debugger/kalven_board_qjx.h"
#include "debugger/ui/edit_bp_dialog.h"
#include "debugger/ui/go_to_dialog.h"
#include "debugger/ui/help_request.h"
#include "debugger/ui/hex_numeric_edit.h"
#include "debugger/ui/io_port_dialog.h"
#include "debugger/ui/watch_expr_dialog.h"
#include "editor/view/sourcedebugport.h"
#include "platform/ui/message.h"
#include "platform/ui/modal.h"
#include "tests/debugger_boards/board_fixture.h"
#include "tests/debugger_ui/dialog_fixture.h"

namespace {

using dbgui_test::PressKey;
using dbgui_test::TypeChars;
using dbgui_test::WindowText;

void Click(HWND dialog, int id) {
  SendMessage(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), LPARAM(GetDlgItem(dialog, id)));
}

class HexEditTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dbgui_test::EnsureApp();
    parent_.CreateEx(0, "STATIC", "hex", WS_POPUP | WS_VISIBLE, CRect(0, 0, 200, 40), nullptr, 0);
    edit_.Create(WS_CHILD | WS_VISIBLE | WS_BORDER, CRect(4, 4, 190, 30), &parent_, kEditId);
  }
  void TearDown() override { parent_.DestroyWindow(); }
  static constexpr UINT kEditId = 100;
  CWnd parent_;
  CHexNumericEdit edit_;
};

TEST_F(HexEditTest, TypedCharactersPassOnlyWhereANumberCanHaveThem) {
  struct Case {
    const char* typed;
    const char* kept;
  };
  const Case cases[] = {{"0x1F", "0x1F"}, {"1x", "1"},    {"$FF", "$FF"}, {"FFhh", "FFh"},
                        {"F$", "F"},      {"g1-z", "1"},  {"00x", "00"},  {"ab12CD", "ab12CD"},
                        {"h", "h"},       {"0X7", "0X7"}, {"$$1", "$1"},  {"x0", "0"}};
  for (const Case& c : cases) {
    CHexNumericEdit edit;
    edit.Create(WS_CHILD | WS_VISIBLE, CRect(4, 4, 190, 30), &parent_, kEditId + 1);
    TypeChars(edit.m_hWnd, c.typed);
    EXPECT_EQ(WindowText(edit.m_hWnd), c.kept) << c.typed;
    EXPECT_EQ(std::string(edit.MirrorText()), c.kept) << c.typed;
    edit.DestroyWindow();
  }
}

TEST_F(HexEditTest, KeysMoveTheCaretTheFilterJudgesBy) {
  TypeChars(edit_.m_hWnd, "01");
  PressKey(edit_.m_hWnd, VK_LEFT);
  TypeChars(edit_.m_hWnd, "h");  // not at the end
  TypeChars(edit_.m_hWnd, "x");  // position 1 after a leading 0
  EXPECT_EQ(WindowText(edit_.m_hWnd), "0x1");
  EXPECT_EQ(edit_.MirrorCaret(), 2);
  PressKey(edit_.m_hWnd, VK_RIGHT);
  PressKey(edit_.m_hWnd, VK_RIGHT);  // stays at the end
  EXPECT_EQ(edit_.MirrorCaret(), 3);
  TypeChars(edit_.m_hWnd, "h");
  EXPECT_EQ(std::string(edit_.MirrorText()), "0x1h");
  PressKey(edit_.m_hWnd, VK_BACK);
  SendMessage(edit_.m_hWnd, WM_CHAR, VK_BACK, 1);
  EXPECT_EQ(WindowText(edit_.m_hWnd), "0x1");
  EXPECT_EQ(std::string(edit_.MirrorText()), "0x1");
  for (int i = 0; i < 5; ++i) PressKey(edit_.m_hWnd, VK_LEFT);
  EXPECT_EQ(edit_.MirrorCaret(), 0);
  PressKey(edit_.m_hWnd, VK_DELETE);
  EXPECT_EQ(std::string(edit_.MirrorText()), "x1");
  EXPECT_EQ(WindowText(edit_.m_hWnd), "x1");
  TypeChars(edit_.m_hWnd, "$");
  EXPECT_EQ(WindowText(edit_.m_hWnd), "$x1");
}

// Records where the dialog sent the view.
class RecordingGoToTarget : public CGoToTarget {
 public:
  void GoToLineOrAddress(CView* view, DWORD number) override { calls.push_back({view, number}); }
  std::vector<std::pair<CView*, DWORD>> calls;
};

TEST(GoToDialog, GoToMovesTheViewAndStaysOpenUntilClose) {
  dbgui_test::EnsureApp();
  g_goToLabel = "Line Number";
  g_goToEntry = "";
  RecordingGoToTarget target;
  auto* const kView = reinterpret_cast<CView*>(0x1234);
  CGoToDialog dialog(&target, kView);
  plat::PushDialogAction([&](HWND h) {
    EXPECT_EQ(WindowText(GetDlgItem(h, CGoToDialog::kLabel)), "Line Number");
    TypeChars(GetDlgItem(h, CGoToDialog::kEntry), "1x2");
    Click(h, CGoToDialog::kGoTo);
    TypeChars(GetDlgItem(h, CGoToDialog::kEntry), "h");
    Click(h, CGoToDialog::kGoTo);
    dbgui_test::SavePicture(h, "go_to");
    Click(h, IDCLOSE);
  });
  EXPECT_EQ(dialog.DoModal(), IDCANCEL);
  const std::vector<std::pair<CView*, DWORD>> expected = {{kView, 12}, {kView, 0x12}};
  EXPECT_EQ(target.calls, expected);
  EXPECT_EQ(std::string(g_goToEntry), "12h");
}

TEST(GoToDialog, F1OnAControlOpensItsHelpTopic) {
  dbgui_test::EnsureApp();
  constexpr int kHelpOnMenu = 2;
  CGoToDialog dialog(nullptr, nullptr);
  plat::ClearModalRecords();
  plat::PushDialogAction([&](HWND h) {
    DebuggerHelpInfo info{sizeof(DebuggerHelpInfo),           kHelpOnMenu, CGoToDialog::kEntry,
                          GetDlgItem(h, CGoToDialog::kEntry), 0,           {0, 0}};
    SendMessage(h, WM_HELP, 0, LPARAM(&info));
    info.contextType = kHelpOnWindow;
    SendMessage(h, WM_HELP, 0, LPARAM(&info));
    Click(h, IDCLOSE);
  });
  dialog.DoModal();
  std::vector<std::string> helps;
  for (const auto& r : plat::ModalRecords())
    if (r.kind == "help") helps.push_back(r.caption);
  ASSERT_EQ(helps.size(), 1u);
  EXPECT_NE(helps[0].find("zeduvodo.chm::/gotohelp.txt"), std::string::npos) << helps[0];
}

TEST(WatchExprDialog, OkKeepsTheExpressionCancelDropsIt) {
  dbgui_test::EnsureApp();
  g_watchExpression = "count";
  plat::PushDialogAction([](HWND h) {
    EXPECT_EQ(WindowText(GetDlgItem(h, CWatchExprDialog::kExpression)), "count");
    SetWindowText(GetDlgItem(h, CWatchExprDialog::kExpression), "p->next");
    dbgui_test::SavePicture(h, "watch_expression");
    Click(h, IDOK);
  });
  EXPECT_EQ(CWatchExprDialog().DoModal(), IDOK);
  EXPECT_EQ(std::string(g_watchExpression), "p->next");
  plat::PushDialogAction([](HWND h) {
    SetWindowText(GetDlgItem(h, CWatchExprDialog::kExpression), "other");
    Click(h, IDCANCEL);
  });
  EXPECT_EQ(CWatchExprDialog().DoModal(), IDCANCEL);
  EXPECT_EQ(std::string(g_watchExpression), "p->next");
}

class IOPortDialogTest : public BoardTest {
 protected:
  void SetUp() override {
    BoardTest::SetUp();
    dbgui_test::EnsureApp();
  }
  static constexpr WORD kPort = 0x80;
  static constexpr BYTE kPortValue = 0x3F;
  static constexpr int kWordWidth = 1007;
  static constexpr WORD kUnwrittenPort = 0xFF;
};

TEST_F(IOPortDialogTest, ReadShowsTheValueInDecimalAndHexAndListsEachTextOnce) {
  CKalvenBoardQJx board(0, &project);
  ASSERT_EQ(board.Open(RecordMessage), 0);
  SimBoard(0).ports[kPort] = kPortValue;
  CIOPortDialog dialog(&board);
  plat::PushDialogAction([&](HWND h) {
    HWND address = GetDlgItem(h, CIOPortDialog::kAddress);
    TypeChars(GetDlgItem(address, 1001), "80h");
    Click(h, CIOPortDialog::kRead);
    EXPECT_EQ(WindowText(GetDlgItem(GetDlgItem(h, CIOPortDialog::kValue), 1001)), "63 (003fh)");
    Click(h, CIOPortDialog::kRead);
    EXPECT_EQ(SendMessage(address, CB_GETCOUNT, 0, 0), 1);
    EXPECT_EQ(SendDlgItemMessage(h, CIOPortDialog::kValue, CB_GETCOUNT, 0, 0), 1);
    dbgui_test::SavePicture(h, "io_port");
    Click(h, IDCANCEL);
  });
  dialog.DoModal();
}

TEST_F(IOPortDialogTest, WriteGoesOutAtTheChosenWidth) {
  CKalvenBoardQJx board(0, &project);
  ASSERT_EQ(board.Open(RecordMessage), 0);
  CIOPortDialog dialog(&board);
  plat::PushDialogAction([&](HWND h) {
    SetWindowText(GetDlgItem(h, CIOPortDialog::kAddress), "$80");
    SetWindowText(GetDlgItem(h, CIOPortDialog::kValue), "0x1234");
    Click(h, CIOPortDialog::kWrite);
    EXPECT_EQ(board.In8(kPort), 0x34);
    EXPECT_EQ(board.In8(kPort + 1), kUnwrittenPort);  // a byte only
    SendDlgItemMessage(h, kWordWidth, BM_CLICK, 0, 0);
    Click(h, CIOPortDialog::kWrite);
    EXPECT_EQ(board.In16(kPort), 0x1234);
    SetWindowText(GetDlgItem(h, CIOPortDialog::kAddress), "128");
    Click(h, CIOPortDialog::kWrite);
    EXPECT_EQ(SendDlgItemMessage(h, CIOPortDialog::kAddress, CB_GETCOUNT, 0, 0), 2);
    Click(h, IDCANCEL);
  });
  dialog.DoModal();
}

TEST(IOPortDialog, WithoutABoardNothingIsRead) {
  dbgui_test::EnsureApp();
  CIOPortDialog dialog(nullptr);
  plat::PushDialogAction([&](HWND h) {
    SetWindowText(GetDlgItem(h, CIOPortDialog::kAddress), "1");
    Click(h, CIOPortDialog::kRead);
    Click(h, CIOPortDialog::kWrite);
    EXPECT_EQ(WindowText(GetDlgItem(h, CIOPortDialog::kValue)), "");
    Click(h, IDCANCEL);
  });
  EXPECT_EQ(dialog.DoModal(), IDCANCEL);
}

// Records what the dialog told the session.
class RecordingDebugPort : public SourceDebugPort {
 public:
  void SetLineBreakpoint(const char* path, WORD line, BOOL set) override {
    calls.push_back(std::string(set ? "set " : "clear ") + path + ":" + std::to_string(line));
  }
  void SetIPToLine(const char*, WORD) override {}
  BOOL IsRunning() override { return FALSE; }
  std::vector<std::string> calls;
};

class EditBPDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dbgui_test::EnsureApp();
    g_breakpointList.RemoveAll();
    for (const CBreakpoint& bp : kBreakpoints) g_breakpointList.AddTail(bp);
    g_pSourceDebugPort = &port_;
  }
  void TearDown() override {
    g_pSourceDebugPort = nullptr;
    g_breakpointList.RemoveAll();
  }
  static std::vector<std::string> Listed(HWND h) {
    std::vector<std::string> texts;
    const int n = int(SendDlgItemMessage(h, CEditBPDialog::kList, LB_GETCOUNT, 0, 0));
    for (int i = 0; i < n; ++i) {
      char text[512] = {};
      SendDlgItemMessage(h, CEditBPDialog::kList, LB_GETTEXT, WPARAM(i), LPARAM(text));
      texts.push_back(text);
    }
    return texts;
  }
  static int Selected(HWND h) { return int(SendDlgItemMessage(h, CEditBPDialog::kList, LB_GETCURSEL, 0, 0)); }
  const std::vector<CBreakpoint> kBreakpoints = {{"/src/a.c", 3}, {"/src/b, c.c", 7}, {"/src/a.c", 9}};
  RecordingDebugPort port_;
};

TEST_F(EditBPDialogTest, RemovedBreakpointsLeaveTheProgramAndTheSessionOnOk) {
  plat::PushDialogAction([&](HWND h) {
    const std::vector<std::string> shown = {"file /src/a.c, line 3", "file /src/b, c.c, line 7",
                                            "file /src/a.c, line 9"};
    EXPECT_EQ(Listed(h), shown);
    EXPECT_EQ(Selected(h), 0);
    dbgui_test::SavePicture(h, "breakpoints");
    Click(h, CEditBPDialog::kRemove);
    EXPECT_EQ(Selected(h), 0);  // the same index, now the next entry
    SendDlgItemMessage(h, CEditBPDialog::kList, LB_SETCURSEL, 1, 0);
    Click(h, CEditBPDialog::kRemove);
    EXPECT_EQ(Selected(h), 0);  // the new last entry
    EXPECT_EQ(Listed(h), std::vector<std::string>{"file /src/b, c.c, line 7"});
    Click(h, IDOK);
  });
  EXPECT_EQ(CEditBPDialog().DoModal(), IDOK);
  ASSERT_EQ(g_breakpointList.GetCount(), 1);
  EXPECT_TRUE(g_breakpointList.GetHead().IsEqual(CBreakpoint("/src/b, c.c", 7)));
  const std::vector<std::string> told = {"clear /src/a.c:3", "clear /src/b, c.c:7", "clear /src/a.c:9",
                                         "set /src/b, c.c:7"};
  EXPECT_EQ(port_.calls, told);
}

TEST_F(EditBPDialogTest, RemoveAllDisablesRemovingAndCancelKeepsEverything) {
  plat::PushDialogAction([&](HWND h) {
    Click(h, CEditBPDialog::kRemoveAll);
    EXPECT_TRUE(Listed(h).empty());
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(h, CEditBPDialog::kRemove)));
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(h, CEditBPDialog::kRemoveAll)));
    Click(h, CEditBPDialog::kRemove);  // nothing selected: nothing happens
    Click(h, IDCANCEL);
  });
  EXPECT_EQ(CEditBPDialog().DoModal(), IDCANCEL);
  EXPECT_EQ(g_breakpointList.GetCount(), 3);
  EXPECT_TRUE(port_.calls.empty());
}

TEST_F(EditBPDialogTest, RemovingTheLastEntryDisablesTheButtons) {
  g_breakpointList.RemoveAll();
  g_breakpointList.AddTail(kBreakpoints[0]);
  plat::PushDialogAction([&](HWND h) {
    Click(h, CEditBPDialog::kRemove);
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(h, CEditBPDialog::kRemove)));
    Click(h, IDOK);
  });
  EXPECT_EQ(CEditBPDialog().DoModal(), IDOK);
  EXPECT_TRUE(g_breakpointList.IsEmpty());
  EXPECT_EQ(port_.calls, std::vector<std::string>{"clear /src/a.c:3"});
}

}  // namespace
