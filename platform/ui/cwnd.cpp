#include "platform/ui/cwnd.h"

#include <cstdio>
#include <iterator>
#include <map>
#include <memory>
#include <mutex>

#include "platform/ui/cdc.h"
#include "platform/ui/msgmap_dispatch.h"
#include "platform/ui/thread_queue.h"
#include "platform/ui/wnd_obj.h"

IMPLEMENT_DYNCREATE(CWnd, CCmdTarget)

namespace {
std::recursive_mutex g_cwndMutex;
std::map<HWND, CWnd*> g_permanent;
std::map<HWND, std::unique_ptr<CWnd>>& g_temps = *new std::map<HWND, std::unique_ptr<CWnd>>;
MIRT_FAST_TLS thread_local CWnd* t_creating = nullptr;
// The message being handled (a frame of AfxWndProc), null outside.
MIRT_FAST_TLS thread_local const MSG* t_current = nullptr;
const MSG kNoMessage{};
inline const MSG& CurrentMsg() { return t_current ? *t_current : kNoMessage; }

void AttachCreating(HWND h) {
  CWnd* w = t_creating;
  if (!w) return;
  t_creating = nullptr;
  w->Attach(h);
  *w->GetSuperWndProcAddr() = reinterpret_cast<WNDPROC>(GetWindowLongPtr(h, GWL_WNDPROC));
  SetWindowLongPtr(h, GWL_WNDPROC, reinterpret_cast<LONG_PTR>(&AfxWndProc));
}

const bool kHooked = (mirt_ui::SetCreateHook(&AttachCreating), true);

// Handler call by signature; false when the signature is unknown.
union MsgFn {
  AFX_PMSG pfn;
  void (CWnd::*vv)();
  LRESULT (CWnd::*lwl)(WPARAM, LPARAM);
  int (CWnd::*is)(LPCREATESTRUCT);
  BOOL (CWnd::*bs)(LPCREATESTRUCT);
  BOOL (CWnd::*bD)(CDC*);
  void (CWnd::*vwii)(UINT, int, int);
  void (CWnd::*vvii)(int, int);
  void (CWnd::*vW)(CWnd*);
  void (CWnd::*vwp)(UINT, CPoint);
  BOOL (CWnd::*bwsp)(UINT, short, CPoint);
  void (CWnd::*vwww)(UINT, UINT, UINT);
  void (CWnd::*vwwx)(UINT, UINT, CScrollBar*);
  void (CWnd::*vt)(UINT_PTR);
  BOOL (CWnd::*bWww)(CWnd*, UINT, UINT);
  void (CWnd::*vWp)(CWnd*, CPoint);
  void (CWnd::*vbw)(BOOL, UINT);
  void (CWnd::*vb)(BOOL);
  LRESULT (CWnd::*lp)(CPoint);
  void (CWnd::*vbn)(BOOL, NCCALCSIZE_PARAMS*);
  void (CWnd::*vmm)(MINMAXINFO*);
  void (CWnd::*vpos)(WINDOWPOS*);
  void (CWnd::*vwWb)(UINT, CWnd*, BOOL);
  int (CWnd::*iWww)(CWnd*, UINT, UINT);
  UINT (CWnd::*wv)();
  void (CWnd::*vwl)(UINT, LPARAM);
  BOOL (CWnd::*bb)(BOOL);
  HBRUSH (CWnd::*hDWw)(CDC*, CWnd*, UINT);
  void (CWnd::*vOWNER)(int, LPDRAWITEMSTRUCT);
  void (CWnd::*vMEASURE)(int, LPMEASUREITEMSTRUCT);
  void (CWnd::*vwSTYLE)(int, LPSTYLESTRUCT);
  void (CWnd::*vws)(UINT, LPCSTR);
  BOOL (CWnd::*bHELPINFO)(void*);
  void (CWnd::*vDROP)(HDROP);
};

CPoint PointOf(LPARAM lp) { return CPoint(GET_X_LPARAM(lp), GET_Y_LPARAM(lp)); }

bool IsCtlColor(UINT msg) { return msg >= WM_CTLCOLORMSGBOX && msg <= WM_CTLCOLORSTATIC; }

}  // namespace

