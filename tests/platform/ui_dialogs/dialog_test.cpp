// Dialogs from templates: data exchange round trips, validation that keeps
// the dialog open, modal runs driven by the test, modeless dialogs that
// delete themselves, notifications, keyboard navigation, a subclassed edit.
#include <gtest/gtest.h>

#include <QImage>
#include <cctype>
#include <string>
#include <utility>
#include <vector>

#include "../ui/ui_test_support.h"
#include "platform/sys/msgbox.h"
#include "platform/ui/afxctrl.h"
#include "platform/ui/afxdlg.h"
#include "platform/ui/commctrl.h"
#include "platform/ui/modal.h"
#include "res/dialogs_res.h"
#include "tests/support/test_support.h"

namespace {

std::string Text(HWND dlg, int id) {
  char buf[256] = {0};
  GetDlgItemText(dlg, id, buf, sizeof buf);
  return buf;
}

class SampleDialog : public CDialog {
 public:
  SampleDialog() : CDialog(IDD_SAMPLE) {}
  CString name = "Ada";
  int count = 5;
  double ratio = 0.5;
  CString secret = "pw";
  CString notes = "line1\r\nline2";
  int enabled = 1;
  int tristate = 2;
  int speed = 1;
  CString kind = "Beta";
  CString port = "COM2";
  int simpleIndex = 1;
  CString listItem = "two";
  std::vector<std::pair<int, int>> commands;  // control id, notification

  BOOL OnInitDialog() override {
    for (const char* s : {"Alpha", "Beta", "Gamma"}) SendDlgItemMessage(IDC_KIND, CB_ADDSTRING, 0, (LPARAM)s);
    for (const char* s : {"COM1", "COM2"}) SendDlgItemMessage(IDC_PORT, CB_ADDSTRING, 0, (LPARAM)s);
    for (const char* s : {"first", "second"}) SendDlgItemMessage(IDC_SIMPLE, CB_ADDSTRING, 0, (LPARAM)s);
    for (const char* s : {"one", "two", "three"}) SendDlgItemMessage(IDC_LIST, LB_ADDSTRING, 0, (LPARAM)s);
    SendDlgItemMessage(IDC_SPIN, UDM_SETRANGE32, 0, 99);
    SendDlgItemMessage(IDC_PROGRESS, PBM_SETPOS, 60, 0);
    TVINSERTSTRUCT ins{};
    ins.hParent = TVI_ROOT;
    ins.hInsertAfter = TVI_LAST;
    ins.item.mask = TVIF_TEXT | TVIF_STATE;
    ins.item.pszText = const_cast<LPSTR>("Board");
    ins.item.state = ins.item.stateMask = TVIS_EXPANDED;
    auto board = (HTREEITEM)SendDlgItemMessage(IDC_TREE, TVM_INSERTITEM, 0, (LPARAM)&ins);
    ins.hParent = board;
    for (const char* s : {"Memory", "EEPROM"}) {
      ins.item.pszText = const_cast<LPSTR>(s);
      SendDlgItemMessage(IDC_TREE, TVM_INSERTITEM, 0, (LPARAM)&ins);
    }
    return CDialog::OnInitDialog();
  }
  void DoDataExchange(CDataExchange* dx) override {
    DDX_Text(dx, IDC_NAME, name);
    DDV_MaxChars(dx, name, 20);
    DDX_Text(dx, IDC_COUNT, count);
    DDV_MinMaxInt(dx, count, 1, 99);
    DDX_Text(dx, IDC_RATIO, ratio);
    DDX_Text(dx, IDC_SECRET, secret);
    DDX_Text(dx, IDC_NOTES, notes);
    DDX_Check(dx, IDC_ENABLED, enabled);
    DDX_Check(dx, IDC_TRISTATE, tristate);
    DDX_Radio(dx, IDC_RADIO1, speed);
    DDX_CBString(dx, IDC_KIND, kind);
    DDX_CBString(dx, IDC_PORT, port);
    DDX_CBIndex(dx, IDC_SIMPLE, simpleIndex);
    DDX_LBString(dx, IDC_LIST, listItem);
  }
  BOOL OnCommand(WPARAM wp, LPARAM lp) override {
    if (lp) commands.emplace_back(LOWORD(wp), HIWORD(wp));
    return CDialog::OnCommand(wp, lp);
  }
};

class DialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ui_test::EnsureApp();
    plat::ClearModalRecords();
    plat::ClearMessageBoxRecords();
  }
};

