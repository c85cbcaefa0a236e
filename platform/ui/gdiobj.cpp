#include "platform/ui/gdiobj.h"

#include <map>
#include <memory>
#include <mutex>

#include "platform/ui/cdc.h"
#include "platform/ui/sysmetrics.h"

IMPLEMENT_DYNCREATE(CGdiObject, CObject)
IMPLEMENT_DYNAMIC(CPen, CGdiObject)
IMPLEMENT_DYNAMIC(CBrush, CGdiObject)
IMPLEMENT_DYNAMIC(CFont, CGdiObject)
IMPLEMENT_DYNAMIC(CBitmap, CGdiObject)
IMPLEMENT_DYNAMIC(CRgn, CGdiObject)
IMPLEMENT_DYNAMIC(CPalette, CGdiObject)

namespace {
std::mutex g_gdiobjMutex;
// Temporary wrappers, one per handle; dropped when the handle is deleted
// through a wrapper, or replaced when the handle value comes back.
// (Never destroyed: the wrappers do not own their handles.)
std::map<HGDIOBJ, std::unique_ptr<CGdiObject>>& g_temps = *new std::map<HGDIOBJ, std::unique_ptr<CGdiObject>>;

template <class T>
T* Temp(HGDIOBJ h) {
  if (!h) return nullptr;
  std::lock_guard<std::mutex> lock(g_gdiobjMutex);
  auto& slot = g_temps[h];
  if (!slot || !dynamic_cast<T*>(slot.get())) {
    if (slot) slot->m_hObject = nullptr;
    slot = std::make_unique<T>();
  }
  slot->m_hObject = h;
  return static_cast<T*>(slot.get());
}

void ForgetTemp(HGDIOBJ h) {
  std::lock_guard<std::mutex> lock(g_gdiobjMutex);
  auto it = g_temps.find(h);
  if (it == g_temps.end()) return;
  it->second->m_hObject = nullptr;
  g_temps.erase(it);
}
}  // namespace

CGdiObject::~CGdiObject() {
  if (m_hObject) ::DeleteObject(m_hObject);
}

CGdiObject* PASCAL CGdiObject::FromHandle(HGDIOBJ h) { return Temp<CGdiObject>(h); }

BOOL CGdiObject::Attach(HGDIOBJ h) {
  if (!h) return FALSE;
  m_hObject = h;
  return TRUE;
}

HGDIOBJ CGdiObject::Detach() {
  HGDIOBJ h = m_hObject;
  m_hObject = nullptr;
  return h;
}

BOOL CGdiObject::DeleteObject() {
  if (!m_hObject) return FALSE;
  HGDIOBJ h = Detach();
  ForgetTemp(h);
  return ::DeleteObject(h);
}

int CGdiObject::GetObject(int n, LPVOID p) const { return ::GetObject(m_hObject, n, p); }
UINT CGdiObject::GetObjectType() const { return ::GetObjectType(m_hObject); }
BOOL CGdiObject::UnrealizeObject() { return ::UnrealizeObject(m_hObject); }

BOOL CGdiObject::CreateStockObject(int i) {
  // Stock objects are never deleted: DeleteObject leaves them alone.
  m_hObject = ::GetStockObject(i);
  return m_hObject != nullptr;
}

CPen::CPen(int s, int w, COLORREF c) { CreatePen(s, w, c); }
CPen* PASCAL CPen::FromHandle(HPEN h) { return Temp<CPen>(h); }
BOOL CPen::CreatePen(int s, int w, COLORREF c) { return Attach(::CreatePen(s, w, c)); }
BOOL CPen::CreatePenIndirect(LPLOGPEN lp) { return Attach(::CreatePenIndirect(lp)); }
int CPen::GetLogPen(LOGPEN* lp) { return ::GetObject(m_hObject, sizeof(LOGPEN), lp); }

