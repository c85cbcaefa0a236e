#include "framework/sec_bmp_mgr.h"

#include "framework/sec_bmp_mgr_loader.h"
#include "platform/ui/ui.h"

IMPLEMENT_DYNAMIC(SECBmpMgr, CObject)

SECBmpResource::SECBmpResource(LPCSTR name) {
  if (!name) return;
  if (IS_INTRESOURCE(name)) {
    m_pszId = name;
  } else {
    m_bNamed = TRUE;
    m_strName = name;
  }
}

SECBmpMgr::SECBmpMgr() = default;

SECBmpMgr::~SECBmpMgr() {
  for (auto& rec : m_records) {
    if (!rec->bSmallSupplied) FreeStrip(rec->hSmall);
    if (!rec->bLargeSupplied) FreeStrip(rec->hLarge);
  }
}

void SECBmpMgr::Release() {
  if (--m_nRefs == 0) delete this;
}

void SECBmpMgr::FreeStrip(HBITMAP& h) {
  if (h) ::DeleteObject(h);
  h = nullptr;
}

BOOL SECBmpMgr::AddToolBar(LPCSTR lpszToolBar, LPCSTR lpszLargeToolBar, BOOL bMapColors) {
  SECToolBarResource small;
  if (!SECLoadToolBarResource(lpszToolBar, &small)) return FALSE;
  SECToolBarResource large;
  if (lpszLargeToolBar && !SECLoadToolBarResource(lpszLargeToolBar, &large)) return FALSE;
  if (m_records.empty()) {
    m_szSmall = small.szImage;
    if (lpszLargeToolBar) m_szLarge = large.szImage;
  }
  std::vector<UINT> ids;
  for (UINT id : small.ids)
    if (id) ids.push_back(id);
  return AddBitmap(lpszToolBar, lpszLargeToolBar, ids.data(), static_cast<int>(ids.size()), bMapColors);
}

BOOL SECBmpMgr::AddBitmap(LPCSTR lpszBitmap, LPCSTR lpszLargeBitmap, const UINT* ids, int count,
                          BOOL bMapColors) {
  auto rec = std::make_unique<SECBmpRecord>();
  rec->resSmall = SECBmpResource(lpszBitmap);
  rec->resLarge = SECBmpResource(lpszLargeBitmap);
  rec->bMapColors = bMapColors;
  return Register(std::move(rec), ids, count);
}

BOOL SECBmpMgr::AddBitmap(HBITMAP hSmall, HBITMAP hLarge, const UINT* ids, int count) {
  auto rec = std::make_unique<SECBmpRecord>();
  rec->hSmall = hSmall;
  rec->bSmallSupplied = hSmall != nullptr;
  rec->hLarge = hLarge;
  rec->bLargeSupplied = hLarge != nullptr;
  return Register(std::move(rec), ids, count);
}

BOOL SECBmpMgr::Register(std::unique_ptr<SECBmpRecord> rec, const UINT* ids, int count) {
  const int nRecord = static_cast<int>(m_records.size());
  rec->nImages = count > 0 ? static_cast<UINT>(count) : 0;
  for (int i = 0; ids && i < count; ++i) m_items.try_emplace(ids[i], Item{nRecord, i});
  m_records.push_back(std::move(rec));
  return LoadBitmaps(*m_records.back(), TRUE);
}

BOOL SECBmpMgr::GetImage(UINT nID, HBITMAP& hBitmap, int& nIndex, BOOL bSmall) const {
  auto it = m_items.find(nID);
  if (it == m_items.end()) return FALSE;
  const SECBmpRecord& rec = *m_records[it->second.nRecord];
  hBitmap = (bSmall || m_bSmallMode) ? rec.hSmall : rec.hLarge;
  nIndex = it->second.nImage;
  return TRUE;
}

BOOL SECBmpMgr::ReloadAll(BOOL bReload) {
  for (auto& rec : m_records) LoadBitmaps(*rec, bReload);
  return TRUE;
}

