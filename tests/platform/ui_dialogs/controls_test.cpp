// The standard controls behind their messages: edit, list box, combo box,
// button and static, each made directly with CreateWindowEx.
#include <gtest/gtest.h>

#include <QEvent>
#include <cstring>
#include <string>
#include <vector>

#include "../ui/ui_test_support.h"
#include "platform/ui/afxctrl.h"
#include "platform/ui/commctrl.h"

namespace {

std::vector<std::pair<int, int>> g_notes;  // control id, code

LRESULT CALLBACK Recorder(HWND h, UINT m, WPARAM w, LPARAM l) {
  if (m == WM_COMMAND && l) g_notes.emplace_back(LOWORD(w), HIWORD(w));
  return DefWindowProc(h, m, w, l);
}

class ControlsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    top_ = ui_test::MakeTop(400, 300, WS_POPUP | WS_VISIBLE, Recorder);
    g_notes.clear();
  }
  void TearDown() override { DestroyWindow(top_); }
  HWND Make(LPCSTR cls, DWORD style, int id, LPCSTR text = "", int cx = 150, int cy = 80) {
    return CreateWindowEx(0, cls, text, style | WS_CHILD | WS_VISIBLE, 10, 10, cx, cy, top_,
                          reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)), nullptr, nullptr);
  }
  static std::string Text(HWND h) {
    char buf[256] = {0};
    GetWindowText(h, buf, sizeof buf);
    return buf;
  }
  HWND top_ = nullptr;
};

TEST_F(ControlsTest, EditKeysSelectionLimitAndUndo) {
  HWND e = Make("EDIT", ES_AUTOHSCROLL, 7);
  SetFocus(e);
  struct Step {
    UINT msg;
    WPARAM wp;
    const char* text;  // after the step
    int selStart, selEnd;
  };
  const Step steps[] = {
      {WM_CHAR, 'a', "a", 1, 1},         {WM_CHAR, 'b', "ab", 2, 2},
      {WM_CHAR, 'c', "abc", 3, 3},       {WM_KEYDOWN, VK_LEFT, "abc", 2, 2},
      {WM_CHAR, 8, "ac", 1, 1},          {WM_KEYDOWN, VK_END, "ac", 2, 2},
      {WM_KEYDOWN, VK_HOME, "ac", 0, 0}, {WM_KEYDOWN, VK_DELETE, "c", 0, 0},
      {WM_CHAR, 26, "ac", 0, 1},
  };
  for (const Step& s : steps) {
    SendMessage(e, s.msg, s.wp, 1);
    DWORD a = 0, b = 0;
    SendMessage(e, EM_GETSEL, (WPARAM)&a, (LPARAM)&b);
    EXPECT_EQ(Text(e), s.text) << s.msg << " " << s.wp;
    EXPECT_EQ(static_cast<int>(a), s.selStart) << s.wp;
    EXPECT_EQ(static_cast<int>(b), s.selEnd) << s.wp;
  }
  SendMessage(e, EM_LIMITTEXT, 3, 0);
  SendMessage(e, EM_SETSEL, 2, 2);
  g_notes.clear();
  SendMessage(e, EM_REPLACESEL, TRUE, (LPARAM) "xyz");
  EXPECT_EQ(Text(e), "acx");
  std::vector<std::pair<int, int>> expected = {{7, EN_UPDATE}, {7, EN_CHANGE}, {7, EN_MAXTEXT}};
  EXPECT_EQ(g_notes, expected);
  EXPECT_TRUE(SendMessage(e, EM_GETMODIFY, 0, 0));
  SetWindowText(e, "new");
  EXPECT_FALSE(SendMessage(e, EM_GETMODIFY, 0, 0));
  EXPECT_FALSE(SendMessage(e, EM_CANUNDO, 0, 0));
}

TEST_F(ControlsTest, EditStylesFilterTyping) {
  struct Case {
    DWORD style;
    const char* typed;
    const char* text;
  };
  const Case cases[] = {{ES_NUMBER, "1a2", "12"},         {ES_UPPERCASE, "ab\xe9", "AB\xc9"},
                        {ES_LOWERCASE, "AB", "ab"},       {ES_READONLY, "ab", ""},
                        {ES_MULTILINE, "a\rb", "a\r\nb"}, {0, "a\rb", "ab"}};
  for (const Case& c : cases) {
    HWND e = Make("EDIT", c.style, 3);
    for (const char* p = c.typed; *p; ++p) SendMessage(e, WM_CHAR, static_cast<unsigned char>(*p), 1);
    EXPECT_EQ(Text(e), c.text) << std::hex << c.style;
    DestroyWindow(e);
  }
}

