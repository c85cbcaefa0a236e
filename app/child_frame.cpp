#include "app/child_frame.h"

#include "app/mirt2_app.h"
#include "app/placement_text.h"

IMPLEMENT_DYNCREATE(CChildFrame, SECWorksheet)

BOOL CChildFrame::PreCreateWindow(CREATESTRUCT& cs) {
  CMirt2App* app = GetMirt2App();
  RECT rect{};
  if (app && ParsePlacementRect(app->m_reopenRect, rect)) {
    cs.x = rect.left;
    cs.y = rect.top;
    cs.cx = rect.right - rect.left;
    cs.cy = rect.bottom - rect.top;
  }
  return SECWorksheet::PreCreateWindow(cs);
}

void CChildFrame::ActivateFrame(int) {
  CMirt2App* app = GetMirt2App();
  SECWorksheet::ActivateFrame(app ? app->m_nReopenStatus : -1);
}
