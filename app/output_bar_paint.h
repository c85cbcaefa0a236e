// The IDE's bars that hold one window: their background (button face
// around the inside rectangle, the window colour inside it) and the
// window filling the inside.
#pragma once

class CDC;
class CWnd;
class SECControlBar;

void PaintBarInsideFrame(SECControlBar* bar, CDC* pDC);
// Moves the bar's window (once made) onto the bar's inside rectangle.
void FitChildToBarInside(SECControlBar* bar, CWnd& child);
