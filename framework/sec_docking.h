// Docking in a frame with the framework's dock bars: the four SECDockBars
// along the frame's sides and SECMiniDockFrameWnd as its floating frame.
// The framework's frames enable docking through this.
#pragma once

#include "platform/afx/afx.h"

// Creates an SECDockBar for each side in dwDockStyle (CBRS_ALIGN_*) that the
// frame does not have yet, and makes SECMiniDockFrameWnd its floating frame.
void SECEnableDocking(CFrameWnd* pFrame, DWORD dwDockStyle);
