#include "framework/sec_custom_tool_bar.h"

#include <algorithm>

#include "framework/sec_bmp_mgr.h"
#include "framework/sec_bmp_mgr_loader.h"
#include "framework/sec_tool_bar_manager.h"
#include "platform/ui/ui.h"

IMPLEMENT_DYNCREATE(SECCustomToolBar, SECControlBar)

BOOL SECCustomToolBar::s_bDispatching = FALSE;
BOOL SECCustomToolBar::s_bAltDrag = FALSE;

namespace {
constexpr int kSECToolBarBorder = 3;
}  // namespace

SECCustomToolBar::SECCustomToolBar() {
  m_cyTopBorder = m_cyBottomBorder = kSECToolBarBorder;
  SECGripperInfo& g = m_gripperInfo;  // a tool bar's narrower gripper
  g.m_cxOffset = g.m_cyOffset = 2;
  g.m_cxBar1 = g.m_cyBar1 = 3;
  g.m_cxGap = g.m_cyGap = 1;
  g.m_cxBar2 = g.m_cyBar2 = 3;
  g.m_cxTrailing = g.m_cyTrailing = 2;
  g.m_nInset = 0;
  m_pBmpMgr = new SECBmpMgr;
  m_hFont = static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
}

SECCustomToolBar::~SECCustomToolBar() {
  if (m_pBmpMgr) m_pBmpMgr->Release();
  m_pBmpMgr = nullptr;
  RemoveAllButtons();
  delete m_pDrawData;
  m_pDrawData = nullptr;
}

SECToolBarManager* SECCustomToolBar::GetManager() const {
  return dynamic_cast<SECToolBarManager*>(m_pManager);
}

void SECCustomToolBar::SetManager(SECToolBarManager* pManager) { m_pManager = pManager; }

void SECCustomToolBar::SetBmpMgr(SECBmpMgr* pMgr) {
  if (pMgr) pMgr->AddRef();
  if (m_pBmpMgr) m_pBmpMgr->Release();
  m_pBmpMgr = pMgr;
}

void SECCustomToolBar::SetSecondaryButtonMap(const SECBtnMapEntry* pMap, int nEntries) {
  m_btnMap2.assign(pMap, pMap + nEntries);
  m_btnMap2.push_back(SECBtnMapEntry{});
}

BOOL SECCustomToolBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID, LPCSTR lpszTitle) {
  return CreateEx(0, pParentWnd, dwStyle, nID, lpszTitle);
}

BOOL SECCustomToolBar::CreateEx(DWORD dwExStyle, CWnd* pParentWnd, DWORD dwStyle, UINT nID,
                                LPCSTR lpszTitle) {
  return CreateEx(nullptr, lpszTitle, nID, dwStyle, dwExStyle, CRect(0, 0, 0, 0), pParentWnd);
}

BOOL SECCustomToolBar::CreateEx(LPCSTR lpszClassName, LPCSTR lpszWindowName, UINT nID, DWORD dwStyle,
                                DWORD dwExStyle, const RECT& rect, CWnd* pParentWnd,
                                CCreateContext* pContext) {
  static CString s_strClass;
  if (s_strClass.IsEmpty())
    s_strClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursor(nullptr, IDC_ARROW),
                                     reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1)));
  if (!SECControlBar::CreateEx(lpszClassName ? lpszClassName : static_cast<LPCSTR>(s_strClass),
                               lpszWindowName, nID, dwStyle | CBRS_HIDE_INPLACE, dwExStyle | SECBAR_FIXEDSIZE,
                               rect, pParentWnd, pContext))
    return FALSE;
  ReportEvent(SECTBEventCreated);
  m_bLayoutMRU = m_bLayoutHorz = m_bLayoutVert = TRUE;
  return TRUE;
}

BOOL SECCustomToolBar::LoadToolBar(LPCSTR lpszResourceName) {
  if (!m_pBmpMgr || !m_pBmpMgr->AddToolBar(lpszResourceName)) return FALSE;
  SECToolBarResource res;
  if (!SECLoadToolBarResource(lpszResourceName, &res)) return FALSE;
  return SetButtons(res.ids.data(), static_cast<int>(res.ids.size()));
}

