#include "framework/sec_frame_wnd.h"

#include "framework/sec_bmp_menu_plug_in.h"
#include "framework/sec_control_bar.h"
#include "framework/sec_control_bar_info.h"
#include "framework/sec_dock_state.h"
#include "framework/sec_frame_docking.h"
#include "framework/sec_menu_bar.h"
#include "framework/sec_mini_dock_frame_wnd.h"
#include "framework/sec_res.h"
#include "platform/ui/cdc.h"
#include "platform/ui/gdiobj.h"
#include "platform/ui/menu.h"
#include "platform/ui/ui.h"

namespace {
// WM_ENTERIDLE from a dialog box.
constexpr UINT kSECFrameIdleDialogBox = 0;
// Layout modes of DockControlBarEx, from the bar's own style.
constexpr DWORD kSECFrameFloatMode = LM_HORZ | LM_MRUWIDTH | LM_LENGTHY;
constexpr DWORD kSECFrameHorzMode = LM_HORZDOCK | LM_HORZ | LM_LENGTHY;
constexpr DWORD kSECFrameVertMode = LM_VERTDOCK;

DWORD SECFrameDockMode(DWORD dwBarStyle) {
  if ((dwBarStyle & CBRS_SIZE_DYNAMIC) && (dwBarStyle & CBRS_FLOATING)) return kSECFrameFloatMode;
  if (dwBarStyle & (CBRS_ALIGN_TOP | CBRS_ALIGN_BOTTOM)) return kSECFrameHorzMode;
  return kSECFrameVertMode;
}

// The second plug-in window of the top-level framework frame above `pFrame`.
CWnd* SECTopPlugInWnd(CFrameWnd* pFrame) {
  CFrameWnd* top = pFrame->GetTopLevelFrame();
  if (!top || top == pFrame) return nullptr;
  if (top->IsKindOf(RUNTIME_CLASS(SECMDIFrameWnd))) return static_cast<SECMDIFrameWnd*>(top)->GetPlugInWnd();
  if (top->IsKindOf(RUNTIME_CLASS(SECFrameWnd))) return static_cast<SECFrameWnd*>(top)->GetPlugInWnd();
  return nullptr;
}
}  // namespace

IMPLEMENT_DYNCREATE(SECFrameWnd, CFrameWnd)

BEGIN_MESSAGE_MAP(SECFrameWnd, CFrameWnd)
ON_WM_CREATE()
ON_WM_CLOSE()
ON_WM_NCACTIVATE()
ON_WM_NCPAINT()
ON_MESSAGE(WM_SETTEXT, OnSetText)
ON_REGISTERED_MESSAGE(WM_SECGETMENU, OnSecGetMenu)
ON_MESSAGE(WM_NCLBUTTONDOWN, OnNcButtonDown)
ON_MESSAGE(WM_NCMBUTTONDOWN, OnNcButtonDown)
ON_MESSAGE(WM_NCRBUTTONDOWN, OnNcButtonDown)
ON_COMMAND_RANGE(ID_SEC_WORKSPACE_FIRST, ID_SEC_WORKSPACE_LAST, OnWorkspaceCommand)
ON_COMMAND_RANGE(ID_SEC_WORKSPACE2_FIRST, ID_SEC_WORKSPACE2_LAST, OnWorkspaceCommand)
ON_COMMAND_RANGE(ID_SEC_WORKSPACE3_FIRST, ID_SEC_WORKSPACE3_LAST, OnWorkspaceCommand)
ON_UPDATE_COMMAND_UI_RANGE(ID_SEC_WORKSPACE_FIRST, ID_SEC_WORKSPACE_LAST, OnUpdateWorkspaceCommand)
ON_UPDATE_COMMAND_UI_RANGE(ID_SEC_WORKSPACE2_FIRST, ID_SEC_WORKSPACE2_LAST, OnUpdateWorkspaceCommand)
ON_UPDATE_COMMAND_UI_RANGE(ID_SEC_WORKSPACE3_FIRST, ID_SEC_WORKSPACE3_LAST, OnUpdateWorkspaceCommand)
END_MESSAGE_MAP()

SECFrameWnd::SECFrameWnd() : m_rectClient(0, 0, 0, 0) {}

SECFrameWnd::~SECFrameWnd() {
  SECFrameFreeOwned(m_pPlugIn, m_pPlugInWnd, m_listBarInfo);
  SECFrameFreeMenuBar(m_pMenuBar, m_hMenuFrame);
}

int SECFrameWnd::OnCreate(LPCREATESTRUCT lpcs) {
  if (CFrameWnd::OnCreate(lpcs) == -1) return -1;
  if (m_pMenuBar && !m_pPlugIn)
    SetPlugIn(SECFrameMakeMenuBarFeature(m_pMenuBar));
  else if (m_bBmpMenus && !m_pPlugIn)
    SetPlugIn(new SECBmpMenuPlugIn);
  if (m_pPlugIn) {
    m_bBmpMenus = TRUE;
    SECFrameGiveBmpMgr(m_pPlugIn, m_pControlBarManager);
  }
  return 0;
}