TEST_F(DialogTest, ValuesRoundTripThroughDataExchange) {
  SampleDialog dlg;
  plat::PushDialogAction([](HWND h) {
    EXPECT_EQ(Text(h, IDC_NAME), "Ada");
    EXPECT_EQ(Text(h, IDC_COUNT), "5");
    EXPECT_EQ(Text(h, IDC_RATIO), "0.5");
    EXPECT_EQ(Text(h, IDC_NOTES), "line1\r\nline2");
    EXPECT_EQ(IsDlgButtonChecked(h, IDC_ENABLED), 1u);
    EXPECT_EQ(IsDlgButtonChecked(h, IDC_TRISTATE), 2u);
    EXPECT_EQ(IsDlgButtonChecked(h, IDC_RADIO2), 1u);
    EXPECT_EQ(Text(h, IDC_KIND), "Beta");
    EXPECT_EQ(Text(h, IDC_PORT), "COM2");
    EXPECT_EQ(SendDlgItemMessage(h, IDC_LIST, LB_GETCURSEL, 0, 0), 1);
    SetDlgItemText(h, IDC_NAME, "Grace");
    SetDlgItemText(h, IDC_COUNT, " 42 ");
    SetDlgItemText(h, IDC_RATIO, "2.25");
    SendDlgItemMessage(h, IDC_ENABLED, BM_CLICK, 0, 0);
    SendDlgItemMessage(h, IDC_TRISTATE, BM_CLICK, 0, 0);
    SendDlgItemMessage(h, IDC_RADIO3, BM_CLICK, 0, 0);
    SendDlgItemMessage(h, IDC_KIND, CB_SETCURSEL, 2, 0);
    SetDlgItemText(h, IDC_PORT, "COM7");
    SendDlgItemMessage(h, IDC_SIMPLE, CB_SETCURSEL, 0, 0);
    SendDlgItemMessage(h, IDC_LIST, LB_SELECTSTRING, (WPARAM)-1, (LPARAM) "one");
    // Enter in an edit presses the default button.
    SetFocus(GetDlgItem(h, IDC_NAME));
    PostMessage(GetFocus(), WM_KEYDOWN, VK_RETURN, 0);
  });
  ASSERT_EQ(dlg.DoModal(), IDOK);
  EXPECT_STREQ(dlg.name, "Grace");
  EXPECT_EQ(dlg.count, 42);
  EXPECT_DOUBLE_EQ(dlg.ratio, 2.25);
  EXPECT_STREQ(dlg.secret, "pw");
  EXPECT_EQ(dlg.enabled, 0);
  EXPECT_EQ(dlg.tristate, 0);
  EXPECT_EQ(dlg.speed, 2);
  EXPECT_STREQ(dlg.kind, "Gamma");
  EXPECT_STREQ(dlg.port, "COM7");
  EXPECT_EQ(dlg.simpleIndex, 0);
  EXPECT_STREQ(dlg.listItem, "one");
  ASSERT_EQ(plat::ModalRecords().size(), 1u);
  EXPECT_EQ(plat::ModalRecords()[0].caption, "Sample settings");
  EXPECT_EQ(plat::ModalRecords()[0].result, IDOK);
}

TEST_F(DialogTest, FailedValidationShowsItsBoxAndKeepsTheDialogOpen) {
  SampleDialog dlg;
  plat::PushDialogAction([](HWND h) {
    struct Step {
      const char* text;
      const char* box;
    };
    const Step steps[] = {{"x1", "Please enter an integer."},
                          {"500", "Please enter an integer between 1 and 99."}};
    for (const Step& s : steps) {
      plat::ClearMessageBoxRecords();
      SetDlgItemText(h, IDC_COUNT, s.text);
      SendMessage(h, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), (LPARAM)GetDlgItem(h, IDOK));
      ASSERT_TRUE(IsWindow(h));
      EXPECT_TRUE(IsWindowVisible(h)) << s.text;
      ASSERT_EQ(plat::MessageBoxRecords().size(), 1u);
      EXPECT_EQ(plat::MessageBoxRecords()[0].text, s.box);
      EXPECT_EQ(GetFocus(), GetDlgItem(h, IDC_COUNT));
      DWORD a = 0, b = 0;
      SendDlgItemMessage(h, IDC_COUNT, EM_GETSEL, (WPARAM)&a, (LPARAM)&b);
      EXPECT_EQ(a, 0u);
      EXPECT_EQ(b, strlen(s.text));
    }
    SetDlgItemText(h, IDC_COUNT, "7");
    SendMessage(h, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), (LPARAM)GetDlgItem(h, IDOK));
  });
  EXPECT_EQ(dlg.DoModal(), IDOK);
  EXPECT_EQ(dlg.count, 7);
}

