// Drag and drop: a drag driven by the test reaches the registered target
// of the window under it with the data, byte for byte.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "../ui/ui_test_support.h"
#include "global_bytes.h"
#include "platform/ui/afxole.h"
#include "platform/ui/clipboard.h"

namespace {

std::string ReadAndFree(HGLOBAL h) {
  std::string s = BlockBytes(h);
  GlobalFree(h);
  return s;
}

class RecordingTarget : public COleDropTarget {
 public:
  std::vector<std::string> calls;
  std::string text;
  CPoint dropPoint;
  bool accept = true;
  DROPEFFECT OnDragEnter(CWnd*, COleDataObject* d, DWORD keys, CPoint) override {
    calls.push_back("enter");
    return Effect(d, keys);
  }
  DROPEFFECT OnDragOver(CWnd*, COleDataObject* d, DWORD keys, CPoint) override {
    calls.push_back("over");
    return Effect(d, keys);
  }
  void OnDragLeave(CWnd*) override { calls.push_back("leave"); }
  BOOL OnDrop(CWnd*, COleDataObject* d, DROPEFFECT effect, CPoint p) override {
    calls.push_back(effect == DROPEFFECT_COPY ? "drop copy" : "drop move");
    text = ReadAndFree(d->GetGlobalData(CF_TEXT));
    dropPoint = p;
    return TRUE;
  }

 private:
  DROPEFFECT Effect(COleDataObject* d, DWORD keys) const {
    if (!accept || !d->IsDataAvailable(CF_TEXT)) return DROPEFFECT_NONE;
    return (keys & MK_CONTROL) ? DROPEFFECT_COPY : DROPEFFECT_MOVE;
  }
};

class DragDropTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(AfxOleInit());
    top_ = ui_test::MakeTop(300, 200, WS_POPUP | WS_VISIBLE);
    child_ = CreateWindowEx(0, "STATIC", "", WS_CHILD | WS_VISIBLE, 10, 10, 100, 50, top_, nullptr, nullptr,
                            nullptr);
    ASSERT_TRUE(target_.Register(CWnd::FromHandle(top_)));
  }
  void TearDown() override {
    target_.Revoke();
    DestroyWindow(top_);
  }
  HWND top_ = nullptr, child_ = nullptr;
  RecordingTarget target_;
};

const std::string kBlock = std::string("col1  \r\ncol2\xb7\r\n\0marker", 21);

TEST_F(DragDropTest, DropOnARegisteredTargetCallsItsHandlersWithTheData) {
  struct Case {
    DWORD keys;
    DROPEFFECT allowed;
    DROPEFFECT result;
    const char* drop;
  };
  const Case cases[] = {{MK_CONTROL, DROPEFFECT_COPY | DROPEFFECT_MOVE, DROPEFFECT_COPY, "drop copy"},
                        {0, DROPEFFECT_COPY | DROPEFFECT_MOVE, DROPEFFECT_MOVE, "drop move"},
                        {0, DROPEFFECT_COPY, DROPEFFECT_NONE, nullptr}};  // move not allowed
  for (const Case& c : cases) {
    target_.calls.clear();
    target_.text.clear();
    COleDataSource source;
    source.CacheGlobalData(CF_TEXT, BytesBlock(kBlock));
    // Dropped on the child: the parent's target takes it, in its own coordinates.
    plat::PushDropPlan({child_, {5, 6}, c.keys});
    EXPECT_EQ(source.DoDragDrop(c.allowed), c.result);
    if (c.drop) {
      EXPECT_EQ(target_.calls, (std::vector<std::string>{"enter", "over", c.drop}));
      EXPECT_EQ(target_.text, kBlock);
      EXPECT_EQ(target_.dropPoint, CPoint(15, 16));
    } else {
      EXPECT_EQ(target_.calls, (std::vector<std::string>{"enter", "over", "leave"}));
    }
  }
}

TEST_F(DragDropTest, UnplannedDragInAHeadlessRunDropsNothing) {
  COleDataSource source;
  source.CacheGlobalData(CF_TEXT, BytesBlock("x"));
  EXPECT_EQ(source.DoDragDrop(), DROPEFFECT_NONE);
  EXPECT_TRUE(target_.calls.empty());
}

TEST_F(DragDropTest, RefusedDataLeavesTheTarget) {
  UINT other = RegisterClipboardFormat("MirtOther");
  target_.accept = false;
  auto data = std::make_shared<OleFormats>();
  data->items.emplace_back(static_cast<CLIPFORMAT>(other), std::vector<unsigned char>{1, 2});
  EXPECT_EQ(mirt_ui::DropOn(top_, data, POINT{1, 1}, 0, DROPEFFECT_COPY), DROPEFFECT_NONE);
  EXPECT_EQ(target_.calls, (std::vector<std::string>{"enter", "over", "leave"}));
}

TEST_F(DragDropTest, DataSourceFillsTheClipboard) {
  COleDataSource source;
  source.CacheGlobalData(CF_TEXT, BytesBlock(kBlock));
  source.SetClipboard();
  COleDataObject obj;
  ASSERT_TRUE(obj.AttachClipboard());
  ASSERT_TRUE(obj.IsDataAvailable(CF_TEXT));
  EXPECT_EQ(ReadAndFree(obj.GetGlobalData(CF_TEXT)), kBlock);
}

}  // namespace