CBrush::CBrush(COLORREF c) { CreateSolidBrush(c); }
CBrush::CBrush(int i, COLORREF c) { CreateHatchBrush(i, c); }
CBrush::CBrush(CBitmap* b) { CreatePatternBrush(b); }
CBrush* PASCAL CBrush::FromHandle(HBRUSH h) { return Temp<CBrush>(h); }
BOOL CBrush::CreateSolidBrush(COLORREF c) { return Attach(::CreateSolidBrush(c)); }
BOOL CBrush::CreateHatchBrush(int i, COLORREF c) { return Attach(::CreateHatchBrush(i, c)); }
BOOL CBrush::CreatePatternBrush(CBitmap* b) { return b && Attach(::CreatePatternBrush(*b)); }
BOOL CBrush::CreateBrushIndirect(const LOGBRUSH* lb) { return Attach(::CreateBrushIndirect(lb)); }
BOOL CBrush::CreateSysColorBrush(int i) { return Attach(::CreateSolidBrush(::GetSysColor(i))); }
int CBrush::GetLogBrush(LOGBRUSH* lb) { return ::GetObject(m_hObject, sizeof(LOGBRUSH), lb); }

CFont* PASCAL CFont::FromHandle(HFONT h) { return Temp<CFont>(h); }
BOOL CFont::CreateFontIndirect(const LOGFONT* lf) { return Attach(::CreateFontIndirect(lf)); }

BOOL CFont::CreateFont(int h, int w, int esc, int orient, int weight, BYTE italic, BYTE underline,
                       BYTE strike, BYTE charset, BYTE outPrec, BYTE clipPrec, BYTE quality, BYTE pitch,
                       LPCSTR face) {
  return Attach(::CreateFont(h, w, esc, orient, weight, italic, underline, strike, charset, outPrec, clipPrec,
                             quality, pitch, face));
}

BOOL CFont::CreatePointFont(int size, LPCSTR face, CDC* dc) {
  LOGFONT lf{};
  lf.lfCharSet = DEFAULT_CHARSET;
  lf.lfHeight = size;
  if (face) strncpy(lf.lfFaceName, face, LF_FACESIZE - 1);
  return CreatePointFontIndirect(&lf, dc);
}

BOOL CFont::CreatePointFontIndirect(const LOGFONT* in, CDC* dc) {
  if (!in) return FALSE;
  LOGFONT lf = *in;
  int dpi = dc ? dc->GetDeviceCaps(LOGPIXELSY) : 96;
  // Tenths of a point to pixels, as a character height.
  lf.lfHeight = -MulDiv(std::abs(lf.lfHeight), dpi, 720);
  return CreateFontIndirect(&lf);
}

int CFont::GetLogFont(LOGFONT* lf) { return ::GetObject(m_hObject, sizeof(LOGFONT), lf); }

CBitmap* PASCAL CBitmap::FromHandle(HBITMAP h) { return Temp<CBitmap>(h); }
BOOL CBitmap::LoadBitmap(LPCSTR name) { return Attach(::LoadBitmap(AfxGetResourceHandle(), name)); }
BOOL CBitmap::LoadBitmap(UINT id) { return LoadBitmap(MAKEINTRESOURCE(id)); }
BOOL CBitmap::LoadOEMBitmap(UINT) { return FALSE; }
BOOL CBitmap::LoadMappedBitmap(UINT id, UINT flags, void* map, int n) {
  return Attach(::CreateMappedBitmap(AfxGetResourceHandle(), id, flags, map, n));
}
BOOL CBitmap::CreateBitmap(int w, int h, UINT planes, UINT bpp, const void* bits) {
  return Attach(::CreateBitmap(w, h, planes, bpp, bits));
}
BOOL CBitmap::CreateBitmapIndirect(LPBITMAP bm) {
  return bm && CreateBitmap(bm->bmWidth, bm->bmHeight, bm->bmPlanes, bm->bmBitsPixel, bm->bmBits);
}
BOOL CBitmap::CreateCompatibleBitmap(CDC* dc, int w, int h) {
  return Attach(::CreateCompatibleBitmap(dc ? dc->GetSafeHdc() : nullptr, w, h));
}
BOOL CBitmap::CreateDiscardableBitmap(CDC* dc, int w, int h) { return CreateCompatibleBitmap(dc, w, h); }
int CBitmap::GetBitmap(BITMAP* bm) { return ::GetObject(m_hObject, sizeof(BITMAP), bm); }
DWORD CBitmap::SetBitmapBits(DWORD n, const void* bits) {
  return static_cast<DWORD>(::SetBitmapBits(*this, n, bits));
}
DWORD CBitmap::GetBitmapBits(DWORD n, LPVOID bits) const {
  return static_cast<DWORD>(::GetBitmapBits(static_cast<HBITMAP>(m_hObject), static_cast<LONG>(n), bits));
}
CSize CBitmap::GetBitmapDimension() const { return CSize(0, 0); }

