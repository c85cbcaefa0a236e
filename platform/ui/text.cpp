// Text output, extents and metrics.
#include <QFontMetrics>
#include <QPainter>
#include <cstring>
#include <memory>
#include <vector>

#include "platform/ui/raster.h"
#include "platform/ui/text1252.h"

using namespace mirt_ui;

namespace {

const QFontMetrics& Metrics(FontObj& f) {
  if (!f.metrics) f.metrics = std::make_unique<QFontMetrics>(f.font);
  return *f.metrics;
}

int TextWidth(Dc& dc, FontObj& f, const QString& s, const INT* dx) {
  if (dx) {
    int w = 0;
    for (int i = 0; i < s.size(); ++i) w += dx[i];
    return w;
  }
  return Metrics(f).horizontalAdvance(s) + dc.st.charExtra * static_cast<int>(s.size());
}

QFont FontFor(Dc& dc, FontObj& f) {
  if (!SurfaceMono(dc)) return f.font;
  QFont q = f.font;
  q.setStyleStrategy(QFont::NoAntialias);
  return q;
}

// Font and pen of the painter, set only when they change.
void PreparePainter(Dc& dc, QPainter* p, FontObj& f) {
  bool mono = SurfaceMono(dc);
  if (dc.painterFont != &f || dc.painterMono != mono) {
    p->setFont(FontFor(dc, f));
    dc.painterFont = &f;
    dc.painterMono = mono;
  }
  QRgb pen = DcColor(dc, dc.st.text);
  if (pen != dc.painterPen || p->pen().style() == Qt::NoPen) {
    p->setPen(QColor::fromRgb(pen));
    dc.painterPen = pen;
  }
}

// Draws one run with its reference point in device coordinates.
void DrawRun(Dc& dc, QPoint ref, const QString& s, const INT* dx, UINT opts, const QRect* rect) {
  FontObj& f = *DcFont(dc);
  UINT align = dc.st.align;
  bool opaqueCell = dc.st.bkMode == OPAQUE && !(opts & ETO_OPAQUE);
  bool needWidth = (align & (TA_CENTER | TA_RIGHT | TA_UPDATECP)) || opaqueCell || dx || dc.st.charExtra ||
                   f.lf.lfEscapement || !rect;
  int width = needWidth ? TextWidth(dc, f, s, dx) : f.maxWidth * static_cast<int>(s.size());
  int height = f.ascent + f.descent;
  int left = ref.x();
  if ((align & TA_CENTER) == TA_CENTER)
    left -= width / 2;
  else if (align & TA_RIGHT)
    left -= width;
  int top = ref.y();
  if ((align & TA_BASELINE) == TA_BASELINE)
    top -= f.ascent;
  else if (align & TA_BOTTOM)
    top -= height;
  QPoint o = dc.origin;
  QRect clipRect = rect ? rect->translated(o) : QRect();
  if ((opts & ETO_OPAQUE) && rect) FillRect(dc, clipRect, SolidPattern(DcColor(dc, dc.st.bk)), R2_COPYPEN);
  if (s.isEmpty()) return;
  QPainter* p = PainterFor(dc);
  if (!p) return;
  PreparePainter(dc, p, f);
  int esc = f.lf.lfEscapement;
  QRect cell(left + o.x(), top + o.y(), width, height);
  bool clipped = (opts & ETO_CLIPPED) && rect;
  if (clipped || esc) p->save();
  if (clipped) p->setClipRect(clipRect, Qt::IntersectClip);
  if (esc) {
    p->translate(ref + o);
    p->rotate(-esc / 10.0);
    p->translate(-(ref + o));
  }
  if (opaqueCell) p->fillRect(cell, QColor::fromRgb(DcColor(dc, dc.st.bk)));
  int baseline = top + o.y() + f.ascent;
  if (dx || dc.st.charExtra) {
    int x = left + o.x();
    const QFontMetrics& m = Metrics(f);
    for (int i = 0; i < s.size(); ++i) {
      p->drawText(QPoint(x, baseline), QString(s[i]));
      x += dx ? dx[i] : m.horizontalAdvance(s[i]) + dc.st.charExtra;
    }
  } else {
    p->drawText(QPoint(left + o.x(), baseline), s);
  }
  if (clipped || esc) p->restore();
  QRect touched =
      esc ? QRect(o + ref - QPoint(width + height, width + height), QSize(2, 2) * (width + height)) : cell;
  if (clipped) touched &= clipRect;
  if ((opts & ETO_OPAQUE) && rect) touched |= clipRect;
  Touch(dc, touched);
  if (align & TA_UPDATECP) dc.st.cur.rx() += width;
}

QString Decode(LPCSTR s, int n) {
  if (!s) return QString();
  if (n < 0) n = static_cast<int>(strlen(s));
  return From1252(s, n);
}

QString ExpandTabs(const QString& s, int tabWidth, QFontMetrics& m) {
  if (!s.contains(QLatin1Char('\t'))) return s;
  QString out;
  for (QChar c : s) {
    if (c != QLatin1Char('\t')) {
      out += c;
      continue;
    }
    int w = m.horizontalAdvance(out);
    int next = (w / tabWidth + 1) * tabWidth;
    while (m.horizontalAdvance(out) < next) out += QLatin1Char(' ');
  }
  return out;
}

// Removes '&' prefixes; returns the index of the underlined character.
QString StripPrefix(const QString& s, int* underline) {
  QString out;
  *underline = -1;
  for (int i = 0; i < s.size(); ++i) {
    if (s[i] == QLatin1Char('&')) {
      if (i + 1 < s.size() && s[i + 1] == QLatin1Char('&')) {
        out += QLatin1Char('&');
        ++i;
        continue;
      }
      if (i + 1 < s.size()) *underline = static_cast<int>(out.size());
      continue;
    }
    out += s[i];
  }
  return out;
}

QString Elide(const QString& s, int width, QFontMetrics& m, UINT fmt) {
  if (m.horizontalAdvance(s) <= width) return s;
  Qt::TextElideMode mode = (fmt & DT_PATH_ELLIPSIS) ? Qt::ElideMiddle : Qt::ElideRight;
  QString e = m.elidedText(s, mode, width);
  return e.replace(QChar(0x2026), QStringLiteral("..."));
}

std::vector<QString> BreakLines(const QString& text, UINT fmt, int width, QFontMetrics& m) {
  std::vector<QString> lines;
  if (fmt & DT_SINGLELINE) {
    QString t = text;
    t.replace(QLatin1Char('\r'), QString()).replace(QLatin1Char('\n'), QString());
    lines.push_back(t);
    return lines;
  }
  QString t = text;
  t.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(QLatin1Char('\r'), QLatin1Char('\n'));
  for (const QString& para : t.split(QLatin1Char('\n'))) {
    if (!(fmt & DT_WORDBREAK) || m.horizontalAdvance(para) <= width) {
      lines.push_back(para);
      continue;
    }
    QString cur;
    int i = 0;
    while (i < para.size()) {
      int j = i;
      while (j < para.size() && para[j] != QLatin1Char(' ')) ++j;
      QString word = para.mid(i, j - i);
      QString candidate = cur.isEmpty() ? word : cur + QLatin1Char(' ') + word;
      if (!cur.isEmpty() && m.horizontalAdvance(candidate) > width) {
        lines.push_back(cur);
        cur = word;
      } else {
        cur = candidate;
      }
      i = j + 1;
    }
    lines.push_back(cur);
  }
  return lines;
}

}  // namespace

