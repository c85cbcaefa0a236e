// Common dialogs answered by the test: file names with filters, default
// extensions and the prompts that send the user back, colours, fonts,
// folders, printing, and the modeless find and replace dialogs.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "../ui/ui_test_support.h"
#include "platform/sys/msgbox.h"
#include "platform/ui/afxcommdlg.h"
#include "platform/ui/modal.h"
#include "platform/ui/print.h"
#include "res/dialogs_res.h"
#include "tests/support/test_support.h"

namespace {

plat::CommonDialogAnswer Ok(std::vector<std::string> values, int number = 0) {
  plat::CommonDialogAnswer a;
  a.ok = true;
  a.values = std::move(values);
  a.number = number;
  return a;
}

class CommonDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ui_test::EnsureApp();
    plat::ClearModalRecords();
    plat::ClearMessageBoxRecords();
    dir_ = mirt_test::MakeTempDir("commdlg");
  }
  std::string dir_;
};

TEST_F(CommonDialogTest, OpenManyFilesWithAFilter) {
  mirt_test::WriteFile(dir_ + "/a.txt", "a");
  mirt_test::WriteFile(dir_ + "/b.txt", "b");
  char buffer[1024] = {0};
  CFileDialog dlg(TRUE, nullptr, nullptr, OFN_FILEMUSTEXIST | OFN_ALLOWMULTISELECT,
                  "Text files (*.txt)|*.txt|All files (*.*)|*.*||");
  dlg.m_ofn.lpstrFile = buffer;
  dlg.m_ofn.nMaxFile = sizeof buffer;
  plat::PushCommonDialogAnswer(Ok({dir_ + "/a.txt", dir_ + "/b.txt"}, 2));
  ASSERT_EQ(dlg.DoModal(), IDOK);
  std::vector<std::string> got;
  for (POSITION pos = dlg.GetStartPosition(); pos;) got.push_back((LPCSTR)dlg.GetNextPathName(pos));
  EXPECT_EQ(got, (std::vector<std::string>{dir_ + "/a.txt", dir_ + "/b.txt"}));
  EXPECT_EQ(dlg.m_ofn.nFilterIndex, 2u);
  ASSERT_EQ(plat::ModalRecords().size(), 1u);
  EXPECT_EQ(plat::ModalRecords()[0].kind, "open");
  EXPECT_EQ(plat::ModalRecords()[0].caption, "Open");
}

TEST_F(CommonDialogTest, SaveAddsTheDefaultExtensionAndAsksBeforeReplacing) {
  mirt_test::WriteFile(dir_ + "/old.txt", "keep");
  CFileDialog dlg(FALSE, "txt", "*.*", OFN_OVERWRITEPROMPT, "Text (*.txt)|*.txt||");
  plat::PushCommonDialogAnswer(Ok({dir_ + "/old"}));
  plat::PushMessageBoxAnswer(IDNO);  // do not replace: the dialog asks again
  plat::PushCommonDialogAnswer(Ok({dir_ + "/new"}));
  ASSERT_EQ(dlg.DoModal(), IDOK);
  EXPECT_STREQ(dlg.GetPathName(), (dir_ + "/new.txt").c_str());
  EXPECT_STREQ(dlg.GetFileName(), "new.txt");
  EXPECT_STREQ(dlg.GetFileExt(), "txt");
  EXPECT_STREQ(dlg.GetFileTitle(), "new");
  auto boxes = plat::MessageBoxRecords();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].text, dir_ + "/old.txt already exists.\nDo you want to replace it?");
  EXPECT_EQ(boxes[0].caption, "Save As");
}

TEST_F(CommonDialogTest, OpenRefusesAMissingFileAndBuffersThatAreTooSmall) {
  CFileDialog missing(TRUE, nullptr, nullptr, OFN_FILEMUSTEXIST);
  plat::PushCommonDialogAnswer(Ok({dir_ + "/nothing.bin"}));
  EXPECT_EQ(missing.DoModal(), IDCANCEL);  // asked again, and no one answers
  ASSERT_EQ(plat::MessageBoxRecords().size(), 1u);
  EXPECT_EQ(plat::MessageBoxRecords()[0].text,
            "nothing.bin\nFile not found.\nPlease verify the correct file name was given.");

  mirt_test::WriteFile(dir_ + "/long-file-name.txt", "x");
  char small[8] = "";
  OPENFILENAME ofn{};
  ofn.lStructSize = sizeof ofn;
  ofn.lpstrFile = small;
  ofn.nMaxFile = sizeof small;
  plat::PushCommonDialogAnswer(Ok({dir_ + "/long-file-name.txt"}));
  EXPECT_FALSE(GetOpenFileName(&ofn));
  EXPECT_EQ(CommDlgExtendedError(), static_cast<DWORD>(FNERR_BUFFERTOOSMALL));
}

