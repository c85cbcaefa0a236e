#include "framework/sec_control_bar_info.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "framework/sec_control_bar_manager.h"
#include "framework/sec_dock_state.h"
#include "framework/sec_persistent_tree_node.h"
#include "framework/sec_ptn_factory.h"
#include "platform/sys/profile.h"

IMPLEMENT_DYNCREATE(SECControlBarInfoEx, CObject)

namespace {
plat::Profile& Prof() { return plat::Profile::App(); }
int Int(LPCSTR section, LPCSTR key, int def) {
  return static_cast<int>(Prof().GetProfileInt(section, key, def));
}
// The share is kept as millionths in text.
CString ShareText(double share) {
  CString text;
  text.Format("%d", static_cast<int>(share * 1000000.0));
  return text;
}
double ShareFromText(const CString& text) {
  double share = std::atof(text) / 1000000.0;
  return share < 0 ? 0.0 : share;
}
CSize NonNegative(int cx, int cy) { return CSize(std::max(cx, 0), std::max(cy, 0)); }
}  // namespace

BOOL SECControlBarInfo::IsWorthSaving() const {
  return !(m_bDockBar && m_bVisible && !m_bFloating && m_pointPos.x == -1 && m_pointPos.y == -1 &&
           m_arrBarID.GetSize() < 2);
}

// ---- Profile form ----

BOOL SECControlBarInfo::SaveStateToProfile(LPCSTR lpszProfileName, int nIndex) {
  if (!SaveState(lpszProfileName, nIndex)) return FALSE;
  CString section;
  section.Format("%s-Bar%d", lpszProfileName, nIndex);
  plat::Profile& p = Prof();
  p.WriteProfileInt(section, "Style", static_cast<int>(m_dwStyle));
  p.WriteProfileInt(section, "ExStyle", static_cast<int>(m_dwExStyle));
  p.WriteProfileInt(section, "PrevFloating", m_bPrevFloating);
  p.WriteProfileInt(section, "MDIChild", m_bMDIChild);
  if (m_bMDIChild)
    p.WriteProfileBinary(section, "MDIChildWindowPlacement", reinterpret_cast<const BYTE*>(&m_wpMDIChild),
                         sizeof(m_wpMDIChild));
  p.WriteProfileString(section, "PctWidth", ShareText(m_dblPctWidth));
  p.WriteProfileInt(section, "MRUFloatCX", m_szMRUFloat.cx);
  p.WriteProfileInt(section, "MRUFloatCY", m_szMRUFloat.cy);
  p.WriteProfileInt(section, "MRUHorzDockCX", m_szMRUHorzDock.cx);
  p.WriteProfileInt(section, "MRUHorzDockCY", m_szMRUHorzDock.cy);
  p.WriteProfileInt(section, "MRUVertDockCX", m_szMRUVertDock.cx);
  p.WriteProfileInt(section, "MRUVertDockCY", m_szMRUVertDock.cy);
  p.WriteProfileInt(section, "MRUDockingState", static_cast<int>(m_dwMRUDockingState));
  p.WriteProfileInt(section, "DockingStyle", static_cast<int>(m_dwDockStyle));
  p.WriteProfileInt(section, "TypeID", static_cast<int>(m_nTypeID));
  p.WriteProfileString(section, "ClassName", m_strClassName);
  p.WriteProfileString(section, "WindowName", m_strWindowName);
  p.WriteProfileInt(section, "ResourceID", static_cast<int>(m_nResourceID));
  if (m_pBarInfoEx) m_pBarInfoEx->SaveStateToProfile(section);
  return TRUE;
}

