#include "framework/sec_dock_state.h"

#include <algorithm>

#include "framework/sec_control_bar.h"
#include "framework/sec_dialog_bar.h"
#include "framework/sec_dock_bar.h"
#include "framework/sec_persistent_tree_node.h"
#include "framework/sec_ptn_factory.h"
#include "platform/sys/profile.h"
#include "platform/ui/ui.h"

IMPLEMENT_DYNCREATE(SECDockState, CDockState)

namespace {
// A hidden bar's id in a dock bar's list carries this mark.
constexpr UINT_PTR kHiddenMark = 0x10000;
UINT_PTR IdAt(const CPtrArray& ids, int i) { return reinterpret_cast<UINT_PTR>(ids[i]); }
}  // namespace

SECDockState::~SECDockState() { ClearRecords(); }

void SECDockState::ClearRecords() {
  for (int i = 0; i < RecordCount(); ++i) delete Record(i);
  m_arrBarInfo.RemoveAll();
}

SECControlBarInfo* SECDockState::CreateBarInfo(SECControlBarManager* pManager) {
  return new SECControlBarInfo(pManager);
}

// ---- Profile ----

void SECDockState::SaveStateToProfile(LPCSTR lpszProfileName) {
  int written = 0;
  for (int i = 0; i < RecordCount(); ++i)
    if (Record(i)->SaveStateToProfile(lpszProfileName, written)) ++written;
  CString summary;
  summary.Format("%s-Summary", lpszProfileName);
  plat::Profile& p = plat::Profile::App();
  CSize screen = GetScreenSize();
  p.WriteProfileInt(summary, "Bars", written);
  p.WriteProfileInt(summary, "ScreenCX", screen.cx);
  p.WriteProfileInt(summary, "ScreenCY", screen.cy);
}

void SECDockState::LoadStateFromProfile(LPCSTR lpszProfileName) {
  ClearRecords();
  CString summary;
  summary.Format("%s-Summary", lpszProfileName);
  plat::Profile& p = plat::Profile::App();
  int bars = std::clamp(static_cast<int>(p.GetProfileInt(summary, "Bars", 0)), 0, kSECMaxSavedBars);
  CSize screen(static_cast<int>(p.GetProfileInt(summary, "ScreenCX", 0)),
               static_cast<int>(p.GetProfileInt(summary, "ScreenCY", 0)));
  SetScreenSize(screen);
  for (int i = 0; i < bars; ++i) {
    SECControlBarInfo* info = CreateBarInfo(m_pManager);
    m_arrBarInfo.Add(info);
    info->LoadStateFromProfile(lpszProfileName, i, this);
  }
}

// ---- Tree ----

BOOL SECDockState::SaveStateToTree(SECPTNFactory& factory, SECPersistentTreeNode* pParent) {
  if (!pParent) return FALSE;
  SECPersistentTreeNode* node = factory.CreateNode("DockState", pParent);
  if (!node) return FALSE;
  int written = 0;
  for (int i = 0; i < RecordCount(); ++i)
    if (Record(i)->SaveStateToTree(factory, node, written)) ++written;
  CSize screen = GetScreenSize();
  node->SetKeyInt("Bars", written, TRUE);
  node->SetKeyInt("ScreenCX", screen.cx, TRUE);
  node->SetKeyInt("ScreenCY", screen.cy, TRUE);
  return TRUE;
}

BOOL SECDockState::LoadStateFromTree(SECPersistentTreeNode* pParent) {
  SECPersistentTreeNode* node = pParent ? pParent->FindChild("DockState") : nullptr;
  if (!node) return FALSE;
  ClearRecords();
  int bars = 0, cx = 0, cy = 0;
  node->GetKeyInt("Bars", bars, 0);
  node->GetKeyInt("ScreenCX", cx, 0);
  node->GetKeyInt("ScreenCY", cy, 0);
  CSize screen(cx, cy);
  SetScreenSize(screen);
  bars = std::clamp(bars, 0, kSECMaxSavedBars);
  for (int i = 0; i < bars; ++i) {
    CString name;
    name.Format("Bar-%d", i);
    SECPersistentTreeNode* child = node->FindChild(name);
    if (!child) continue;
    SECControlBarInfo* info = CreateBarInfo(m_pManager);
    m_arrBarInfo.Add(info);
    info->LoadStateFromTree(child, this);
  }
  return TRUE;
}

