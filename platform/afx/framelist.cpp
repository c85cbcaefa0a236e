#include "platform/afx/framelist.h"

#include <algorithm>

namespace afx {
namespace {
std::vector<CFrameWnd*>& List() {
  thread_local std::vector<CFrameWnd*> frames;
  return frames;
}
}  // namespace

const std::vector<CFrameWnd*>& FramesOfThread() { return List(); }
void AddFrame(CFrameWnd* frame) { List().push_back(frame); }
void RemoveFrame(CFrameWnd* frame) {
  auto& l = List();
  l.erase(std::remove(l.begin(), l.end(), frame), l.end());
}
}  // namespace afx
