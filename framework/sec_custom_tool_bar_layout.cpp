// Tool bar layout: wrapping at a width or into a height, balancing rows,
// placing the buttons per docking state, and hit testing.
#include <algorithm>

#include "framework/sec_custom_tool_bar.h"
#include "platform/ui/ui.h"

namespace {

constexpr int kSECLayoutUnbounded = 0x7FFF;
// A caption button at the end of a stretched bar keeps this gap to the end.
constexpr int kSECLayoutCaptionGap = 2;
constexpr int kSECLayoutFloatTrim = 2;

// Takes the hidden buttons out of the bar's array for a layout and puts
// them back at their places afterwards.
class SECLayoutHiddenOut {
 public:
  explicit SECLayoutHiddenOut(std::vector<SECStdBtn*>& btns) : m_btns(btns), m_all(btns) {
    m_btns.erase(std::remove_if(m_btns.begin(), m_btns.end(),
                                [](SECStdBtn* b) { return (b->m_nStyle & TBBS_HIDDEN) != 0; }),
                 m_btns.end());
  }
  ~SECLayoutHiddenOut() { m_btns = m_all; }

 private:
  std::vector<SECStdBtn*>& m_btns;
  std::vector<SECStdBtn*> m_all;
};

}  // namespace

std::vector<SECWrapItem> SECCustomToolBar::WrapItems() const {
  std::vector<SECWrapItem> items;
  for (const SECStdBtn* b : m_btns) items.push_back({b->m_cx, b->m_cy, (b->m_nStyle & TBBS_SEPARATOR) != 0});
  return items;
}

int SECCustomToolBar::WrapButtons(int nWidth, SECToolBarRows& rows) {
  return SECWrapButtons(WrapItems(), nWidth, rows);
}

void SECCustomToolBar::BalanceRows(SECToolBarRows& rows) { SECBalanceRows(WrapItems(), rows); }

void SECCustomToolBar::MarkWrapped(const SECToolBarRows& rows) {
  for (SECStdBtn* b : m_btns) b->m_nStyle &= ~TBBS_WRAPPED;
  for (size_t r = 0; r + 1 < rows.size(); ++r) m_btns[rows[r].nLast]->m_nStyle |= TBBS_WRAPPED;
}

CSize SECCustomToolBar::CalcWrappedSize(int nLength, BOOL bLengthIsHeight) {
  int widest = 0;
  int narrowest = m_btns.empty() ? GetButtonWidth() : kSECLayoutUnbounded;
  for (const SECStdBtn* b : m_btns) {
    if (b->m_nStyle & TBBS_SEPARATOR) continue;
    widest = std::max(widest, b->m_cx);
    narrowest = std::min(narrowest, b->m_cx);
  }
  SECToolBarRows rows;
  const int extra = SeparatorRowExtra();
  if (!bLengthIsHeight) {
    WrapButtons(std::max(nLength, widest), rows);
  } else {
    const int rowsFit = nLength / GetButtonHeight();
    const int count = GetBtnCount();
    int width = rowsFit == 0 ? kSECLayoutUnbounded : std::max(narrowest, GetButtonWidth() * count / rowsFit);
    WrapButtons(width, rows);
    int height = SECRowsSize(rows, extra).cy;
    if (height < nLength) {
      while (width > narrowest && height != nLength) {
        const int narrower = std::max(narrowest, width - GetButtonWidth());
        SECToolBarRows trial;
        WrapButtons(narrower, trial);
        const int h = SECRowsSize(trial, extra).cy;
        if (h > nLength) break;
        width = narrower;
        rows.swap(trial);
        height = h;
      }
    } else {
      while (height > nLength && rows.size() > 1) {
        width += GetButtonWidth();
        WrapButtons(width, rows);
        height = SECRowsSize(rows, extra).cy;
      }
    }
  }
  BalanceRows(rows);
  MarkWrapped(rows);
  return SECRowsSize(rows, extra);
}

