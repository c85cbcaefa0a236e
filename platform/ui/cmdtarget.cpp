#include "platform/ui/cmdtarget.h"

#include "platform/ui/input.h"
#include "platform/ui/resources.h"

IMPLEMENT_DYNAMIC(CCmdTarget, CObject)

const AFX_MSGMAP* PASCAL CCmdTarget::GetThisMessageMap() {
  static const AFX_MSGMAP_ENTRY entries[] = {{0, 0, 0, 0, AfxSig_end, nullptr}};
  static const AFX_MSGMAP map = {nullptr, &entries[0]};
  return &map;
}

const AFX_MSGMAP* CCmdTarget::GetMessageMap() const { return GetThisMessageMap(); }

const AFX_MSGMAP_ENTRY* CCmdTarget::FindMessageEntry(const AFX_MSGMAP_ENTRY* e, UINT nMsg, UINT nCode,
                                                     UINT nID) {
  for (; e->nSig != AfxSig_end; ++e) {
    UINT msg = e->nMessage == 0xC000 ? *reinterpret_cast<const UINT*>(e->nSig) : e->nMessage;
    if (msg == nMsg && e->nCode == nCode && nID >= e->nID && nID <= e->nLastID) return e;
  }
  return nullptr;
}

namespace {
union CommandFn {
  AFX_PMSG pfn;
  void (CCmdTarget::*vv)();
  void (CCmdTarget::*vw)(UINT);
  BOOL (CCmdTarget::*bw)(UINT);
  void (CCmdTarget::*cmdui)(CCmdUI*);
  void (CCmdTarget::*cmduiw)(CCmdUI*, UINT);
  void (CCmdTarget::*notify)(NMHDR*, LRESULT*);
  void (CCmdTarget::*notifyw)(UINT, NMHDR*, LRESULT*);
};
}  // namespace

BOOL CCmdTarget::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
  UINT msg = WM_COMMAND;
  UINT code = static_cast<UINT>(nCode);
  if (code != CN_UPDATE_COMMAND_UI && HIWORD(code) == WM_NOTIFY) {
    msg = WM_NOTIFY;
    code = LOWORD(code);
  }
  for (const AFX_MSGMAP* map = GetMessageMap(); map;
       map = map->pfnGetBaseMap ? map->pfnGetBaseMap() : nullptr) {
    for (const AFX_MSGMAP_ENTRY* e = map->lpEntries; e->nSig != AfxSig_end; ++e) {
      if (e->nMessage != msg) continue;
      UINT ec = msg == WM_NOTIFY ? LOWORD(e->nCode) : e->nCode;
      if (ec != code || nID < e->nID || nID > e->nLastID) continue;
      if (pHandlerInfo) {
        pHandlerInfo->pTarget = this;
        pHandlerInfo->pmf = e->pfn;
        return TRUE;
      }
      CommandFn f;
      f.pfn = e->pfn;
      auto* notify = static_cast<AFX_NOTIFY*>(pExtra);
      switch (e->nSig) {
        case AfxSig_vv:
          (this->*f.vv)();
          return TRUE;
        case AfxSig_vw:
          (this->*f.vw)(nID);
          return TRUE;
        case AfxSig_bw:
          if ((this->*f.bw)(nID)) return TRUE;
          continue;  // not handled: keep routing
        case AfxSig_cmdui:
          (this->*f.cmdui)(static_cast<CCmdUI*>(pExtra));
          return TRUE;
        case AfxSig_cmduiw:
          (this->*f.cmduiw)(static_cast<CCmdUI*>(pExtra), nID);
          return TRUE;
        case AfxSig_notify:
          if (!notify) return FALSE;
          (this->*f.notify)(notify->pNMHDR, notify->pResult);
          return TRUE;
        case AfxSig_notifyw:
          if (!notify) return FALSE;
          (this->*f.notifyw)(nID, notify->pNMHDR, notify->pResult);
          return TRUE;
        default:
          return FALSE;
      }
    }
  }
  return FALSE;
}

namespace {
int g_waitDepth = 0;
HCURSOR g_savedCursor = nullptr;
}  // namespace

void CCmdTarget::BeginWaitCursor() {
  if (g_waitDepth++ == 0) g_savedCursor = SetCursor(LoadCursor(nullptr, IDC_WAIT));
}

void CCmdTarget::EndWaitCursor() {
  if (g_waitDepth > 0 && --g_waitDepth == 0)
    SetCursor(g_savedCursor ? g_savedCursor : LoadCursor(nullptr, IDC_ARROW));
}

void CCmdTarget::RestoreWaitCursor() {
  if (g_waitDepth > 0) SetCursor(LoadCursor(nullptr, IDC_WAIT));
}
