// CImageList: the wrapper of HIMAGELIST.
#include <map>
#include <memory>
#include <mutex>

#include "platform/afx/archive.h"
#include "platform/ui/cdc.h"
#include "platform/ui/cwnd.h"
#include "platform/ui/gdiobj.h"
#include "platform/ui/imagelist.h"
#include "platform/ui/imagelist_obj.h"

IMPLEMENT_DYNCREATE(CImageList, CObject)

namespace {
std::mutex g_cimagelistMutex;
// Temporary wrappers, one per handle; never owning it.
std::map<HIMAGELIST, std::unique_ptr<CImageList>>& g_temps =
    *new std::map<HIMAGELIST, std::unique_ptr<CImageList>>;

void ForgetTemp(HIMAGELIST h) {
  std::lock_guard<std::mutex> lock(g_cimagelistMutex);
  auto it = g_temps.find(h);
  if (it == g_temps.end()) return;
  it->second->m_hImageList = nullptr;
  g_temps.erase(it);
}

HBITMAP HandleOf(CBitmap* b) { return b ? static_cast<HBITMAP>(b->m_hObject) : nullptr; }
}  // namespace

CImageList::~CImageList() { DeleteImageList(); }

CImageList* PASCAL CImageList::FromHandle(HIMAGELIST h) {
  if (!h) return nullptr;
  std::lock_guard<std::mutex> lock(g_cimagelistMutex);
  // Wrappers of lists destroyed through the handle go.
  for (auto it = g_temps.begin(); it != g_temps.end();) {
    if (!mirt_ui::ImageListFind(it->first)) {
      it->second->m_hImageList = nullptr;
      it = g_temps.erase(it);
    } else {
      ++it;
    }
  }
  auto& slot = g_temps[h];
  if (!slot) {
    slot = std::make_unique<CImageList>();
    slot->m_hImageList = h;
  }
  return slot.get();
}

BOOL CImageList::Attach(HIMAGELIST h) {
  if (!h || m_hImageList) return FALSE;
  m_hImageList = h;
  return TRUE;
}

HIMAGELIST CImageList::Detach() {
  HIMAGELIST h = m_hImageList;
  m_hImageList = nullptr;
  return h;
}

BOOL CImageList::Create(int cx, int cy, UINT flags, int initial, int grow) {
  return Attach(ImageList_Create(cx, cy, flags, initial, grow));
}

BOOL CImageList::Create(UINT id, int cx, int grow, COLORREF crMask) {
  return Create(MAKEINTRESOURCE(id), cx, grow, crMask);
}

BOOL CImageList::Create(LPCSTR id, int cx, int grow, COLORREF crMask) {
  HBITMAP bmp = ::LoadBitmap(AfxGetResourceHandle(), id);
  BITMAP info{};
  if (!bmp || !::GetObject(bmp, sizeof info, &info) || cx <= 0) {
    if (bmp) ::DeleteObject(bmp);
    return FALSE;
  }
  UINT flags = (crMask != CLR_NONE ? ILC_MASK : 0) | ILC_COLOR32;
  BOOL ok = Create(cx, info.bmHeight, flags, info.bmWidth / cx, grow);
  if (ok)
    ok = (crMask != CLR_NONE ? ImageList_AddMasked(m_hImageList, bmp, crMask)
                             : ImageList_Add(m_hImageList, bmp, nullptr)) >= 0;
  ::DeleteObject(bmp);
  return ok;
}

BOOL CImageList::Create(CImageList& a, int i1, CImageList& b, int i2, int dx, int dy) {
  return Attach(ImageList_Merge(a.m_hImageList, i1, b.m_hImageList, i2, dx, dy));
}

BOOL CImageList::Create(CImageList* source) {
  return source && Attach(ImageList_Duplicate(source->m_hImageList));
}

BOOL CImageList::DeleteImageList() {
  if (!m_hImageList) return FALSE;
  HIMAGELIST h = Detach();
  ForgetTemp(h);
  return ImageList_Destroy(h);
}

