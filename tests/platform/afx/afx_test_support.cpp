#include "afx_test_support.h"

#include "platform/ui/cdc.h"
#include "platform/ui/gdiobj.h"
#include "platform/ui/print.h"
#include "ui_test_support.h"

namespace afx_test {

BOOL FixedBar::CreateBar(CWnd* parent, UINT id, const char* title) {
  m_dwStyle = 0;  // no side until docked
  return CWnd::Create(AfxControlBarClass(), title, WS_CHILD | WS_VISIBLE, CRect(0, 0, 0, 0), parent, id);
}

CSize FixedBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz) {
  if (bHorz) return CSize(bStretch ? 32767 : 120, 24);
  return CSize(30, bStretch ? 32767 : 100);
}

void FixedBar::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL) { updates.push_back(pTarget); }

void Pump(CWinThread* thread) {
  ::PumpWaitingMessages();
  if (!thread) thread = AfxGetThread();
  if (thread)
    for (LONG n = 0; thread->OnIdle(n); ++n) {
    }
  ::PumpWaitingMessages();
}

CRect RectIn(CWnd* wnd, CWnd* in) {
  CRect r;
  wnd->GetWindowRect(&r);
  in->ScreenToClient(&r);
  return r;
}

namespace {
std::string g_afxTestPrintTarget;
BOOL AfxTestPrintToTarget(CPrintInfo* info) {
  mirt_ui::PrinterSetup setup;
  setup.output = g_afxTestPrintTarget;
  info->m_strOutputFile = g_afxTestPrintTarget.c_str();
  info->m_hDC = mirt_ui::CreatePrinterDC(setup);
  return info->m_hDC != nullptr;
}
}  // namespace

void PrintJobsTo(const std::string& pdf) {
  g_afxTestPrintTarget = pdf;
  afx::SetPrintDialogHandler(pdf.empty() ? nullptr : AfxTestPrintToTarget);
}

QImage PrintViewPage(CView* view, CPrintInfo& info, int page, int width, int height) {
  CClientDC screen(nullptr);
  CDC dc;
  dc.CreateCompatibleDC(&screen);
  CBitmap bitmap;
  bitmap.CreateCompatibleBitmap(&screen, width, height);
  CBitmap* old = dc.SelectObject(&bitmap);
  dc.PatBlt(0, 0, width, height, WHITENESS);
  info.m_rectDraw.SetRect(0, 0, width, height);
  view->OnBeginPrinting(&dc, &info);
  info.m_nCurPage = static_cast<UINT>(page);
  view->OnPrint(&dc, &info);
  QImage image(width, height, QImage::Format_RGB32);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      COLORREF c = dc.GetPixel(x, y);
      image.setPixel(x, y, qRgb(GetRValue(c), GetGValue(c), GetBValue(c)));
    }
  }
  view->OnEndPrinting(&dc, &info);
  dc.SelectObject(old);
  return image;
}

}  // namespace afx_test
