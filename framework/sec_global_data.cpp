#include "framework/sec_global_data.h"

#include "framework/sec_res.h"
#include "platform/ui/ui.h"

SECGlobalData secData;

SECGlobalData::SECGlobalData() {
  bWin4 = TRUE;
  cxBorder2 = cyBorder2 = bWin4 ? 2 : 1;
  UpdateSysColors();
  // Cursors are loaded by the first dock bar, once the window system runs.
}

void SECGlobalData::UpdateSysColors() {
  clrBtnFace = ::GetSysColor(COLOR_BTNFACE);
  clrBtnShadow = ::GetSysColor(COLOR_BTNSHADOW);
  clrBtnHilite = ::GetSysColor(COLOR_BTNHIGHLIGHT);
  clrWindowFrame = ::GetSysColor(COLOR_WINDOWFRAME);
  clr3DLight = ::GetSysColor(COLOR_3DLIGHT);
  clr3DDkShadow = ::GetSysColor(COLOR_3DDKSHADOW);
  clrWindowText = ::GetSysColor(COLOR_WINDOWTEXT);
  clrWindow = ::GetSysColor(COLOR_WINDOW);
  clrHighlight = ::GetSysColor(COLOR_HIGHLIGHT);
  clrHighlightText = ::GetSysColor(COLOR_HIGHLIGHTTEXT);
}

void SECGlobalData::EnsureLoaded() {
  if (bLoaded) return;
  bLoaded = TRUE;
  UpdateSysColors();
  hcurArrow = ::LoadCursor(nullptr, IDC_ARROW);
  hcurVSplit = ::LoadCursor(AfxGetResourceHandle(), MAKEINTRESOURCE(IDC_SEC_VSPLITBAR));
  if (!hcurVSplit) hcurVSplit = ::LoadCursor(nullptr, IDC_SIZEWE);
  hcurHSplit = ::LoadCursor(AfxGetResourceHandle(), MAKEINTRESOURCE(IDC_SEC_HSPLITBAR));
  if (!hcurHSplit) hcurHSplit = ::LoadCursor(nullptr, IDC_SIZENS);
}