BOOL SECControlBarInfo::LoadStateFromProfile(LPCSTR lpszProfileName, int nIndex, SECDockState* pDockState) {
  BOOL result = LoadState(lpszProfileName, nIndex, pDockState);
  CString section;
  section.Format("%s-Bar%d", lpszProfileName, nIndex);
  plat::Profile& p = Prof();
  m_dwStyle = static_cast<DWORD>(Int(section, "Style", 0));
  m_dwExStyle = static_cast<DWORD>(Int(section, "ExStyle", 0));
  m_bPrevFloating = Int(section, "PrevFloating", 0);
  m_bMDIChild = Int(section, "MDIChild", 0);
  if (m_bMDIChild) {
    BYTE* data = nullptr;
    UINT bytes = 0;
    if (p.GetProfileBinary(section, "MDIChildWindowPlacement", &data, &bytes) && data)
      std::memcpy(&m_wpMDIChild, data, std::min<size_t>(bytes, sizeof(m_wpMDIChild)));
    delete[] data;
  }
  m_dblPctWidth = ShareFromText(p.GetProfileString(section, "PctWidth", ""));
  m_szMRUFloat = NonNegative(Int(section, "MRUFloatCX", 0), Int(section, "MRUFloatCY", 0));
  m_szMRUHorzDock = NonNegative(Int(section, "MRUHorzDockCX", 0), Int(section, "MRUHorzDockCY", 0));
  m_szMRUVertDock = NonNegative(Int(section, "MRUVertDockCX", 0), Int(section, "MRUVertDockCY", 0));
  m_dwMRUDockingState =
      static_cast<DWORD>(Int(section, "MRUDockingState", static_cast<int>(m_dwMRUDockingState)));
  m_dwDockStyle = static_cast<DWORD>(Int(section, "DockingStyle", static_cast<int>(m_dwDockStyle)));
  m_nTypeID = static_cast<UINT>(Int(section, "TypeID", 0));
  m_strClassName = p.GetProfileString(section, "ClassName", "");
  m_strWindowName = p.GetProfileString(section, "WindowName", "");
  m_nResourceID = static_cast<UINT>(Int(section, "ResourceID", static_cast<int>(m_nResourceID)));
  MakeBarInfoEx();
  if (m_pBarInfoEx) m_pBarInfoEx->LoadStateFromProfile(section, pDockState);
  return result;
}

// ---- Tree form ----

BOOL SECControlBarInfo::SaveStateToTree(SECPTNFactory& factory, SECPersistentTreeNode* pParent, int nIndex) {
  if (!pParent || !IsWorthSaving()) return FALSE;
  CString name;
  name.Format("Bar-%d", nIndex);
  SECPersistentTreeNode* node = factory.CreateNode(name, pParent);
  if (!node) return FALSE;
  SaveBaseKeysToTree(factory, node);
  SaveExtKeysToTree(factory, node);
  if (m_pBarInfoEx) m_pBarInfoEx->SaveStateToTree(factory, node);
  return TRUE;
}

BOOL SECControlBarInfo::SaveBaseKeysToTree(SECPTNFactory&, SECPersistentTreeNode* n) {
  n->SetKeyInt("BarID", static_cast<int>(m_nBarID));
  if (!m_bVisible) n->SetKeyBool("Visible", m_bVisible);
  if (m_bFloating) {
    n->SetKeyBool("Horz", m_bHorz);
    n->SetKeyBool("Floating", m_bFloating);
  }
  if (m_pointPos.x != -1) n->SetKeyInt("XPos", m_pointPos.x);
  if (m_pointPos.y != -1) n->SetKeyInt("YPos", m_pointPos.y);
  if (m_nMRUWidth != 32767) n->SetKeyInt("MRUWidth", static_cast<int>(m_nMRUWidth));
  if (m_bDocking) {
    n->SetKeyBool("Docking", m_bDocking);
    n->SetKeyInt("MRUDockID", static_cast<int>(m_uMRUDockID));
    n->SetKeyInt("MRUDockLeftPos", m_rectMRUDockPos.left);
    n->SetKeyInt("MRUDockTopPos", m_rectMRUDockPos.top);
    n->SetKeyInt("MRUDockRightPos", m_rectMRUDockPos.right);
    n->SetKeyInt("MRUDockBottomPos", m_rectMRUDockPos.bottom);
    n->SetKeyInt("MRUFloatStyle", static_cast<int>(m_dwMRUFloatStyle));
    n->SetKeyInt("MRUFloatXPos", m_ptMRUFloatPos.x);
    n->SetKeyInt("MRUFloatYPos", m_ptMRUFloatPos.y);
  }
  if (m_arrBarID.GetSize() >= 2) {
    n->SetKeyInt("Bars", static_cast<int>(m_arrBarID.GetSize()));
    for (int i = 0; i < m_arrBarID.GetSize(); ++i) {
      CString key;
      key.Format("Bar#%d", i);
      n->SetKeyInt(key, static_cast<int>(reinterpret_cast<UINT_PTR>(m_arrBarID[i])));
    }
  }
  return TRUE;
}

