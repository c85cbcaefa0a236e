// The source view's margin marks, debugger commands and the messages it
// sends to the main window, and the source document.
#include <gtest/gtest.h>

#include <vector>

#include "debugger/breakpoint_list.h"
#include "editor/view/sourcedebugport.h"
#include "view_fixture.h"

namespace view_test {
namespace {

// The main window stand-in: records what the source view sends it.
class FakeFrame : public CFrameWnd {
 public:
  struct Sent {
    UINT message;
    WPARAM wParam;
    std::string text;
  };
  std::vector<Sent> sent;
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == WM_WATCH_SELECTION || message == WM_RUN_TO_CURSOR) {
      sent.push_back({message, wParam, lParam ? reinterpret_cast<const char*>(lParam) : ""});
      return 0;
    }
    return CFrameWnd::WindowProc(message, wParam, lParam);
  }
};

class TestApp : public CWinApp {
 public:
  TestApp() : CWinApp("EditorViewTest") {}
};
TestApp theApp;

class FakeDebugger : public SourceDebugPort {
 public:
  std::vector<std::string> calls;
  BOOL running = FALSE;
  void SetLineBreakpoint(const char* path, WORD line, BOOL set) override {
    calls.push_back(std::string(set ? "set " : "clear ") + path + ":" + std::to_string(line));
  }
  void SetIPToLine(const char* path, WORD line) override {
    calls.push_back(std::string("ip ") + path + ":" + std::to_string(line));
  }
  BOOL IsRunning() override { return running; }
};

class SourceViewTest : public ViewTest {
 protected:
  void SetUp() override {
    ViewTest::SetUp();
    frame = new FakeFrame;
    ASSERT_TRUE(frame->Create(nullptr, "main"));
    theApp.m_pMainWnd = frame;
    g_breakpointList.RemoveAll();
  }
  void TearDown() override {
    theApp.m_pMainWnd = nullptr;
    frame->DestroyWindow();
    g_pSourceDebugPort = nullptr;
    ViewTest::TearDown();
  }
  void Put(int line) {
    view->m_pCaretLine = buf->GetLine(line);
    view->m_nCaretLine = line;
    view->m_nCaretColumn = 0;
  }
  // The colour at the middle of a row's margin cell.
  COLORREF MarginMiddle(int row) {
    return Pixel(view->m_nMarginWidth / 2, row * view->m_nLineHeight + view->m_nLineHeight / 2);
  }
  FakeFrame* frame = nullptr;
};

TEST_F(SourceViewTest, ClearingTheExecutionMarkAfterItsLineWasDeletedClearsTheRest) {
  constexpr int kMarked = 2;
  Load("first\nmarked\nkept\n");
  Put(kMarked);
  view->MarkExecutionLine(TRUE);
  // The marked line goes in an edit: from the first line's end to its end.
  constexpr int kFirstEnd = 5, kMarkedEnd = 6;  // before each line's line end
  EditPos from{buf->GetLine(1), kFirstEnd}, to{buf->GetLine(kMarked), kMarkedEnd};
  ASSERT_EQ(buf->DeleteRange(from, to, TRUE), 0);
  ASSERT_STREQ(buf->GetLine(kMarked)->text, "kept\n");
  buf->GetLine(kMarked)->flags |= LINE_EXECUTION;  // a mark the session set elsewhere
  view->MarkExecutionLine(FALSE);
  for (EditLine* line = buf->GetLine(1); line; line = line->next) EXPECT_FALSE(line->flags & LINE_EXECUTION);
}

TEST_F(SourceViewTest, MarginMarksChooseTheirBitmap) {
  Load("exec\nbreak\nboth\nmessage\nplain\n");
  Put(1);
  view->MarkExecutionLine(TRUE);
  view->MarkBreakpointLine(2);
  view->MarkBreakpointLine(3);
  view->MarkBreakpointLine(99);  // beyond the text: nothing
  buf->GetLine(3)->flags |= LINE_EXECUTION;
  Put(4);
  view->MarkMessageLine(TRUE);
  buf->GetLine(4)->flags |= LINE_BREAKPOINT;  // the message mark wins
  view->RedrawWindow();
  Picture("margin_marks");
  auto red = [](COLORREF c) { return GetRValue(c) > 0 && GetGValue(c) == 0 && GetBValue(c) == 0; };
  auto yellow = [](COLORREF c) { return GetRValue(c) > 0 && GetGValue(c) > 0 && GetBValue(c) == 0; };
  auto green = [](COLORREF c) { return GetRValue(c) == 0 && GetGValue(c) > 0 && GetBValue(c) == 0; };
  EXPECT_TRUE(yellow(MarginMiddle(0)));
  EXPECT_TRUE(red(MarginMiddle(1)));
  EXPECT_TRUE(yellow(MarginMiddle(2)));  // the arrow over the circle
  EXPECT_TRUE(red(Pixel(view->m_nMarginWidth / 2, 2 * view->m_nLineHeight + 3)));
  EXPECT_TRUE(green(MarginMiddle(3)));
  EXPECT_FALSE(red(MarginMiddle(4)) || yellow(MarginMiddle(4)));
  view->ClearBreakpointMarks();
  view->ClearMessageMarks();
  for (EditLine* l = buf->m_pLines; l != nullptr; l = l->next) {
    EXPECT_EQ(l->flags & (LINE_BREAKPOINT | LINE_MESSAGE), 0u);
  }
}

