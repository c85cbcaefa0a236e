// The frame windows of each thread, for idle updates and floating-frame
// notifications.
#pragma once

#include <vector>

class CFrameWnd;

namespace afx {
const std::vector<CFrameWnd*>& FramesOfThread();
void AddFrame(CFrameWnd* frame);
void RemoveFrame(CFrameWnd* frame);
}  // namespace afx