TEST_F(ControlsTest, MultiLineEditLines) {
  HWND e = Make("EDIT", ES_MULTILINE, 3, "one\r\ntwo\r\n\r\nfour");
  EXPECT_EQ(SendMessage(e, EM_GETLINECOUNT, 0, 0), 4);
  const int starts[] = {0, 5, 10, 12};
  const int lengths[] = {3, 3, 0, 4};
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(SendMessage(e, EM_LINEINDEX, i, 0), starts[i]);
    EXPECT_EQ(SendMessage(e, EM_LINELENGTH, starts[i], 0), lengths[i]);
    EXPECT_EQ(SendMessage(e, EM_LINEFROMCHAR, starts[i], 0), i);
  }
  char buf[16] = {0};
  *reinterpret_cast<WORD*>(buf) = sizeof buf;
  EXPECT_EQ(SendMessage(e, EM_GETLINE, 3, (LPARAM)buf), 4);
  EXPECT_EQ(std::string(buf, 4), "four");
  SendMessage(e, EM_SETSEL, 5, 5);
  SendMessage(e, WM_CHAR, 8, 1);  // backspace joins the lines: CR LF goes as one
  EXPECT_EQ(Text(e), "onetwo\r\n\r\nfour");
}

// Lines follow every kind of change: appends at the end, a replacement in
// the middle, undo and a new text.
TEST_F(ControlsTest, MultiLineEditLinesFollowAppendsReplacementsAndUndo) {
  HWND e = Make("EDIT", ES_MULTILINE, 3, "a\r\n");
  auto append = [&](const char* text) {
    const LRESULT end = SendMessage(e, WM_GETTEXTLENGTH, 0, 0);
    SendMessage(e, EM_SETSEL, end, end);
    SendMessage(e, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(text));
  };
  append("bb\r\n");
  append("ccc\r\n");
  EXPECT_EQ(SendMessage(e, EM_GETLINECOUNT, 0, 0), 4);
  EXPECT_EQ(SendMessage(e, EM_LINEINDEX, 2, 0), 7);
  EXPECT_EQ(SendMessage(e, EM_LINEFROMCHAR, 8, 0), 2);
  SendMessage(e, EM_SETSEL, 0, 1);
  SendMessage(e, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>("x\r\ny"));
  EXPECT_EQ(Text(e), "x\r\ny\r\nbb\r\nccc\r\n");
  EXPECT_EQ(SendMessage(e, EM_GETLINECOUNT, 0, 0), 5);
  EXPECT_EQ(SendMessage(e, EM_LINEINDEX, 3, 0), 10);
  SendMessage(e, EM_UNDO, 0, 0);
  EXPECT_EQ(SendMessage(e, EM_GETLINECOUNT, 0, 0), 4);
  EXPECT_EQ(SendMessage(e, EM_LINEINDEX, 2, 0), 7);
  SetWindowText(e, "one");
  EXPECT_EQ(SendMessage(e, EM_GETLINECOUNT, 0, 0), 1);
  append("\r\ntwo");
  EXPECT_EQ(SendMessage(e, EM_LINEINDEX, 1, 0), 5);
}