TEST_F(DialogTest, EscapeCancelsWithoutTakingTheValues) {
  SampleDialog dlg;
  plat::PushDialogAction([](HWND h) {
    SetDlgItemText(h, IDC_NAME, "changed");
    SetFocus(GetDlgItem(h, IDC_NAME));
    ui_test::Key(h, true, Qt::Key_Escape, 0, "\x1b");
  });
  EXPECT_EQ(dlg.DoModal(), IDCANCEL);
  EXPECT_STREQ(dlg.name, "Ada");
}

TEST_F(DialogTest, UnansweredModalDialogCancelsInAHeadlessRun) {
  SampleDialog dlg;
  EXPECT_EQ(dlg.DoModal(), IDCANCEL);
  ASSERT_EQ(plat::ModalRecords().size(), 1u);
  EXPECT_EQ(plat::ModalRecords()[0].kind, "dialog");
  EXPECT_EQ(plat::ModalRecords()[0].result, IDCANCEL);
}

TEST_F(DialogTest, OwnerIsDisabledWhileModal) {
  HWND owner = ui_test::MakeTop(300, 200, WS_OVERLAPPEDWINDOW | WS_VISIBLE);
  CDialog dlg(IDD_SMALL, CWnd::FromHandle(owner));
  bool disabledDuring = false;
  plat::PushDialogAction([&](HWND h) {
    disabledDuring = !IsWindowEnabled(owner);
    EXPECT_EQ(GetWindow(h, GW_OWNER), owner);
    EndDialog(h, 77);
  });
  EXPECT_EQ(dlg.DoModal(), 77);
  EXPECT_TRUE(disabledDuring);
  EXPECT_TRUE(IsWindowEnabled(owner));
  DestroyWindow(owner);
}

class SelfDeleting : public CDialog {
 public:
  explicit SelfDeleting(bool* deleted) : deleted_(deleted) {}
  void OnCancel() override { DestroyWindow(); }
  void PostNcDestroy() override {
    *deleted_ = true;
    delete this;
  }

 private:
  bool* deleted_;
};

TEST_F(DialogTest, ModelessDialogDeletesItselfOnClose) {
  bool deleted = false;
  auto* dlg = new SelfDeleting(&deleted);
  ASSERT_TRUE(dlg->Create(IDD_SMALL));
  HWND h = dlg->m_hWnd;
  dlg->ShowWindow(SW_SHOW);
  PostMessage(h, WM_CLOSE, 0, 0);
  PumpWaitingMessages();
  EXPECT_TRUE(deleted);
  EXPECT_FALSE(IsWindow(h));
}

bool IsFocusCode(int code) {
  return code == EN_SETFOCUS || code == EN_KILLFOCUS || code == LBN_SETFOCUS || code == LBN_KILLFOCUS ||
         code == CBN_SETFOCUS || code == CBN_KILLFOCUS;
}

