#include "tests/controls/tree_fixture.h"

#include <QDir>
#include <QString>

#include "tests/support/test_support.h"
#include "ui_test_support.h"

namespace tree_test {

LRESULT TreeOwner::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == SECTreeBaseC::GetEndLabelEditMessage()) {
    endEdits.push_back(lParam);
    return 0;
  }
  if (message != WM_NOTIFY) return CWnd::WindowProc(message, wParam, lParam);
  auto* hdr = reinterpret_cast<NMHDR*>(lParam);
  TreeNotice notice{hdr->code, nullptr, 0};
  switch (hdr->code) {
    case TVN_SELCHANGING:
    case TVN_SELCHANGED:
    case TVN_ITEMEXPANDING:
    case TVN_ITEMEXPANDED: {
      auto* nm = reinterpret_cast<NM_TREEVIEW*>(lParam);
      notice.item = nm->itemNew.hItem;
      notice.action = nm->action;
      break;
    }
    case TVN_DELETEITEM:
      notice.item = reinterpret_cast<NM_TREEVIEW*>(lParam)->itemOld.hItem;
      break;
    case TVN_GETDISPINFO:
    case TVN_SETDISPINFO:
    case TVN_BEGINLABELEDIT:
    case TVN_ENDLABELEDIT:
      notice.item = reinterpret_cast<TV_DISPINFO*>(lParam)->item.hItem;
      notice.action = reinterpret_cast<TV_DISPINFO*>(lParam)->item.mask;
      break;
    case TVN_KEYDOWN:
      notice.action = reinterpret_cast<TV_KEYDOWN*>(lParam)->wVKey;
      break;
    default:
      break;
  }
  notices.push_back(notice);
  return answer ? answer(hdr) : 0;
}

void TreeTest::SetUp() {
  ui_test::EnsureApp();
  ASSERT_TRUE(owner.CreateEx(0, nullptr, "owner", WS_POPUP | WS_VISIBLE, 0, 0, kTreeWidth + 40,
                             kTreeHeight + 40, nullptr, nullptr));
}

void TreeTest::TearDown() {
  delete tree;
  tree = nullptr;
  owner.DestroyWindow();
}

void TreeTest::Make(DWORD treeStyle) {
  tree = new SECTreeCtrl;
  ASSERT_TRUE(tree->Create(WS_CHILD | WS_VISIBLE, 0, CRect(0, 0, kTreeWidth, kTreeHeight), &owner, kTreeId));
  tree->SetTreeStyle(treeStyle);
  tree->SetColumnWidth(0, kTreeWidth - 20);
  tree->EnableRedraw(TRUE);
}

std::vector<std::string> TreeTest::RowTexts() {
  std::vector<std::string> texts;
  for (int row = 0; row < tree->GetItemCount(); ++row) {
    texts.emplace_back(static_cast<const char*>(tree->GetItemText(tree->GetItemAt(row))));
  }
  return texts;
}

void TreeTest::ExpectNotices(const std::vector<TreeNotice>& expected) {
  std::string seen;
  for (const TreeNotice& n : owner.notices) seen += std::to_string(static_cast<int>(n.code)) + " ";
  ASSERT_EQ(owner.notices.size(), expected.size()) << seen;
  for (size_t i = 0; i < expected.size(); ++i) {
    EXPECT_EQ(static_cast<int>(owner.notices[i].code), static_cast<int>(expected[i].code)) << "notice " << i;
    EXPECT_EQ(owner.notices[i].item, expected[i].item) << "notice " << i;
    EXPECT_EQ(owner.notices[i].action, expected[i].action) << "notice " << i;
  }
  owner.notices.clear();
}

void TreeTest::SavePicture(const std::string& name) {
  tree->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  const QString dir = QString::fromStdString(mirt_test::ProgramDir()) + "/../pictures/controls";
  QDir().mkpath(dir);
  ui_test::Picture(owner.m_hWnd).save(dir + "/tree_" + QString::fromStdString(name) + ".png");
}

}  // namespace tree_test