CRgn* PASCAL CRgn::FromHandle(HRGN h) { return Temp<CRgn>(h); }
BOOL CRgn::CreateRectRgn(int a, int b, int c, int d) { return Attach(::CreateRectRgn(a, b, c, d)); }
BOOL CRgn::CreateRectRgnIndirect(LPCRECT r) { return Attach(::CreateRectRgnIndirect(r)); }
BOOL CRgn::CreateEllipticRgn(int a, int b, int c, int d) { return Attach(::CreateEllipticRgn(a, b, c, d)); }
BOOL CRgn::CreateEllipticRgnIndirect(LPCRECT r) { return Attach(::CreateEllipticRgnIndirect(r)); }
BOOL CRgn::CreatePolygonRgn(LPPOINT p, int n, int mode) { return Attach(::CreatePolygonRgn(p, n, mode)); }
BOOL CRgn::CreatePolyPolygonRgn(LPPOINT p, LPINT c, int n, int mode) {
  return Attach(::CreatePolyPolygonRgn(p, c, n, mode));
}
BOOL CRgn::CreateRoundRectRgn(int a, int b, int c, int d, int e, int f) {
  return Attach(::CreateRoundRectRgn(a, b, c, d, e, f));
}
void CRgn::SetRectRgn(int a, int b, int c, int d) { ::SetRectRgn(*this, a, b, c, d); }
void CRgn::SetRectRgn(LPCRECT r) { ::SetRectRgn(*this, r->left, r->top, r->right, r->bottom); }
int CRgn::CombineRgn(CRgn* a, CRgn* b, int mode) {
  return ::CombineRgn(*this, a ? static_cast<HRGN>(*a) : nullptr, b ? static_cast<HRGN>(*b) : nullptr, mode);
}
int CRgn::CopyRgn(CRgn* src) {
  return ::CombineRgn(*this, src ? static_cast<HRGN>(*src) : nullptr, nullptr, RGN_COPY);
}
BOOL CRgn::EqualRgn(CRgn* r) const { return r && ::EqualRgn(static_cast<HRGN>(m_hObject), *r); }
int CRgn::OffsetRgn(int x, int y) { return ::OffsetRgn(*this, x, y); }
int CRgn::OffsetRgn(POINT p) { return ::OffsetRgn(*this, p.x, p.y); }
int CRgn::GetRgnBox(LPRECT r) const { return ::GetRgnBox(static_cast<HRGN>(m_hObject), r); }
BOOL CRgn::PtInRegion(int x, int y) const { return ::PtInRegion(static_cast<HRGN>(m_hObject), x, y); }
BOOL CRgn::PtInRegion(POINT p) const { return PtInRegion(p.x, p.y); }
BOOL CRgn::RectInRegion(LPCRECT r) const { return ::RectInRegion(static_cast<HRGN>(m_hObject), r); }

CPalette* PASCAL CPalette::FromHandle(HPALETTE h) { return Temp<CPalette>(h); }
