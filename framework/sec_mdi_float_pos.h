// Where a bar floating as an MDI child lands: the running position for bars
// floated without one, and the clamping into the MDI client.
#pragma once

#include "platform/afx/afx.h"

// The next position of a bar floated without a point; starts at (30, 30).
struct SECMDIFloatPos {
  int x = 30;
  int y = 30;
};

// Returns the current position and advances it by (20, 23); each coordinate
// wraps back to 30 once it passes the client's width (height) less 30.
CPoint SECTakeMDIFloatPos(SECMDIFloatPos& pos, CSize client);
// Keeps a child's top-left inside the client (y at least 30 above its bottom).
CPoint SECClampMDIFloatPos(CPoint point, CSize client);