namespace {
// The window is gone: its object is detached and may delete itself.
[[gnu::noinline]] void AfterNcDestroy(HWND h, CWnd* w) {
  if (mirt_ui::GetWindowObject(h) != w) return;
  w->Detach();
  w->PostNcDestroy();
}

[[gnu::noinline]] LRESULT DefaultForNoObject(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
  return ::DefWindowProc(h, msg, wp, lp);
}
}  // namespace

LRESULT CALLBACK AfxWndProc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
  mirt_ui::Wnd* wnd = mirt_ui::FindRaw(h);
  auto* w = wnd ? static_cast<CWnd*>(wnd->object) : nullptr;
  if (!w) return DefaultForNoObject(h, msg, wp, lp);
  const MSG current{h, msg, wp, lp, 0, {0, 0}, 0};
  const MSG* saved = t_current;
  t_current = &current;
  LRESULT r = w->WindowProc(msg, wp, lp);
  t_current = saved;
  if (msg == WM_NCDESTROY) AfterNcDestroy(h, w);
  return r;
}

LPCSTR AfxRegisterWndClass(UINT style, HCURSOR cursor, HBRUSH bg, HICON icon) {
  static std::mutex m;
  static std::map<std::string, std::string>& names = *new std::map<std::string, std::string>;
  char buf[96];
  snprintf(buf, sizeof buf, "Afx:%x:%lx:%lx:%lx", style,
           static_cast<unsigned long>(reinterpret_cast<uintptr_t>(cursor)),
           static_cast<unsigned long>(reinterpret_cast<uintptr_t>(bg)),
           static_cast<unsigned long>(reinterpret_cast<uintptr_t>(icon)));
  std::lock_guard<std::mutex> lock(m);
  auto it = names.find(buf);
  if (it != names.end()) return it->second.c_str();
  WNDCLASS wc{};
  wc.style = style;
  wc.lpfnWndProc = ::DefWindowProc;
  wc.hCursor = cursor;
  wc.hbrBackground = bg;
  wc.hIcon = icon;
  wc.lpszClassName = buf;
  WNDCLASS existing;
  if (!GetClassInfo(nullptr, buf, &existing)) RegisterClass(&wc);
  return names.emplace(buf, buf).first->second.c_str();
}

void AfxDeleteTempWindows() {
  std::lock_guard<std::recursive_mutex> lock(g_cwndMutex);
  for (auto& [h, w] : g_temps) w->m_hWnd = nullptr;
  g_temps.clear();
}

// ---- Handle maps ----

CWnd::~CWnd() {
  if (m_hWnd && FromHandlePermanent(m_hWnd) == this) {
    HWND h = m_hWnd;
    if (::IsWindow(h)) ::DestroyWindow(h);
    if (FromHandlePermanent(h) == this) Detach();
  }
}

CWnd* PASCAL CWnd::FromHandlePermanent(HWND h) {
  if (!h) return nullptr;
  std::lock_guard<std::recursive_mutex> lock(g_cwndMutex);
  auto it = g_permanent.find(h);
  return it == g_permanent.end() ? nullptr : it->second;
}

CWnd* PASCAL CWnd::FromHandle(HWND h) {
  if (!h) return nullptr;
  if (CWnd* w = FromHandlePermanent(h)) return w;
  std::lock_guard<std::recursive_mutex> lock(g_cwndMutex);
  // Wrappers of destroyed windows go; a reused handle gets a fresh one.
  for (auto it = g_temps.begin(); it != g_temps.end();) {
    if (!::IsWindow(it->first)) {
      it->second->m_hWnd = nullptr;
      it = g_temps.erase(it);
    } else {
      ++it;
    }
  }
  auto& slot = g_temps[h];
  if (!slot) {
    slot = std::make_unique<CWnd>();
    slot->m_hWnd = h;
  }
  return slot.get();
}

