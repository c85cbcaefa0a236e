// The tool bar customisation dialogs driven through their controls: the
// check list kept in step by WM_BARNOTIFY, renaming, new, reset and delete,
// the global settings, New Toolbar's OK and the property page's Cancel.
#include <gtest/gtest.h>

#include <string>

#include "framework/sec_new_tool_bar.h"
#include "framework/sec_tool_bars_dlg.h"
#include "framework/sec_tool_bars_dlg_page.h"
#include "framework/sec_tool_bars_dlg_res.h"
#include "platform/ui/modal.h"
#include "tool_bar_fixture.h"

using namespace tb_test;

namespace {

class ToolBarsDlgTest : public CustomizeTest {
 protected:
  void SetUp() override {
    CustomizeTest::SetUp();
    mgr->SetCustomizeMode(FALSE);
    plat::ClearModalRecords();
  }
  // The check list as (text, check) pairs.
  static std::vector<std::pair<std::string, int>> List(CCheckListBox& list) {
    std::vector<std::pair<std::string, int>> items;
    for (int i = 0; i < list.GetCount(); ++i) {
      CString text;
      list.GetText(i, text);
      items.emplace_back(static_cast<LPCSTR>(text), list.GetCheck(i));
    }
    return items;
  }
  static void Select(CWnd* dlg, CCheckListBox& list, int item) {
    list.SetCurSel(item);
    dlg->SendMessage(WM_COMMAND, MAKEWPARAM(IDC_SEC_TOOLBAR_LIST, LBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(list.m_hWnd));
  }
  // A click on an item's check box: the item is selected and its check toggled.
  static void Toggle(CWnd* dlg, CCheckListBox& list, int item) {
    Select(dlg, list, item);
    list.SetCheck(item, list.GetCheck(item) ? 0 : 1);
    dlg->SendMessage(WM_COMMAND, MAKEWPARAM(IDC_SEC_TOOLBAR_LIST, CCheckListBox::CLBN_CHKCHANGE),
                     reinterpret_cast<LPARAM>(list.m_hWnd));
  }
  static CString Text(CWnd* dlg, UINT id) {
    CString text;
    dlg->GetDlgItem(id)->GetWindowText(text);
    return text;
  }
  void DialogPicture(HWND h, const std::string& name) { Picture(CWnd::FromHandle(h), name); }
};

}  // namespace

TEST_F(ToolBarsDlgTest, TheListFollowsTheBarsAndCustomiseModeFollowsTheDialog) {
  SECToolBarsDlg dlg(frame, mgr);
  bool ran = false;
  plat::PushDialogAction([&](HWND h) {
    ran = true;
    EXPECT_TRUE(mgr->IsCustomizeMode());
    EXPECT_EQ(mgr->GetCustomizeDialog(), &dlg);
    using Items = std::vector<std::pair<std::string, int>>;
    EXPECT_EQ(List(dlg.m_list), (Items{{"Standard", 1}, {"More", 1}}));
    // A predefined bar: no renaming, "&Reset".
    EXPECT_FALSE(dlg.GetDlgItem(IDC_SEC_TOOLBAR_NAME)->IsWindowEnabled());
    EXPECT_STREQ(Text(&dlg, IDC_SEC_TOOLBAR_NAME), "Standard");
    EXPECT_STREQ(Text(&dlg, IDC_SEC_TOOLBAR_RESET), "&Reset");
    DialogPicture(h, "dialog_toolbars");
    // Unchecking hides the bar; hiding and showing elsewhere moves the check.
    Toggle(&dlg, dlg.m_list, 1);
    EXPECT_FALSE(Bar(kSecondBarId)->IsWindowVisible());
    frame->ShowControlBar(Bar(kSecondBarId), TRUE, FALSE);
    frame->ShowControlBar(Bar(kBarId), FALSE, FALSE);
    EXPECT_EQ(List(dlg.m_list), (Items{{"Standard", 0}, {"More", 1}}));
    // New bars join in id order, checked; destroyed ones leave.
    SECCustomToolBar* user = mgr->CreateNewToolBar("Zed");
    EXPECT_EQ(List(dlg.m_list), (Items{{"Standard", 0}, {"More", 1}, {"Zed", 1}}));
    Select(&dlg, dlg.m_list, 2);
    EXPECT_STREQ(Text(&dlg, IDC_SEC_TOOLBAR_RESET), "&Delete");
    EXPECT_TRUE(dlg.GetDlgItem(IDC_SEC_TOOLBAR_NAME)->IsWindowEnabled());
    user->DestroyWindow();
    EXPECT_EQ(List(dlg.m_list), (Items{{"Standard", 0}, {"More", 1}}));
    EXPECT_EQ(dlg.m_list.GetCurSel(), 1);  // the last item, as the deleted one was last
    dlg.PostMessage(WM_COMMAND, IDOK);
  });
  EXPECT_EQ(dlg.DoModal(), IDOK);
  EXPECT_TRUE(ran);
  EXPECT_FALSE(mgr->IsCustomizeMode());
  EXPECT_EQ(mgr->GetCustomizeDialog(), nullptr);
}

TEST_F(ToolBarsDlgTest, RenamingCutsTo128AndDeleteRemovesTheUserBar) {
  SECCustomToolBar* user = mgr->CreateNewToolBar("Mine");
  frame->FloatControlBar(user, CPoint(400, 400));
  Pump();
  SECToolBarsDlg dlg(frame, mgr);
  const std::string kLongName(200, 'n');
  const std::string kCut(kSECToolBarNameMax, 'n');
  plat::PushDialogAction([&](HWND) {
    Select(&dlg, dlg.m_list, 2);
    CWnd* edit = dlg.GetDlgItem(IDC_SEC_TOOLBAR_NAME);
    edit->SetWindowText(kLongName.c_str());
    edit->SendMessage(EM_SETMODIFY, TRUE);
    dlg.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_SEC_TOOLBAR_NAME, EN_KILLFOCUS),
                    reinterpret_cast<LPARAM>(edit->m_hWnd));
    CString text;
    user->GetWindowText(text);
    EXPECT_EQ(std::string(text), kCut);
    user->GetParentFrame()->GetWindowText(text);
    EXPECT_EQ(std::string(text), kCut);
    dlg.m_list.GetText(2, text);
    EXPECT_EQ(std::string(text), kCut);
    EXPECT_EQ(std::string(Text(&dlg, IDC_SEC_TOOLBAR_NAME)), kCut);
    EXPECT_EQ(dlg.m_list.GetCurSel(), 2);
    dlg.SendMessage(WM_COMMAND, IDC_SEC_TOOLBAR_RESET);  // "&Delete"
    Pump();
    EXPECT_EQ(mgr->FindToolBar(kFirstUser), nullptr);
    EXPECT_EQ(dlg.m_list.GetCount(), 2);
    dlg.PostMessage(WM_COMMAND, IDCANCEL);
  });
  EXPECT_EQ(dlg.DoModal(), IDCANCEL);
}

