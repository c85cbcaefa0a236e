#include "platform/ui/cdc.h"

#include <map>
#include <memory>
#include <mutex>

#include "platform/ui/cwnd.h"

IMPLEMENT_DYNCREATE(CDC, CObject)
IMPLEMENT_DYNAMIC(CPaintDC, CDC)
IMPLEMENT_DYNAMIC(CClientDC, CDC)
IMPLEMENT_DYNAMIC(CWindowDC, CDC)

namespace {
std::mutex g_cdcMutex;
std::map<HDC, std::unique_ptr<CDC>>& g_temps = *new std::map<HDC, std::unique_ptr<CDC>>;
}  // namespace

CDC::~CDC() {
  if (m_hDC) ::DeleteDC(m_hDC);
}

CDC* PASCAL CDC::FromHandle(HDC h) {
  if (!h) return nullptr;
  std::lock_guard<std::mutex> lock(g_cdcMutex);
  auto& slot = g_temps[h];
  if (!slot) slot = std::make_unique<CDC>();
  slot->m_hDC = slot->m_hAttribDC = h;
  return slot.get();
}

void PASCAL CDC::DeleteTempMap() {
  std::lock_guard<std::mutex> lock(g_cdcMutex);
  for (auto& [h, dc] : g_temps) dc->m_hDC = dc->m_hAttribDC = nullptr;
  g_temps.clear();
}

BOOL CDC::Attach(HDC h) {
  if (!h) return FALSE;
  m_hDC = m_hAttribDC = h;
  return TRUE;
}

HDC CDC::Detach() {
  HDC h = m_hDC;
  m_hDC = m_hAttribDC = nullptr;
  return h;
}

BOOL CDC::CreateCompatibleDC(CDC* dc) { return Attach(::CreateCompatibleDC(dc ? dc->m_hDC : nullptr)); }
BOOL CDC::CreateDC(LPCSTR d, LPCSTR dev, LPCSTR out, const void* init) {
  return Attach(::CreateDC(d, dev, out, init));
}
BOOL CDC::DeleteDC() {
  if (!m_hDC) return FALSE;
  return ::DeleteDC(Detach());
}
CWnd* CDC::GetWindow() const { return CWnd::FromHandle(::WindowFromDC(m_hDC)); }
int CDC::SaveDC() { return ::SaveDC(m_hDC); }
BOOL CDC::RestoreDC(int n) { return ::RestoreDC(m_hDC, n); }
int CDC::GetDeviceCaps(int i) const { return ::GetDeviceCaps(m_hDC, i); }

CPen* CDC::SelectObject(CPen* p) {
  return CPen::FromHandle(static_cast<HPEN>(::SelectObject(m_hDC, p ? p->m_hObject : nullptr)));
}
CBrush* CDC::SelectObject(CBrush* b) {
  return CBrush::FromHandle(static_cast<HBRUSH>(::SelectObject(m_hDC, b ? b->m_hObject : nullptr)));
}
CFont* CDC::SelectObject(CFont* f) {
  return CFont::FromHandle(static_cast<HFONT>(::SelectObject(m_hDC, f ? f->m_hObject : nullptr)));
}
CBitmap* CDC::SelectObject(CBitmap* b) {
  return CBitmap::FromHandle(static_cast<HBITMAP>(::SelectObject(m_hDC, b ? b->m_hObject : nullptr)));
}
int CDC::SelectObject(CRgn* r) { return ::SelectClipRgn(m_hDC, r ? static_cast<HRGN>(*r) : nullptr); }
CGdiObject* CDC::SelectObject(CGdiObject* o) {
  return CGdiObject::FromHandle(::SelectObject(m_hDC, o ? o->m_hObject : nullptr));
}
HGDIOBJ CDC::SelectObject(HGDIOBJ h) { return ::SelectObject(m_hDC, h); }
CGdiObject* CDC::SelectStockObject(int i) {
  return CGdiObject::FromHandle(::SelectObject(m_hDC, ::GetStockObject(i)));
}
CPen* CDC::GetCurrentPen() const {
  return CPen::FromHandle(static_cast<HPEN>(::GetCurrentObject(m_hDC, OBJ_PEN)));
}
CBrush* CDC::GetCurrentBrush() const {
  return CBrush::FromHandle(static_cast<HBRUSH>(::GetCurrentObject(m_hDC, OBJ_BRUSH)));
}
CFont* CDC::GetCurrentFont() const {
  return CFont::FromHandle(static_cast<HFONT>(::GetCurrentObject(m_hDC, OBJ_FONT)));
}
CBitmap* CDC::GetCurrentBitmap() const {
  return CBitmap::FromHandle(static_cast<HBITMAP>(::GetCurrentObject(m_hDC, OBJ_BITMAP)));
}