BOOL CWnd::Attach(HWND h) {
  if (!h || m_hWnd) return FALSE;
  std::lock_guard<std::recursive_mutex> lock(g_cwndMutex);
  m_hWnd = h;
  g_permanent[h] = this;
  mirt_ui::SetWindowObject(h, this);
  return TRUE;
}

HWND CWnd::Detach() {
  HWND h = m_hWnd;
  if (!h) return nullptr;
  std::lock_guard<std::recursive_mutex> lock(g_cwndMutex);
  auto it = g_permanent.find(h);
  if (it != g_permanent.end() && it->second == this) g_permanent.erase(it);
  if (mirt_ui::GetWindowObject(h) == this) mirt_ui::SetWindowObject(h, nullptr);
  m_hWnd = nullptr;
  return h;
}

BOOL CWnd::SubclassWindow(HWND h) {
  if (!::IsWindow(h) || FromHandlePermanent(h)) return FALSE;
  WNDPROC old = reinterpret_cast<WNDPROC>(::GetWindowLongPtr(h, GWL_WNDPROC));
  if (old == &AfxWndProc) return FALSE;
  if (!Attach(h)) return FALSE;
  PreSubclassWindow();
  m_pfnSuper = old;
  ::SetWindowLongPtr(h, GWL_WNDPROC, reinterpret_cast<LONG_PTR>(&AfxWndProc));
  return TRUE;
}

BOOL CWnd::SubclassDlgItem(UINT id, CWnd* parent) {
  HWND h = parent ? ::GetDlgItem(parent->m_hWnd, static_cast<int>(id)) : nullptr;
  return h && SubclassWindow(h);
}

HWND CWnd::UnsubclassWindow() {
  if (!m_hWnd) return nullptr;
  ::SetWindowLongPtr(m_hWnd, GWL_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnSuper));
  m_pfnSuper = nullptr;
  return Detach();
}

// ---- Creation ----

BOOL CWnd::Create(LPCSTR cls, LPCSTR name, DWORD style, const RECT& r, CWnd* parent, UINT id,
                  void* pContext) {
  return CreateEx(0, cls, name, style | WS_CHILD, r, parent, id,
                  pContext);  // the creation context reaches WM_CREATE
}

BOOL CWnd::CreateEx(DWORD ex, LPCSTR cls, LPCSTR name, DWORD style, const RECT& r, CWnd* parent, UINT id,
                    LPVOID param) {
  return CreateEx(ex, cls, name, style, r.left, r.top, r.right - r.left, r.bottom - r.top,
                  parent ? parent->m_hWnd : nullptr, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)),
                  param);
}

BOOL CWnd::CreateEx(DWORD ex, LPCSTR cls, LPCSTR name, DWORD style, int x, int y, int w, int h, HWND parent,
                    HMENU menu, LPVOID param) {
  CREATESTRUCT cs{param, nullptr, menu, parent, h, w, y, x, static_cast<LONG>(style), name, cls, ex};
  if (!PreCreateWindow(cs)) {
    PostNcDestroy();
    return FALSE;
  }
  t_creating = this;
  HWND hwnd = ::CreateWindowEx(cs.dwExStyle, cs.lpszClass, cs.lpszName, static_cast<DWORD>(cs.style), cs.x,
                               cs.y, cs.cx, cs.cy, cs.hwndParent, cs.hMenu, cs.hInstance, cs.lpCreateParams);
  if (t_creating == this) t_creating = nullptr;
  return hwnd != nullptr;
}

BOOL CWnd::PreCreateWindow(CREATESTRUCT& cs) {
  if (!cs.lpszClass) cs.lpszClass = AfxRegisterWndClass(CS_DBLCLKS, LoadCursor(nullptr, IDC_ARROW));
  return TRUE;
}

BOOL CWnd::DestroyWindow() {
  if (!m_hWnd) return FALSE;
  return ::DestroyWindow(m_hWnd);
}

void CWnd::PostNcDestroy() {}
void CWnd::PreSubclassWindow() {}

// ---- Messages ----

