// Shared pieces of the framework tests: a bar of fixed sizes, a pane
// window, an application object and message pumping.
#pragma once

#include <QImage>
#include <string>
#include <vector>

#include "platform/afx/afx.h"
#include "platform/ui/ui.h"

namespace afx_test {

// A bar 120 x 24 lying horizontally and 30 x 100 standing; it records the
// targets of its idle updates.
class FixedBar : public CControlBar {
 public:
  BOOL CreateBar(CWnd* parent, UINT id, const char* title);
  CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
  void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;
  std::vector<CFrameWnd*> updates;
};

// Dispatches every waiting message, then runs the idle passes.
void Pump(CWinThread* thread = nullptr);
// The window rectangle of a window in the client coordinates of another.
CRect RectIn(CWnd* wnd, CWnd* in);
// Print jobs go to this PDF file without a print dialog; "" leaves no
// print dialog, so that print jobs are cancelled.
void PrintJobsTo(const std::string& pdf);
// Runs a view's print job (begin, one page, end) on a white bitmap of the
// given size at the screen's resolution and returns the page's pixels.
QImage PrintViewPage(CView* view, CPrintInfo& info, int page, int width, int height);

}  // namespace afx_test