BOOL SECCustomToolBar::SetButtons(const UINT* lpIDArray, int nIDCount) {
  RemoveAllButtons();
  ClearSelection(FALSE);
  for (int i = 0; lpIDArray && i < nIDCount; ++i)
    m_btns.push_back(lpIDArray[i] ? CreateButton(lpIDArray[i]) : CreateSeparator());
  m_bLayoutMRU = m_bLayoutHorz = m_bLayoutVert = TRUE;
  return TRUE;
}

void SECCustomToolBar::RemoveAllButtons() {
  for (SECStdBtn* btn : m_btns) delete btn;
  m_btns.clear();
}

SECStdBtn* SECCustomToolBar::CreateButton(UINT nID, SECCustomToolBar* pBar) {
  const SECBtnMapEntry* maps[2] = {m_pBtnMap, m_btnMap2.empty() ? nullptr : m_btnMap2.data()};
  if (SECToolBarManager* mgr = GetManager()) {
    maps[0] = mgr->GetButtonMap();
    maps[1] = mgr->GetButtonMap2();
  }
  const SECBtnMapEntry* match = nullptr;
  for (const SECBtnMapEntry* map : maps) {
    for (const SECBtnMapEntry* e = map; e && e->pClass; ++e)
      if (e->nID == nID) match = e;  // the last matching entry wins
    if (match) break;
  }
  SECStdBtn* btn = match ? (*match->pClass)() : new SECStdBtn;
  btn->m_nStyle = match ? match->nStyle : 0;
  btn->m_nID = nID;
  btn->m_nImage = btn->m_nType == SECBtnMenu ? 0 : GetImageIndex(nID);
  btn->Init(pBar ? pBar : this, match ? match->params : nullptr);
  btn->SetMode(m_dwOrientation);
  return btn;
}

SECStdBtn* SECCustomToolBar::CreateSeparator(SECCustomToolBar* pBar) {
  SECStdBtn* btn = new SECStdBtn;
  btn->m_nStyle = TBBS_SEPARATOR;
  btn->m_cx = m_nSepGap;
  btn->m_cy = GetButtonHeight();
  btn->Init(pBar ? pBar : this, nullptr);
  return btn;
}

int SECCustomToolBar::GetImageIndex(UINT nID, HBITMAP* phBitmap) const {
  HBITMAP strip = nullptr;
  int index = 0;
  if (!m_pBmpMgr || !m_pBmpMgr->GetImage(nID, strip, index, FALSE)) {
    strip = nullptr;
    index = 0;
  }
  if (phBitmap) *phBitmap = strip;
  return index;
}

int SECCustomToolBar::GetImageWidth() const { return m_pBmpMgr ? m_pBmpMgr->GetImageSize().cx : 16; }

int SECCustomToolBar::GetImageHeight() const { return m_pBmpMgr ? m_pBmpMgr->GetImageSize().cy : 15; }

CFont* SECCustomToolBar::GetFont() const { return CFont::FromHandle(m_hFont); }

void SECCustomToolBar::RecalcButtonSizes() {
  m_nMaxBtnWidth = 0;
  for (SECStdBtn* btn : m_btns) btn->AdjustSize();
  m_bLayoutMRU = m_bLayoutHorz = m_bLayoutVert = TRUE;
}

int SECCustomToolBar::FindButton(const SECStdBtn* pBtn) const {
  auto it = std::find(m_btns.begin(), m_btns.end(), pBtn);
  return it == m_btns.end() ? -1 : static_cast<int>(it - m_btns.begin());
}

void SECCustomToolBar::ShiftIndices(int nFrom, int nDelta) {
  SECToolBarManager* mgr = GetManager();
  if (m_nCurBtn >= nFrom && (!mgr || mgr->GetSelectedBar() == this)) m_nCurBtn += nDelta;
  if (IsCoolLook() && m_nHotBtn >= nFrom) m_nHotBtn += nDelta;
}