BOOL TextOut(HDC h, int x, int y, LPCSTR s, int c) {
  return ExtTextOut(h, x, y, 0, nullptr, s, static_cast<UINT>(std::max(c, 0)), nullptr);
}

BOOL ExtTextOut(HDC h, int x, int y, UINT opts, const RECT* rc, LPCSTR s, UINT c, const INT* dx) {
  Dc* dc = DcFind(h);
  if (!dc) return FALSE;
  QPoint ref = (dc->st.align & TA_UPDATECP) ? LpToDp(*dc, dc->st.cur.x(), dc->st.cur.y()) : LpToDp(*dc, x, y);
  QRect r;
  if (rc) r = LpRectToDp(*dc, rc->left, rc->top, rc->right, rc->bottom);
  DrawRun(*dc, ref, s ? From1252(s, static_cast<int>(c)) : QString(), dx, opts, rc ? &r : nullptr);
  return TRUE;
}

int DrawText(HDC h, LPCSTR str, int n, LPRECT rc, UINT fmt) {
  Dc* dc = DcFind(h);
  if (!dc || !rc) return 0;
  FontObj& f = *DcFont(*dc);
  QFontMetrics m(f.font);
  QString text = Decode(str, n);
  int tab = 8 * (f.aveWidth > 0 ? f.aveWidth : m.averageCharWidth());
  if (fmt & DT_TABSTOP) tab = ((fmt >> 8) & 0xFF) * std::max(1, f.aveWidth);
  if (fmt & DT_EXPANDTABS) text = ExpandTabs(text, std::max(1, tab), m);
  int width = rc->right - rc->left;
  std::vector<QString> lines = BreakLines(text, fmt, width, m);
  int lineHeight = f.ascent + f.descent + ((fmt & DT_EXTERNALLEADING) ? f.externalLeading : 0);
  int total = lineHeight * static_cast<int>(lines.size());
  if (fmt & DT_CALCRECT) {
    int widest = 0;
    for (QString& l : lines) {
      int u;
      QString shown = (fmt & DT_NOPREFIX) ? l : StripPrefix(l, &u);
      widest = std::max(widest, m.horizontalAdvance(shown));
    }
    if (!(fmt & DT_WORDBREAK) || widest > width || (fmt & DT_SINGLELINE)) rc->right = rc->left + widest;
    rc->bottom = rc->top + total;
    return total;
  }
  int y = rc->top;
  if (fmt & DT_SINGLELINE) {
    if (fmt & DT_VCENTER)
      y = rc->top + (rc->bottom - rc->top - lineHeight) / 2;
    else if (fmt & DT_BOTTOM)
      y = rc->bottom - lineHeight;
  }
  UINT savedAlign = dc->st.align;
  dc->st.align = TA_TOP | TA_LEFT;
  QRect clip = LpRectToDp(*dc, rc->left, rc->top, rc->right, rc->bottom);
  for (QString& l : lines) {
    int underline = -1;
    QString shown = (fmt & DT_NOPREFIX) ? l : StripPrefix(l, &underline);
    if (fmt & (DT_END_ELLIPSIS | DT_PATH_ELLIPSIS | DT_WORD_ELLIPSIS)) {
      QString e = Elide(shown, width, m, fmt);
      if (e != shown) underline = -1;
      shown = e;
    }
    int w = m.horizontalAdvance(shown);
    int x = rc->left;
    if (fmt & DT_CENTER)
      x = rc->left + (width - w) / 2;
    else if (fmt & DT_RIGHT)
      x = rc->right - w;
    QPoint ref = LpToDp(*dc, x, y);
    DrawRun(*dc, ref, shown, nullptr, (fmt & DT_NOCLIP) ? 0 : ETO_CLIPPED, &clip);
    if (underline >= 0 && !(fmt & DT_HIDEPREFIX)) {
      int ux = m.horizontalAdvance(shown.left(underline));
      int uw = m.horizontalAdvance(shown.at(underline));
      int uy = ref.y() + f.ascent + 1;
      QRect line = QRect(ref.x() + ux, uy, uw, 1).translated(dc->origin);
      if (!(fmt & DT_NOCLIP)) line &= clip.translated(dc->origin);
      FillArea(*dc, QRegion(line), SolidPattern(DcColor(*dc, dc->st.text)), R2_COPYPEN);
    }
    y += lineHeight;
  }
  dc->st.align = savedAlign;
  return total;
}