CSize SECCustomToolBar::CalcLayout(int nLength, DWORD dwMode) {
  SECLayoutHiddenOut hidden(m_btns);
  CRect insetRect(0, 0, 0, 0);
  CalcInsideRect(insetRect, (dwMode & LM_HORZ) != 0);
  const CSize insets(-insetRect.Width(), -insetRect.Height());
  if (!(dwMode & LM_COMMIT)) {
    if (dwMode & LM_HORZDOCK) return m_szHorz;
    if (dwMode & LM_VERTDOCK) return m_szVert;
    return m_szMRU;
  }
  const BOOL stretch = (m_dwExStyle & SECBAR_OWNROW) != 0;
  CFrameWnd* frame = GetParentFrame();
  if (stretch && (dwMode & LM_HORZDOCK) && GetParent()) {
    CRect client;
    GetParent()->GetClientRect(&client);
    nLength = client.Width();
  } else if (stretch && (dwMode & LM_VERTDOCK) && frame) {
    for (UINT id : {AFX_IDW_DOCKBAR_LEFT, AFX_IDW_DOCKBAR_RIGHT})
      if (CWnd* dock = frame->GetDlgItem(id)) {
        CRect r;
        dock->GetClientRect(&r);
        nLength = std::max<int>(nLength, r.Height());
      }
  }
  CSize size;
  if (m_btns.empty()) {
    size = CSize(GetButtonWidth(), GetButtonHeight());
  } else {
    if ((dwMode & LM_STRETCH) && nLength > 0)
      nLength = static_cast<int>(static_cast<float>(nLength) * m_fPctWidth);
    const DWORD orientation = m_dwStyle & (CBRS_ALIGN_LEFT | CBRS_ALIGN_RIGHT);
    if (orientation != m_dwOrientation) {
      m_dwOrientation = orientation;
      for (SECStdBtn* b : m_btns) b->SetMode(orientation);
    }
    if (m_dwStyle & CBRS_SIZE_FIXED) nLength = kSECLayoutUnbounded;
    const BOOL horz = (dwMode & LM_HORZDOCK) || (!(dwMode & LM_VERTDOCK) && (dwMode & LM_HORZ));
    const BOOL floating = !(dwMode & (LM_HORZDOCK | LM_VERTDOCK));
    if (!(m_dwStyle & CBRS_SIZE_DYNAMIC) || (nLength == -1 && !floating && !(dwMode & LM_MRUWIDTH)))
      size = horz ? CalcWrappedSize(kSECLayoutUnbounded, FALSE) : CalcWrappedSize(0, TRUE);
    else if ((dwMode & LM_MRUWIDTH) || nLength == -1)
      size = CalcWrappedSize(m_nMRUWidth, (dwMode & LM_LENGTHY) != 0);
    else if (dwMode & LM_LENGTHY)
      size = CalcWrappedSize(nLength - insets.cy, TRUE);
    else
      size = CalcWrappedSize(nLength - insets.cx, FALSE);
    // Place the buttons row by row, centring flagged buttons in taller rows.
    CRect inside(insetRect.left, insetRect.top, 0, 0);
    int x = inside.left, y = inside.top, rowHeight = 0;
    size_t rowStart = 0;
    auto centre = [&](size_t end) {
      for (size_t j = rowStart; j < end; ++j) {
        SECStdBtn* b = m_btns[j];
        if ((b->m_nStyle & SEC_TBBS_VCENTER) && b->m_cy < rowHeight)
          b->SetPos(b->m_x, b->m_y + (rowHeight - b->m_cy) / 2);
      }
    };
    for (size_t i = 0; i < m_btns.size(); ++i) {
      SECStdBtn* b = m_btns[i];
      b->SetPos(x, y);
      rowHeight = std::max(rowHeight, b->m_cy);
      if (!(b->m_nStyle & TBBS_WRAPPED)) {
        x += b->m_cx;
        continue;
      }
      centre(i + 1);
      y += rowHeight;
      if (b->m_nStyle & TBBS_SEPARATOR) y += SeparatorRowExtra();
      x = inside.left;
      rowHeight = 0;
      rowStart = i + 1;
    }
    centre(m_btns.size());
  }
  size += insets;
  SECStdBtn* last = m_btns.empty() ? nullptr : m_btns.back();
  const BOOL captionLast = last && last->m_nType == SECBtnCaptionBoxes;
  if (dwMode & LM_HORZDOCK) {
    if (stretch) {
      size.cx = nLength;
      if (captionLast) last->SetPos(nLength - kSECLayoutCaptionGap - last->m_cx, last->m_y);
    }
    m_szHorz = m_szHorzDock = size;
    m_bLayoutHorz = FALSE;
  } else if (dwMode & LM_VERTDOCK) {
    if (stretch) {
      if (!(dwMode & LM_LENGTHY) && (m_dwExStyle & SECBAR_FIXEDSIZE)) size.cx = size.cy * 2;
      size.cy = nLength;
      if (captionLast) last->SetPos(last->m_x, nLength - kSECLayoutCaptionGap - last->m_cy);
    }
    m_szVert = m_szVertDock = size;
    m_bLayoutVert = FALSE;
  } else {
    m_szMRU = m_szFloat = size;
    if (!(dwMode & LM_LENGTHY)) m_nMRUWidth = size.cx;
    m_bLayoutMRU = FALSE;
  }
  if (m_dwStyle & CBRS_FLOATING) size -= CSize(kSECLayoutFloatTrim, kSECLayoutFloatTrim);
  return size;
}