LRESULT CWnd::WindowProc(UINT msg, WPARAM wp, LPARAM lp) {
  LRESULT r = 0;
  if (!OnWndMsg(msg, wp, lp, &r)) r = DefWindowProc(msg, wp, lp);
  return r;
}

LRESULT CWnd::DefWindowProc(UINT msg, WPARAM wp, LPARAM lp) {
  if (m_pfnSuper) return m_pfnSuper(m_hWnd, msg, wp, lp);
  return ::DefWindowProc(m_hWnd, msg, wp, lp);
}

LRESULT CWnd::Default() {
  const MSG& m = CurrentMsg();
  return DefWindowProc(m.message, m.wParam, m.lParam);
}

const MSG* PASCAL CWnd::GetCurrentMessage() { return &CurrentMsg(); }

BOOL CWnd::PreTranslateMessage(MSG*) { return FALSE; }

BOOL CWnd::OnChildNotify(UINT, WPARAM, LPARAM, LRESULT*) { return FALSE; }

BOOL CWnd::OnCommand(WPARAM wp, LPARAM lp) {
  UINT id = LOWORD(wp);
  UINT code = HIWORD(wp);
  HWND ctl = reinterpret_cast<HWND>(lp);
  if (ctl) {
    if (CWnd* child = FromHandlePermanent(ctl); child && child->OnChildNotify(WM_COMMAND, wp, lp, nullptr))
      return TRUE;
  } else {
    if (code != 0 && code != 1) return FALSE;  // menus send 0, accelerators 1
    code = CN_COMMAND;
  }
  return OnCmdMsg(id, static_cast<int>(code), nullptr, nullptr);
}

BOOL CWnd::OnNotify(WPARAM, LPARAM lp, LRESULT* result) {
  auto* n = reinterpret_cast<NMHDR*>(lp);
  if (!n) return FALSE;
  if (CWnd* child = FromHandlePermanent(n->hwndFrom); child && child->OnChildNotify(WM_NOTIFY, 0, lp, result))
    return TRUE;
  AFX_NOTIFY notify{result, n};
  return OnCmdMsg(static_cast<UINT>(n->idFrom), static_cast<int>(MAKELONG(n->code, WM_NOTIFY)), &notify,
                  nullptr);
}

