#include "platform/afx/dockstate.h"

#include <algorithm>
#include <cstdint>

#include "platform/afx/archive.h"
#include "platform/sys/profile.h"
#include "platform/ui/ui.h"

IMPLEMENT_SERIAL(CDockState, CObject, 0)

namespace {
plat::Profile& Prof() { return plat::Profile::App(); }
int Int(LPCSTR section, LPCSTR key, int def) {
  return static_cast<int>(Prof().GetProfileInt(section, key, def));
}
}  // namespace

// ---- One record ----

CControlBarInfo::CControlBarInfo() = default;

BOOL CControlBarInfo::SaveState(LPCSTR lpszProfileName, int nIndex) {
  // A dock bar with nothing of its own to say is not saved.
  if (m_bDockBar && m_bVisible && !m_bFloating && m_pointPos.x == -1 && m_pointPos.y == -1 &&
      m_arrBarID.GetSize() <= 1)
    return FALSE;
  CString section;
  section.Format("%s-Bar%d", lpszProfileName, nIndex);
  Prof().WriteProfileString(section, nullptr, nullptr);  // no stale keys of an earlier save
  Prof().WriteProfileInt(section, "BarID", static_cast<int>(m_nBarID));
  if (!m_bVisible) Prof().WriteProfileInt(section, "Visible", m_bVisible);
  if (m_bFloating) {
    Prof().WriteProfileInt(section, "Horz", m_bHorz);
    Prof().WriteProfileInt(section, "Floating", m_bFloating);
  }
  if (m_pointPos.x != -1) Prof().WriteProfileInt(section, "XPos", m_pointPos.x);
  if (m_pointPos.y != -1) Prof().WriteProfileInt(section, "YPos", m_pointPos.y);
  if (m_nMRUWidth != 32767) Prof().WriteProfileInt(section, "MRUWidth", static_cast<int>(m_nMRUWidth));
  if (m_bDocking) {
    Prof().WriteProfileInt(section, "Docking", m_bDocking);
    Prof().WriteProfileInt(section, "MRUDockID", static_cast<int>(m_uMRUDockID));
    Prof().WriteProfileInt(section, "MRUDockLeftPos", m_rectMRUDockPos.left);
    Prof().WriteProfileInt(section, "MRUDockTopPos", m_rectMRUDockPos.top);
    Prof().WriteProfileInt(section, "MRUDockRightPos", m_rectMRUDockPos.right);
    Prof().WriteProfileInt(section, "MRUDockBottomPos", m_rectMRUDockPos.bottom);
    Prof().WriteProfileInt(section, "MRUFloatStyle", static_cast<int>(m_dwMRUFloatStyle));
    Prof().WriteProfileInt(section, "MRUFloatXPos", m_ptMRUFloatPos.x);
    Prof().WriteProfileInt(section, "MRUFloatYPos", m_ptMRUFloatPos.y);
  }
  if (m_arrBarID.GetSize() > 1) {
    Prof().WriteProfileInt(section, "Bars", static_cast<int>(m_arrBarID.GetSize()));
    for (int i = 0; i < m_arrBarID.GetSize(); ++i) {
      CString key;
      key.Format("Bar#%d", i);
      Prof().WriteProfileInt(section, key, static_cast<int>(reinterpret_cast<UINT_PTR>(m_arrBarID[i])));
    }
  }
  return TRUE;
}