void SECCustomToolBar::InsertButton(int nIndex, UINT nID, BOOL bSeparator, BOOL bNoUpdate) {
  nIndex = std::clamp(nIndex, 0, GetBtnCount());
  SECStdBtn* btn = bSeparator ? CreateSeparator() : CreateButton(nID);
  m_btns.insert(m_btns.begin() + nIndex, btn);
  m_nMRUWidth += btn->m_cx;
  SECToolBarManager* mgr = GetManager();
  const BOOL holdsSelection = mgr && mgr->GetSelectedBar() == this;
  ShiftIndices(nIndex, 1);
  if (holdsSelection) Invalidate(FALSE);
  m_bLayoutMRU = m_bLayoutHorz = m_bLayoutVert = TRUE;
  UpdateButton(nIndex);
  if (!bNoUpdate) LayoutAndRepaint();
}

BOOL SECCustomToolBar::RemoveButton(int nIndex, BOOL bNoUpdate) {
  if (nIndex < 0 || nIndex >= GetBtnCount()) return FALSE;
  auto erase = [this](int i) {
    delete m_btns[i];
    m_btns.erase(m_btns.begin() + i);
  };
  auto isSep = [this](int i) { return (m_btns[i]->m_nStyle & TBBS_SEPARATOR) != 0; };
  erase(nIndex);
  int removedExtra = -1;  // a separator merged away with the button
  const int n = GetBtnCount();
  if (n > 0) {
    if (nIndex == 0 && isSep(0)) {
      removedExtra = 0;
    } else if (isSep(n - 1)) {
      removedExtra = n - 1;
    } else if (nIndex > 0 && nIndex < n && isSep(nIndex - 1) && isSep(nIndex)) {
      removedExtra = nIndex;
    }
    if (removedExtra >= 0) erase(removedExtra);
  }
  // Index fix-ups: the removed button's index becomes -1, later ones move down.
  const int removed = removedExtra >= 0 ? 2 : 1;
  SECToolBarManager* mgr = GetManager();
  auto fix = [&](int& index, BOOL isHot) {
    if (index < 0) return;
    const bool gone =
        index == nIndex || (removedExtra >= 0 && index == removedExtra + (removedExtra >= nIndex ? 1 : 0));
    if (gone) {
      index = -1;
      if (isHot)
        KillTimer(SEC_TOOLBAR_HOVER_TIMER);
      else if (mgr && mgr->GetSelectedBar() == this)
        mgr->SetSelectedBar(nullptr);
    } else if (index > nIndex) {
      index -= std::min(removed, index - nIndex);
    }
  };
  if (!mgr || mgr->GetSelectedBar() == this) fix(m_nCurBtn, FALSE);
  if (IsCoolLook()) fix(m_nHotBtn, TRUE);
  m_bLayoutMRU = m_bLayoutHorz = m_bLayoutVert = TRUE;
  if (bNoUpdate) return GetBtnCount() > 0;
  if (GetBtnCount() == 0 && GetDlgCtrlID() >= SEC_IDW_FIRST_USER_TOOLBAR) {
    DestroyLater();
    return FALSE;
  }
  LayoutAndRepaint();
  return GetBtnCount() > 0;
}

void SECCustomToolBar::LayoutAndRepaint() {
  if (!m_hWnd) return;
  if (CFrameWnd* frame = GetParentFrame()) frame->RecalcLayout();
  Invalidate(TRUE);
}

void SECCustomToolBar::HideButton(int nIndex, BOOL bHide) {
  if (nIndex < 0 || nIndex >= GetBtnCount()) return;
  SECStdBtn* btn = m_btns[nIndex];
  if (bHide)
    btn->m_nStyle |= TBBS_HIDDEN;
  else
    btn->m_nStyle &= ~TBBS_HIDDEN;
  btn->OnHiddenChanged();
}

void SECCustomToolBar::SetButtonStyle(int nIndex, UINT nStyle) {
  if (nIndex < 0 || nIndex >= GetBtnCount() || m_btns[nIndex]->GetStyle() == nStyle) return;
  m_btns[nIndex]->SetStyle(nStyle);
  InvalidateButton(nIndex);
}

UINT SECCustomToolBar::GetButtonStyle(int nIndex) const {
  return nIndex >= 0 && nIndex < GetBtnCount() ? m_btns[nIndex]->GetStyle() : 0;
}

