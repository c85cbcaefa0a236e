// Parsing and range checks of the data exchange, one table per kind.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "../ui/ui_test_support.h"
#include "platform/sys/msgbox.h"
#include "platform/ui/afxdlg.h"
#include "res/dialogs_res.h"

namespace {

class ExchangeDialog : public CDialog {
 public:
  std::function<void(CDataExchange*)> exchange;
  void DoDataExchange(CDataExchange* dx) override { exchange(dx); }
};

// Reads `text` from the edit through `exchange`; returns whether it passed
// and the box shown when it did not.
struct Outcome {
  bool ok;
  std::string box;
};
Outcome Save(const char* text, std::function<void(CDataExchange*)> exchange) {
  ui_test::EnsureApp();
  plat::ClearMessageBoxRecords();
  ExchangeDialog dlg;
  dlg.exchange = [](CDataExchange*) {};
  EXPECT_TRUE(dlg.Create(IDD_SMALL));
  dlg.exchange = std::move(exchange);
  SetDlgItemText(dlg.m_hWnd, IDC_NAME, text);
  Outcome o{dlg.UpdateData(TRUE) != FALSE, ""};
  auto boxes = plat::MessageBoxRecords();
  if (!boxes.empty()) o.box = boxes.back().text;
  dlg.DestroyWindow();
  return o;
}

TEST(DataExchange, IntegersParseTheWholeTrimmedText) {
  struct Case {
    const char* text;
    bool ok;
    int value;
  };
  const Case cases[] = {{"42", true, 42},
                        {"  -7 ", true, -7},
                        {"4x", false, 0},
                        {"", false, 0},
                        {"2147483647", true, 2147483647},
                        {"2147483648", false, 0},
                        {"1 2", false, 0}};
  for (const Case& c : cases) {
    int v = 0;
    Outcome o = Save(c.text, [&](CDataExchange* dx) { DDX_Text(dx, IDC_NAME, v); });
    EXPECT_EQ(o.ok, c.ok) << c.text;
    if (c.ok)
      EXPECT_EQ(v, c.value) << c.text;
    else
      EXPECT_EQ(o.box, "Please enter an integer.") << c.text;
  }
}

TEST(DataExchange, UnsignedBytesAndRealsHaveTheirOwnMessages) {
  UINT u = 0;
  EXPECT_EQ(Save("-1", [&](CDataExchange* dx) { DDX_Text(dx, IDC_NAME, u); }).box,
            "Please enter a positive integer.");
  EXPECT_TRUE(Save("4294967295", [&](CDataExchange* dx) { DDX_Text(dx, IDC_NAME, u); }).ok);
  EXPECT_EQ(u, 4294967295u);
  BYTE b = 0;
  EXPECT_EQ(Save("256", [&](CDataExchange* dx) { DDX_Text(dx, IDC_NAME, b); }).box,
            "Please enter an integer between 0 and 255.");
  double d = 0;
  EXPECT_TRUE(Save(" 1.5e3 ", [&](CDataExchange* dx) { DDX_Text(dx, IDC_NAME, d); }).ok);
  EXPECT_DOUBLE_EQ(d, 1500);
  EXPECT_EQ(Save("one", [&](CDataExchange* dx) { DDX_Text(dx, IDC_NAME, d); }).box, "Please enter a number.");
}

// Writing a text the edit already shows leaves its caret alone, so a dialog
// that refreshes its controls while the user types does not move it.
TEST(DataExchange, WritingTheSameTextKeepsTheCaret) {
  constexpr auto kTyped = "demo";
  constexpr int kCaret = 2;
  ui_test::EnsureApp();
  ExchangeDialog dlg;
  CString value = kTyped;
  dlg.exchange = [&](CDataExchange* dx) { DDX_Text(dx, IDC_NAME, value); };
  ASSERT_TRUE(dlg.Create(IDD_SMALL));
  dlg.UpdateData(FALSE);
  SendDlgItemMessage(dlg.m_hWnd, IDC_NAME, EM_SETSEL, kCaret, kCaret);
  dlg.UpdateData(FALSE);
  DWORD start = 0, end = 0;
  SendDlgItemMessage(dlg.m_hWnd, IDC_NAME, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                     reinterpret_cast<LPARAM>(&end));
  EXPECT_EQ(start, DWORD(kCaret));
  value = "other";
  dlg.UpdateData(FALSE);
  EXPECT_EQ(ui_test::ItemText(dlg.m_hWnd, IDC_NAME), "other");
  dlg.DestroyWindow();
}

TEST(DataExchange, RangeAndLengthChecks) {
  long l = 0;
  Outcome o = Save("70000", [&](CDataExchange* dx) {
    DDX_Text(dx, IDC_NAME, l);
    DDV_MinMaxLong(dx, l, 1, 65535);
  });
  EXPECT_FALSE(o.ok);
  EXPECT_EQ(o.box, "Please enter an integer between 1 and 65535.");
  double d = 0;
  o = Save("2.5", [&](CDataExchange* dx) {
    DDX_Text(dx, IDC_NAME, d);
    DDV_MinMaxDouble(dx, d, 0, 1);
  });
  EXPECT_EQ(o.box, "Please enter a number between 0 and 1.");
  CString s;
  o = Save("abcdef", [&](CDataExchange* dx) {
    DDX_Text(dx, IDC_NAME, s);
    DDV_MaxChars(dx, s, 5);
  });
  EXPECT_EQ(o.box, "Please enter no more than 5 characters.");
}

TEST(DataExchange, MaxCharsLimitsTheEditWhenLoading) {
  ui_test::EnsureApp();
  ExchangeDialog dlg;
  CString s = "abc";
  dlg.exchange = [&](CDataExchange* dx) {
    DDX_Text(dx, IDC_NAME, s);
    DDV_MaxChars(dx, s, 8);
  };
  ASSERT_TRUE(dlg.Create(IDD_SMALL));
  EXPECT_EQ(SendDlgItemMessage(dlg.m_hWnd, IDC_NAME, EM_GETLIMITTEXT, 0, 0), 8);
  SetFocus(GetDlgItem(dlg.m_hWnd, IDC_NAME));
  SendDlgItemMessage(dlg.m_hWnd, IDC_NAME, EM_SETSEL, 3, 3);
  for (char c : std::string("defghijk")) SendDlgItemMessage(dlg.m_hWnd, IDC_NAME, WM_CHAR, (WPARAM)c, 1);
  char buf[32];
  GetDlgItemText(dlg.m_hWnd, IDC_NAME, buf, sizeof buf);
  EXPECT_STREQ(buf, "abcdefgh");
  dlg.DestroyWindow();
}

TEST(DataExchange, GetDlgItemIntReportsTranslation) {
  ui_test::EnsureApp();
  ExchangeDialog dlg;
  dlg.exchange = [](CDataExchange*) {};
  ASSERT_TRUE(dlg.Create(IDD_SMALL));
  struct Case {
    const char* text;
    BOOL sign;
    BOOL ok;
    UINT value;
  };
  const Case cases[] = {{"12", TRUE, TRUE, 12},  {"-3", TRUE, TRUE, (UINT)-3}, {"-3", FALSE, FALSE, 0},
                        {"12a", TRUE, FALSE, 0}, {"", TRUE, FALSE, 0},         {" 8 ", FALSE, TRUE, 8}};
  for (const Case& c : cases) {
    SetDlgItemText(dlg.m_hWnd, IDC_NAME, c.text);
    BOOL ok = -1;
    EXPECT_EQ(GetDlgItemInt(dlg.m_hWnd, IDC_NAME, &ok, c.sign), c.value) << c.text;
    EXPECT_EQ(ok, c.ok) << c.text;
  }
  SetDlgItemInt(dlg.m_hWnd, IDC_NAME, (UINT)-5, TRUE);
  char buf[16];
  GetDlgItemText(dlg.m_hWnd, IDC_NAME, buf, sizeof buf);
  EXPECT_STREQ(buf, "-5");
  dlg.DestroyWindow();
}

}  // namespace