TEST_F(SourceViewTest, ToggleBreakpointKeepsTheListAndTellsTheSession) {
  Load("a\nb\nc\n");
  Put(2);
  Command(ID_TOGGLE_BREAKPOINT);
  ASSERT_EQ(g_breakpointList.GetCount(), 1);
  EXPECT_EQ(g_breakpointList.GetHead().line, 2);
  FakeDebugger debugger;
  g_pSourceDebugPort = &debugger;
  Command(ID_TOGGLE_BREAKPOINT);
  EXPECT_EQ(g_breakpointList.GetCount(), 0);
  std::string path(doc->GetPathName());
  EXPECT_EQ(debugger.calls, std::vector<std::string>{"clear " + path + ":2"});
  Command(ID_SET_IP_TO_CURSOR);
  EXPECT_EQ(debugger.calls.back(), "ip " + path + ":2");
}

TEST_F(SourceViewTest, CommandsReachTheMainWindow) {
  Load("int value;\n");
  Command(ID_WATCH_SELECTION);  // nothing selected: nothing sent
  Command(ID_RUN_TO_CURSOR);
  view->m_pCaretLine = buf->m_pLines;
  view->m_nCaretColumn = 4;
  view->StartSelection(SEL_STREAM);
  view->m_nCaretColumn = 9;
  view->UpdateSelection(TRUE);
  Command(ID_WATCH_SELECTION);
  ASSERT_EQ(frame->sent.size(), 2u);
  EXPECT_EQ(frame->sent[0].message, WM_RUN_TO_CURSOR);
  EXPECT_EQ(frame->sent[1].message, WM_WATCH_SELECTION);
  EXPECT_EQ(frame->sent[1].wParam, 0u);
  EXPECT_EQ(frame->sent[1].text, "value");
}

TEST_F(SourceViewTest, WheelMovesTheCaretThreeLines) {
  Load("1\n2\n3\n4\n5\n6\n7\n");
  view->SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-120)), 0);
  EXPECT_EQ(view->m_nCaretLine, 4);
  view->SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, 120), 0);
  view->SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, 120), 0);
  EXPECT_EQ(view->m_nCaretLine, 1);
}

TEST_F(SourceViewTest, ContextMenuEntriesFollowTheSession) {
  Load("x\n");
  CMenu menu;
  menu.CreatePopupMenu();
  view->BuildContextMenu(&menu);
  ASSERT_EQ(menu.GetMenuItemCount(), 11);
  EXPECT_EQ(menu.GetMenuItemID(7), ID_RUN_TO_CURSOR);
  EXPECT_TRUE(menu.GetMenuState(ID_SET_IP_TO_CURSOR, MF_BYCOMMAND) & MF_GRAYED);
  EXPECT_FALSE(menu.GetMenuState(ID_TOGGLE_BREAKPOINT, MF_BYCOMMAND) & MF_GRAYED);
  FakeDebugger debugger;
  debugger.running = TRUE;
  g_pSourceDebugPort = &debugger;
  CMenu second;
  second.CreatePopupMenu();
  view->BuildContextMenu(&second);
  EXPECT_FALSE(second.GetMenuState(ID_SET_IP_TO_CURSOR, MF_BYCOMMAND) & MF_GRAYED);
  EXPECT_TRUE(second.GetMenuState(ID_TOGGLE_BREAKPOINT, MF_BYCOMMAND) & MF_GRAYED);
}

TEST(SourceDocument, LanguageByExtension) {
  struct Case {
    const char* path;
    const char* section;
  };
  const Case cases[] = {
      {"MAIN.CPP", "Editor\\C Files"},
      {"x.h", "Editor\\C Files"},
      {"boot.S", "Editor\\S Files"},
      {"a.ins", "Editor\\INS Files"},
      {"u.pas", "Editor\\PAS Files"},
      {"k.asm", "Editor\\ASM Files"},
      {"readme.txt", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(std::string(CMirt2Doc::SectionForPath(c.path)), c.section) << c.path;
}

TEST_F(SourceViewTest, DocumentListAndLines) {
  Load("first\nlast\n");
  const auto& open = CMirt2Doc::OpenDocuments();
  EXPECT_EQ(std::count(open.begin(), open.end(), doc), 0);  // loaded, not opened
  EXPECT_TRUE(doc->OnOpenDocument(doc->GetPathName()));
  EXPECT_EQ(std::count(open.begin(), open.end(), doc), 1);
  EXPECT_STREQ(doc->GetLineText(1), "first\n");            // the file's own line ends
  EXPECT_STREQ(doc->GetLineText(0), doc->GetLineText(3));  // the last line
  EXPECT_FALSE(doc->LoadSourceFile((dir + "/missing.c").c_str()));
  EXPECT_EQ(std::string(buf->m_strSection), "Editor\\C Files");
}

}  // namespace
}  // namespace view_test