BOOL SECControlBarInfo::SaveExtKeysToTree(SECPTNFactory&, SECPersistentTreeNode* n) {
  n->SetKeyInt("Style", static_cast<int>(m_dwStyle));
  n->SetKeyInt("ExStyle", static_cast<int>(m_dwExStyle));
  n->SetKeyInt("MRUFloatCX", m_szMRUFloat.cx);
  n->SetKeyInt("MRUFloatCY", m_szMRUFloat.cy);
  n->SetKeyInt("MRUHorzDockCX", m_szMRUHorzDock.cx);
  n->SetKeyInt("MRUHorzDockCY", m_szMRUHorzDock.cy);
  n->SetKeyInt("MRUVertDockCX", m_szMRUVertDock.cx);
  n->SetKeyInt("MRUVertDockCY", m_szMRUVertDock.cy);
  n->SetKeyInt("MRUDockingState", static_cast<int>(m_dwMRUDockingState));
  n->SetKeyInt("DockingStyle", static_cast<int>(m_dwDockStyle));
  n->SetKeyInt("TypeID", static_cast<int>(m_nTypeID));
  n->SetKeyInt("ResourceID", static_cast<int>(m_nResourceID));
  n->SetKeyBool("PrevFloating", m_bPrevFloating);
  n->SetKeyBool("MDIChild", m_bMDIChild);
  if (m_bMDIChild)
    n->SetKeyBinary("MDIChildWindowPlacement", reinterpret_cast<const BYTE*>(&m_wpMDIChild),
                    sizeof(m_wpMDIChild));
  n->SetKeyString("PctWidth", ShareText(m_dblPctWidth));
  n->SetKeyString("ClassName", m_strClassName);
  n->SetKeyString("WindowName", m_strWindowName);
  return TRUE;
}

void SECControlBarInfo::MakeBarInfoEx() {
  if (m_pBarInfoEx || !m_pManager) return;
  m_pBarInfoEx = m_pManager->CreateControlBarInfoEx(this);
}

BOOL SECControlBarInfo::LoadStateFromTree(SECPersistentTreeNode* pNode, SECDockState* pDockState) {
  if (!pNode) return FALSE;
  LoadBaseKeysFromTree(pNode, pDockState);
  LoadExtKeysFromTree(pNode);
  MakeBarInfoEx();
  if (m_pBarInfoEx) m_pBarInfoEx->LoadStateFromTree(pNode);
  return TRUE;
}