BOOL SECFrameWnd::NegotiateBorderSpace(UINT nBorderCmd, LPRECT lpRectBorder) {
  SECFrameNoteBorderSpace(m_pMenuBar, lpRectBorder);
  return CFrameWnd::NegotiateBorderSpace(nBorderCmd, lpRectBorder);
}

void SECFrameWnd::SetControlBarManager(SECControlBarManager* pManager) {
  m_pControlBarManager = pManager;
  SECFrameGiveBmpMgr(m_pPlugIn, pManager);
}

void SECFrameWnd::SetMenuBar(SECMenuBar* pMenuBar) {
  if (m_pMenuBar == pMenuBar || m_hWnd) return;
  delete m_pMenuBar;
  m_pMenuBar = pMenuBar;
}

SECMenuBar* SECFrameWnd::CreateMenuBar() { return m_pMenuBar && !m_pMenuBar->m_hWnd ? m_pMenuBar : nullptr; }

void SECFrameWnd::ActivateMenu(UINT nID) {
  if (!m_pMenuBar || nID == m_nIDCurrentMenu) return;
  m_nIDCurrentMenu = nID;
  m_pMenuBar->SelectMenu(nID);
  if (m_hMenuFrame) ::DestroyMenu(m_hMenuFrame);
  m_hMenuFrame = ::LoadMenu(AfxGetResourceHandle(), MAKEINTRESOURCE(nID));
  RecalcLayout(TRUE);
  if (m_pMenuBar->m_hWnd) m_pMenuBar->Invalidate();
}

// ---- Docking ----

CDockBar* SECFrameWnd::CreateDockBar() { return new SECDockBar(FALSE, FALSE); }

void SECFrameWnd::EnableDocking(DWORD dwDockStyle, DWORD dwDockBarExtraStyle) {
  m_pFloatingFrameClass = RUNTIME_CLASS(SECMiniDockFrameWnd);
  SECFrameEnableDocking(this, dwDockStyle, dwDockBarExtraStyle, [this] { return CreateDockBar(); });
}

void SECFrameWnd::DockControlBar(CControlBar* pBar, UINT nDockBarID, LPCRECT lpRect) {
  SECFrameDockControlBar(this, pBar, nDockBarID, lpRect);
}

void SECFrameWnd::ReDockControlBar(CControlBar* pBar, CDockBar* pDockBar, LPCRECT lpRect) {
  SECFrameReDockControlBar(this, pBar, pDockBar, lpRect);
}

void SECFrameWnd::FloatControlBar(CControlBar* pBar, CPoint point, DWORD dwStyle) {
  SECFrameFloatControlBar(this, pBar, point, dwStyle);
}

void SECFrameWnd::ShowControlBar(CControlBar* pBar, BOOL bShow, BOOL bDelay) {
  SECFrameShowControlBar(this, pBar, bShow, bDelay);
}

void SECFrameWnd::DockControlBarEx(CControlBar* pBar, UINT nDockBarID, int nRow, int nCol, float fPctWidth,
                                   int nLength) {
  if (!pBar) return;
  CDockBar* dock = nDockBarID ? static_cast<CDockBar*>(GetControlBar(nDockBarID)) : nullptr;
  if (!dock) dock = SECFindDockBarFor(this, pBar->m_dwStyle);
  SECBeforeDock(pBar);
  if (SECControlBar* bar = SECBarOf(pBar)) bar->m_fPctWidth = fPctWidth;
  pBar->CalcDynamicLayout(nLength, SECFrameDockMode(pBar->m_dwStyle) | LM_COMMIT);
  if (SECDockBar* secDock = SECDockBarOf(dock)) {
    secDock->DockControlBarAt(pBar, nRow, nCol);
  } else if (dock) {
    dock->DockControlBar(pBar);
  }
  SECAfterDock(pBar);
}

void SECFrameWnd::RecalcLayout(BOOL bNotify) {
  CFrameWnd::RecalcLayout(bNotify);
  SECFrameAfterLayout(this, m_rectClient);
}

void SECFrameWnd::LoadBarState(LPCSTR lpszProfileName) {
  SECDockState state(m_pControlBarManager);
  CWinThread* thread = AfxGetThread();
  if (thread && !thread->m_pMainWnd) thread->m_pMainWnd = this;
  state.LoadStateFromProfile(lpszProfileName);
  SetDockState(state);
}

void SECFrameWnd::SaveBarState(LPCSTR lpszProfileName) const {
  SECDockState state(m_pControlBarManager);
  if (state.GetState(const_cast<SECFrameWnd*>(this))) state.SaveStateToProfile(lpszProfileName);
}

void SECFrameWnd::SetDockState(SECDockState& state) { state.SetState(this); }

void SECFrameWnd::GetDockState(SECDockState& state) const { state.GetState(const_cast<SECFrameWnd*>(this)); }

// ---- Menus ----

