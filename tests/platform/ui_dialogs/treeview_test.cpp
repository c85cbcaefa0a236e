// The tree view through CTreeCtrl: insertion order and sorting, navigation,
// expanding with its notifications, selection by keys and mouse, in-place
// label editing, deletion.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "../ui/ui_test_support.h"
#include "platform/ui/afxcmn.h"
#include "platform/ui/afxctrl.h"

namespace {

std::vector<std::string> g_events;
bool g_acceptEdit = true;
bool g_vetoExpand = false;

LRESULT CALLBACK TreeParent(HWND h, UINT m, WPARAM w, LPARAM l) {
  if (m == WM_NOTIFY) {
    auto* hdr = reinterpret_cast<NMHDR*>(l);
    switch (hdr->code) {
      case TVN_SELCHANGING:
        g_events.push_back("selchanging");
        break;
      case TVN_SELCHANGED: {
        auto* nm = reinterpret_cast<NMTREEVIEW*>(l);
        g_events.push_back(std::string("selchanged ") + std::to_string(nm->action));
        break;
      }
      case TVN_ITEMEXPANDING:
        g_events.push_back("expanding");
        return g_vetoExpand;
      case TVN_ITEMEXPANDED:
        g_events.push_back("expanded");
        break;
      case TVN_BEGINLABELEDIT:
        g_events.push_back("beginedit");
        break;
      case TVN_ENDLABELEDIT: {
        auto* di = reinterpret_cast<NMTVDISPINFO*>(l);
        g_events.push_back(std::string("endedit ") + (di->item.pszText ? di->item.pszText : "(cancel)"));
        return g_acceptEdit;
      }
      case TVN_DELETEITEM:
        g_events.push_back("delete");
        break;
      case TVN_GETDISPINFO: {
        auto* di = reinterpret_cast<NMTVDISPINFO*>(l);
        if (di->item.mask & TVIF_TEXT) lstrcpyn(di->item.pszText, "called back", di->item.cchTextMax);
        break;
      }
    }
    return 0;
  }
  return DefWindowProc(h, m, w, l);
}

class TreeTest : public ::testing::Test {
 protected:
  void SetUp() override {
    top_ = ui_test::MakeTop(300, 300, WS_POPUP | WS_VISIBLE, TreeParent);
    ASSERT_TRUE(tree_.Create(
        WS_VISIBLE | WS_BORDER | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT | TVS_EDITLABELS,
        CRect(0, 0, 200, 200), CWnd::FromHandle(top_), 5));
    g_events.clear();
    g_acceptEdit = true;
    g_vetoExpand = false;
  }
  void TearDown() override {
    tree_.DestroyWindow();
    DestroyWindow(top_);
  }
  HWND top_ = nullptr;
  CTreeCtrl tree_;
};

TEST_F(TreeTest, StructureAndNavigation) {
  HTREEITEM a = tree_.InsertItem("a");
  HTREEITEM c = tree_.InsertItem("c");
  HTREEITEM b = tree_.InsertItem("b", TVI_ROOT, TVI_SORT);
  HTREEITEM first = tree_.InsertItem("first", TVI_ROOT, TVI_FIRST);
  HTREEITEM a1 = tree_.InsertItem("a1", a);
  HTREEITEM a2 = tree_.InsertItem("a2", a, a1);
  EXPECT_EQ(tree_.GetCount(), 6u);
  std::vector<std::string> roots;
  for (HTREEITEM i = tree_.GetRootItem(); i; i = tree_.GetNextSiblingItem(i))
    roots.push_back((LPCSTR)tree_.GetItemText(i));
  EXPECT_EQ(roots, (std::vector<std::string>{"first", "a", "b", "c"}));
  EXPECT_EQ(tree_.GetChildItem(a), a1);
  EXPECT_EQ(tree_.GetNextSiblingItem(a1), a2);
  EXPECT_EQ(tree_.GetParentItem(a2), a);
  EXPECT_EQ(tree_.GetParentItem(a), nullptr);
  EXPECT_EQ(tree_.GetPrevSiblingItem(b), a);
  EXPECT_TRUE(tree_.ItemHasChildren(a));
  EXPECT_FALSE(tree_.ItemHasChildren(c));
  // Collapsed children are not visible rows.
  EXPECT_EQ(tree_.GetNextVisibleItem(a), b);
  tree_.Expand(a, TVE_EXPAND);
  EXPECT_EQ(tree_.GetNextVisibleItem(a), a1);
  EXPECT_EQ(tree_.GetItemState(a, TVIS_EXPANDED), static_cast<UINT>(TVIS_EXPANDED));
  tree_.SetItemData(a2, 42);
  EXPECT_EQ(tree_.GetItemData(a2), 42u);
  tree_.SetItemText(c, LPSTR_TEXTCALLBACK);
  EXPECT_STREQ(tree_.GetItemText(c), "called back");
  (void)first;
}

TEST_F(TreeTest, ExpandingNotifiesAndCanBeRefused) {
  HTREEITEM a = tree_.InsertItem("a");
  tree_.InsertItem("a1", a);
  HTREEITEM leaf = tree_.InsertItem("leaf");
  EXPECT_TRUE(tree_.Expand(a, TVE_TOGGLE));
  EXPECT_FALSE(tree_.Expand(leaf, TVE_EXPAND));  // nothing to show
  g_vetoExpand = true;
  EXPECT_FALSE(tree_.Expand(a, TVE_COLLAPSE));
  EXPECT_TRUE(tree_.GetItemState(a, TVIS_EXPANDED));
  EXPECT_EQ(g_events, (std::vector<std::string>{"expanding", "expanded", "expanding"}));
}

TEST_F(TreeTest, KeysAndMouseSelect) {
  HTREEITEM a = tree_.InsertItem("a");
  HTREEITEM a1 = tree_.InsertItem("a1", a);
  HTREEITEM b = tree_.InsertItem("b");
  tree_.SelectItem(a);
  g_events.clear();
  tree_.SetFocus();
  struct Step {
    WPARAM key;
    HTREEITEM selected;
    bool expanded;
  };
  const Step steps[] = {{VK_RIGHT, a, true}, {VK_RIGHT, a1, true}, {VK_DOWN, b, true},
                        {VK_UP, a1, true},   {VK_LEFT, a, true},   {VK_LEFT, a, false}};
  for (const Step& s : steps) {
    tree_.SendMessage(WM_KEYDOWN, s.key, 0);
    EXPECT_EQ(tree_.GetSelectedItem(), s.selected) << s.key;
    EXPECT_EQ(tree_.GetItemState(a, TVIS_EXPANDED) != 0, s.expanded) << s.key;
  }
  RECT r;
  ASSERT_TRUE(tree_.GetItemRect(b, &r, TRUE));
  UINT flags = 0;
  EXPECT_EQ(tree_.HitTest(CPoint(r.left + 2, r.top + 2), &flags), b);
  EXPECT_EQ(flags, static_cast<UINT>(TVHT_ONITEMLABEL));
  g_events.clear();
  tree_.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(r.left + 2, r.top + 2));
  tree_.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(r.left + 2, r.top + 2));
  EXPECT_EQ(tree_.GetSelectedItem(), b);
  EXPECT_EQ(g_events, (std::vector<std::string>{"selchanging", "selchanged 1"}));
}

