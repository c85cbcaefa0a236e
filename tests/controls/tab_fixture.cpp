#include "tests/controls/tab_fixture.h"

#include <QDir>
#include <QString>

#include "tests/support/test_support.h"
#include "ui_test_support.h"

namespace tab_test {

LRESULT TabParent::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message < WM_TABSEL || message > WM_TABREACTIVATE) return CWnd::WindowProc(message, wParam, lParam);
  TabNotice notice{message, wParam, -1, -1, -1};
  if (message == WM_TABSEL && lParam) {
    const auto* info = reinterpret_cast<const TabActivateInfo*>(lParam);
    notice.ctrlId = info->nCtrlID;
    notice.newTab = info->nNewTab;
    notice.oldTab = info->nOldTab;
  }
  notices.push_back(notice);
  return 0;
}

void ExpectNotices(const TabParent& parent, const std::vector<ExpectedNotice>& expected) {
  ASSERT_EQ(parent.notices.size(), expected.size());
  for (size_t i = 0; i < expected.size(); ++i) {
    EXPECT_EQ(parent.notices[i].message, expected[i].message) << "notice " << i;
    EXPECT_EQ(parent.notices[i].wParam, expected[i].wParam) << "notice " << i;
  }
}

void SaveTabPicture(HWND hWnd, const std::string& name) {
  ::RedrawWindow(hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  const QString dir = QString::fromStdString(mirt_test::ProgramDir()) + "/../pictures/controls";
  QDir().mkpath(dir);
  ui_test::Picture(hWnd).save(dir + "/tab_" + QString::fromStdString(name) + ".png");
}

}  // namespace tab_test
