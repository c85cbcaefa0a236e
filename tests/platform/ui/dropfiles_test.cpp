// Files dropped from other programs: WS_EX_ACCEPTFILES, WM_DROPFILES and
// the HDROP readers, from a direct drop and from a Qt drop of file URLs.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>
#include <QWidget>
#include <string>
#include <vector>

#include "platform/ui/dropfiles.h"
#include "platform/ui/message.h"
#include "platform/ui/window.h"
#include "platform/ui/wnd_obj.h"
#include "ui_test_support.h"

namespace {

constexpr int kDropTopWidth = 300;
constexpr int kDropTopHeight = 200;
constexpr int kDropChildLeft = 40;
constexpr int kDropChildTop = 30;
constexpr POINT kDropPointInChild = {5, 7};

struct DropSeen {
  HWND hwnd = nullptr;
  std::vector<std::string> paths;
  POINT point{};
  BOOL inClient = FALSE;
  UINT lengthOfFirst = 0;
  std::string cutFirst;
};
DropSeen g_dropSeen;
constexpr UINT kDropCutBuffer = 4;

LRESULT CALLBACK DropTestProc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg != WM_DROPFILES) return DefWindowProc(h, msg, wp, lp);
  HDROP drop = reinterpret_cast<HDROP>(wp);
  g_dropSeen.hwnd = h;
  UINT count = DragQueryFile(drop, 0xFFFFFFFF, nullptr, 0);
  for (UINT i = 0; i < count; ++i) {
    char path[MAX_PATH] = {};
    DragQueryFile(drop, i, path, MAX_PATH);
    g_dropSeen.paths.push_back(path);
  }
  g_dropSeen.lengthOfFirst = DragQueryFile(drop, 0, nullptr, 0);
  char cut[kDropCutBuffer] = {};
  DragQueryFile(drop, 0, cut, kDropCutBuffer);
  g_dropSeen.cutFirst = cut;
  g_dropSeen.inClient = DragQueryPoint(drop, &g_dropSeen.point);
  DragFinish(drop);
  return 0;
}

class DropFilesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ui_test::EnsureApp();
    g_dropSeen = DropSeen();
    top = ui_test::MakeTop(kDropTopWidth, kDropTopHeight, WS_POPUP | WS_VISIBLE, DropTestProc);
    child = CreateWindowEx(0, "STATIC", "", WS_CHILD | WS_VISIBLE, kDropChildLeft, kDropChildTop, 100, 50,
                           top, nullptr, nullptr, nullptr);
  }
  void TearDown() override { DestroyWindow(top); }
  void Pump() {
    for (int i = 0; i < 3; ++i) PumpWaitingMessages();
  }
  HWND top = nullptr;
  HWND child = nullptr;
};

TEST_F(DropFilesTest, AWindowThatAcceptsFilesGetsThemWithThePointInItsClientArea) {
  const std::vector<std::string> kPaths = {"/tmp/first file.c", "/tmp/second.h"};
  EXPECT_FALSE(mirt_ui::DropFiles(child, kPaths, kDropPointInChild)) << "nobody accepts files yet";
  DragAcceptFiles(top, TRUE);
  EXPECT_TRUE(GetWindowLongPtr(top, GWL_EXSTYLE) & WS_EX_ACCEPTFILES);
  ASSERT_TRUE(mirt_ui::DropFiles(child, kPaths, kDropPointInChild));
  Pump();
  EXPECT_EQ(g_dropSeen.hwnd, top) << "the drop goes up to the window that accepts files";
  EXPECT_EQ(g_dropSeen.paths, kPaths);
  EXPECT_EQ(g_dropSeen.point.x, kDropChildLeft + kDropPointInChild.x);
  EXPECT_EQ(g_dropSeen.point.y, kDropChildTop + kDropPointInChild.y);
  EXPECT_TRUE(g_dropSeen.inClient);
  EXPECT_EQ(g_dropSeen.lengthOfFirst, kPaths[0].size());
  EXPECT_EQ(g_dropSeen.cutFirst, kPaths[0].substr(0, kDropCutBuffer - 1));
}

TEST_F(DropFilesTest, AFinishedOrMadeUpDropReadsAsEmpty) {
  HDROP made = reinterpret_cast<HDROP>(&g_dropSeen);
  char path[MAX_PATH] = "untouched";
  EXPECT_EQ(DragQueryFile(made, 0xFFFFFFFF, nullptr, 0), 0u);
  EXPECT_EQ(DragQueryFile(made, 0, path, MAX_PATH), 0u);
  EXPECT_STREQ(path, "untouched");
  POINT point{};
  EXPECT_FALSE(DragQueryPoint(made, &point));
  DragFinish(made);  // no effect, no crash
}

TEST_F(DropFilesTest, AQtDropOfLocalFileUrlsBecomesWmDropFiles) {
  DragAcceptFiles(top, TRUE);
  // Qt gives a drop to the nearest widget that accepts drops: the top one.
  QWidget* widget = mirt_ui::WidgetOf(top);
  ASSERT_NE(widget, nullptr);
  EXPECT_TRUE(widget->acceptDrops());
  QMimeData data;
  data.setUrls({QUrl::fromLocalFile("/tmp/dropped.c"), QUrl("https://example.invalid/page")});
  constexpr QPointF kAt(kDropChildLeft + kDropPointInChild.x, kDropChildTop + kDropPointInChild.y);
  QDragEnterEvent enter(kAt.toPoint(), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(widget, &enter);
  EXPECT_TRUE(enter.isAccepted());
  QDropEvent drop(kAt, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(widget, &drop);
  Pump();
  EXPECT_EQ(g_dropSeen.hwnd, top);
  EXPECT_EQ(g_dropSeen.point.x, kAt.x());
  EXPECT_EQ(g_dropSeen.point.y, kAt.y());
  EXPECT_EQ(g_dropSeen.paths, std::vector<std::string>{"/tmp/dropped.c"}) << "only local files are passed on";
  EXPECT_TRUE(drop.isAccepted());
}

TEST_F(DropFilesTest, AQtDropWithoutFilesOrOnAWindowThatRefusesThemIsIgnored) {
  QWidget* widget = mirt_ui::WidgetOf(top);
  ASSERT_NE(widget, nullptr);
  QMimeData data;
  data.setUrls({QUrl::fromLocalFile("/tmp/dropped.c")});
  QDragEnterEvent enter(QPoint(1, 1), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(widget, &enter);
  EXPECT_FALSE(enter.isAccepted());
  QDropEvent drop(QPointF(1, 1), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(widget, &drop);
  Pump();
  EXPECT_EQ(g_dropSeen.hwnd, nullptr);
}

}  // namespace