void SECCustomToolBar::SetButtonState(UINT nID, int nCode, UINT nSet, UINT nClear, BOOL bAllBars) {
  SECToolBarManager* mgr = GetManager();
  if (bAllBars && mgr) {
    for (SECCustomToolBar* bar : mgr->GetToolBars()) bar->SetButtonState(nID, nCode, nSet, nClear, FALSE);
    return;
  }
  for (SECStdBtn* btn : m_btns)
    if (btn->m_nID == nID) btn->ChangeState(nCode, nSet, nClear);
}

void SECCustomToolBar::GetItemRect(int nIndex, LPRECT lpRect) const {
  *lpRect = (nIndex >= 0 && nIndex < GetBtnCount()) ? RECT(m_btns[nIndex]->GetRect()) : RECT{0, 0, 0, 0};
}

void SECCustomToolBar::InvalidateButton(int nIndex) {
  if (nIndex >= 0 && nIndex < GetBtnCount()) m_btns[nIndex]->Invalidate(FALSE);
}

void SECCustomToolBar::ReportEvent(SECToolBarEvent event) {
  if (SECToolBarManager* mgr = GetManager(); mgr && m_hWnd) mgr->Notify(GetDlgCtrlID(), event);
}

void SECCustomToolCmdUI::Enable(BOOL bOn) {
  m_bEnableChanged = TRUE;
  SECStdBtn* btn = m_pBar->GetBtn(static_cast<int>(m_nIndex));
  UINT style = btn->GetStyle() & ~TBBS_DISABLED;
  if (!bOn) style |= TBBS_DISABLED;
  m_pBar->SetButtonStyle(static_cast<int>(m_nIndex), style);
}

void SECCustomToolCmdUI::SetCheck(int nCheck) {
  SECStdBtn* btn = m_pBar->GetBtn(static_cast<int>(m_nIndex));
  UINT style = (btn->GetStyle() & ~(TBBS_CHECKED | TBBS_INDETERMINATE)) | TBBS_CHECKBOX;
  if (nCheck == 1) style |= TBBS_CHECKED;
  if (nCheck == 2) style |= TBBS_INDETERMINATE;
  m_pBar->SetButtonStyle(static_cast<int>(m_nIndex), style);
}

void SECCustomToolBar::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) {
  SECCustomToolCmdUI state;
  state.m_pBar = this;
  state.m_pOther = this;
  state.m_nButtons = GetBtnCount();
  state.m_nIndexMax = static_cast<UINT>(GetBtnCount());
  for (int i = 0; i < GetBtnCount(); ++i) {
    SECStdBtn* btn = m_btns[i];
    if (btn->m_nStyle & TBBS_SEPARATOR) continue;
    state.m_nIndex = static_cast<UINT>(i);
    state.m_nID = btn->m_nID;
    state.DoUpdate(pTarget, (btn->m_nStyle & SEC_TBBS_NOAUTODISABLE) ? FALSE : bDisableIfNoHndler);
  }
  UpdateDialogControls(pTarget, bDisableIfNoHndler);
}

void SECCustomToolBar::UpdateButton(int nIndex) {
  if (nIndex < 0 || nIndex >= GetBtnCount() || !m_hWnd) return;
  CWnd* owner = GetOwner();
  CFrameWnd* target =
      owner && owner->IsKindOf(RUNTIME_CLASS(CFrameWnd)) ? static_cast<CFrameWnd*>(owner) : GetParentFrame();
  if (!target) return;
  SECStdBtn* btn = m_btns[nIndex];
  if (btn->m_nStyle & TBBS_SEPARATOR) return;
  SECCustomToolCmdUI state;
  state.m_pBar = this;
  state.m_pOther = this;
  state.m_nButtons = GetBtnCount();
  state.m_nIndexMax = static_cast<UINT>(GetBtnCount());
  state.m_nIndex = static_cast<UINT>(nIndex);
  state.m_nID = btn->m_nID;
  state.DoUpdate(target, (btn->m_nStyle & SEC_TBBS_NOAUTODISABLE) ? FALSE : target->m_bAutoMenuEnable);
}
