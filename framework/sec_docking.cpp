#include "framework/sec_docking.h"

#include "framework/sec_dock_bar.h"
#include "framework/sec_dock_bar_table.h"
#include "framework/sec_mini_dock_frame_wnd.h"
#include "platform/base/afxexcept.h"

void SECEnableDocking(CFrameWnd* pFrame, DWORD dwDockStyle) {
  pFrame->m_pFloatingFrameClass = RUNTIME_CLASS(SECMiniDockFrameWnd);
  for (const SECDockBarRow& row : kSECDockBarTable) {
    const DWORD side = row.dwStyle & CBRS_ALIGN_ANY;
    if (!(side & dwDockStyle) || pFrame->GetControlBar(row.nID)) continue;
    auto* dock = new SECDockBar(FALSE, FALSE);
    if (!dock->Create(pFrame, WS_CLIPSIBLINGS | WS_CLIPCHILDREN | WS_CHILD | WS_VISIBLE | side, 0, row.nID)) {
      delete dock;
      AfxThrowResourceException();
    }
  }
}
