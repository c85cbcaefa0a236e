// The disassembly window reaches the main frame through the program's link:
// its File Open opens the frame's dialog and the chosen file.
#include "app/command_ids.h"
#include "app/disass_frame_link.h"
#include "disasm/view/disview0doc.h"
#include "editor/view/cmirt2doc.h"
#include "platform/ui/modal.h"
#include "tests/app_shell/shell_fixture.h"

namespace shell_test {
namespace {

constexpr const char* kFileText = "int main(void) { return 0; }\n";

TEST_F(ShellTest, TheDisassemblysFileOpenOpensTheChosenFileThroughTheFrame) {
  const std::string path = MakeFile("chosen.c", kFileText);
  Start();
  frame->m_bSessionActive = TRUE;
  frame->SendMessage(WM_COMMAND, ID_VIEW_DISASSEMBLY);
  CDisview0Doc* doc = frame->m_pDisassemblyDoc;
  ASSERT_NE(doc, nullptr);
  // Without the link the document leaves the command to the others.
  EXPECT_FALSE(doc->OnCmdMsg(ID_FILE_OPEN, CN_COMMAND, nullptr, nullptr));
  EXPECT_EQ(OpenDocumentCount(), 0);
  CDisassMainFrameLink link;
  plat::PushCommonDialogAnswer({true, {path}});
  EXPECT_TRUE(doc->OnCmdMsg(ID_FILE_OPEN, CN_COMMAND, nullptr, nullptr));
  Pump();
  ASSERT_EQ(OpenDocumentCount(), 1);
  EXPECT_EQ(std::string(CMirt2Doc::OpenDocuments()[0]->GetPathName()), path);
  doc->OnCloseDocument();
}

}  // namespace
}  // namespace shell_test