TEST_F(CommonDialogTest, AnInitialNameWithoutItsNulIsReadOnlyToTheBufferEnd) {
  constexpr char kUnterminated[] = {'a', 'b', 'c', 'd'};
  char name[sizeof kUnterminated];
  memcpy(name, kUnterminated, sizeof name);
  OPENFILENAME ofn{};
  ofn.lStructSize = sizeof ofn;
  ofn.lpstrFile = name;
  ofn.nMaxFile = sizeof name;
  plat::PushCommonDialogAnswer(plat::CommonDialogAnswer{});  // cancelled
  EXPECT_FALSE(GetOpenFileName(&ofn));
}

TEST_F(CommonDialogTest, ColourFontAndFolder) {
  plat::CommonDialogAnswer color;
  color.ok = true;
  color.color = RGB(1, 2, 3);
  plat::PushCommonDialogAnswer(color);
  CColorDialog c(RGB(9, 9, 9));
  ASSERT_EQ(c.DoModal(), IDOK);
  EXPECT_EQ(c.GetColor(), RGB(1, 2, 3));

  plat::PushCommonDialogAnswer(Ok({"Courier New"}, 12));
  CFontDialog f;
  ASSERT_EQ(f.DoModal(), IDOK);
  EXPECT_STREQ(f.GetFaceName(), "Courier New");
  EXPECT_EQ(f.GetSize(), 120);
  LOGFONT lf;
  f.GetCurrentFont(&lf);
  EXPECT_EQ(lf.lfHeight, -16);

  plat::PushCommonDialogAnswer(Ok({dir_}));
  char name[MAX_PATH] = {0};
  BROWSEINFO bi{};
  bi.pszDisplayName = name;
  bi.lpszTitle = "Choose the project folder";
  LPITEMIDLIST pidl = SHBrowseForFolder(&bi);
  ASSERT_NE(pidl, nullptr);
  char path[MAX_PATH];
  ASSERT_TRUE(SHGetPathFromIDList(pidl, path));
  EXPECT_EQ(std::string(path), dir_);
  CoTaskMemFree(pidl);
  EXPECT_EQ(SHBrowseForFolder(&bi), nullptr);  // unanswered: cancelled
}

TEST_F(CommonDialogTest, PrintDialogGivesAPrinterContextForItsFile) {
  std::string out = dir_ + "/printed.pdf";
  plat::PushCommonDialogAnswer(Ok({out}, 2));
  CPrintDialog dlg(FALSE);
  ASSERT_EQ(dlg.DoModal(), IDOK);
  EXPECT_EQ(dlg.GetCopies(), 2);
  EXPECT_STREQ(dlg.GetPortName(), out.c_str());
  EXPECT_STREQ(dlg.GetDeviceName(), mirt_ui::PrinterName());
  HDC dc = dlg.GetPrinterDC();
  ASSERT_NE(dc, nullptr);
  EXPECT_EQ(GetDeviceCaps(dc, LOGPIXELSY), 300);
  DOCINFO di{sizeof di, "test", nullptr, nullptr, 0};
  ASSERT_GT(StartDoc(dc, &di), 0);
  StartPage(dc);
  EndPage(dc);
  EndDoc(dc);
  EXPECT_EQ(mirt_test::ReadFile(out).compare(0, 5, "%PDF-"), 0);
}

struct Notice {
  DWORD flags;
  std::string find, replace;
};
std::vector<Notice> g_notices;
UINT g_findMsg = 0;

LRESULT CALLBACK FindOwner(HWND h, UINT m, WPARAM w, LPARAM l) {
  if (m == g_findMsg && g_findMsg) {
    auto* fr = reinterpret_cast<FINDREPLACE*>(l);
    g_notices.push_back({fr->Flags, fr->lpstrFindWhat, fr->lpstrReplaceWith ? fr->lpstrReplaceWith : ""});
    return 0;
  }
  return DefWindowProc(h, m, w, l);
}

class TrackedFind : public CFindReplaceDialog {
 public:
  static bool deleted;
  ~TrackedFind() override { deleted = true; }
};
bool TrackedFind::deleted = false;