BOOL SECFrameWnd::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd,
                            CCreateContext* pContext) {
  m_nIDCurrentMenu = nIDResource;
  if (!CFrameWnd::LoadFrame(nIDResource, dwDefaultStyle, pParentWnd, pContext)) return FALSE;
  if (m_pMenuBar) {
    m_hMenuDefault = nullptr;
    m_hMenuFrame = SECFrameTakeOwnMenu(this, nIDResource);
  }
  return TRUE;
}

HMENU SECFrameWnd::GetMenuForID(UINT nID) { return nID == m_nIDCurrentMenu ? GetFrameMenu() : nullptr; }

LRESULT SECFrameWnd::OnSecGetMenu(WPARAM wParam, LPARAM lParam) {
  HMENU menu = GetMenuForID(static_cast<UINT>(wParam));
  return menu ? reinterpret_cast<LRESULT>(::GetSubMenu(menu, static_cast<int>(lParam))) : 0;
}

void SECFrameWnd::OnEnterIdle(UINT nWhy, CWnd*) {
  if (nWhy == kSECFrameIdleDialogBox && (m_nIdleFlags & idleLayout)) {
    RecalcLayout(m_nIdleFlags & idleNotify);
    UpdateWindow();
  }
}

// ---- Routing and the plug-in ----

void SECFrameWnd::SetPlugIn(SECWndPlugIn* pPlugIn) {
  if (m_pPlugIn == pPlugIn) return;
  delete m_pPlugIn;
  m_pPlugIn = pPlugIn;
  if (m_pPlugIn && m_hWnd) m_pPlugIn->PlugInTo(this);
}

BOOL SECFrameWnd::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
  BOOL result = FALSE;
  CWnd* plugInWnd = m_pPlugInWnd ? m_pPlugInWnd : SECTopPlugInWnd(this);
  if (SECOfferCommand(plugInWnd, nID, nCode, pExtra, pHandlerInfo, result)) return result;
  return CFrameWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

BOOL SECFrameWnd::PreTranslateMessage(MSG* pMsg) {
  if (SECOfferPreTranslate(m_pPlugIn, pMsg)) return TRUE;
  return CFrameWnd::PreTranslateMessage(pMsg);
}

LRESULT SECFrameWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  const BOOL afterwards = message == WM_INITMENUPOPUP && m_bBmpMenus;
  LRESULT result = 0;
  if (!afterwards && SECOfferToPlugIn(m_pPlugIn, message, wParam, lParam, result)) return result;
  result = CFrameWnd::WindowProc(message, wParam, lParam);
  LRESULT ignored = 0;
  if (afterwards) SECOfferToPlugIn(m_pPlugIn, message, wParam, lParam, ignored);
  return result;
}

LRESULT SECFrameWnd::OnNcButtonDown(WPARAM wParam, LPARAM lParam) {
  return DefWindowProc(GetCurrentMessage()->message, wParam, lParam);
}

void SECFrameWnd::OnClose() {
  m_bClosing = TRUE;
  CFrameWnd::OnClose();
}

BOOL SECFrameWnd::DestroyWindow() {
  SetPlugIn(nullptr);
  return CFrameWnd::DestroyWindow();
}

// ---- Caption ----

BOOL SECFrameWnd::EnableCustomCaption(BOOL bEnable, BOOL bRedraw) {
  return m_caption.Enable(this, bEnable, bRedraw, SECNcPaintRequest::kPost);
}

void SECFrameWnd::SetCaptionAlignment(int nAlignment, BOOL bRedraw) {
  m_caption.SetAlignment(this, nAlignment, bRedraw);
}

void SECFrameWnd::CreateCaptionAppFont(CFont& font) {
  SECCreateCaptionFont(font, SECCaptionFontStyle::kItalic);
}

void SECFrameWnd::CreateCaptionDocFont(CFont& font) {
  SECCreateCaptionFont(font, SECCaptionFontStyle::kPlain);
}

void SECFrameWnd::PaintCaption(CDC* pDC, CSize size) {
  CFont appFont, docFont;
  CreateCaptionAppFont(appFont);
  CreateCaptionDocFont(docFont);
  m_caption.Paint(this, pDC, size, &appFont, &docFont);
}

void SECFrameWnd::DrawCaption() {
  if (!m_caption.bEnabled || !m_hWnd) return;
  CFont appFont, docFont;
  CreateCaptionAppFont(appFont);
  CreateCaptionDocFont(docFont);
  if (!m_caption.Draw(this, &appFont, &docFont)) EnableCustomCaption(FALSE, TRUE);
}

BOOL SECFrameWnd::OnNcActivate(BOOL bActive) {
  if (!m_caption.bEnabled) return CFrameWnd::OnNcActivate(bActive);
  m_caption.bActive = IsWindowEnabled() ? bActive : FALSE;
  BOOL result = CFrameWnd::OnNcActivate(bActive);
  SendMessage(WM_NCPAINT);
  return result;
}

void SECFrameWnd::OnNcPaint() {
  Default();
  if (m_caption.bEnabled) DrawCaption();
}

LRESULT SECFrameWnd::OnSetText(WPARAM, LPARAM) {
  LRESULT result = Default();
  if (m_caption.bEnabled) DrawCaption();
  return result;
}