// ---- Archive ----

void SECDockState::Serialize(CArchive& ar) {
  if (ar.IsStoring()) {
    ar << m_dwVersion;
    if (m_dwVersion > 1) {
      CSize size = GetScreenSize();
      ar << static_cast<DWORD>(size.cx) << static_cast<DWORD>(size.cy);
    }
    ar << static_cast<WORD>(RecordCount());
    for (int i = 0; i < RecordCount(); ++i) Record(i)->Serialize(ar, this);
    return;
  }
  ClearRecords();
  ar >> m_dwVersion;
  if (m_dwVersion > 1) {
    DWORD cx, cy;
    ar >> cx >> cy;
    CSize size(static_cast<int>(std::min<DWORD>(cx, 0x7FFFFFFF)),
               static_cast<int>(std::min<DWORD>(cy, 0x7FFFFFFF)));
    SetScreenSize(size);
  }
  WORD count;
  ar >> count;
  for (int i = 0; i < count && i < kSECMaxSavedBars; ++i) {
    SECControlBarInfo* info = CreateBarInfo(m_pManager);
    m_arrBarInfo.Add(info);
    info->Serialize(ar, this);
  }
  m_dwVersion = 2;
}

// ---- Taking and applying the state of a frame ----

BOOL SECDockState::GetState(CFrameWnd* pFrame) {
  if (!pFrame) return FALSE;
  ClearRecords();
  for (POSITION pos = pFrame->m_listControlBars.GetHeadPosition(); pos;) {
    auto* bar = static_cast<CControlBar*>(pFrame->m_listControlBars.GetNext(pos));
    if (auto* secBar = dynamic_cast<SECControlBar*>(bar)) {
      SECControlBarInfo* info = CreateBarInfo(m_pManager);
      secBar->GetBarInfo(info);
      m_arrBarInfo.Add(info);
    } else if (auto* dock = dynamic_cast<SECDockBar*>(bar)) {
      SECControlBarInfo* info = CreateBarInfo(m_pManager);
      dock->CControlBar::GetBarInfo(info);
      info->m_bMDIChild = dock->m_bMDIChild;
      m_arrBarInfo.Add(info);
    }
  }
  return TRUE;
}

void SECDockState::CleanBarIDLists() {
  const int n = RecordCount();
  for (int a = 0; a < n; ++a)
    for (int b = 0; b < n; ++b) {
      if (a == b || Record(a)->m_uMRUDockID == Record(b)->m_nBarID) continue;
      CPtrArray& ids = Record(b)->m_arrBarID;
      const UINT_PTR mark = Record(a)->m_nBarID + kHiddenMark;
      for (int i = 0; i + 1 < ids.GetSize(); ++i)
        if (IdAt(ids, i) == mark) ids[i] = nullptr;
    }
  for (int r = 0; r < n; ++r) {
    CPtrArray& ids = Record(r)->m_arrBarID;
    for (int i = 0; i < ids.GetSize(); ++i) {
      if (!ids[i]) continue;
      for (int j = i + 1; j < ids.GetSize(); ++j)
        if (ids[j] == ids[i]) ids[j] = nullptr;
    }
    while (ids.GetSize() > 0 && !ids[ids.GetSize() - 1]) ids.RemoveAt(ids.GetSize() - 1);
    if (ids.GetSize() > 0) ids.Add(nullptr);
  }
}

CRuntimeClass* SECDockState::FindRuntimeClass(LPCSTR lpszClassName) {
  return lpszClassName && *lpszClassName ? CRuntimeClass::FromName(lpszClassName) : nullptr;
}

