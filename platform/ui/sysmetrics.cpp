#include "platform/ui/sysmetrics.h"

#include <QGuiApplication>
#include <QScreen>
#include <cstring>

#include "platform/ui/gdi.h"
#include "platform/ui/modal.h"

namespace {
const COLORREF kColors[] = {
    RGB(192, 192, 192),  // COLOR_SCROLLBAR
    RGB(0, 128, 128),    // COLOR_BACKGROUND
    RGB(0, 0, 128),      // COLOR_ACTIVECAPTION
    RGB(128, 128, 128),  // COLOR_INACTIVECAPTION
    RGB(192, 192, 192),  // COLOR_MENU
    RGB(255, 255, 255),  // COLOR_WINDOW
    RGB(0, 0, 0),        // COLOR_WINDOWFRAME
    RGB(0, 0, 0),        // COLOR_MENUTEXT
    RGB(0, 0, 0),        // COLOR_WINDOWTEXT
    RGB(255, 255, 255),  // COLOR_CAPTIONTEXT
    RGB(192, 192, 192),  // COLOR_ACTIVEBORDER
    RGB(192, 192, 192),  // COLOR_INACTIVEBORDER
    RGB(128, 128, 128),  // COLOR_APPWORKSPACE
    RGB(0, 0, 128),      // COLOR_HIGHLIGHT
    RGB(255, 255, 255),  // COLOR_HIGHLIGHTTEXT
    RGB(192, 192, 192),  // COLOR_BTNFACE
    RGB(128, 128, 128),  // COLOR_BTNSHADOW
    RGB(128, 128, 128),  // COLOR_GRAYTEXT
    RGB(0, 0, 0),        // COLOR_BTNTEXT
    RGB(192, 192, 192),  // COLOR_INACTIVECAPTIONTEXT
    RGB(255, 255, 255),  // COLOR_BTNHIGHLIGHT
    RGB(0, 0, 0),        // COLOR_3DDKSHADOW
    RGB(223, 223, 223),  // COLOR_3DLIGHT
    RGB(0, 0, 0),        // COLOR_INFOTEXT
    RGB(255, 255, 225),  // COLOR_INFOBK
    RGB(192, 192, 192),  // 25
    RGB(0, 0, 255),      // COLOR_HOTLIGHT
    RGB(16, 132, 208),   // COLOR_GRADIENTACTIVECAPTION
    RGB(181, 181, 181),  // COLOR_GRADIENTINACTIVECAPTION
};
constexpr int kColorCount = sizeof(kColors) / sizeof(kColors[0]);

struct Metric {
  int index;
  int value;
};
const Metric kMetrics[] = {
    {SM_CXSCREEN, 1920},
    {SM_CYSCREEN, 1080},
    {SM_CXVSCROLL, 16},
    {SM_CYHSCROLL, 16},
    {SM_CYCAPTION, 19},
    {SM_CXBORDER, 1},
    {SM_CYBORDER, 1},
    {SM_CXDLGFRAME, 3},
    {SM_CYDLGFRAME, 3},
    {SM_CYVTHUMB, 16},
    {SM_CXHTHUMB, 16},
    {SM_CXICON, 32},
    {SM_CYICON, 32},
    {SM_CXCURSOR, 32},
    {SM_CYCURSOR, 32},
    {SM_CYMENU, 19},
    {SM_CXFULLSCREEN, 1920},
    {SM_CYFULLSCREEN, 1042},
    {SM_CYVSCROLL, 16},
    {SM_CXHSCROLL, 16},
    {SM_CXMIN, 112},
    {SM_CYMIN, 27},
    {SM_CXSIZE, 18},
    {SM_CYSIZE, 18},
    {SM_CXFRAME, 4},
    {SM_CYFRAME, 4},
    {SM_CXMINTRACK, 112},
    {SM_CYMINTRACK, 27},
    {SM_CXDOUBLECLK, 4},
    {SM_CYDOUBLECLK, 4},
    {SM_CXICONSPACING, 75},
    {SM_CYICONSPACING, 75},
    {SM_CXEDGE, 2},
    {SM_CYEDGE, 2},
    {SM_CXSMICON, 16},
    {SM_CYSMICON, 16},
    {SM_CYSMCAPTION, 15},
    {SM_CXSMSIZE, 12},
    {SM_CYSMSIZE, 14},
    {SM_CXMENUSIZE, 18},
    {SM_CYMENUSIZE, 18},
    {SM_CXMAXTRACK, 1928},
    {SM_CYMAXTRACK, 1088},
    {SM_CXMAXIMIZED, 1928},
    {SM_CYMAXIMIZED, 1050},
    {SM_CXDRAG, 4},
    {SM_CYDRAG, 4},
    {SM_CXMENUCHECK, 13},
    {SM_CYMENUCHECK, 13},
    {SM_MOUSEWHEELPRESENT, 1},
    {SM_CXVIRTUALSCREEN, 1920},
    {SM_CYVIRTUALSCREEN, 1080},
    {SM_CMONITORS, 1},
};

void DialogFont(LOGFONT* lf, bool bold) {
  memset(lf, 0, sizeof(*lf));
  lf->lfHeight = -11;
  lf->lfWeight = bold ? FW_BOLD : FW_NORMAL;
  lf->lfCharSet = ANSI_CHARSET;
  strcpy(lf->lfFaceName, "MS Sans Serif");
}
}  // namespace