BOOL SECControlBarInfo::LoadBaseKeysFromTree(SECPersistentTreeNode* n, SECDockState* pDockState) {
  n->GetKeyUInt("BarID", m_nBarID, 0);
  n->GetKeyBool("Visible", m_bVisible, TRUE);
  n->GetKeyBool("Horz", m_bHorz, TRUE);
  n->GetKeyBool("Floating", m_bFloating, FALSE);
  int x = -1, y = -1;
  n->GetKeyInt("XPos", x, -1);
  n->GetKeyInt("YPos", y, -1);
  m_pointPos = CPoint(x, y);
  if (pDockState && x != -1 && y != -1) pDockState->ScalePoint(m_pointPos);
  n->GetKeyUInt("MRUWidth", m_nMRUWidth, 32767);
  n->GetKeyBool("Docking", m_bDocking, FALSE);
  if (m_bDocking) {
    int l = 0, t = 0, r = 0, b = 0;
    n->GetKeyUInt("MRUDockID", m_uMRUDockID, 0);
    n->GetKeyInt("MRUDockLeftPos", l, 0);
    n->GetKeyInt("MRUDockTopPos", t, 0);
    n->GetKeyInt("MRUDockRightPos", r, 0);
    n->GetKeyInt("MRUDockBottomPos", b, 0);
    m_rectMRUDockPos = CRect(l, t, r, b);
    if (pDockState) pDockState->ScaleRectPos(m_rectMRUDockPos);
    n->GetKeyDWord("MRUFloatStyle", m_dwMRUFloatStyle, 0);
    int fx = 0, fy = 0;
    n->GetKeyInt("MRUFloatXPos", fx, 0);
    n->GetKeyInt("MRUFloatYPos", fy, 0);
    m_ptMRUFloatPos = CPoint(fx, fy);
    if (pDockState) pDockState->ScalePoint(m_ptMRUFloatPos);
  }
  int bars = 0;
  n->GetKeyInt("Bars", bars, 0);
  bars = std::clamp(bars, 0, kSECMaxSavedBars);
  m_arrBarID.RemoveAll();
  for (int i = 0; i < bars; ++i) {
    CString key;
    key.Format("Bar#%d", i);
    UINT id = 0;
    n->GetKeyUInt(key, id, 0);
    m_arrBarID.Add(reinterpret_cast<void*>(static_cast<UINT_PTR>(id)));
  }
  return TRUE;
}

BOOL SECControlBarInfo::LoadExtKeysFromTree(SECPersistentTreeNode* n) {
  n->GetKeyDWord("Style", m_dwStyle, 0);
  n->GetKeyDWord("ExStyle", m_dwExStyle, 0);
  int cx = 0, cy = 0;
  n->GetKeyInt("MRUFloatCX", cx, 0);
  n->GetKeyInt("MRUFloatCY", cy, 0);
  m_szMRUFloat = NonNegative(cx, cy);
  n->GetKeyInt("MRUHorzDockCX", cx, 0);
  n->GetKeyInt("MRUHorzDockCY", cy, 0);
  m_szMRUHorzDock = NonNegative(cx, cy);
  n->GetKeyInt("MRUVertDockCX", cx, 0);
  n->GetKeyInt("MRUVertDockCY", cy, 0);
  m_szMRUVertDock = NonNegative(cx, cy);
  n->GetKeyDWord("MRUDockingState", m_dwMRUDockingState, m_dwMRUDockingState);
  n->GetKeyDWord("DockingStyle", m_dwDockStyle, m_dwDockStyle);
  n->GetKeyUInt("TypeID", m_nTypeID, 0);
  n->GetKeyUInt("ResourceID", m_nResourceID, m_nResourceID);
  n->GetKeyBool("PrevFloating", m_bPrevFloating, FALSE);
  n->GetKeyBool("MDIChild", m_bMDIChild, FALSE);
  if (m_bMDIChild) {
    BYTE* data = nullptr;
    UINT bytes = 0;
    if (n->GetKeyBinary("MDIChildWindowPlacement", &data, &bytes) == 0 && data)
      std::memcpy(&m_wpMDIChild, data, std::min<size_t>(bytes, sizeof(m_wpMDIChild)));
    delete[] data;
  }
  CString share;
  n->GetKeyString("PctWidth", share, "");
  m_dblPctWidth = ShareFromText(share);
  n->GetKeyString("ClassName", m_strClassName, "");
  n->GetKeyString("WindowName", m_strWindowName, "");
  return TRUE;
}

// ---- Archive form ----