int CImageList::GetImageCount() const { return ImageList_GetImageCount(m_hImageList); }
BOOL CImageList::SetImageCount(UINT n) { return ImageList_SetImageCount(m_hImageList, n); }
BOOL CImageList::GetImageInfo(int i, IMAGEINFO* info) const {
  return ImageList_GetImageInfo(m_hImageList, i, info);
}
COLORREF CImageList::SetBkColor(COLORREF c) { return ImageList_SetBkColor(m_hImageList, c); }
COLORREF CImageList::GetBkColor() const { return ImageList_GetBkColor(m_hImageList); }

int CImageList::Add(CBitmap* image, CBitmap* mask) {
  return ImageList_Add(m_hImageList, HandleOf(image), HandleOf(mask));
}
int CImageList::Add(CBitmap* image, COLORREF crMask) {
  return ImageList_AddMasked(m_hImageList, HandleOf(image), crMask);
}
int CImageList::Add(HICON icon) { return ImageList_AddIcon(m_hImageList, icon); }
BOOL CImageList::Remove(int i) { return ImageList_Remove(m_hImageList, i); }
BOOL CImageList::Replace(int i, CBitmap* image, CBitmap* mask) {
  return ImageList_Replace(m_hImageList, i, HandleOf(image), HandleOf(mask));
}
int CImageList::Replace(int i, HICON icon) { return ImageList_ReplaceIcon(m_hImageList, i, icon); }
HICON CImageList::ExtractIcon(int i) { return ImageList_GetIcon(m_hImageList, i, 0); }
BOOL CImageList::Copy(int iDst, int iSrc, UINT flags) {
  return ImageList_Copy(m_hImageList, iDst, m_hImageList, iSrc, flags);
}
BOOL CImageList::Copy(int iDst, CImageList* src, int iSrc, UINT flags) {
  return src && ImageList_Copy(m_hImageList, iDst, src->m_hImageList, iSrc, flags);
}

BOOL CImageList::Draw(CDC* dc, int i, POINT pt, UINT style) {
  return dc && ImageList_Draw(m_hImageList, i, dc->m_hDC, pt.x, pt.y, style);
}

BOOL CImageList::DrawEx(CDC* dc, int i, POINT pt, SIZE sz, COLORREF bk, COLORREF fg, UINT style) {
  return dc && ImageList_DrawEx(m_hImageList, i, dc->m_hDC, pt.x, pt.y, sz.cx, sz.cy, bk, fg, style);
}

BOOL CImageList::BeginDrag(int i, CPoint hotspot) {
  return ImageList_BeginDrag(m_hImageList, i, hotspot.x, hotspot.y);
}
BOOL PASCAL CImageList::DragEnter(CWnd* lock, CPoint pt) {
  return ImageList_DragEnter(lock ? lock->m_hWnd : nullptr, pt.x, pt.y);
}
BOOL PASCAL CImageList::DragMove(CPoint pt) { return ImageList_DragMove(pt.x, pt.y); }
BOOL PASCAL CImageList::DragLeave(CWnd* lock) { return ImageList_DragLeave(lock ? lock->m_hWnd : nullptr); }
BOOL PASCAL CImageList::DragShowNolock(BOOL show) { return ImageList_DragShowNolock(show); }
void PASCAL CImageList::EndDrag() { ImageList_EndDrag(); }
CImageList* PASCAL CImageList::GetDragImage(LPPOINT pt, LPPOINT hotspot) {
  return FromHandle(ImageList_GetDragImage(pt, hotspot));
}

BOOL CImageList::Write(CArchive* ar) {
  if (!ar || !m_hImageList) return FALSE;
  return mirt_ui::WriteImageList(m_hImageList,
                                 [ar](const void* p, size_t n) { ar->Write(p, static_cast<UINT>(n)); });
}

BOOL CImageList::Read(CArchive* ar) {
  if (!ar) return FALSE;
  DeleteImageList();
  return Attach(mirt_ui::ReadImageList(
      [ar](void* p, size_t n) { return n <= 0xFFFFFFFFu && ar->Read(p, static_cast<UINT>(n)) == n; }));
}
