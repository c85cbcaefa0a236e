#include "framework/sec_mdi_float_pos.h"

#include <algorithm>

namespace {
constexpr int kSECMDIFloatStart = 30;
constexpr int kSECMDIFloatStepX = 20;
constexpr int kSECMDIFloatStepY = 23;
// Room a floated child keeps before the client's right and bottom edges.
constexpr int kSECMDIFloatMargin = 30;
}  // namespace

CPoint SECTakeMDIFloatPos(SECMDIFloatPos& pos, CSize client) {
  CPoint point(pos.x, pos.y);
  pos.x += kSECMDIFloatStepX;
  pos.y += kSECMDIFloatStepY;
  if (pos.x > client.cx - kSECMDIFloatMargin) pos.x = kSECMDIFloatStart;
  if (pos.y > client.cy - kSECMDIFloatMargin) pos.y = kSECMDIFloatStart;
  return point;
}

CPoint SECClampMDIFloatPos(CPoint point, CSize client) {
  if (point.x < 1) point.x = 0;
  point.x = std::min<int>(point.x, client.cx);
  point.y = std::min<int>(point.y, client.cy - kSECMDIFloatMargin);
  if (point.y < 1) point.y = 0;
  return point;
}