TEST_F(CommonDialogTest, ReplaceDialogReportsToItsOwner) {
  g_findMsg = RegisterWindowMessage("commdlg_FindReplace");
  g_notices.clear();
  HWND owner = ui_test::MakeTop(300, 200, WS_POPUP | WS_VISIBLE, FindOwner);
  auto* dlg = new TrackedFind;
  TrackedFind::deleted = false;
  ASSERT_TRUE(dlg->Create(FALSE, "abc", "xyz", FR_DOWN, CWnd::FromHandle(owner)));
  HWND h = dlg->m_hWnd;
  char buf[64];
  GetDlgItemText(h, edt1, buf, sizeof buf);
  EXPECT_STREQ(buf, "abc");
  SetDlgItemText(h, edt1, "needle");
  SendDlgItemMessage(h, chx2, BM_CLICK, 0, 0);
  SendMessage(h, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), (LPARAM)GetDlgItem(h, IDOK));
  SendMessage(h, WM_COMMAND, MAKEWPARAM(psh2, BN_CLICKED), (LPARAM)GetDlgItem(h, psh2));
  SendMessage(h, WM_CLOSE, 0, 0);
  ASSERT_EQ(g_notices.size(), 3u);
  EXPECT_EQ(g_notices[0].flags & (FR_FINDNEXT | FR_MATCHCASE | FR_DOWN),
            DWORD(FR_FINDNEXT | FR_MATCHCASE | FR_DOWN));
  EXPECT_EQ(g_notices[0].find, "needle");
  EXPECT_EQ(g_notices[1].flags & FR_REPLACEALL, DWORD(FR_REPLACEALL));
  EXPECT_EQ(g_notices[1].replace, "xyz");
  EXPECT_TRUE(g_notices[2].flags & FR_DIALOGTERM);
  EXPECT_FALSE(IsWindow(h));
  EXPECT_TRUE(TrackedFind::deleted);
  DestroyWindow(owner);
}

// A find dialog with its own template, data exchange and an extra button.
class OwnFind : public CFindReplaceDialog {
 public:
  int matchCase = 1;
  bool markAll = false;
  bool initialised = false;
  OwnFind() {
    m_fr.Flags |= FR_ENABLETEMPLATE;
    m_fr.lpTemplateName = MAKEINTRESOURCE(IDD_FINDIT);
    m_fr.hInstance = nullptr;
  }
  BOOL OnInitDialog() override {
    initialised = true;
    return CFindReplaceDialog::OnInitDialog();
  }
  void DoDataExchange(CDataExchange* dx) override { DDX_Check(dx, chx2, matchCase); }
  void OnMarkAll() {
    markAll = true;
    SendMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), (LPARAM)::GetDlgItem(m_hWnd, IDOK));
  }
  DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(OwnFind, CFindReplaceDialog)
ON_COMMAND(IDC_MARKALL, OnMarkAll)
END_MESSAGE_MAP()

TEST_F(CommonDialogTest, FindDialogWithItsOwnTemplate) {
  g_findMsg = RegisterWindowMessage(FINDMSGSTRING);
  g_notices.clear();
  HWND owner = ui_test::MakeTop(300, 200, WS_POPUP | WS_VISIBLE, FindOwner);
  auto* dlg = new OwnFind;
  ASSERT_TRUE(dlg->Create(TRUE, "word", nullptr, FR_DOWN, CWnd::FromHandle(owner)));
  EXPECT_TRUE(dlg->initialised);
  char caption[32];
  GetWindowText(dlg->m_hWnd, caption, sizeof caption);
  EXPECT_STREQ(caption, "Find it");
  EXPECT_EQ(IsDlgButtonChecked(dlg->m_hWnd, chx2), 1u);  // from the data exchange
  SendDlgItemMessage(dlg->m_hWnd, chx2, BM_CLICK, 0, 0);
  dlg->SendMessage(WM_COMMAND, MAKEWPARAM(IDC_MARKALL, BN_CLICKED), 0);
  EXPECT_TRUE(dlg->markAll);
  EXPECT_EQ(dlg->matchCase, 0);  // read back before the owner is told
  ASSERT_EQ(g_notices.size(), 1u);
  EXPECT_EQ(g_notices[0].find, "word");
  EXPECT_FALSE(g_notices[0].flags & FR_MATCHCASE);
  dlg->SendMessage(WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
  DestroyWindow(owner);
}

}  // namespace