COLORREF CDC::GetTextColor() const { return ::GetTextColor(m_hDC); }
COLORREF CDC::SetTextColor(COLORREF c) { return ::SetTextColor(m_hDC, c); }
COLORREF CDC::GetBkColor() const { return ::GetBkColor(m_hDC); }
COLORREF CDC::SetBkColor(COLORREF c) { return ::SetBkColor(m_hDC, c); }
int CDC::GetBkMode() const { return ::GetBkMode(m_hDC); }
int CDC::SetBkMode(int m) { return ::SetBkMode(m_hDC, m); }
int CDC::GetROP2() const { return ::GetROP2(m_hDC); }
int CDC::SetROP2(int m) { return ::SetROP2(m_hDC, m); }
UINT CDC::GetTextAlign() const { return ::GetTextAlign(m_hDC); }
UINT CDC::SetTextAlign(UINT f) { return ::SetTextAlign(m_hDC, f); }
int CDC::SetTextCharacterExtra(int n) { return ::SetTextCharacterExtra(m_hDC, n); }
int CDC::GetPolyFillMode() const { return ::GetPolyFillMode(m_hDC); }
int CDC::SetPolyFillMode(int m) { return ::SetPolyFillMode(m_hDC, m); }
int CDC::SetStretchBltMode(int m) { return ::SetStretchBltMode(m_hDC, m); }
CPoint CDC::SetBrushOrg(int x, int y) {
  POINT p{0, 0};
  ::SetBrushOrgEx(m_hDC, x, y, &p);
  return CPoint(p);
}
CPoint CDC::SetBrushOrg(POINT p) { return SetBrushOrg(p.x, p.y); }
CPoint CDC::GetBrushOrg() const {
  POINT p{0, 0};
  ::GetBrushOrgEx(m_hDC, &p);
  return CPoint(p);
}

int CDC::GetMapMode() const { return ::GetMapMode(m_hDC); }
int CDC::SetMapMode(int m) { return ::SetMapMode(m_hDC, m); }
#define DC_POINT(Name, Call)       \
  CPoint CDC::Name(int x, int y) { \
    POINT p{0, 0};                 \
    ::Call(m_hDC, x, y, &p);       \
    return CPoint(p);              \
  }
DC_POINT(SetViewportOrg, SetViewportOrgEx)
DC_POINT(OffsetViewportOrg, OffsetViewportOrgEx)
DC_POINT(SetWindowOrg, SetWindowOrgEx)
DC_POINT(OffsetWindowOrg, OffsetWindowOrgEx)
#undef DC_POINT
CPoint CDC::SetViewportOrg(POINT p) { return SetViewportOrg(p.x, p.y); }
CPoint CDC::SetWindowOrg(POINT p) { return SetWindowOrg(p.x, p.y); }
CPoint CDC::GetViewportOrg() const {
  POINT p{0, 0};
  ::GetViewportOrgEx(m_hDC, &p);
  return CPoint(p);
}
CPoint CDC::GetWindowOrg() const {
  POINT p{0, 0};
  ::GetWindowOrgEx(m_hDC, &p);
  return CPoint(p);
}
CSize CDC::GetViewportExt() const {
  SIZE s{0, 0};
  ::GetViewportExtEx(m_hDC, &s);
  return CSize(s);
}
CSize CDC::GetWindowExt() const {
  SIZE s{0, 0};
  ::GetWindowExtEx(m_hDC, &s);
  return CSize(s);
}
CSize CDC::SetViewportExt(int cx, int cy) {
  SIZE s{0, 0};
  ::SetViewportExtEx(m_hDC, cx, cy, &s);
  return CSize(s);
}
CSize CDC::SetViewportExt(SIZE s) { return SetViewportExt(s.cx, s.cy); }
CSize CDC::SetWindowExt(int cx, int cy) {
  SIZE s{0, 0};
  ::SetWindowExtEx(m_hDC, cx, cy, &s);
  return CSize(s);
}
CSize CDC::SetWindowExt(SIZE s) { return SetWindowExt(s.cx, s.cy); }
void CDC::DPtoLP(LPPOINT p, int n) const { ::DPtoLP(m_hDC, p, n); }
void CDC::DPtoLP(LPRECT r) const { ::DPtoLP(m_hDC, reinterpret_cast<LPPOINT>(r), 2); }
void CDC::DPtoLP(LPSIZE s) const {
  POINT p[2] = {{0, 0}, {s->cx, s->cy}};
  ::DPtoLP(m_hDC, p, 2);
  s->cx = std::abs(p[1].x - p[0].x);
  s->cy = std::abs(p[1].y - p[0].y);
}
void CDC::LPtoDP(LPPOINT p, int n) const { ::LPtoDP(m_hDC, p, n); }
void CDC::LPtoDP(LPRECT r) const { ::LPtoDP(m_hDC, reinterpret_cast<LPPOINT>(r), 2); }
void CDC::LPtoDP(LPSIZE s) const {
  POINT p[2] = {{0, 0}, {s->cx, s->cy}};
  ::LPtoDP(m_hDC, p, 2);
  s->cx = std::abs(p[1].x - p[0].x);
  s->cy = std::abs(p[1].y - p[0].y);
}