TEST_F(ControlsTest, ListBoxSortsFindsAndSelects) {
  HWND l = Make("LISTBOX", LBS_SORT | LBS_NOTIFY, 9);
  for (const char* s : {"pear", "Apple", "banana", "apricot"}) SendMessage(l, LB_ADDSTRING, 0, (LPARAM)s);
  const char* order[] = {"Apple", "apricot", "banana", "pear"};
  for (int i = 0; i < 4; ++i) {
    char buf[32];
    SendMessage(l, LB_GETTEXT, i, (LPARAM)buf);
    EXPECT_STREQ(buf, order[i]);
  }
  EXPECT_EQ(SendMessage(l, LB_FINDSTRING, (WPARAM)-1, (LPARAM) "AP"), 0);
  EXPECT_EQ(SendMessage(l, LB_FINDSTRING, 0, (LPARAM) "ap"), 1);
  EXPECT_EQ(SendMessage(l, LB_FINDSTRING, 1, (LPARAM) "ap"), 0);  // wraps
  EXPECT_EQ(SendMessage(l, LB_FINDSTRINGEXACT, (WPARAM)-1, (LPARAM) "BANANA"), 2);
  EXPECT_EQ(SendMessage(l, LB_FINDSTRINGEXACT, (WPARAM)-1, (LPARAM) "ban"), LB_ERR);
  EXPECT_EQ(SendMessage(l, LB_GETTEXT, 9, 0), LB_ERR);
  // Programmatic selection does not notify; the keys do.
  SendMessage(l, LB_SETCURSEL, 1, 0);
  EXPECT_TRUE(g_notes.empty());
  SendMessage(l, WM_KEYDOWN, VK_DOWN, 0);
  EXPECT_EQ(SendMessage(l, LB_GETCURSEL, 0, 0), 2);
  SendMessage(l, WM_CHAR, 'p', 0);
  EXPECT_EQ(SendMessage(l, LB_GETCURSEL, 0, 0), 3);
  std::vector<std::pair<int, int>> expected = {{9, LBN_SELCHANGE}, {9, LBN_SELCHANGE}};
  EXPECT_EQ(g_notes, expected);
  SendMessage(l, LB_DELETESTRING, 3, 0);
  EXPECT_EQ(SendMessage(l, LB_GETCURSEL, 0, 0), LB_ERR);
  EXPECT_EQ(SendMessage(l, LB_GETCOUNT, 0, 0), 3);
}

TEST_F(ControlsTest, ListBoxScrollCodesMoveItsTopRow) {
  constexpr int kItems = 40;
  HWND l = Make("LISTBOX", WS_VSCROLL, 9);
  for (int i = 0; i < kItems; ++i) SendMessage(l, LB_ADDSTRING, 0, (LPARAM) "item");
  RECT client;
  GetClientRect(l, &client);
  const int page = client.bottom / static_cast<int>(SendMessage(l, LB_GETITEMHEIGHT, 0, 0));
  const int lastTop = kItems - page;
  constexpr int kThumb = 7;
  for (const auto& step : ui_test::ScrollSteps(page, lastTop, kThumb)) {
    SendMessage(l, WM_VSCROLL, MAKEWPARAM(step.code, kThumb), 0);
    EXPECT_EQ(SendMessage(l, LB_GETTOPINDEX, 0, 0), step.top) << step.code;
  }
}

// Emptied and filled again with redraw off (as a page of rows is shown):
// the texts are the new ones, whatever their lengths, and the scroll bar
// follows the new count once redraw is on again.
TEST_F(ControlsTest, ListBoxRefilledWithRedrawOff) {
  constexpr int kFirstFill = 40, kRefill = 3;
  constexpr const char* kLongText = "a row longer than any short string buffer holds";
  HWND l = Make("LISTBOX", WS_VSCROLL, 9);
  for (int i = 0; i < kFirstFill; ++i) SendMessage(l, LB_ADDSTRING, 0, (LPARAM)kLongText);
  SCROLLINFO before{sizeof before, SIF_RANGE};
  GetScrollInfo(l, SB_VERT, &before);
  EXPECT_EQ(before.nMax, kFirstFill - 1);
  SendMessage(l, WM_SETREDRAW, FALSE, 0);
  SendMessage(l, LB_RESETCONTENT, 0, 0);
  EXPECT_EQ(SendMessage(l, LB_GETCOUNT, 0, 0), 0);
  const char* refill[kRefill] = {"", "x", kLongText};
  for (const char* text : refill) SendMessage(l, LB_ADDSTRING, 0, (LPARAM)text);
  SendMessage(l, WM_SETREDRAW, TRUE, 0);
  ASSERT_EQ(SendMessage(l, LB_GETCOUNT, 0, 0), kRefill);
  for (int i = 0; i < kRefill; ++i) {
    char buf[64] = {};
    EXPECT_EQ(SendMessage(l, LB_GETTEXT, i, (LPARAM)buf), LRESULT(strlen(refill[i])));
    EXPECT_STREQ(buf, refill[i]);
  }
  SCROLLINFO after{sizeof after, SIF_RANGE};
  GetScrollInfo(l, SB_VERT, &after);
  EXPECT_EQ(after.nMax, kRefill - 1);
}