TEST_F(DialogTest, NotificationsReachTheParentInOrder) {
  SampleDialog dlg;
  ASSERT_TRUE(dlg.Create(IDD_SAMPLE));
  HWND h = dlg.m_hWnd;
  dlg.commands.clear();
  HWND name = GetDlgItem(h, IDC_NAME);
  SetFocus(name);
  SendMessage(name, EM_SETSEL, 0, -1);
  SendMessage(name, WM_CHAR, 'a', 1);
  SendDlgItemMessage(h, IDC_ENABLED, BM_CLICK, 0, 0);
  SetFocus(GetDlgItem(h, IDC_LIST));
  SendDlgItemMessage(h, IDC_LIST, WM_KEYDOWN, VK_HOME, 0);
  SetFocus(GetDlgItem(h, IDC_KIND));
  SendDlgItemMessage(h, IDC_KIND, WM_KEYDOWN, VK_DOWN, 0);
  SendDlgItemMessage(h, IDC_CLICKME, WM_LBUTTONDOWN, MK_LBUTTON, 0);
  std::vector<std::pair<int, int>> seen;
  for (auto& c : dlg.commands)
    if (!IsFocusCode(c.second)) seen.push_back(c);
  std::vector<std::pair<int, int>> expected = {{IDC_NAME, EN_UPDATE},     {IDC_NAME, EN_CHANGE},
                                               {IDC_ENABLED, BN_CLICKED}, {IDC_LIST, LBN_SELCHANGE},
                                               {IDC_KIND, CBN_SELCHANGE}, {IDC_CLICKME, STN_CLICKED}};
  EXPECT_EQ(seen, expected);
  EXPECT_EQ(Text(h, IDC_NAME), "a");
  EXPECT_EQ(Text(h, IDC_KIND), "Gamma");
  dlg.DestroyWindow();
}