static int TabbedWidth(Dc& dc, const QString& s, int nTabs, const INT* tabs, int origin, bool draw,
                       QPoint at) {
  FontObj& f = *DcFont(dc);
  QFontMetrics m(f.font);
  int defTab = 8 * std::max(1, f.aveWidth);
  int x = 0;
  int tabIdx = 0;
  for (const QString& part : s.split(QLatin1Char('\t'))) {
    if (tabIdx > 0) {
      // Next tab stop after x.
      int next;
      if (nTabs <= 0 || !tabs) {
        next = ((x - origin) / defTab + 1) * defTab + origin;
      } else if (nTabs == 1) {
        int step = std::max(1, tabs[0]);
        next = ((x - origin) / step + 1) * step + origin;
      } else {
        next = x;
        for (int i = 0; i < nTabs; ++i)
          if (tabs[i] + origin > x) {
            next = tabs[i] + origin;
            break;
          }
      }
      x = next;
    }
    if (draw) DrawRun(dc, at + QPoint(x, 0), part, nullptr, 0, nullptr);
    x += m.horizontalAdvance(part);
    ++tabIdx;
  }
  return x;
}

LONG TabbedTextOut(HDC h, int x, int y, LPCSTR s, int n, int nTabs, const INT* tabs, int origin) {
  Dc* dc = DcFind(h);
  if (!dc) return 0;
  QString text = Decode(s, n);
  int w = TabbedWidth(*dc, text, nTabs, tabs, origin - x, true, LpToDp(*dc, x, y));
  FontObj& f = *DcFont(*dc);
  return MAKELONG(w, f.ascent + f.descent);
}