TEST_F(TreeTest, LabelEditing) {
  HTREEITEM a = tree_.InsertItem("old");
  struct Case {
    bool accept;
    WPARAM key;
    const char* typed;
    const char* result;
    const char* event;
  };
  const Case cases[] = {{true, VK_RETURN, "new", "new", "endedit new"},
                        {false, VK_RETURN, "other", "new", "endedit other"},
                        {true, VK_ESCAPE, "gone", "new", "endedit (cancel)"}};
  for (const Case& c : cases) {
    g_events.clear();
    g_acceptEdit = c.accept;
    CEdit* edit = tree_.EditLabel(a);
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(tree_.GetEditControl()->m_hWnd, edit->m_hWnd);
    HWND e = edit->m_hWnd;
    ::SetWindowText(e, c.typed);
    ::SendMessage(e, WM_KEYDOWN, c.key, 0);
    EXPECT_FALSE(::IsWindow(e));
    EXPECT_STREQ(tree_.GetItemText(a), c.result);
    EXPECT_EQ(g_events, (std::vector<std::string>{"beginedit", c.event}));
  }
}

TEST_F(TreeTest, DeletingReportsEachItemAndClearsTheSelection) {
  HTREEITEM a = tree_.InsertItem("a");
  HTREEITEM a1 = tree_.InsertItem("a1", a);
  tree_.InsertItem("a2", a);
  tree_.Expand(a, TVE_EXPAND);
  tree_.SelectItem(a1);
  g_events.clear();
  EXPECT_TRUE(tree_.DeleteItem(a));
  EXPECT_EQ(g_events, (std::vector<std::string>{"delete", "delete", "delete"}));
  EXPECT_EQ(tree_.GetCount(), 0u);
  EXPECT_EQ(tree_.GetSelectedItem(), nullptr);
  EXPECT_FALSE(tree_.DeleteItem(a));  // a stale handle
}

TEST_F(TreeTest, ScrollCodesMoveItsFirstVisibleRow) {
  constexpr int kItems = 40;
  std::vector<HTREEITEM> items;
  for (int i = 0; i < kItems; ++i) items.push_back(tree_.InsertItem(("item " + std::to_string(i)).c_str()));
  const int page = static_cast<int>(tree_.GetVisibleCount());
  const int lastTop = kItems - page;
  constexpr int kThumb = 7;
  for (const auto& step : ui_test::ScrollSteps(page, lastTop, kThumb)) {
    tree_.SendMessage(WM_VSCROLL, MAKEWPARAM(step.code, kThumb), 0);
    EXPECT_EQ(tree_.GetFirstVisibleItem(), items[step.top]) << step.code;
  }
}

}  // namespace