int CDC::GetClipBox(LPRECT r) const { return ::GetClipBox(m_hDC, r); }
int CDC::SelectClipRgn(CRgn* r) { return ::SelectClipRgn(m_hDC, r ? static_cast<HRGN>(*r) : nullptr); }
int CDC::SelectClipRgn(CRgn* r, int mode) {
  return ::ExtSelectClipRgn(m_hDC, r ? static_cast<HRGN>(*r) : nullptr, mode);
}
int CDC::ExcludeClipRect(int a, int b, int c, int d) { return ::ExcludeClipRect(m_hDC, a, b, c, d); }
int CDC::ExcludeClipRect(LPCRECT r) { return ExcludeClipRect(r->left, r->top, r->right, r->bottom); }
int CDC::IntersectClipRect(int a, int b, int c, int d) { return ::IntersectClipRect(m_hDC, a, b, c, d); }
int CDC::IntersectClipRect(LPCRECT r) { return IntersectClipRect(r->left, r->top, r->right, r->bottom); }
int CDC::OffsetClipRgn(int x, int y) { return ::OffsetClipRgn(m_hDC, x, y); }
BOOL CDC::PtVisible(int x, int y) const { return ::PtVisible(m_hDC, x, y); }
BOOL CDC::PtVisible(POINT p) const { return PtVisible(p.x, p.y); }
BOOL CDC::RectVisible(LPCRECT r) const { return ::RectVisible(m_hDC, r); }

CPoint CDC::GetCurrentPosition() const {
  POINT p{0, 0};
  ::GetCurrentPositionEx(m_hDC, &p);
  return CPoint(p);
}
CPoint CDC::MoveTo(int x, int y) {
  POINT p{0, 0};
  ::MoveToEx(m_hDC, x, y, &p);
  return CPoint(p);
}
CPoint CDC::MoveTo(POINT p) { return MoveTo(p.x, p.y); }
BOOL CDC::LineTo(int x, int y) { return ::LineTo(m_hDC, x, y); }
BOOL CDC::LineTo(POINT p) { return LineTo(p.x, p.y); }
BOOL CDC::Polyline(const POINT* p, int n) { return ::Polyline(m_hDC, p, n); }
BOOL CDC::PolylineTo(const POINT* p, int n) { return ::PolylineTo(m_hDC, p, n); }
BOOL CDC::Polygon(const POINT* p, int n) { return ::Polygon(m_hDC, p, n); }
BOOL CDC::PolyPolygon(const POINT* p, const INT* c, int n) { return ::PolyPolygon(m_hDC, p, c, n); }
BOOL CDC::Rectangle(int a, int b, int c, int d) { return ::Rectangle(m_hDC, a, b, c, d); }
BOOL CDC::Rectangle(LPCRECT r) { return Rectangle(r->left, r->top, r->right, r->bottom); }
BOOL CDC::RoundRect(int a, int b, int c, int d, int e, int f) { return ::RoundRect(m_hDC, a, b, c, d, e, f); }
BOOL CDC::RoundRect(LPCRECT r, POINT p) { return RoundRect(r->left, r->top, r->right, r->bottom, p.x, p.y); }
BOOL CDC::Ellipse(int a, int b, int c, int d) { return ::Ellipse(m_hDC, a, b, c, d); }
BOOL CDC::Ellipse(LPCRECT r) { return Ellipse(r->left, r->top, r->right, r->bottom); }
BOOL CDC::Arc(int a, int b, int c, int d, int e, int f, int g, int h) {
  return ::Arc(m_hDC, a, b, c, d, e, f, g, h);
}
BOOL CDC::Pie(int a, int b, int c, int d, int e, int f, int g, int h) {
  return ::Pie(m_hDC, a, b, c, d, e, f, g, h);
}
BOOL CDC::Chord(int a, int b, int c, int d, int e, int f, int g, int h) {
  return ::Chord(m_hDC, a, b, c, d, e, f, g, h);
}
void CDC::FillRect(LPCRECT r, CBrush* b) { ::FillRect(m_hDC, r, b ? static_cast<HBRUSH>(*b) : nullptr); }
void CDC::FrameRect(LPCRECT r, CBrush* b) { ::FrameRect(m_hDC, r, b ? static_cast<HBRUSH>(*b) : nullptr); }
void CDC::InvertRect(LPCRECT r) { ::InvertRect(m_hDC, r); }
void CDC::DrawFocusRect(LPCRECT r) { ::DrawFocusRect(m_hDC, r); }