void SECControlBarInfo::Serialize(CArchive& ar, SECDockState* pDockState) {
  const DWORD version = pDockState ? pDockState->m_dwVersion : 2;
  if (ar.IsStoring()) {
    ar << static_cast<DWORD>(m_nBarID) << static_cast<DWORD>(m_bVisible) << static_cast<DWORD>(m_bFloating)
       << static_cast<DWORD>(m_bHorz) << static_cast<LONG>(m_pointPos.x) << static_cast<LONG>(m_pointPos.y);
    if (version > 1) {
      ar << static_cast<DWORD>(m_nMRUWidth) << static_cast<DWORD>(m_bDocking);
      if (m_bDocking)
        ar << static_cast<DWORD>(m_uMRUDockID) << static_cast<LONG>(m_rectMRUDockPos.left)
           << static_cast<LONG>(m_rectMRUDockPos.top) << static_cast<LONG>(m_rectMRUDockPos.right)
           << static_cast<LONG>(m_rectMRUDockPos.bottom) << m_dwMRUFloatStyle
           << static_cast<LONG>(m_ptMRUFloatPos.x) << static_cast<LONG>(m_ptMRUFloatPos.y);
    }
    ar << m_dwStyle << m_dwExStyle << static_cast<DWORD>(m_bPrevFloating) << static_cast<DWORD>(m_bMDIChild);
    ar << ShareText(m_dblPctWidth);
    for (const CSize& s : {m_szMRUFloat, m_szMRUHorzDock, m_szMRUVertDock})
      ar << static_cast<LONG>(s.cx) << static_cast<LONG>(s.cy);
    ar << m_dwMRUDockingState << m_dwDockStyle << static_cast<DWORD>(m_nTypeID);
    if (m_pBarInfoEx) m_pBarInfoEx->Serialize(ar, pDockState);
    ar << static_cast<WORD>(m_arrBarID.GetSize());
    for (int i = 0; i < m_arrBarID.GetSize(); ++i)
      ar << static_cast<DWORD>(reinterpret_cast<UINT_PTR>(m_arrBarID[i]));
    return;
  }
  DWORD id, visible, floating, horz, dw;
  LONG x, y;
  ar >> id >> visible >> floating >> horz >> x >> y;
  m_nBarID = id;
  m_bVisible = visible != 0;
  m_bFloating = floating != 0;
  m_bHorz = horz != 0;
  m_pointPos = CPoint(x, y);
  if (version > 1) {
    ar >> dw;
    m_nMRUWidth = dw;
    ar >> dw;
    m_bDocking = dw != 0;
    if (m_bDocking) {
      LONG l, t, r, b, fx, fy;
      ar >> dw >> l >> t >> r >> b >> m_dwMRUFloatStyle >> fx >> fy;
      m_uMRUDockID = dw;
      m_rectMRUDockPos = CRect(l, t, r, b);
      m_ptMRUFloatPos = CPoint(fx, fy);
    }
    if (pDockState) {
      if (m_pointPos.x != -1 && m_pointPos.y != -1) pDockState->ScalePoint(m_pointPos);
      pDockState->ScaleRectPos(m_rectMRUDockPos);
      pDockState->ScalePoint(m_ptMRUFloatPos);
    }
  }
  DWORD prev, mdi;
  ar >> m_dwStyle >> m_dwExStyle >> prev >> mdi;
  m_bPrevFloating = prev != 0;
  m_bMDIChild = mdi != 0;
  CString share;
  ar >> share;
  m_dblPctWidth = ShareFromText(share);
  for (CSize* s : {&m_szMRUFloat, &m_szMRUHorzDock, &m_szMRUVertDock}) {
    LONG cx, cy;
    ar >> cx >> cy;
    *s = NonNegative(cx, cy);
  }
  ar >> m_dwMRUDockingState >> m_dwDockStyle >> dw;
  m_nTypeID = dw;
  MakeBarInfoEx();
  if (m_pBarInfoEx) m_pBarInfoEx->Serialize(ar, pDockState);
  WORD count;
  ar >> count;
  m_arrBarID.RemoveAll();
  for (WORD i = 0; i < count; ++i) {
    ar >> dw;
    if (i < kSECMaxSavedBars) m_arrBarID.Add(reinterpret_cast<void*>(static_cast<UINT_PTR>(dw)));
  }
}
