#include "app/project_control_bar.h"

#include "platform/base/winctrl.h"
#include "platform/ui/cdc.h"
#include "platform/ui/dropfiles.h"
#include "platform/ui/afxmenu.h"

namespace {

constexpr DWORD kProjectBarTreeStyle =
    WS_CHILD | WS_VISIBLE | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT;
constexpr const char* kProjectBarInsertFileText = "Insert File Into Project";

}  // namespace

BEGIN_MESSAGE_MAP(CProjectControlBar, SECControlBar)
ON_WM_CREATE()
ON_WM_SIZE()
ON_WM_ERASEBKGND()
ON_WM_DROPFILES()
END_MESSAGE_MAP()

CProjectControlBar::~CProjectControlBar() {
  if (m_hWnd) DestroyWindow();
}

void CProjectControlBar::SetOwner(CProjectTreeOwner* owner) {
  m_owner = owner;
  m_tree.SetOwner(owner);
}

int CProjectControlBar::OnCreate(LPCREATESTRUCT lpcs) {
  if (SECControlBar::OnCreate(lpcs) == -1) return -1;
  if (!m_tree.Create(kProjectBarTreeStyle, CRect(0, 0, 0, 0), this, CProjectTree::kControlId)) return -1;
  DragAcceptFiles(TRUE);
  return 0;
}

void CProjectControlBar::OnSize(UINT nType, int cx, int cy) {
  SECControlBar::OnSize(nType, cx, cy);
  if (!m_tree.m_hWnd) return;
  CRect inside;
  GetInsideRect(inside);
  m_tree.MoveWindow(&inside);
}

BOOL CProjectControlBar::OnEraseBkgnd(CDC* pDC) {
  CRect inside;
  GetInsideRect(inside);
  SECControlBar::OnEraseBkgnd(pDC);
  // A frame in the window colour around the tree.
  CRect frame = inside;
  frame.InflateRect(1, 1);
  pDC->FillSolidRect(&frame, ::GetSysColor(COLOR_WINDOW));
  return TRUE;
}

void CProjectControlBar::AdoptOwner(std::unique_ptr<CProjectTreeOwner> owner) {
  m_ownedOwner = std::move(owner);
  SetOwner(m_ownedOwner.get());
}

void CProjectControlBar::AddDroppedFiles(const std::vector<std::string>& paths) {
  if (!m_owner) return;
  for (const std::string& path : paths) m_owner->AddFileToProject(path.c_str());
}

void CProjectControlBar::AddContextMenuItems(CMenu* pMenu) {
  pMenu->AppendMenu(MF_SEPARATOR);
  pMenu->AppendMenu(MF_STRING, kInsertFileCommand, kProjectBarInsertFileText);
}

void CProjectControlBar::OnDropFiles(HDROP hDropInfo) {
  std::vector<std::string> paths;
  UINT count = DragQueryFile(hDropInfo, 0xFFFFFFFF, nullptr, 0);
  for (UINT i = 0; i < count; ++i) {
    std::string path(DragQueryFile(hDropInfo, i, nullptr, 0) + 1, '\0');
    path.resize(DragQueryFile(hDropInfo, i, path.data(), static_cast<UINT>(path.size())));
    paths.push_back(path);
  }
  AddDroppedFiles(paths);
  DragFinish(hDropInfo);
}