CControlBar* SECDockState::CreateControlBar(LPCSTR lpszClassName, CFrameWnd* pFrame,
                                            SECControlBarInfo* pInfo) {
  CRuntimeClass* cls = FindRuntimeClass(lpszClassName);
  // Only framework bar classes: a stale or altered layout makes nothing else.
  if (!cls || !cls->IsDerivedFrom(RUNTIME_CLASS(SECControlBar)) || !cls->m_pfnCreateObject) return nullptr;
  auto* bar = static_cast<SECControlBar*>(cls->CreateObject());
  if (!bar) return nullptr;
  BOOL made;
  if (auto* dialogBar = dynamic_cast<SECDialogBar*>(bar))
    made = dialogBar->Create(pFrame, MAKEINTRESOURCE(pInfo->m_nResourceID), pInfo->m_dwStyle | WS_CHILD,
                             pInfo->m_dwExStyle, pInfo->m_nBarID);
  else
    made = bar->Create(pFrame, pInfo->m_strWindowName, pInfo->m_dwStyle | WS_CHILD, pInfo->m_dwExStyle,
                       pInfo->m_nBarID);
  if (!made) {
    delete bar;
    return nullptr;
  }
  bar->m_bAutoDelete = TRUE;
  if (m_pCreatedBars) m_pCreatedBars->AddTail(bar);
  bar->SetWindowText(pInfo->m_strWindowName);
  bar->EnableDocking(CBRS_ALIGN_ANY);
  return bar;
}

void SECDockState::CreateBars(CFrameWnd* pFrame, BOOL bMDI) {
  for (int i = 0; i < RecordCount();) {
    SECControlBarInfo* info = Record(i);
    if (info->m_bFloating) {
      CFrameWnd* mini = pFrame->CreateFloatingFrame(info->m_bHorz ? CBRS_ALIGN_TOP : CBRS_ALIGN_LEFT);
      auto* dock = mini ? static_cast<CControlBar*>(mini->GetDlgItem(AFX_IDW_DOCKBAR_FLOAT)) : nullptr;
      if (dock) dock->m_pDockBar = nullptr;
      info->m_pBar = dock;
    } else {
      info->m_pBar = pFrame->GetControlBar(info->m_nBarID);
      if (!info->m_pBar && !info->m_bDockBar)
        info->m_pBar = CreateControlBar(info->m_strClassName, pFrame, info);
    }
    if (!info->m_pBar) {
      delete info;
      m_arrBarInfo.RemoveAt(i);
      continue;
    }
    ++i;
  }
}

void SECDockState::RestoreBars() {
  for (int i = 0; i < RecordCount(); ++i)
    if (auto* bar = dynamic_cast<SECControlBar*>(Record(i)->m_pBar))
      bar->SetExBarStyle(Record(i)->m_dwExStyle, FALSE);
  for (int i = 0; i < RecordCount(); ++i) {
    SECControlBarInfo* info = Record(i);
    if (!info->m_bFloating) continue;
    auto* dock = dynamic_cast<CDockBar*>(info->m_pBar);
    CFrameWnd* mini = dock ? dock->GetParentFrame() : nullptr;
    if (!mini) continue;
    CRect rect(info->m_pointPos, CSize(10, 10));
    mini->CalcWindowRect(&rect);
    mini->SetWindowPos(nullptr, rect.left, rect.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    if (dock->GetDockedCount() > 0) {
      mini->RecalcLayout();
      mini->ShowWindow(SW_SHOWNA);
    } else {
      mini->DestroyWindow();  // nothing came back into it
    }
  }
}

void SECDockState::RestoreMDIChildPlacements(CFrameWnd*) {
  // Bars floating as MDI children come with the framework's MDI frame.
}

BOOL SECDockState::SetState(CFrameWnd* pFrame) {
  if (!pFrame) return FALSE;
  CreateBars(pFrame, FALSE);
  for (int i = 0; i < RecordCount(); ++i) {
    SECControlBarInfo* info = Record(i);
    if (auto* bar = dynamic_cast<SECControlBar*>(info->m_pBar))
      bar->SetBarInfo(info, pFrame);
    else
      info->m_pBar->SetBarInfo(info, pFrame);
  }
  RestoreBars();
  pFrame->RecalcLayout(TRUE);
  return TRUE;
}
