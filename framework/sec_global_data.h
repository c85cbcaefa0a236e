// secData: the framework's shared metrics, colours and cursors, read once at
// start and again when the system colours change.
#pragma once

#include "platform/afx/afxdefs.h"

class SECGlobalData {
 public:
  SECGlobalData();
  // Reads the ten colours again (frames call it on WM_SYSCOLORCHANGE).
  void UpdateSysColors();
  // Reads the colours and loads the cursors the first time windows are made.
  void EnsureLoaded();

  int cxBorder2 = 2;
  int cyBorder2 = 2;
  COLORREF clrBtnFace = 0;
  COLORREF clrBtnShadow = 0;
  COLORREF clrBtnHilite = 0;
  COLORREF clrWindowFrame = 0;
  COLORREF clr3DLight = 0;
  COLORREF clr3DDkShadow = 0;
  COLORREF clrWindowText = 0;
  COLORREF clrWindow = 0;
  COLORREF clrHighlight = 0;
  COLORREF clrHighlightText = 0;
  HCURSOR hcurArrow = nullptr;   // these three: loaded by the first SECDockBar
  HCURSOR hcurVSplit = nullptr;  // vertical splitters (dragged left and right)
  HCURSOR hcurHSplit = nullptr;  // horizontal splitters (dragged up and down)
  HCURSOR hcurSpare = nullptr;
  BOOL bWin4 = TRUE;
  BOOL bLoaded = FALSE;
};

extern SECGlobalData secData;
