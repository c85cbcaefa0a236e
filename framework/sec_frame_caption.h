// The frames' painted caption: its rectangle, the gradient bands, the split of
// the window text into application and document parts, and the painting
// into a device context.
#pragma once

#include <vector>

#include "platform/afx/afx.h"

// Bands of the active caption's gradient.
constexpr int kSECCaptionBands = 60;

enum class SECCaptionState { kInactive, kActive };

// The caption rectangle of a window `size` big with `dwStyle`, in window
// coordinates; `bCloseEnabled` tells whether the system menu's close item is
// enabled.
CRect SECCalcCaptionRect(CSize size, DWORD dwStyle, BOOL bCloseEnabled);

struct SECGradientBand {
  CRect rect;
  COLORREF color;
};
// The bands FillGradient paints: at most one per pixel column, colours
// stepping in 24.8 fixed point from `from` towards `to`, the last band ending
// at the right edge.
std::vector<SECGradientBand> SECCalcGradientBands(const CRect& rect, int nBands, COLORREF from, COLORREF to);
void SECFillGradient(CDC* pDC, const CRect& rect, int nBands, COLORREF from, COLORREF to);

// The window text split at its first "-": the part before it (application)
// and the part from the "-" on (document; empty without a "-").
struct SECCaptionText {
  CString strApp;
  CString strDoc;
};
SECCaptionText SECSplitCaptionText(const CString& strText);

struct SECCaptionPaint {
  CString strText;
  SECCaptionState state = SECCaptionState::kActive;
  int nAlignment = 0;  // 0 left, 1 centred, other right
  HICON hIcon = nullptr;
  BOOL bSysMenu = TRUE;
  CFont* pAppFont = nullptr;
  CFont* pDocFont = nullptr;
};
// Paints a caption `size` big at the origin of `pDC`.
void SECPaintCaption(CDC* pDC, CSize size, const SECCaptionPaint& paint);

enum class SECCaptionFontStyle { kPlain, kItalic };
// The system caption font, italic for the application part.
void SECCreateCaptionFont(CFont& font, SECCaptionFontStyle style);

enum class SECNcPaintRequest { kSend, kPost };

// The caption state a frame keeps and the painting on its border.
class SECCustomCaption {
 public:
  // Returns the old value; nothing changes (0) on a system without the new shell.
  BOOL Enable(CWnd* pFrame, BOOL bEnable, BOOL bRedraw, SECNcPaintRequest request);
  void SetAlignment(CWnd* pFrame, int nAlignment, BOOL bRedraw);
  CRect GetRect(CWnd* pFrame) const;
  void Paint(CWnd* pFrame, CDC* pDC, CSize size, CFont* pAppFont, CFont* pDocFont) const;
  // Paints on the frame's border through a memory bitmap; FALSE when that cannot be made.
  BOOL Draw(CWnd* pFrame, CFont* pAppFont, CFont* pDocFont) const;

  int nAlignment = 0;
  BOOL bActive = FALSE;
  BOOL bEnabled = FALSE;
  BOOL bNewShell = TRUE;
};