DWORD GetSysColor(int nIndex) {
  if (nIndex < 0 || nIndex >= kColorCount) return 0;
  return kColors[nIndex];
}

HBRUSH GetSysColorBrush(int nIndex) {
  static HBRUSH brushes[kColorCount] = {};
  if (nIndex < 0 || nIndex >= kColorCount) return nullptr;
  if (!brushes[nIndex]) brushes[nIndex] = mirt_ui::MakeStockBrush(kColors[nIndex]);
  return brushes[nIndex];
}

namespace {

// The screen and its work area: the real ones on a display, a fixed
// 1920 x 1080 in headless runs so that results are the same everywhere.
struct ScreenArea {
  QRect screen, work, virtualScreen;
};

bool RealScreen(ScreenArea* area) {
  if (plat::IsHeadless()) return false;
  QScreen* s = QGuiApplication::primaryScreen();
  if (!s) return false;
  *area = ScreenArea{s->geometry(), s->availableGeometry(), s->virtualGeometry()};
  return !area->screen.isEmpty();
}

// Metrics that follow the real screen; false for the others.
bool ScreenMetric(int index, int* value) {
  ScreenArea a;
  if (!RealScreen(&a)) return false;
  const int frame = 2 * 4;  // a maximised window's frame lies outside the screen
  switch (index) {
    case SM_CXSCREEN:
      *value = a.screen.width();
      return true;
    case SM_CYSCREEN:
      *value = a.screen.height();
      return true;
    case SM_CXFULLSCREEN:
      *value = a.work.width();
      return true;
    case SM_CYFULLSCREEN:
      *value = a.work.height() - GetSystemMetrics(SM_CYCAPTION);
      return true;
    case SM_CXMAXTRACK:
      *value = a.virtualScreen.width() + frame;
      return true;
    case SM_CYMAXTRACK:
      *value = a.virtualScreen.height() + frame;
      return true;
    case SM_CXMAXIMIZED:
      *value = a.work.width() + frame;
      return true;
    case SM_CYMAXIMIZED:
      *value = a.work.height() + frame;
      return true;
    case SM_CXVIRTUALSCREEN:
      *value = a.virtualScreen.width();
      return true;
    case SM_CYVIRTUALSCREEN:
      *value = a.virtualScreen.height();
      return true;
  }
  return false;
}

}  // namespace

int GetSystemMetrics(int nIndex) {
  if (int value = 0; ScreenMetric(nIndex, &value)) return value;
  for (const Metric& m : kMetrics)
    if (m.index == nIndex) return m.value;
  return 0;
}

BOOL SystemParametersInfo(UINT uiAction, UINT uiParam, PVOID pvParam, UINT fWinIni) {
  switch (uiAction) {
    case SPI_GETWORKAREA: {
      if (!pvParam) return FALSE;
      ScreenArea a;
      if (RealScreen(&a))
        *static_cast<RECT*>(pvParam) =
            RECT{a.work.left(), a.work.top(), a.work.right() + 1, a.work.bottom() + 1};
      else
        *static_cast<RECT*>(pvParam) = RECT{0, 0, 1920, 1040};
      return TRUE;
    }
    case SPI_GETWHEELSCROLLLINES:
      if (!pvParam) return FALSE;
      *static_cast<UINT*>(pvParam) = 3;
      return TRUE;
    case SPI_GETBORDER:
      if (!pvParam) return FALSE;
      *static_cast<int*>(pvParam) = 1;
      return TRUE;
    case SPI_GETKEYBOARDDELAY:
      if (!pvParam) return FALSE;
      *static_cast<int*>(pvParam) = 1;
      return TRUE;
    case SPI_GETKEYBOARDSPEED:
      if (!pvParam) return FALSE;
      *static_cast<DWORD*>(pvParam) = 31;
      return TRUE;
    case SPI_GETDRAGFULLWINDOWS:
    case SPI_GETMENUDROPALIGNMENT:
      if (!pvParam) return FALSE;
      *static_cast<BOOL*>(pvParam) = FALSE;
      return TRUE;
    case SPI_GETFONTSMOOTHING:
      if (!pvParam) return FALSE;
      *static_cast<BOOL*>(pvParam) = TRUE;
      return TRUE;
    case SPI_GETICONTITLELOGFONT:
      if (!pvParam) return FALSE;
      DialogFont(static_cast<LOGFONT*>(pvParam), false);
      return TRUE;
    case SPI_GETNONCLIENTMETRICS: {
      auto* m = static_cast<NONCLIENTMETRICS*>(pvParam);
      if (!m) return FALSE;
      m->iBorderWidth = 1;
      m->iScrollWidth = 16;
      m->iScrollHeight = 16;
      m->iCaptionWidth = 18;
      m->iCaptionHeight = 18;
      DialogFont(&m->lfCaptionFont, true);
      m->iSmCaptionWidth = 12;
      m->iSmCaptionHeight = 14;
      DialogFont(&m->lfSmCaptionFont, true);
      m->iMenuWidth = 18;
      m->iMenuHeight = 18;
      DialogFont(&m->lfMenuFont, false);
      DialogFont(&m->lfStatusFont, false);
      DialogFont(&m->lfMessageFont, false);
      return TRUE;
    }
  }
  return FALSE;
}
