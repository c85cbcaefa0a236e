// The background of the IDE's text bars: button face around the inside
// rectangle, the window colour inside it.
#pragma once

class CDC;
class SECControlBar;

void PaintBarInsideFrame(SECControlBar* bar, CDC* pDC);
