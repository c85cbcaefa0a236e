// CWnd members that know about frames.
#include "platform/afx/framewnd.h"
#include "platform/ui/ui.h"

CFrameWnd* CWnd::GetParentFrame() const {
  if (!m_hWnd) return nullptr;
  for (HWND h = ::GetParent(m_hWnd); h; h = ::GetParent(h)) {
    CWnd* wnd = CWnd::FromHandlePermanent(h);
    if (wnd && wnd->IsKindOf(RUNTIME_CLASS(CFrameWnd))) return static_cast<CFrameWnd*>(wnd);
  }
  return nullptr;
}

CFrameWnd* CWnd::GetTopLevelFrame() const {
  if (!m_hWnd) return nullptr;
  CFrameWnd* frame = IsKindOf(RUNTIME_CLASS(CFrameWnd))
                         ? const_cast<CFrameWnd*>(static_cast<const CFrameWnd*>(this))
                         : GetParentFrame();
  while (frame) {
    CFrameWnd* up = frame->GetParentFrame();
    if (!up) break;
    frame = up;
  }
  return frame;
}