TEST_F(ToolBarsDlgTest, ResetPutsTheDefaultButtonsBack) {
  SECCustomToolBar* bar = Bar(kBarId);
  bar->RemoveButton(0);
  SECToolBarsDlg dlg(frame, mgr);
  plat::PushDialogAction([&](HWND) {
    dlg.SendMessage(WM_COMMAND, IDC_SEC_TOOLBAR_RESET);
    EXPECT_EQ(Ids(bar), (std::vector<UINT>{kIdNew, kIdOpen, 0, kIdSave}));
    dlg.PostMessage(WM_COMMAND, IDOK);
  });
  EXPECT_EQ(dlg.DoModal(), IDOK);
}

TEST_F(ToolBarsDlgTest, SettingsApplyAtOnceAndCancelKeepsThem) {
  SECToolBarsDlg dlg(frame, mgr);
  plat::PushDialogAction([&](HWND) {
    dlg.CheckDlgButton(IDC_SEC_COOLLOOK, BST_CHECKED);
    dlg.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_SEC_COOLLOOK, BN_CLICKED), 0);
    EXPECT_TRUE(mgr->IsCoolLook());
    dlg.PostMessage(WM_COMMAND, IDCANCEL);
  });
  EXPECT_EQ(dlg.DoModal(), IDCANCEL);
  EXPECT_TRUE(mgr->IsCoolLook());
}

TEST_F(ToolBarsDlgTest, NewToolbarNeedsANameAndMakesAFloatingBar) {
  SECToolBarsDlg dlg(frame, mgr);
  plat::PushDialogAction([&](HWND) {
    plat::PushDialogAction([&](HWND h) {
      CWnd* box = CWnd::FromHandle(h);
      EXPECT_FALSE(box->GetDlgItem(IDOK)->IsWindowEnabled());
      box->GetDlgItem(IDC_SEC_NEWTOOLBAR_NAME)->SetWindowText("Debug");
      box->SendMessage(WM_COMMAND, MAKEWPARAM(IDC_SEC_NEWTOOLBAR_NAME, EN_CHANGE),
                       reinterpret_cast<LPARAM>(box->GetDlgItem(IDC_SEC_NEWTOOLBAR_NAME)->m_hWnd));
      EXPECT_TRUE(box->GetDlgItem(IDOK)->IsWindowEnabled());
      DialogPicture(h, "dialog_new_toolbar");
      box->PostMessage(WM_COMMAND, IDOK);
    });
    dlg.SendMessage(WM_COMMAND, IDC_SEC_TOOLBAR_NEW);
  });
  EXPECT_EQ(dlg.DoModal(), SECToolBarsDlg::IDC_SEC_CUSTOMIZE_RESULT);
  SECCustomToolBar* made = mgr->FindToolBar(kFirstUser);
  ASSERT_NE(made, nullptr);
  EXPECT_TRUE(made->IsFloating());
  CString title;
  made->GetWindowText(title);
  EXPECT_STREQ(title, "Debug");
}

TEST_F(ToolBarsDlgTest, CancellingThePageRestoresTheSettings) {
  mgr->SetToolTips(FALSE);
  CWnd sheet;
  ASSERT_TRUE(sheet.CreateEx(0, AfxRegisterWndClass(0), "Customize", WS_POPUP | WS_VISIBLE,
                             CRect(50, 50, 450, 350), nullptr, 0));
  {
    SECToolBarsPage page(mgr);
    ASSERT_TRUE(page.Create(IDD_SEC_TOOLBARS_PAGE, &sheet));
    page.OnSetActive();
    EXPECT_TRUE(mgr->IsCustomizeMode());
    Picture(&page, "dialog_toolbars_page");
    page.CheckDlgButton(IDC_SEC_LARGEBUTTONS, BST_CHECKED);
    page.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_SEC_LARGEBUTTONS, BN_CLICKED), 0);
    page.CheckDlgButton(IDC_SEC_TOOLTIPS, BST_CHECKED);
    page.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_SEC_TOOLTIPS, BN_CLICKED), 0);
    EXPECT_TRUE(mgr->IsLargeButtons());
    EXPECT_TRUE(mgr->IsToolTips());
    page.OnKillActive();
    EXPECT_FALSE(mgr->IsCustomizeMode());
    page.OnCancel();
    EXPECT_FALSE(mgr->IsLargeButtons());
    EXPECT_FALSE(mgr->IsToolTips());
    page.DestroyWindow();
  }
  sheet.DestroyWindow();
}