// LB_REPLACECONTENT leaves a list as LB_RESETCONTENT and an LB_ADDSTRING
// per text leave its twin: texts, order, selection, top row and bar, for
// plain and sorted lists growing and shrinking; the list repaints.
TEST_F(ControlsTest, ListBoxReplaceContentLeavesWhatResetAndAddsLeave) {
  constexpr const char* kLongText = "a row longer than any short string buffer holds";
  const std::vector<const char*> kMany = {"pear", kLongText, "",  "Apple",  "fig",  "kiwi",
                                          "lime", "plum",    "b", "cherry", "date", "melon"};
  const std::vector<const char*> kFew = {"x", kLongText, "Apple"};
  const std::vector<const char*> kNone;
  struct Case {
    const char* what;
    DWORD style;
    const std::vector<const char*>& first;
    const std::vector<const char*>& refill;
  };
  const Case cases[] = {
      {"plain, fewer", WS_VSCROLL, kMany, kFew},
      {"plain, more", WS_VSCROLL, kFew, kMany},
      {"plain, emptied", WS_VSCROLL, kFew, kNone},
      {"sorted, more", WS_VSCROLL | LBS_SORT, kFew, kMany},
  };
  auto fill = [](HWND l, const std::vector<const char*>& texts) {
    for (const char* t : texts) SendMessage(l, LB_ADDSTRING, 0, (LPARAM)t);
  };
  auto state = [](HWND l) {
    std::vector<std::string> s;
    const int count = int(SendMessage(l, LB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
      char buf[64] = {};
      SendMessage(l, LB_GETTEXT, i, (LPARAM)buf);
      s.push_back(buf);
    }
    SCROLLINFO bar{sizeof bar, SIF_RANGE | SIF_POS};
    GetScrollInfo(l, SB_VERT, &bar);
    s.push_back("sel " + std::to_string(SendMessage(l, LB_GETCURSEL, 0, 0)) + " top " +
                std::to_string(SendMessage(l, LB_GETTOPINDEX, 0, 0)) + " bar " + std::to_string(bar.nMax) +
                " at " + std::to_string(bar.nPos));
    return s;
  };
  for (const Case& c : cases) {
    HWND twin = Make("LISTBOX", c.style, 9);
    HWND l = Make("LISTBOX", c.style, 10);
    for (HWND h : {twin, l}) {
      fill(h, c.first);
      SendMessage(h, LB_SETCURSEL, WPARAM(c.first.size() - 1), 0);
    }
    SendMessage(twin, LB_RESETCONTENT, 0, 0);
    fill(twin, c.refill);
    UpdateWindow(l);
    EXPECT_EQ(SendMessage(l, LB_REPLACECONTENT, c.refill.size(), (LPARAM)c.refill.data()),
              LRESULT(c.refill.size()))
        << c.what;
    EXPECT_EQ(state(l), state(twin)) << c.what;
    RECT update;
    EXPECT_TRUE(GetUpdateRect(l, &update, FALSE)) << c.what;
    DestroyWindow(twin);
    DestroyWindow(l);
  }
  HWND l = Make("LISTBOX", 0, 9);
  EXPECT_EQ(SendMessage(l, LB_REPLACECONTENT, WPARAM(-1), (LPARAM)kFew.data()), LB_ERR);
  EXPECT_EQ(SendMessage(l, LB_REPLACECONTENT, 2, 0), LB_ERR);
}

// With redraw off the replaced list neither repaints nor moves its bar
// until redraw is on again.
TEST_F(ControlsTest, ListBoxReplaceContentWaitsForRedraw) {
  constexpr int kFirstFill = 40;
  const LPCSTR kRefill[] = {"one", "two"};
  HWND l = Make("LISTBOX", WS_VSCROLL, 9);
  for (int i = 0; i < kFirstFill; ++i) SendMessage(l, LB_ADDSTRING, 0, (LPARAM) "item");
  SendMessage(l, WM_SETREDRAW, FALSE, 0);
  UpdateWindow(l);
  RECT update;
  ASSERT_FALSE(GetUpdateRect(l, &update, FALSE));
  SendMessage(l, LB_REPLACECONTENT, std::size(kRefill), (LPARAM)kRefill);
  EXPECT_FALSE(GetUpdateRect(l, &update, FALSE));
  SCROLLINFO bar{sizeof bar, SIF_RANGE};
  GetScrollInfo(l, SB_VERT, &bar);
  EXPECT_EQ(bar.nMax, kFirstFill - 1);
  SendMessage(l, WM_SETREDRAW, TRUE, 0);
  GetScrollInfo(l, SB_VERT, &bar);
  EXPECT_EQ(bar.nMax, int(std::size(kRefill)) - 1);
  EXPECT_TRUE(GetUpdateRect(l, &update, FALSE));
}

// A scroll bar asked for the position it has keeps its image; a new
// position repaints it.
TEST_F(ControlsTest, ScrollBarRepaintsOnlyWhenItChanges) {
  constexpr int kPos = 30, kNewPos = 31;
  HWND bar = Make("SCROLLBAR", SBS_VERT, 12, "", 16, 100);
  SetScrollRange(bar, SB_CTL, 0, 100, FALSE);
  SetScrollPos(bar, SB_CTL, kPos, FALSE);
  UpdateWindow(bar);
  RECT update;
  ASSERT_FALSE(GetUpdateRect(bar, &update, FALSE));
  EXPECT_EQ(SetScrollPos(bar, SB_CTL, kPos, TRUE), kPos);
  SCROLLINFO same{sizeof same, SIF_RANGE | SIF_POS, 0, 100, 0, kPos, 0};
  SetScrollInfo(bar, SB_CTL, &same, TRUE);
  EXPECT_FALSE(GetUpdateRect(bar, &update, FALSE));
  EXPECT_EQ(SetScrollPos(bar, SB_CTL, kNewPos, TRUE), kPos);
  EXPECT_EQ(GetScrollPos(bar, SB_CTL), kNewPos);
  EXPECT_TRUE(GetUpdateRect(bar, &update, FALSE));
}

TEST_F(ControlsTest, MultipleSelectionListBox) {
  HWND l = Make("LISTBOX", LBS_EXTENDEDSEL, 9);
  for (const char* s : {"a", "b", "c", "d"}) SendMessage(l, LB_ADDSTRING, 0, (LPARAM)s);
  SendMessage(l, LB_SELITEMRANGEEX, 1, 2);
  SendMessage(l, LB_SETSEL, TRUE, 3);
  INT items[4] = {0};
  ASSERT_EQ(SendMessage(l, LB_GETSELITEMS, 4, (LPARAM)items), 3);
  EXPECT_EQ(items[0], 1);
  EXPECT_EQ(items[2], 3);
  EXPECT_EQ(SendMessage(l, LB_SETCURSEL, 0, 0), LB_ERR);
}

TEST_F(ControlsTest, DropListComboSelectsByKeysAndText) {
  HWND c = Make("COMBOBOX", CBS_DROPDOWNLIST, 4, "", 120, 100);
  for (const char* s : {"red", "green", "blue"}) SendMessage(c, CB_ADDSTRING, 0, (LPARAM)s);
  EXPECT_EQ(SendMessage(c, CB_GETCURSEL, 0, 0), CB_ERR);
  EXPECT_EQ(SendMessage(c, WM_SETTEXT, 0, (LPARAM) "purple"), CB_ERR);
  SendMessage(c, WM_SETTEXT, 0, (LPARAM) "GREEN");
  EXPECT_EQ(SendMessage(c, CB_GETCURSEL, 0, 0), 1);
  EXPECT_EQ(Text(c), "green");
  SendMessage(c, WM_KEYDOWN, VK_DOWN, 0);
  EXPECT_EQ(Text(c), "blue");
  SendMessage(c, CB_SHOWDROPDOWN, TRUE, 0);
  EXPECT_TRUE(SendMessage(c, CB_GETDROPPEDSTATE, 0, 0));
  SendMessage(c, WM_KEYDOWN, VK_UP, 0);
  SendMessage(c, WM_KEYDOWN, VK_RETURN, 0);
  EXPECT_FALSE(SendMessage(c, CB_GETDROPPEDSTATE, 0, 0));
  EXPECT_EQ(Text(c), "green");
  std::vector<int> codes;
  for (auto& n : g_notes) codes.push_back(n.second);
  std::vector<int> expected = {CBN_SELCHANGE, CBN_DROPDOWN, CBN_SELCHANGE, CBN_SELENDOK, CBN_CLOSEUP};
  EXPECT_EQ(codes, expected);
}

// A click read after the drop list closed (input of a person faster than
// the display) changes nothing and leaves no capture behind; the list never
// takes the activation.
TEST_F(ControlsTest, AClosedComboListIgnoresLateClicksAndNeverActivates) {
  constexpr int kFirstLineY = 2;  // inside the list's first line
  HWND c = Make("COMBOBOX", CBS_DROPDOWNLIST, 4, "", 120, 100);
  for (const char* s : {"red", "green", "blue"}) SendMessage(c, CB_ADDSTRING, 0, (LPARAM)s);
  SendMessage(c, CB_SETCURSEL, 2, 0);
  SendMessage(c, CB_SHOWDROPDOWN, TRUE, 0);
  HWND list = GetCapture();  // the dropped list tracks the pointer
  ASSERT_NE(list, nullptr);
  EXPECT_EQ(SendMessage(list, WM_MOUSEACTIVATE, reinterpret_cast<WPARAM>(GetParent(c)), 0), MA_NOACTIVATE);
  SendMessage(c, CB_SHOWDROPDOWN, FALSE, 0);
  ASSERT_EQ(GetCapture(), nullptr);
  SendMessage(list, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(1, kFirstLineY));
  EXPECT_EQ(GetCapture(), nullptr);
  SendMessage(list, WM_LBUTTONUP, 0, MAKELPARAM(1, kFirstLineY));
  EXPECT_EQ(SendMessage(c, CB_GETCURSEL, 0, 0), 2);
  EXPECT_FALSE(SendMessage(c, CB_GETDROPPEDSTATE, 0, 0));
  EXPECT_EQ(GetCapture(), nullptr);
}

// A window reading its drop-list combo box while it is destroyed (as a
// dialog page pulls its values) still finds the chosen text.
std::string g_comboTextAtDestroy;
LRESULT CALLBACK ReadComboOnDestroy(HWND h, UINT m, WPARAM w, LPARAM l) {
  if (m == WM_DESTROY) {
    char text[32] = {};
    GetDlgItemText(h, 7, text, sizeof text);
    g_comboTextAtDestroy = text;
  }
  return DefWindowProc(h, m, w, l);
}

TEST_F(ControlsTest, DropListComboKeepsItsTextWhileItsWindowIsDestroyed) {
  HWND top = ui_test::MakeTop(200, 100, WS_POPUP | WS_VISIBLE, ReadComboOnDestroy);
  HWND c = CreateWindowEx(0, "COMBOBOX", "", WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST, 0, 0, 120, 100, top,
                          reinterpret_cast<HMENU>(7), nullptr, nullptr);
  for (const char* s : {"9600", "115200"}) SendMessage(c, CB_ADDSTRING, 0, (LPARAM)s);
  SendMessage(c, CB_SETCURSEL, 1, 0);
  DestroyWindow(top);
  EXPECT_EQ(g_comboTextAtDestroy, "115200");
}

TEST_F(ControlsTest, DropDownComboEditsItsText) {
  HWND c = Make("COMBOBOX", CBS_DROPDOWN, 4, "", 120, 100);
  HWND edit = GetDlgItem(c, 1001);
  ASSERT_NE(edit, nullptr);
  SendMessage(c, CB_ADDSTRING, 0, (LPARAM) "COM1");
  SendMessage(c, CB_SETCURSEL, 0, 0);
  EXPECT_EQ(Text(edit), "COM1");
  SendMessage(edit, EM_SETSEL, 0, -1);
  SendMessage(edit, WM_CHAR, 'x', 1);
  EXPECT_EQ(Text(c), "x");
  std::vector<std::pair<int, int>> tail(g_notes.end() - 2, g_notes.end());
  std::vector<std::pair<int, int>> expected = {{4, CBN_EDITUPDATE}, {4, CBN_EDITCHANGE}};
  EXPECT_EQ(tail, expected);
}

TEST_F(ControlsTest, ButtonCheckStatesAndClicks) {
  struct Case {
    DWORD style;
    std::vector<int> checks;  // after each click
  };
  const Case cases[] = {{BS_AUTOCHECKBOX, {1, 0, 1}},
                        {BS_AUTO3STATE, {1, 2, 0}},
                        {BS_CHECKBOX, {0, 0, 0}},
                        {BS_AUTORADIOBUTTON, {1, 1, 1}},
                        {BS_PUSHBUTTON, {0, 0, 0}}};
  for (const Case& c : cases) {
    HWND b = Make("BUTTON", c.style, 5, "B");
    g_notes.clear();
    for (int expected : c.checks) {
      SendMessage(b, BM_CLICK, 0, 0);
      EXPECT_EQ(SendMessage(b, BM_GETCHECK, 0, 0), expected) << c.style;
    }
    EXPECT_EQ(g_notes.size(), c.checks.size());
    DestroyWindow(b);
  }
  HWND b = Make("BUTTON", BS_PUSHBUTTON, 5, "B");
  EnableWindow(b, FALSE);
  g_notes.clear();
  SendMessage(b, BM_CLICK, 0, 0);
  EXPECT_TRUE(g_notes.empty());
}

TEST_F(ControlsTest, AutoRadioButtonsUncheckTheirGroup) {
  HWND r1 = Make("BUTTON", BS_AUTORADIOBUTTON | WS_GROUP, 1, "1");
  HWND r2 = Make("BUTTON", BS_AUTORADIOBUTTON, 2, "2");
  HWND other = Make("BUTTON", BS_AUTORADIOBUTTON | WS_GROUP, 3, "3");
  SendMessage(other, BM_CLICK, 0, 0);
  SendMessage(r1, BM_CLICK, 0, 0);
  SendMessage(r2, BM_CLICK, 0, 0);
  EXPECT_EQ(SendMessage(r1, BM_GETCHECK, 0, 0), 0);
  EXPECT_EQ(SendMessage(r2, BM_GETCHECK, 0, 0), 1);
  EXPECT_EQ(SendMessage(other, BM_GETCHECK, 0, 0), 1);
  EXPECT_TRUE(GetWindowLong(r2, GWL_STYLE) & WS_TABSTOP);
}

TEST_F(ControlsTest, MouseClickOnButtonThroughQtInput) {
  HWND b = Make("BUTTON", BS_AUTOCHECKBOX, 6, "Check", 100, 20);
  RECT r;
  GetWindowRect(b, &r);
  ui_test::Mouse(b, QEvent::MouseButtonPress, 5, 5, Qt::LeftButton, Qt::LeftButton);
  ui_test::Mouse(b, QEvent::MouseButtonRelease, 5, 5, Qt::LeftButton, 0);
  PumpWaitingMessages();
  EXPECT_EQ(SendMessage(b, BM_GETCHECK, 0, 0), 1);
  EXPECT_EQ(GetFocus(), b);
  ASSERT_FALSE(g_notes.empty());
  EXPECT_EQ(g_notes.back(), std::make_pair(6, static_cast<int>(BN_CLICKED)));
}

TEST_F(ControlsTest, CheckListBoxTogglesItsBoxes) {
  CCheckListBox list;
  ASSERT_TRUE(
      list.Create(WS_VISIBLE | WS_BORDER | LBS_NOTIFY, CRect(0, 0, 150, 100), CWnd::FromHandle(top_), 31));
  list.AddString("alpha");
  list.AddString("beta");
  list.InsertString(0, "first");
  list.SetCheck(1, 1);  // "alpha"
  list.DeleteString(0);
  EXPECT_EQ(list.GetCheck(0), 1);  // the state moved with its item
  EXPECT_EQ(list.GetCheck(1), 0);
  RECT r;
  list.GetItemRect(1, &r);
  g_notes.clear();
  list.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, r.top + 2));  // on the box
  list.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(5, r.top + 2));
  EXPECT_EQ(list.GetCheck(1), 1);
  list.Enable(1, FALSE);
  list.SendMessage(WM_KEYDOWN, VK_SPACE, 0);  // the caret item is disabled
  EXPECT_EQ(list.GetCheck(1), 1);
  bool toggled = false;
  for (auto& n : g_notes) toggled |= n == std::make_pair(31, static_cast<int>(CCheckListBox::CLBN_CHKCHANGE));
  EXPECT_TRUE(toggled);
  const LPCSTR kReplaced[] = {"gamma", "delta"};
  EXPECT_EQ(list.ReplaceContent(int(std::size(kReplaced)), kReplaced), int(std::size(kReplaced)));
  EXPECT_EQ(list.GetCheck(1), 0);  // new items, new boxes
  list.SetCheck(1, 1);
  EXPECT_EQ(list.GetCheck(1), 1);
  list.DestroyWindow();
}

