// Views as drop targets: a view that registers a drop target gets the
// drag's enter, over, drop and leave calls with the data and its own
// client coordinates.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "afx_test_support.h"
#include "platform/ui/afxole.h"
#include "platform/ui/clipboard.h"
#include "ui_test_support.h"

namespace {

class DropView : public CView {
 public:
  COleDropTarget target;
  DROPEFFECT answer = DROPEFFECT_COPY;
  std::vector<std::string> calls;
  std::string dropped;
  CPoint dropPoint;

  void OnDraw(CDC*) override {}
  DROPEFFECT OnDragEnter(COleDataObject* d, DWORD, CPoint) override {
    calls.push_back("enter");
    return d->IsDataAvailable(CF_TEXT) ? answer : DROPEFFECT_NONE;
  }
  DROPEFFECT OnDragOver(COleDataObject* d, DWORD keys, CPoint) override {
    calls.push_back("over");
    if (!d->IsDataAvailable(CF_TEXT)) return DROPEFFECT_NONE;
    return (keys & MK_CONTROL) ? DROPEFFECT_COPY : answer;
  }
  void OnDragLeave() override { calls.push_back("leave"); }
  BOOL OnDrop(COleDataObject* d, DROPEFFECT effect, CPoint point) override {
    calls.push_back(effect == DROPEFFECT_COPY ? "drop copy" : "drop move");
    HGLOBAL h = d->GetGlobalData(CF_TEXT);
    if (h) {
      dropped = static_cast<const char*>(::GlobalLock(h));
      ::GlobalUnlock(h);
      ::GlobalFree(h);
    }
    dropPoint = point;
    return TRUE;
  }
};

std::shared_ptr<const OleFormats> Text(const char* s) {
  auto f = std::make_shared<OleFormats>();
  f->items.push_back({CF_TEXT, std::vector<unsigned char>(s, s + std::strlen(s) + 1)});
  return f;
}

class ViewDropTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ui_test::EnsureApp();
    ASSERT_TRUE(AfxOleInit());
    top = ui_test::MakeTop(300, 200, WS_POPUP | WS_VISIBLE);
    view = new DropView;
    ASSERT_TRUE(view->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(20, 20, 220, 170),
                             CWnd::FromHandle(top), AFX_IDW_PANE_FIRST));
    ASSERT_TRUE(view->target.Register(view));
    inner = ::CreateWindowEx(0, "STATIC", "", WS_CHILD | WS_VISIBLE, 50, 40, 60, 30, view->m_hWnd, nullptr,
                             nullptr, nullptr);
  }
  void TearDown() override {
    view->target.Revoke();
    ::DestroyWindow(top);  // the view deletes itself
  }
  HWND top = nullptr, inner = nullptr;
  DropView* view = nullptr;
};

TEST_F(ViewDropTest, RegisteredViewGetsTheDragCallbacks) {
  struct Case {
    const char* what;
    DROPEFFECT answer;
    DWORD keys;
    DROPEFFECT allowed;
    DROPEFFECT result;
    std::vector<std::string> calls;
  };
  const DROPEFFECT both = DROPEFFECT_COPY | DROPEFFECT_MOVE;
  const Case cases[] = {
      {"move", DROPEFFECT_MOVE, 0, both, DROPEFFECT_MOVE, {"enter", "over", "drop move"}},
      {"copy by key", DROPEFFECT_MOVE, MK_CONTROL, both, DROPEFFECT_COPY, {"enter", "over", "drop copy"}},
      {"refused", DROPEFFECT_NONE, 0, both, DROPEFFECT_NONE, {"enter", "over", "leave"}},
      {"effect not allowed",
       DROPEFFECT_MOVE,
       0,
       DROPEFFECT_COPY,
       DROPEFFECT_NONE,
       {"enter", "over", "leave"}},
  };
  for (const Case& c : cases) {
    view->calls.clear();
    view->dropped.clear();
    view->answer = c.answer;
    EXPECT_EQ(mirt_ui::DropOn(view->m_hWnd, Text("dropped text"), POINT{30, 25}, c.keys, c.allowed), c.result)
        << c.what;
    EXPECT_EQ(view->calls, c.calls) << c.what;
    EXPECT_EQ(view->dropped, c.result ? "dropped text" : "") << c.what;
  }
}

// A drop on a window inside the view reaches the view, at the point in the
// view's own coordinates.
TEST_F(ViewDropTest, DropOnAChildReachesTheViewInItsCoordinates) {
  view->answer = DROPEFFECT_COPY;
  EXPECT_EQ(mirt_ui::DropOn(inner, Text("x"), POINT{5, 7}, 0, DROPEFFECT_COPY), DROPEFFECT_COPY);
  EXPECT_EQ(view->dropped, "x");
  EXPECT_EQ(view->dropPoint, CPoint(55, 47));
}

// Without a registered target the view's callbacks are never called.
TEST_F(ViewDropTest, UnregisteredViewTakesNoDrops) {
  view->target.Revoke();
  EXPECT_EQ(mirt_ui::DropOn(view->m_hWnd, Text("x"), POINT{30, 25}, 0, DROPEFFECT_COPY), DROPEFFECT_NONE);
  EXPECT_TRUE(view->calls.empty());
}

}  // namespace