void SECBmpMgr::SetSmallMode(BOOL bSmall) {
  if (!bSmall == !m_bSmallMode) return;
  m_bSmallMode = bSmall;
  ReloadAll(TRUE);
}

void SECBmpMgr::SetKeepBoth(BOOL bKeepBoth) {
  if (!bKeepBoth == !m_bKeepBoth) return;
  m_bKeepBoth = bKeepBoth;
  ReloadAll(FALSE);
}

BOOL SECBmpMgr::LoadBitmaps(SECBmpRecord& rec, BOOL bReload) {
  if (!rec.bSmallSupplied && (m_bSmallMode || m_bKeepBoth)) {
    if (m_bSmallMode && !m_bKeepBoth && !rec.bLargeSupplied) FreeStrip(rec.hLarge);
    if (bReload) FreeStrip(rec.hSmall);
    if (!rec.hSmall && !LoadSmallBitmap(rec)) return FALSE;
  }
  if (rec.bLargeSupplied || m_bSmallMode) return TRUE;
  if (!m_bKeepBoth && !rec.bSmallSupplied) FreeStrip(rec.hSmall);
  if (bReload) FreeStrip(rec.hLarge);
  if (rec.hLarge) return TRUE;
  return LoadLargeBitmap(rec);
}

BOOL SECBmpMgr::LoadStrip(const SECBmpResource& res, BOOL bMapColors, HBITMAP& hOut) {
  CBitmap bitmap;
  const BOOL ok = bMapColors ? SECLoadSysColorBitmap(bitmap, res.Get()) : bitmap.LoadBitmap(res.Get());
  if (!ok) return FALSE;
  hOut = static_cast<HBITMAP>(bitmap.Detach());
  return TRUE;
}

BOOL SECBmpMgr::LoadSmallBitmap(SECBmpRecord& rec) {
  if (rec.bSmallSupplied) return TRUE;
  return LoadStrip(rec.resSmall, rec.bMapColors, rec.hSmall);
}

BOOL SECBmpMgr::LoadLargeBitmap(SECBmpRecord& rec) {
  if (rec.bLargeSupplied) return TRUE;
  if (!rec.resLarge.IsEmpty()) return LoadStrip(rec.resLarge, rec.bMapColors, rec.hLarge);
  return StretchLarge(rec);
}

BOOL SECBmpMgr::StretchLarge(SECBmpRecord& rec) {
  const BOOL bLoadedNow = !rec.hSmall;
  if (bLoadedNow && !LoadSmallBitmap(rec)) return FALSE;
  HDC screen = ::GetDC(nullptr);
  HDC src = ::CreateCompatibleDC(screen);
  HDC dst = ::CreateCompatibleDC(screen);
  const int nImages = static_cast<int>(rec.nImages);
  HBITMAP large = ::CreateCompatibleBitmap(screen, m_szLarge.cx * (nImages > 0 ? nImages : 1), m_szLarge.cy);
  ::ReleaseDC(nullptr, screen);
  BOOL ok = src && dst && large;
  if (ok) {
    HGDIOBJ oldSrc = ::SelectObject(src, rec.hSmall);
    HGDIOBJ oldDst = ::SelectObject(dst, large);
    for (int i = 0; i < nImages; ++i)
      ::StretchBlt(dst, i * m_szLarge.cx, 0, m_szLarge.cx, m_szLarge.cy, src, i * m_szSmall.cx, 0,
                   m_szSmall.cx, m_szSmall.cy, SRCCOPY);
    ::SelectObject(src, oldSrc);
    ::SelectObject(dst, oldDst);
    rec.hLarge = large;
  } else if (large) {
    ::DeleteObject(large);
  }
  if (src) ::DeleteDC(src);
  if (dst) ::DeleteDC(dst);
  if (bLoadedNow) FreeStrip(rec.hSmall);
  return ok;
}
