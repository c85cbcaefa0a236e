// CPrintInfo: the state of one print or preview job.
#pragma once

#include "platform/afx/afxdefs.h"

class CPrintInfo {
 public:
  CPrintInfo() = default;
  void SetMinPage(UINT nMinPage) { m_nMinPage = nMinPage; }
  void SetMaxPage(UINT nMaxPage) { m_nMaxPage = nMaxPage; }
  UINT GetMinPage() const { return m_nMinPage; }
  UINT GetMaxPage() const { return m_nMaxPage; }
  // The range chosen in the print dialog (all pages by default).
  UINT GetFromPage() const { return m_nFromPage ? m_nFromPage : m_nMinPage; }
  UINT GetToPage() const { return m_nToPage ? m_nToPage : m_nMaxPage; }
  UINT GetOffsetPage() const { return m_nOffsetPage; }

  BOOL m_bDocObject = FALSE;
  BOOL m_bPreview = FALSE;
  BOOL m_bDirect = FALSE;
  BOOL m_bContinuePrinting = TRUE;
  UINT m_nCurPage = 1;
  UINT m_nNumPreviewPages = 1;
  CString m_strPageDesc;
  void* m_lpUserData = nullptr;
  CRect m_rectDraw;
  UINT m_nMinPage = 1;
  UINT m_nMaxPage = 0xFFFF;
  UINT m_nFromPage = 0;
  UINT m_nToPage = 0;
  UINT m_nOffsetPage = 0;
  // Where the pages go: a PDF file (set by the print dialog or a test).
  CString m_strOutputFile;
  HDC m_hDC = nullptr;
};

namespace afx {
// The print dialog of a job: fills the printer DC (and range) and returns
// TRUE, or FALSE when cancelled. The printing layer installs it; tests may
// replace it. Without one, printing is cancelled.
using PrintDialogHandler = BOOL (*)(CPrintInfo* pInfo);
void SetPrintDialogHandler(PrintDialogHandler handler);
PrintDialogHandler GetPrintDialogHandler();
// The printer's document and page calls, provided by the printing layer.
struct PrintJobOps {
  int (*startDoc)(HDC dc, LPCSTR docName, LPCSTR output) = nullptr;
  int (*startPage)(HDC dc) = nullptr;
  int (*endPage)(HDC dc) = nullptr;
  int (*endDoc)(HDC dc) = nullptr;
  int (*abortDoc)(HDC dc) = nullptr;
};
void SetPrintJobOps(const PrintJobOps& ops);
const PrintJobOps& GetPrintJobOps();
}  // namespace afx
