#include "framework/sec_menu_bar_buttons.h"

#include "framework/sec_custom_tool_bar.h"
#include "framework/sec_global_data.h"
#include "platform/ui/ui.h"

namespace {
// The caption button's style at construction: hidden until a child is maximised.
constexpr UINT kSECBtnCaptionStyle = 0xB0000;
// The gap before the close box.
constexpr int kSECCaptionCloseGap = 2;
constexpr int kSECCapMenuIconSize = 16;
}  // namespace

SECBtnCaption::SECBtnCaption() {
  m_nType = SECBtnCaptionBoxes;
  m_nStyle = kSECBtnCaptionStyle;
  AdjustSize();
}

int SECBtnCaption::BoxWidth() const { return ::GetSystemMetrics(SM_CXSIZE) - 2; }
int SECBtnCaption::BoxHeight() const { return ::GetSystemMetrics(SM_CYSIZE) - 4; }

void SECBtnCaption::AdjustSize() {
  m_cx = 3 * BoxWidth() + kSECCaptionCloseGap;
  m_cy = BoxHeight();
}

CRect SECBtnCaption::BoxRect(int nBox) const {
  const int w = BoxWidth();
  const int left = m_x + nBox * w + (nBox == kClose ? kSECCaptionCloseGap : 0);
  return CRect(left, m_y, left + w, m_y + BoxHeight());
}

BOOL SECBtnCaption::IsBoxEnabled(int nBox) const {
  return nBox == kClose || (m_dwChildStyle & WS_MINIMIZEBOX) != 0;
}

int SECBtnCaption::HitTest(CPoint point) const {
  for (int box = kMinimize; box <= kClose; ++box)
    if (IsBoxEnabled(box) && BoxRect(box).PtInRect(point)) return box;
  return kNone;
}

BOOL SECBtnCaption::OnLButtonDown(CPoint point) {
  m_nPressedBox = HitTest(point);
  m_bPressedLook = m_nPressedBox != kNone;
  Redraw();
  return m_nPressedBox != kNone;
}

void SECBtnCaption::OnMouseMove(CPoint point) {
  const BOOL look = m_nPressedBox != kNone && HitTest(point) == m_nPressedBox;
  if (look == m_bPressedLook) return;
  m_bPressedLook = look;
  Invalidate(FALSE);
}

void SECBtnCaption::OnCancelMode() {
  m_nPressedBox = kNone;
  m_bPressedLook = FALSE;
  Invalidate(FALSE);
}

UINT SECBtnCaption::OnLButtonUp(CPoint point) {
  const int box = m_nPressedBox;
  OnCancelMode();
  if (box == kNone || HitTest(point) != box || !m_pBar) return 0;
  static constexpr UINT kCommands[] = {SC_MINIMIZE, SC_RESTORE, SC_CLOSE};
  auto* frame = dynamic_cast<CMDIFrameWnd*>(m_pBar->GetParentFrame());
  if (!frame) frame = dynamic_cast<CMDIFrameWnd*>(AfxGetMainWnd());
  CMDIChildWnd* child = frame ? frame->MDIGetActive() : nullptr;
  if (!child) return 0;
  CPoint screen = point;
  m_pBar->ClientToScreen(&screen);
  child->PostMessage(WM_SYSCOMMAND, kCommands[box], MAKELPARAM(screen.x, screen.y));
  return 0;
}

void SECBtnCaption::Draw(CDC& dc, SECBtnDrawData& data) {
  dc.FillSolidRect(GetRect(), secData.clrBtnFace);
  static constexpr UINT kFaces[] = {DFCS_CAPTIONMIN, DFCS_CAPTIONRESTORE, DFCS_CAPTIONCLOSE};
  for (int box = kMinimize; box <= kClose; ++box) {
    UINT state = kFaces[box];
    if (!IsBoxEnabled(box)) state |= DFCS_INACTIVE;
    if (box == m_nPressedBox && m_bPressedLook) state |= DFCS_PUSHED;
    CRect r = BoxRect(box);
    dc.DrawFrameControl(&r, DFC_CAPTION, state);
  }
}

SECCapMenuBtn::SECCapMenuBtn() {
  m_nType = SECBtnChildSysMenu;
  // Hidden until a child is maximised; no command, so never disabled by command UI.
  m_nStyle = TBBS_HIDDEN | SEC_TBBS_NOAUTODISABLE;
  m_dwValue2 = SEC_MENUBAR_SYSMENU_INDEX;
  AdjustSize();
}

void SECCapMenuBtn::AdjustSize() {
  m_cx = kSECCapMenuIconSize;
  m_cy = kSECCapMenuIconSize;
}

void SECCapMenuBtn::DrawFace(SECBtnDrawData& data, BOOL bFlat, int& x, int& y, int& cx, int& cy, int) {
  CDC& dc = data.m_dcButton;
  dc.FillSolidRect(CRect(x, y, x + cx, y + cy), secData.clrBtnFace);
  if (m_hIcon)
    ::DrawIconEx(dc.GetSafeHdc(), x, y, m_hIcon, kSECCapMenuIconSize, kSECCapMenuIconSize, 0, nullptr,
                 DI_NORMAL);
}