std::vector<int> g_scrolls;
LRESULT CALLBACK SpinParent(HWND h, UINT m, WPARAM w, LPARAM l) {
  if (m == WM_VSCROLL && LOWORD(w) == SB_THUMBPOSITION) g_scrolls.push_back(static_cast<short>(HIWORD(w)));
  if (m == WM_NOTIFY && reinterpret_cast<NMHDR*>(l)->code == UDN_DELTAPOS)
    return reinterpret_cast<NMUPDOWN*>(l)->iPos + reinterpret_cast<NMUPDOWN*>(l)->iDelta == 3;  // refuse 3
  return Recorder(h, m, w, l);
}

TEST_F(ControlsTest, SpinButtonStepsItsBuddy) {
  SetWindowLongPtr(top_, GWL_WNDPROC, reinterpret_cast<LONG_PTR>(&SpinParent));
  g_scrolls.clear();
  HWND edit = Make("EDIT", 0, 20, "", 60, 20);
  HWND spin =
      Make(UPDOWN_CLASS, UDS_AUTOBUDDY | UDS_SETBUDDYINT | UDS_ALIGNRIGHT | UDS_ARROWKEYS, 21, "", 12, 20);
  EXPECT_EQ(reinterpret_cast<HWND>(SendMessage(spin, UDM_GETBUDDY, 0, 0)), edit);
  RECT er, sr;
  GetWindowRect(edit, &er);
  GetWindowRect(spin, &sr);
  EXPECT_EQ(er.right, sr.left);  // placed at the buddy's right edge
  SendMessage(spin, UDM_SETRANGE32, 0, 4);
  SendMessage(spin, UDM_SETPOS, 0, 1);
  EXPECT_EQ(Text(edit), "1");
  SendMessage(edit, WM_KEYDOWN, VK_UP, 0);                           // 2
  SendMessage(edit, WM_KEYDOWN, VK_UP, 0);                           // 3 refused by the parent
  SendMessage(spin, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 18));  // lower half: down to 1
  SendMessage(spin, WM_LBUTTONUP, 0, MAKELPARAM(2, 18));
  EXPECT_EQ(g_scrolls, (std::vector<int>{2, 1}));
  SetWindowText(edit, "4");
  EXPECT_EQ(LOWORD(SendMessage(spin, UDM_GETPOS, 0, 0)), 4);
  SetWindowText(edit, "x");
  EXPECT_NE(HIWORD(SendMessage(spin, UDM_GETPOS, 0, 0)), 0);
}

TEST_F(ControlsTest, ProgressBarRangeAndSteps) {
  HWND p = Make(PROGRESS_CLASS, 0, 22, "", 100, 10);
  EXPECT_EQ(SendMessage(p, PBM_SETRANGE, 0, MAKELPARAM(0, 50)), MAKELONG(0, 100));
  SendMessage(p, PBM_SETSTEP, 20, 0);
  SendMessage(p, PBM_STEPIT, 0, 0);
  SendMessage(p, PBM_STEPIT, 0, 0);
  EXPECT_EQ(SendMessage(p, PBM_GETPOS, 0, 0), 40);
  SendMessage(p, PBM_STEPIT, 0, 0);  // past the end it starts over
  EXPECT_EQ(SendMessage(p, PBM_GETPOS, 0, 0), 10);
  EXPECT_EQ(SendMessage(p, PBM_SETPOS, 80, 0), 10);
  EXPECT_EQ(SendMessage(p, PBM_GETPOS, 0, 0), 50);
}

}  // namespace