DWORD GetTabbedTextExtent(HDC h, LPCSTR s, int n, int nTabs, const INT* tabs) {
  Dc* dc = DcFind(h);
  if (!dc) return 0;
  int w = TabbedWidth(*dc, Decode(s, n), nTabs, tabs, 0, false, QPoint());
  FontObj& f = *DcFont(*dc);
  return MAKELONG(w, f.ascent + f.descent);
}

BOOL GetTextExtentPoint32(HDC h, LPCSTR s, int c, LPSIZE sz) {
  Dc* dc = DcFind(h);
  if (!dc || !sz) return FALSE;
  FontObj& f = *DcFont(*dc);
  QString text = s ? From1252(s, std::max(0, c)) : QString();
  sz->cx = TextWidth(*dc, f, text, nullptr);
  sz->cy = f.ascent + f.descent;
  return TRUE;
}

BOOL GetTextExtentExPoint(HDC h, LPCSTR s, int n, int maxExtent, LPINT fit, LPINT dx, LPSIZE sz) {
  Dc* dc = DcFind(h);
  if (!dc) return FALSE;
  FontObj& f = *DcFont(*dc);
  QFontMetrics m(f.font);
  QString text = s ? From1252(s, std::max(0, n)) : QString();
  int x = 0, count = 0;
  for (int i = 0; i < text.size(); ++i) {
    x += m.horizontalAdvance(text[i]) + dc->st.charExtra;
    if (dx) dx[i] = x;
    if (x <= maxExtent) count = i + 1;
  }
  if (fit) *fit = count;
  if (sz) *sz = SIZE{x, f.ascent + f.descent};
  return TRUE;
}

BOOL GetTextMetrics(HDC h, LPTEXTMETRIC tm) {
  Dc* dc = DcFind(h);
  if (!dc || !tm) return FALSE;
  FontObj& f = *DcFont(*dc);
  memset(tm, 0, sizeof(*tm));
  tm->tmHeight = f.ascent + f.descent;
  tm->tmAscent = f.ascent;
  tm->tmDescent = f.descent;
  tm->tmInternalLeading = f.internalLeading;
  tm->tmExternalLeading = f.externalLeading;
  tm->tmAveCharWidth = f.aveWidth;
  tm->tmMaxCharWidth = f.maxWidth;
  tm->tmWeight = f.lf.lfWeight ? f.lf.lfWeight : FW_NORMAL;
  tm->tmDigitizedAspectX = 96;
  tm->tmDigitizedAspectY = 96;
  tm->tmFirstChar = 0x20;
  tm->tmLastChar = 0xFF;
  tm->tmDefaultChar = 0x1F;
  tm->tmBreakChar = 0x20;
  tm->tmItalic = f.lf.lfItalic;
  tm->tmUnderlined = f.lf.lfUnderline;
  tm->tmStruckOut = f.lf.lfStrikeOut;
  // The "fixed pitch" bit is set for variable-pitch fonts.
  tm->tmPitchAndFamily = static_cast<BYTE>((f.fixedPitch ? 0 : TMPF_FIXED_PITCH) | TMPF_TRUETYPE |
                                           TMPF_VECTOR | (f.fixedPitch ? FF_MODERN : FF_SWISS));
  tm->tmCharSet = f.lf.lfCharSet;
  return TRUE;
}

int GetTextFace(HDC h, int c, LPSTR name) {
  Dc* dc = DcFind(h);
  if (!dc) return 0;
  const char* face = DcFont(*dc)->lf.lfFaceName;
  int len = static_cast<int>(strlen(face));
  if (!name) return len + 1;
  int n = std::min(len, c - 1);
  if (n < 0) return 0;
  memcpy(name, face, n);
  name[n] = 0;
  return n;
}

BOOL GetCharWidth(HDC h, UINT first, UINT last, LPINT buf) {
  Dc* dc = DcFind(h);
  if (!dc || !buf || last < first) return FALSE;
  QFontMetrics m(DcFont(*dc)->font);
  for (UINT c = first; c <= last; ++c) {
    char b = static_cast<char>(c);
    buf[c - first] = m.horizontalAdvance(From1252(&b, 1).at(0));
  }
  return TRUE;
}

BOOL GrayString(HDC h, HBRUSH, void*, LPARAM data, int n, int x, int y, int, int) {
  // Only the string form (no output function) is supported.
  Dc* dc = DcFind(h);
  if (!dc || !data) return FALSE;
  COLORREF old = dc->st.text;
  dc->st.text = RGB(128, 128, 128);
  BOOL ok = TextOut(h, x, y, reinterpret_cast<LPCSTR>(data),
                    n ? n : static_cast<int>(strlen(reinterpret_cast<LPCSTR>(data))));
  dc->st.text = old;
  return ok;
}
