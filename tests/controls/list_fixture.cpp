#include "tests/controls/list_fixture.h"

#include <QDir>
#include <QString>

#include "tests/support/test_support.h"
#include "ui_test_support.h"

namespace list_test {

LRESULT NotifyOwner::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message != WM_NOTIFY) return CWnd::WindowProc(message, wParam, lParam);
  auto* hdr = reinterpret_cast<NMHDR*>(lParam);
  Notice notice{hdr->code, -1, -1, {}, 0};
  switch (hdr->code) {
    case LVN_INSERTITEM:
    case LVN_DELETEITEM:
    case LVN_COLUMNCLICK: {
      auto* nm = reinterpret_cast<NMLISTVIEW*>(lParam);
      notice.item = nm->iItem;
      notice.subItem = nm->iSubItem;
      break;
    }
    case LVN_BEGINLABELEDITA:
    case LVN_ENDLABELEDITA:
    case LVN_GETDISPINFOA: {
      auto* info = reinterpret_cast<LV_DISPINFO*>(lParam);
      notice.item = info->item.iItem;
      notice.subItem = info->item.iSubItem;
      if (hdr->code == LVN_ENDLABELEDITA && info->item.pszText) notice.text = info->item.pszText;
      break;
    }
    case LVN_KEYDOWN:
      notice.key = reinterpret_cast<NMLVKEYDOWN*>(lParam)->wVKey;
      break;
    default:
      break;
  }
  notices.push_back(notice);
  return answer ? answer(hdr) : 0;
}

std::vector<UINT> NotifyOwner::Codes() const {
  std::vector<UINT> codes;
  for (const Notice& n : notices) codes.push_back(n.code);
  return codes;
}

void ListTest::SetUp() {
  ui_test::EnsureApp();
  ASSERT_TRUE(owner.CreateEx(0, nullptr, "owner", WS_POPUP | WS_VISIBLE, 0, 0, kListWidth + 40,
                             kListHeight + 40, nullptr, nullptr));
}

void ListTest::TearDown() {
  delete list;
  list = nullptr;
  owner.DestroyWindow();
}

void ListTest::Make(DWORD listStyle, DWORD exStyle) {
  list = new SECListCtrl;
  ASSERT_TRUE(list->Create(WS_CHILD | WS_VISIBLE | listStyle, exStyle, CRect(0, 0, kListWidth, kListHeight),
                           &owner, kListId));
}

void ListTest::MakeReport(int rows, DWORD listStyle, DWORD exStyle) {
  Make(LVS_REPORT | listStyle, exStyle);
  list->EnableRedraw(TRUE);
  list->AppendColumn("Name", LVCFMT_LEFT, 100);
  list->AppendColumn("Value", LVCFMT_LEFT, 80);
  for (int i = 0; i < rows; ++i) {
    list->InsertItem(i, ("row " + std::to_string(i)).c_str());
    const std::string value = "value " + std::to_string(i);
    LV_ITEM lvi{};
    lvi.mask = LVIF_TEXT | LVIF_DI_SETITEM;
    lvi.iItem = i;
    lvi.iSubItem = 1;
    lvi.pszText = const_cast<char*>(value.c_str());
    list->SetItem(&lvi);
  }
  owner.notices.clear();
}

void ListTest::Paint() {
  list->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
}

COLORREF ListTest::Pixel(int x, int y) { return ui_test::Pixel(list->m_hWnd, x, y); }

void ListTest::SavePicture(const std::string& name) {
  Paint();
  const QString dir = QString::fromStdString(mirt_test::ProgramDir()) + "/../pictures/controls";
  QDir().mkpath(dir);
  ui_test::Picture(owner.m_hWnd).save(dir + "/list_" + QString::fromStdString(name) + ".png");
}

void ListTest::Click(UINT message, UINT keys, CPoint at) {
  list->SendMessage(message, keys, MAKELPARAM(at.x, at.y));
}

CPoint ListTest::LabelPoint(int row) {
  CRect label;
  EXPECT_TRUE(list->GetItemRect(row, &label, kSECListRectLabel)) << "row " << row;
  return label.CenterPoint();
}

}  // namespace list_test