BOOL CControlBarInfo::LoadState(LPCSTR lpszProfileName, int nIndex, CDockState* pDockState) {
  CString section;
  section.Format("%s-Bar%d", lpszProfileName, nIndex);
  m_nBarID = static_cast<UINT>(Int(section, "BarID", 0));
  m_bVisible = Int(section, "Visible", TRUE);
  m_bHorz = Int(section, "Horz", TRUE);
  m_bFloating = Int(section, "Floating", FALSE);
  m_pointPos = CPoint(Int(section, "XPos", -1), Int(section, "YPos", -1));
  if (pDockState && m_pointPos.x != -1 && m_pointPos.y != -1) pDockState->ScalePoint(m_pointPos);
  m_nMRUWidth = static_cast<UINT>(Int(section, "MRUWidth", 32767));
  m_bDocking = Int(section, "Docking", 0);
  if (m_bDocking) {
    m_uMRUDockID = static_cast<UINT>(Int(section, "MRUDockID", 0));
    m_rectMRUDockPos = CRect(Int(section, "MRUDockLeftPos", 0), Int(section, "MRUDockTopPos", 0),
                             Int(section, "MRUDockRightPos", 0), Int(section, "MRUDockBottomPos", 0));
    if (pDockState) pDockState->ScaleRectPos(m_rectMRUDockPos);
    m_dwMRUFloatStyle = static_cast<DWORD>(Int(section, "MRUFloatStyle", 0));
    m_ptMRUFloatPos = CPoint(Int(section, "MRUFloatXPos", 0), Int(section, "MRUFloatYPos", 0));
    if (pDockState) pDockState->ScalePoint(m_ptMRUFloatPos);
  }
  int bars = Int(section, "Bars", 0);
  if (bars < 0) bars = 0;
  if (bars > 4096) bars = 4096;  // a damaged count must not run away
  m_arrBarID.RemoveAll();
  for (int i = 0; i < bars; ++i) {
    CString key;
    key.Format("Bar#%d", i);
    m_arrBarID.Add(reinterpret_cast<void*>(static_cast<UINT_PTR>(static_cast<UINT>(Int(section, key, 0)))));
  }
  return m_nBarID != 0;
}

// ---- The whole state ----

CDockState::~CDockState() { Clear(); }

void CDockState::Clear() {
  for (int i = 0; i < m_arrBarInfo.GetSize(); ++i) delete static_cast<CControlBarInfo*>(m_arrBarInfo[i]);
  m_arrBarInfo.RemoveAll();
}

CSize CDockState::GetScreenSize() {
  return CSize(::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN));
}

void CDockState::SetScreenSize(CSize& size) {
  m_sizeLogical = size;
  CSize now = GetScreenSize();
  m_rectDevice = CRect(0, 0, now.cx, now.cy);
  m_rectClip = CRect(0, 0, now.cx - ::GetSystemMetrics(SM_CXICON), now.cy - ::GetSystemMetrics(SM_CYICON));
  m_bScaling = size.cx > 0 && size.cy > 0 && size != now;
}

void CDockState::ScalePoint(CPoint& pt) {
  if (!m_bScaling) return;
  pt.x = ::MulDiv(pt.x, m_rectDevice.Width(), m_sizeLogical.cx);
  pt.y = ::MulDiv(pt.y, m_rectDevice.Height(), m_sizeLogical.cy);
  if (pt.x > m_rectClip.right) pt.x = m_rectClip.right;
  if (pt.y > m_rectClip.bottom) pt.y = m_rectClip.bottom;
}

void CDockState::ScaleRectPos(CRect& rect) {
  if (!m_bScaling) return;
  CPoint pt = rect.TopLeft();
  ScalePoint(pt);
  // A damaged layout may hold any numbers: keep the size within int range.
  auto far = [](LONG from, LONG size) {
    int64_t v = static_cast<int64_t>(from) + size;
    return static_cast<LONG>(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX));
  };
  int64_t cx = static_cast<int64_t>(rect.right) - rect.left,
          cy = static_cast<int64_t>(rect.bottom) - rect.top;
  cx = std::clamp<int64_t>(cx, INT32_MIN, INT32_MAX);
  cy = std::clamp<int64_t>(cy, INT32_MIN, INT32_MAX);
  rect.SetRect(pt.x, pt.y, far(pt.x, static_cast<LONG>(cx)), far(pt.y, static_cast<LONG>(cy)));
}

void CDockState::SaveState(LPCSTR lpszProfileName) {
  int written = 0;
  for (int i = 0; i < m_arrBarInfo.GetSize(); ++i) {
    auto* info = static_cast<CControlBarInfo*>(m_arrBarInfo[i]);
    if (info->SaveState(lpszProfileName, written)) ++written;
  }
  CString section;
  section.Format("%s-Summary", lpszProfileName);
  Prof().WriteProfileInt(section, "Bars", written);
  CSize size = GetScreenSize();
  Prof().WriteProfileInt(section, "ScreenCX", size.cx);
  Prof().WriteProfileInt(section, "ScreenCY", size.cy);
}