CSize SECCustomToolBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz) {
  return CalcLayout(-1, bHorz ? (LM_HORZ | LM_HORZDOCK) : LM_VERTDOCK);
}

CSize SECCustomToolBar::CalcDynamicLayout(int nLength, DWORD nMode) {
  if (!(nMode & LM_COMMIT)) {
    const BOOL needed = (nMode & LM_HORZDOCK)   ? m_bLayoutHorz
                        : (nMode & LM_VERTDOCK) ? m_bLayoutVert
                        : (nMode & LM_MRUWIDTH) ? m_bLayoutMRU
                                                : FALSE;
    if (needed) return CalcLayout((nMode & LM_VERTDOCK) ? 0 : kSECLayoutUnbounded, nMode | LM_COMMIT);
    return SECControlBar::CalcDynamicLayout(nLength, nMode);
  }
  const BOOL across =
      ((nMode & LM_HORZDOCK) && (nMode & LM_LENGTHY)) || ((nMode & LM_VERTDOCK) && !(nMode & LM_LENGTHY));
  if (across) return SECControlBar::CalcDynamicLayout(nLength, nMode);
  return CalcLayout(nLength, nMode);
}

void SECCustomToolBar::FitToParent() {
  if (m_pDockContext || !GetParent()) return;
  CRect parent, rect;
  GetParent()->GetClientRect(&parent);
  GetWindowRect(&rect);
  const BOOL horz = !(m_dwStyle & 0x5500);
  const CSize size = horz ? CSize(parent.Width(), rect.Height()) : CSize(rect.Width(), parent.Height());
  SetWindowPos(nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

int SECCustomToolBar::HitTestButton(int x, int y, CRect* pRect) const {
  const int n = GetBtnCount();
  int start = -1;
  for (int i = 0; i < n;) {
    while (i < n && (m_btns[i]->m_nStyle & TBBS_HIDDEN)) ++i;  // the row's first shown button
    if (i >= n) break;
    const SECStdBtn* first = m_btns[i];
    if (first->m_y > y) return -1;
    if (first->m_y + GetButtonHeight() >= y) {
      start = i;
      break;
    }
    while (i < n && !(m_btns[i]->m_nStyle & TBBS_WRAPPED)) ++i;  // skip to the next row
    ++i;
  }
  if (start < 0) return -1;
  for (int i = start; i < n; ++i) {
    const SECStdBtn* b = m_btns[i];
    if (!(b->m_nStyle & TBBS_HIDDEN) && x >= b->m_x && x <= b->m_x + b->m_cx) {
      if (b->m_nStyle & TBBS_SEPARATOR) return -1;
      if (pRect) *pRect = b->GetRect();
      return i;
    }
    if (b->m_nStyle & TBBS_WRAPPED) return -1;
  }
  return -1;
}
