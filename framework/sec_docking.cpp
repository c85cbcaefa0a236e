#include "framework/sec_docking.h"

#include "framework/sec_dock_bar.h"
#include "framework/sec_mini_dock_frame_wnd.h"
#include "platform/base/afxexcept.h"

namespace {
// The frame's dock bars: id and side, in the order bars look for one.
const struct {
  UINT id;
  DWORD side;
} kSides[] = {
    {AFX_IDW_DOCKBAR_TOP, CBRS_ALIGN_TOP},
    {AFX_IDW_DOCKBAR_BOTTOM, CBRS_ALIGN_BOTTOM},
    {AFX_IDW_DOCKBAR_LEFT, CBRS_ALIGN_LEFT},
    {AFX_IDW_DOCKBAR_RIGHT, CBRS_ALIGN_RIGHT},
};
}  // namespace

void SECEnableDocking(CFrameWnd* pFrame, DWORD dwDockStyle) {
  pFrame->m_pFloatingFrameClass = RUNTIME_CLASS(SECMiniDockFrameWnd);
  for (const auto& s : kSides) {
    if (!(s.side & dwDockStyle) || pFrame->GetControlBar(s.id)) continue;
    auto* dock = new SECDockBar(FALSE, FALSE);
    if (!dock->Create(pFrame, WS_CLIPSIBLINGS | WS_CLIPCHILDREN | WS_CHILD | WS_VISIBLE | s.side, 0, s.id)) {
      delete dock;
      AfxThrowResourceException();
    }
  }
}
