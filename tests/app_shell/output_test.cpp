// Double clicks in the output panes: a compiler message in the Build pane
// opens its file at its line; the Debug pane only selects a word.
#include "app/core/project_data.h"
#include "app/frame_messages.h"
#include "editor/view/cmirt2doc.h"
#include "editor/view/cmirt2view.h"
#include "platform/ui/ui.h"
#include "shell_fixture.h"

namespace shell_test {
namespace {

constexpr auto kSource = "a\nb\nc\nd\ne\nf\ng\nh\ni\nj\nk\nl\nm\nn\no\np\n";
constexpr int kMessageLine = 15;

// Puts the caret at the start of the pane's line `index` and double-clicks.
void DoubleClickLine(CTextDisplay& pane, int index) {
  int at = pane.LineIndex(index);
  pane.SetSel(at, at);
  pane.SendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(2, 2));
}

TEST_F(ShellTest, AGccErrorDoubleClickedInTheBuildPaneOpensTheSourceAtItsLine) {
  MakeFile("main.c", kSource);
  Start();
  g_project.kind = kProjectKindMake;
  constexpr auto kOutput = "gcc -c main.c\nmain.c:15: parse error before ';'\nmake: *** [all] Error 1\n";
  frame->SendMessage(WM_OUTPUT_TEXT, kOutputPaneBuild, reinterpret_cast<LPARAM>(kOutput));
  CTextDisplay& pane = frame->GetOutputBar().GetBuildPane();
  DoubleClickLine(pane, 2);  // the make summary names no line
  EXPECT_EQ(OpenDocumentCount(), 0);
  DoubleClickLine(pane, 1);
  Pump();
  ASSERT_EQ(OpenDocumentCount(), 1);
  CMirt2Doc* doc = CMirt2Doc::OpenDocuments()[0];
  EXPECT_EQ(std::string(doc->GetTitle()), "main.c");
  POSITION pos = doc->GetFirstViewPosition();
  auto* view = dynamic_cast<CMirt2View*>(doc->GetNextView(pos));
  ASSERT_NE(view, nullptr);
  EXPECT_EQ(view->GetCaretLineNumber(), kMessageLine);
  EXPECT_TRUE(view->m_pCaretLine->flags & LINE_MESSAGE);
  int start = 0, end = 0;
  pane.GetSel(start, end);
  const std::string kLine = "main.c:15: parse error before ';'";
  EXPECT_EQ(pane.GetStoredText().substr(static_cast<size_t>(start), static_cast<size_t>(end - start)), kLine);
  Picture(frame->m_hWnd, "build_message_opened");
}

TEST_F(ShellTest, ADoubleClickInTheDebugPaneOpensNothing) {
  MakeFile("main.c", kSource);
  Start();
  g_project.kind = kProjectKindMake;
  constexpr auto kText = "main.c:15: parse error before ';'";
  frame->SendMessage(WM_OUTPUT_TEXT, kOutputPaneDebug, reinterpret_cast<LPARAM>(kText));
  DoubleClickLine(frame->GetOutputBar().GetDebugPane(), 0);
  Pump();
  EXPECT_EQ(OpenDocumentCount(), 0);
}

}  // namespace
}  // namespace shell_test