namespace {
// A handler call for each signature: the parameters unpacked from the
// message, the result as the message's result.
using HandlerThunk = LRESULT (*)(CWnd* self, AFX_PMSG pfn, UINT msg, WPARAM wp, LPARAM lp);

#define MIRT_THUNK(kind, call)                                                        \
  [](CWnd* self, AFX_PMSG pfn, [[maybe_unused]] UINT msg, [[maybe_unused]] WPARAM wp, \
     [[maybe_unused]] LPARAM lp) -> LRESULT {                                         \
    MsgFn f;                                                                          \
    f.pfn = pfn;                                                                      \
    auto fn = f.kind;                                                                 \
    call;                                                                             \
  }
#define MIRT_VOID(kind, args) MIRT_THUNK(kind, (self->*fn) args; return 0)
#define MIRT_VALUE(kind, args) MIRT_THUNK(kind, return static_cast<LRESULT>((self->*fn) args))

CWnd* WndOf(WPARAM h) { return CWnd::FromHandle(reinterpret_cast<HWND>(h)); }
CWnd* WndOfL(LPARAM h) { return CWnd::FromHandle(reinterpret_cast<HWND>(h)); }
CDC* DcOf(WPARAM h) { return CDC::FromHandle(reinterpret_cast<HDC>(h)); }
short LoShort(LPARAM lp) { return static_cast<short>(LOWORD(lp)); }
short HiShort(LPARAM lp) { return static_cast<short>(HIWORD(lp)); }

HandlerThunk ThunkFor(UINT_PTR sig) {
  static const HandlerThunk kThunks[] = {
    /* AfxSig_end */ nullptr,
    /* AfxSig_vv */ MIRT_VOID(vv, ()),
    /* AfxSig_vw */ nullptr,
    /* AfxSig_lwl */ MIRT_VALUE(lwl, (wp, lp)),
    /* AfxSig_cmdui */ nullptr,
    /* AfxSig_cmduiw */ nullptr,
    /* AfxSig_bv */ nullptr,
    /* AfxSig_bw */ nullptr,
    /* AfxSig_notify */ nullptr,
    /* AfxSig_notifyw */ nullptr,
    /* AfxSig_is */ MIRT_VALUE(is, (reinterpret_cast<LPCREATESTRUCT>(lp))),
    /* AfxSig_bs */ MIRT_VALUE(bs, (reinterpret_cast<LPCREATESTRUCT>(lp))),
    /* AfxSig_bD */ MIRT_VALUE(bD, (DcOf(wp))),
    /* AfxSig_vwii */ MIRT_VOID(vwii, (static_cast<UINT>(wp), LoShort(lp), HiShort(lp))),
    /* AfxSig_vvii */ MIRT_VOID(vvii, (LoShort(lp), HiShort(lp))),
    /* AfxSig_vW */ MIRT_VOID(vW, (msg == WM_CAPTURECHANGED ? WndOfL(lp) : WndOf(wp))),
    /* AfxSig_vwp */ MIRT_VOID(vwp, (static_cast<UINT>(wp), PointOf(lp))),
    /* AfxSig_bwsp */ MIRT_VALUE(bwsp, (LOWORD(wp), static_cast<short>(HIWORD(wp)), PointOf(lp))),
    /* AfxSig_vwww */ MIRT_VOID(vwww, (static_cast<UINT>(wp), LOWORD(lp), HIWORD(lp))),
    /* AfxSig_vwwx */ MIRT_VOID(vwwx, (LOWORD(wp), HIWORD(wp), reinterpret_cast<CScrollBar*>(WndOfL(lp)))),
    /* AfxSig_vt */ MIRT_VOID(vt, (static_cast<UINT_PTR>(wp))),
    /* AfxSig_bWww */ MIRT_VALUE(bWww, (WndOf(wp), LOWORD(lp), HIWORD(lp))),
    /* AfxSig_vWp */ MIRT_VOID(vWp, (WndOf(wp), PointOf(lp))),
    /* AfxSig_vbw */ MIRT_VOID(vbw, (static_cast<BOOL>(wp), static_cast<UINT>(lp))),
    /* AfxSig_vb */ MIRT_VOID(vb, (static_cast<BOOL>(wp))),
    /* AfxSig_lp */ MIRT_VALUE(lp, (PointOf(lp))),
    /* AfxSig_vbn */ MIRT_VOID(vbn, (static_cast<BOOL>(wp), reinterpret_cast<NCCALCSIZE_PARAMS*>(lp))),
    /* AfxSig_vmm */ MIRT_VOID(vmm, (reinterpret_cast<MINMAXINFO*>(lp))),
    /* AfxSig_vpos */ MIRT_VOID(vpos, (reinterpret_cast<WINDOWPOS*>(lp))),
    /* AfxSig_vwWb */ MIRT_VOID(vwWb, (LOWORD(wp), WndOfL(lp), static_cast<BOOL>(HIWORD(wp)))),
    /* AfxSig_iWww */ MIRT_VALUE(iWww, (WndOf(wp), LOWORD(lp), HIWORD(lp))),
    /* AfxSig_wv */ MIRT_VALUE(wv, ()),
    /* AfxSig_vwl */ MIRT_VOID(vwl, (static_cast<UINT>(wp), lp)),
    /* AfxSig_bb */ MIRT_VALUE(bb, (static_cast<BOOL>(wp))),
    /* AfxSig_hDWw */
    MIRT_THUNK(hDWw,
               return reinterpret_cast<LRESULT>((self->*fn)(DcOf(wp), WndOfL(lp), msg - WM_CTLCOLORMSGBOX))),
    /* AfxSig_vOWNER */
    MIRT_THUNK(vOWNER, (self->*fn)(static_cast<int>(wp), reinterpret_cast<LPDRAWITEMSTRUCT>(lp));
               return TRUE),
    /* AfxSig_vMEASURE */
    MIRT_THUNK(vMEASURE, (self->*fn)(static_cast<int>(wp), reinterpret_cast<LPMEASUREITEMSTRUCT>(lp));
               return TRUE),
    /* AfxSig_vwSTYLE */ MIRT_VOID(vwSTYLE, (static_cast<int>(wp), reinterpret_cast<LPSTYLESTRUCT>(lp))),
    /* AfxSig_vws */ MIRT_VOID(vws, (static_cast<UINT>(wp), reinterpret_cast<LPCSTR>(lp))),
    /* AfxSig_vwwW */ nullptr,
    /* AfxSig_bHELPINFO */ MIRT_VALUE(bHELPINFO, (reinterpret_cast<void*>(lp))),
    /* AfxSig_vwL */ MIRT_VOID(vwl, (static_cast<UINT>(wp), lp)),
    /* AfxSig_vDROP */ MIRT_VOID(vDROP, (reinterpret_cast<HDROP>(wp))),
  };
  static_assert(std::size(kThunks) == AfxSig_vDROP + 1, "one thunk slot per signature");
  return sig < std::size(kThunks) ? kThunks[sig] : nullptr;
}
#undef MIRT_VALUE
#undef MIRT_VOID
#undef MIRT_THUNK

[[gnu::noinline]] BOOL OnCommandOrNotify(CWnd* self, UINT msg, WPARAM wp, LPARAM lp, LRESULT* pResult) {
  LRESULT r = msg == WM_COMMAND ? 1 : 0;
  BOOL handled = msg == WM_COMMAND ? self->OnCommand(wp, lp) : self->OnNotify(wp, lp, &r);
  if (handled && pResult) *pResult = r;
  return handled;
}
}  // namespace