void CDC::FillSolidRect(LPCRECT r, COLORREF c) {
  // The background colour is the fill colour, as an opaque empty text.
  ::SetBkColor(m_hDC, c);
  ::ExtTextOut(m_hDC, 0, 0, ETO_OPAQUE, r, nullptr, 0, nullptr);
}

void CDC::FillSolidRect(int x, int y, int cx, int cy, COLORREF c) {
  RECT r{x, y, x + cx, y + cy};
  if (r.left > r.right) std::swap(r.left, r.right);
  if (r.top > r.bottom) std::swap(r.top, r.bottom);
  FillSolidRect(&r, c);
}

void CDC::Draw3dRect(LPCRECT r, COLORREF tl, COLORREF br) {
  Draw3dRect(r->left, r->top, r->right - r->left, r->bottom - r->top, tl, br);
}

void CDC::Draw3dRect(int x, int y, int cx, int cy, COLORREF tl, COLORREF br) {
  FillSolidRect(x, y, cx - 1, 1, tl);
  FillSolidRect(x, y, 1, cy - 1, tl);
  FillSolidRect(x + cx, y, -1, cy, br);
  FillSolidRect(x, y + cy, cx, -1, br);
}

BOOL CDC::DrawEdge(LPRECT r, UINT e, UINT f) { return ::DrawEdge(m_hDC, r, e, f); }
BOOL CDC::DrawFrameControl(LPRECT r, UINT t, UINT s) { return ::DrawFrameControl(m_hDC, r, t, s); }
BOOL CDC::DrawIcon(int x, int y, HICON h) { return ::DrawIcon(m_hDC, x, y, h); }
BOOL CDC::DrawIcon(POINT p, HICON h) { return DrawIcon(p.x, p.y, h); }
BOOL CDC::FillRgn(CRgn* r, CBrush* b) { return r && b && ::FillRgn(m_hDC, *r, *b); }
BOOL CDC::FrameRgn(CRgn* r, CBrush* b, int w, int h) { return r && b && ::FrameRgn(m_hDC, *r, *b, w, h); }
BOOL CDC::InvertRgn(CRgn* r) { return r && ::InvertRgn(m_hDC, *r); }
BOOL CDC::PaintRgn(CRgn* r) { return r && ::PaintRgn(m_hDC, *r); }
COLORREF CDC::GetPixel(int x, int y) const { return ::GetPixel(m_hDC, x, y); }
COLORREF CDC::GetPixel(POINT p) const { return GetPixel(p.x, p.y); }
COLORREF CDC::SetPixel(int x, int y, COLORREF c) { return ::SetPixel(m_hDC, x, y, c); }
COLORREF CDC::SetPixel(POINT p, COLORREF c) { return SetPixel(p.x, p.y, c); }
BOOL CDC::SetPixelV(int x, int y, COLORREF c) { return ::SetPixel(m_hDC, x, y, c) != CLR_INVALID; }

BOOL CDC::PatBlt(int x, int y, int w, int h, DWORD rop) { return ::PatBlt(m_hDC, x, y, w, h, rop); }
BOOL CDC::BitBlt(int x, int y, int w, int h, CDC* src, int xs, int ys, DWORD rop) {
  return ::BitBlt(m_hDC, x, y, w, h, src ? src->m_hDC : nullptr, xs, ys, rop);
}
BOOL CDC::StretchBlt(int x, int y, int w, int h, CDC* src, int xs, int ys, int ws, int hs, DWORD rop) {
  return ::StretchBlt(m_hDC, x, y, w, h, src ? src->m_hDC : nullptr, xs, ys, ws, hs, rop);
}
BOOL CDC::MaskBlt(int x, int y, int w, int h, CDC* src, int xs, int ys, CBitmap& mask, int xm, int ym,
                  DWORD rop) {
  return ::MaskBlt(m_hDC, x, y, w, h, src ? src->m_hDC : nullptr, xs, ys, mask, xm, ym, rop);
}