void CDockState::LoadState(LPCSTR lpszProfileName) {
  Clear();
  CString section;
  section.Format("%s-Summary", lpszProfileName);
  int bars = Int(section, "Bars", 0);
  if (bars < 0) bars = 0;
  if (bars > 4096) bars = 4096;
  CSize size(Int(section, "ScreenCX", 0), Int(section, "ScreenCY", 0));
  SetScreenSize(size);
  for (int i = 0; i < bars; ++i) {
    auto* info = new CControlBarInfo;
    m_arrBarInfo.Add(info);
    info->LoadState(lpszProfileName, i, this);
  }
}

void CDockState::Serialize(CArchive& ar) {
  if (ar.IsStoring()) {
    ar << m_dwVersion;
    CSize size = GetScreenSize();
    ar << static_cast<DWORD>(size.cx) << static_cast<DWORD>(size.cy);
    ar << static_cast<WORD>(m_arrBarInfo.GetSize());
    for (int i = 0; i < m_arrBarInfo.GetSize(); ++i) {
      auto* info = static_cast<CControlBarInfo*>(m_arrBarInfo[i]);
      ar << static_cast<DWORD>(info->m_nBarID) << static_cast<DWORD>(info->m_bVisible)
         << static_cast<DWORD>(info->m_bFloating) << static_cast<DWORD>(info->m_bHorz);
      ar << static_cast<LONG>(info->m_pointPos.x) << static_cast<LONG>(info->m_pointPos.y);
      ar << static_cast<DWORD>(info->m_nMRUWidth) << static_cast<DWORD>(info->m_bDocking);
      if (info->m_bDocking) {
        ar << static_cast<DWORD>(info->m_uMRUDockID) << static_cast<LONG>(info->m_rectMRUDockPos.left)
           << static_cast<LONG>(info->m_rectMRUDockPos.top) << static_cast<LONG>(info->m_rectMRUDockPos.right)
           << static_cast<LONG>(info->m_rectMRUDockPos.bottom) << info->m_dwMRUFloatStyle
           << static_cast<LONG>(info->m_ptMRUFloatPos.x) << static_cast<LONG>(info->m_ptMRUFloatPos.y);
      }
      ar << static_cast<WORD>(info->m_arrBarID.GetSize());
      for (int j = 0; j < info->m_arrBarID.GetSize(); ++j)
        ar << static_cast<DWORD>(reinterpret_cast<UINT_PTR>(info->m_arrBarID[j]));
    }
    return;
  }
  Clear();
  DWORD version;
  ar >> version;
  if (version > 1) {
    DWORD cx, cy;
    ar >> cx >> cy;
    CSize size(static_cast<int>(cx), static_cast<int>(cy));
    SetScreenSize(size);
  }
  WORD count;
  ar >> count;
  for (WORD i = 0; i < count; ++i) {
    auto* info = new CControlBarInfo;
    m_arrBarInfo.Add(info);
    DWORD id, visible, floating, horz;
    LONG x, y;
    ar >> id >> visible >> floating >> horz >> x >> y;
    info->m_nBarID = id;
    info->m_bVisible = visible;
    info->m_bFloating = floating;
    info->m_bHorz = horz;
    info->m_pointPos = CPoint(x, y);
    if (version > 1) {
      ScalePoint(info->m_pointPos);
      DWORD mru, docking;
      ar >> mru >> docking;
      info->m_nMRUWidth = mru;
      info->m_bDocking = docking;
      if (docking) {
        DWORD dockId;
        LONG l, t, r, b, fx, fy;
        ar >> dockId >> l >> t >> r >> b >> info->m_dwMRUFloatStyle >> fx >> fy;
        info->m_uMRUDockID = dockId;
        info->m_rectMRUDockPos = CRect(l, t, r, b);
        ScaleRectPos(info->m_rectMRUDockPos);
        info->m_ptMRUFloatPos = CPoint(fx, fy);
        ScalePoint(info->m_ptMRUFloatPos);
      }
    }
    WORD ids;
    ar >> ids;
    for (WORD j = 0; j < ids; ++j) {
      DWORD v;
      ar >> v;
      info->m_arrBarID.Add(reinterpret_cast<void*>(static_cast<UINT_PTR>(v)));
    }
  }
  m_dwVersion = 2;
}