class DigitsOnly : public CEdit {
 public:
  void OnChar(UINT c, UINT, UINT) {
    if (c < ' ' || isdigit(static_cast<int>(c))) Default();
  }
  DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(DigitsOnly, CEdit)
ON_WM_CHAR()
END_MESSAGE_MAP()

TEST_F(DialogTest, SubclassedComboEditRefusesLetters) {
  SampleDialog dlg;
  ASSERT_TRUE(dlg.Create(IDD_SAMPLE));
  dlg.ShowWindow(SW_SHOW);
  HWND combo = dlg.GetDlgItem(IDC_PORT)->m_hWnd;
  DigitsOnly digits;
  ASSERT_TRUE(digits.SubclassWindow(::GetDlgItem(combo, 1001)));
  SetWindowText(combo, "");
  SetFocus(digits.m_hWnd);
  dlg.commands.clear();
  for (char c : std::string("1a2b3")) {
    ui_test::Key(dlg.m_hWnd, true, c >= 'a' ? Qt::Key_A + (c - 'a') : Qt::Key_0 + (c - '0'), 0,
                 std::string(1, c));
    ui_test::Key(dlg.m_hWnd, false, c >= 'a' ? Qt::Key_A + (c - 'a') : Qt::Key_0 + (c - '0'), 0, "");
  }
  PumpWaitingMessages();
  EXPECT_EQ(Text(dlg.m_hWnd, IDC_PORT), "123");
  int changes = 0;
  for (auto& c : dlg.commands) changes += c == std::make_pair(IDC_PORT, CBN_EDITCHANGE);
  EXPECT_EQ(changes, 3);
  digits.UnsubclassWindow();
  dlg.DestroyWindow();
}

TEST_F(DialogTest, KeyboardMovesFocusByTabOrderGroupsAndMnemonics) {
  SampleDialog dlg;
  ASSERT_TRUE(dlg.Create(IDD_SAMPLE));
  HWND h = dlg.m_hWnd;
  dlg.ShowWindow(SW_SHOW);
  auto send = [&](UINT msg, WPARAM key) {
    MSG m{GetFocus(), msg, key, 0, 0, {0, 0}, 0};
    IsDialogMessage(h, &m);
  };
  struct Case {
    int from;
    UINT msg;
    WPARAM key;
    int to;
  };
  const Case cases[] = {
      {IDC_NAME, WM_KEYDOWN, VK_TAB, IDC_COUNT},     {IDC_COUNT, WM_KEYDOWN, VK_TAB, IDC_RATIO},
      {IDC_LIST, WM_KEYDOWN, VK_TAB, IDC_TREE},      {IDC_TREE, WM_KEYDOWN, VK_TAB, IDOK},
      {IDCANCEL, WM_KEYDOWN, VK_TAB, IDC_APPLY},     {IDC_APPLY, WM_KEYDOWN, VK_TAB, IDC_NAME},
      {IDC_NAME, WM_SYSCHAR, 'w', IDC_SECRET},       {IDC_RADIO2, WM_KEYDOWN, VK_DOWN, IDC_RADIO3},
      {IDC_RADIO3, WM_KEYDOWN, VK_DOWN, IDC_RADIO1},
  };
  for (const Case& c : cases) {
    SetFocus(GetDlgItem(h, c.from));
    send(c.msg, c.key);
    EXPECT_EQ(GetDlgCtrlID(GetFocus()), c.to) << "from " << c.from << " key " << c.key;
  }
  EXPECT_EQ(IsDlgButtonChecked(h, IDC_RADIO1), 1u);  // arrows check radio buttons
  // Alt plus a button's letter presses it.
  int before = static_cast<int>(IsDlgButtonChecked(h, IDC_ENABLED));
  send(WM_SYSCHAR, 'e');
  EXPECT_EQ(static_cast<int>(IsDlgButtonChecked(h, IDC_ENABLED)), !before);
  dlg.DestroyWindow();
}

// Tab into a group of radio buttons lands on the checked one, not on the
// group's first.
TEST_F(DialogTest, TabIntoARadioGroupFocusesItsCheckedButton) {
  SampleDialog dlg;
  ASSERT_TRUE(dlg.Create(IDD_SAMPLE));
  HWND h = dlg.m_hWnd;
  dlg.ShowWindow(SW_SHOW);
  for (int checked : {IDC_RADIO1, IDC_RADIO3}) {
    CheckRadioButton(h, IDC_RADIO1, IDC_RADIO3, checked);
    SetFocus(GetDlgItem(h, IDC_TRISTATE));
    MSG m{GetFocus(), WM_KEYDOWN, VK_TAB, 0, 0, {0, 0}, 0};
    IsDialogMessage(h, &m);
    EXPECT_EQ(GetDlgCtrlID(GetFocus()), checked);
  }
  dlg.DestroyWindow();
}

// The controls of a page inside a dialog take their place in the dialog's
// tab order; the page leaves its keys to the dialog.
TEST_F(DialogTest, TabRunsThroughTheControlsOfAPageInTheDialog) {
  SampleDialog dlg;
  ASSERT_TRUE(dlg.Create(IDD_SAMPLE));
  HWND h = dlg.m_hWnd;
  dlg.ShowWindow(SW_SHOW);
  CPropertyPage page;
  ASSERT_TRUE(page.Create(IDD_SMALL, &dlg));
  page.ShowWindow(SW_SHOW);
  const HWND pageEdit = ::GetDlgItem(page.m_hWnd, IDC_NAME);
  const HWND pageOk = ::GetDlgItem(page.m_hWnd, IDOK);
  const HWND pageCancel = ::GetDlgItem(page.m_hWnd, IDCANCEL);
  struct Case {
    HWND from;
    HWND to;
  };
  const Case kCases[] = {
      {GetDlgItem(h, IDC_APPLY), pageEdit},  // the page comes after the dialog's own controls
      {pageEdit, pageOk},
      {pageCancel, GetDlgItem(h, IDC_NAME)},  // and the order wraps
  };
  for (const Case& c : kCases) {
    SetFocus(c.from);
    MSG m{c.from, WM_KEYDOWN, VK_TAB, 0, 0, {0, 0}, 0};
    EXPECT_FALSE(page.PreTranslateMessage(&m));
    EXPECT_TRUE(dlg.PreTranslateMessage(&m));
    EXPECT_EQ(GetFocus(), c.to) << "from " << GetDlgCtrlID(c.from);
  }
  page.DestroyWindow();
  dlg.DestroyWindow();
}

TEST_F(DialogTest, SampleDialogPicture) {
  SampleDialog dlg;
  ASSERT_TRUE(dlg.Create(IDD_SAMPLE));
  dlg.ShowWindow(SW_SHOW);
  dlg.UpdateWindow();
  PumpWaitingMessages();
  QImage img = ui_test::Picture(dlg.m_hWnd);
  ASSERT_FALSE(img.isNull());
  img.save(QString::fromStdString(mirt_test::ProgramDir() + "/ui_dialogs_sample.png"));
  // The face is button grey; the OK button's caption has dark pixels.
  RECT ok;
  ::GetWindowRect(::GetDlgItem(dlg.m_hWnd, IDOK), &ok);
  RECT me;
  ::GetWindowRect(dlg.m_hWnd, &me);
  int dark = 0;
  for (int y = ok.top - me.top; y < ok.bottom - me.top; ++y)
    for (int x = ok.left - me.left; x < ok.right - me.left; ++x) dark += qGray(img.pixel(x, y)) < 64;
  EXPECT_GT(dark, 10);
  dlg.DestroyWindow();
}

}  // namespace