BOOL CDC::TextOut(int x, int y, LPCSTR s, int n) { return ::TextOut(m_hDC, x, y, s, n); }
BOOL CDC::TextOut(int x, int y, const CString& s) { return TextOut(x, y, s, s.GetLength()); }
BOOL CDC::ExtTextOut(int x, int y, UINT o, LPCRECT r, LPCSTR s, UINT n, LPINT dx) {
  return ::ExtTextOut(m_hDC, x, y, o, r, s, n, dx);
}
BOOL CDC::ExtTextOut(int x, int y, UINT o, LPCRECT r, const CString& s, LPINT dx) {
  return ExtTextOut(x, y, o, r, s, static_cast<UINT>(s.GetLength()), dx);
}
CSize CDC::TabbedTextOut(int x, int y, LPCSTR s, int n, int nt, LPINT tabs, int org) {
  LONG r = ::TabbedTextOut(m_hDC, x, y, s, n, nt, tabs, org);
  return CSize(LOWORD(r), HIWORD(r));
}
int CDC::DrawText(LPCSTR s, int n, LPRECT r, UINT f) { return ::DrawText(m_hDC, s, n, r, f); }
int CDC::DrawText(const CString& s, LPRECT r, UINT f) { return DrawText(s, s.GetLength(), r, f); }
CSize CDC::GetTextExtent(LPCSTR s, int n) const {
  SIZE sz{0, 0};
  ::GetTextExtentPoint32(m_hDC, s, n, &sz);
  return CSize(sz);
}
CSize CDC::GetTextExtent(const CString& s) const { return GetTextExtent(s, s.GetLength()); }
CSize CDC::GetOutputTextExtent(LPCSTR s, int n) const { return GetTextExtent(s, n); }
CSize CDC::GetOutputTextExtent(const CString& s) const { return GetTextExtent(s); }
CSize CDC::GetTabbedTextExtent(LPCSTR s, int n, int nt, LPINT tabs) const {
  DWORD r = ::GetTabbedTextExtent(m_hDC, s, n, nt, tabs);
  return CSize(LOWORD(r), HIWORD(r));
}
BOOL CDC::GetTextMetrics(LPTEXTMETRIC tm) const { return ::GetTextMetrics(m_hDC, tm); }
int CDC::GetTextFace(int n, LPSTR s) const { return ::GetTextFace(m_hDC, n, s); }
int CDC::GetTextFace(CString& s) const {
  char buf[LF_FACESIZE];
  int n = ::GetTextFace(m_hDC, LF_FACESIZE, buf);
  s = buf;
  return n;
}
BOOL CDC::GetCharWidth(UINT a, UINT b, LPINT buf) const { return ::GetCharWidth(m_hDC, a, b, buf); }
BOOL CDC::GrayString(CBrush* b, void* fn, LPARAM data, int n, int x, int y, int w, int h) {
  return ::GrayString(m_hDC, b ? static_cast<HBRUSH>(*b) : nullptr, fn, data, n, x, y, w, h);
}
BOOL CDC::ScrollDC(int dx, int dy, LPCRECT s, LPCRECT c, CRgn* rgn, LPRECT upd) {
  return ::ScrollDC(m_hDC, dx, dy, s, c, rgn ? static_cast<HRGN>(*rgn) : nullptr, upd);
}

CPaintDC::CPaintDC(CWnd* w) : m_hWnd(w->m_hWnd) { Attach(::BeginPaint(m_hWnd, &m_ps)); }
CPaintDC::~CPaintDC() {
  ::EndPaint(m_hWnd, &m_ps);
  Detach();
}

CClientDC::CClientDC(CWnd* w) : m_hWnd(w ? w->m_hWnd : nullptr) { Attach(::GetDC(m_hWnd)); }
CClientDC::~CClientDC() { ::ReleaseDC(m_hWnd, Detach()); }

CWindowDC::CWindowDC(CWnd* w) : m_hWnd(w ? w->m_hWnd : nullptr) { Attach(::GetWindowDC(m_hWnd)); }
CWindowDC::~CWindowDC() { ::ReleaseDC(m_hWnd, Detach()); }