BOOL CWnd::OnWndMsg(UINT msg, WPARAM wp, LPARAM lp, LRESULT* pResult) {
  if (msg == WM_COMMAND || msg == WM_NOTIFY) [[unlikely]]
    return OnCommandOrNotify(this, msg, wp, lp, pResult);
  UINT lookup = IsCtlColor(msg) ? WM_CTLCOLORSTATIC : msg;
  const AFX_MSGMAP_ENTRY* e = mirt_ui::DispatchTableOf(GetMessageMap()).Find(lookup);
  if (!e) return FALSE;
  HandlerThunk call = ThunkFor(e->nMessage == 0xC000 ? static_cast<UINT_PTR>(AfxSig_lwl) : e->nSig);
  if (!call) return FALSE;
  LRESULT r = call(this, e->pfn, msg, wp, lp);
  if (pResult) *pResult = r;
  return TRUE;
}

const AFX_MSGMAP* PASCAL CWnd::GetThisMessageMap() {
  static const AFX_MSGMAP_ENTRY entries[] = {{0, 0, 0, 0, AfxSig_end, nullptr}};
  static const AFX_MSGMAP map = {&CCmdTarget::GetThisMessageMap, &entries[0]};
  return &map;
}

const AFX_MSGMAP* CWnd::GetMessageMap() const { return GetThisMessageMap(); }

LRESULT CWnd::SendMessage(UINT m, WPARAM w, LPARAM l) { return ::SendMessage(m_hWnd, m, w, l); }
BOOL CWnd::PostMessage(UINT m, WPARAM w, LPARAM l) { return ::PostMessage(m_hWnd, m, w, l); }
LRESULT CWnd::SendDlgItemMessage(int id, UINT m, WPARAM w, LPARAM l) {
  return ::SendDlgItemMessage(m_hWnd, id, m, w, l);
}

void CWnd::SendMessageToDescendants(UINT m, WPARAM w, LPARAM l, BOOL deep) {
  for (HWND c = ::GetWindow(m_hWnd, GW_CHILD); c; c = ::GetWindow(c, GW_HWNDNEXT)) {
    ::SendMessage(c, m, w, l);
    if (deep && ::IsWindow(c)) {
      CWnd* child = FromHandle(c);
      child->SendMessageToDescendants(m, w, l, TRUE);
    }
  }
}
