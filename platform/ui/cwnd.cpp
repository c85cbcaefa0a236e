#include "platform/ui/cwnd.h"

#include <cstdio>
#include <map>
#include <memory>
#include <mutex>

#include "platform/ui/cdc.h"
#include "platform/ui/thread_queue.h"
#include "platform/ui/wnd_obj.h"

IMPLEMENT_DYNCREATE(CWnd, CCmdTarget)

namespace {
std::recursive_mutex g_mutex;
std::map<HWND, CWnd*> g_permanent;
std::map<HWND, std::unique_ptr<CWnd>>& g_temps = *new std::map<HWND, std::unique_ptr<CWnd>>;
MIRT_FAST_TLS thread_local CWnd* t_creating = nullptr;
MIRT_FAST_TLS thread_local MSG t_current{};

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
};

CPoint PointOf(LPARAM lp) { return CPoint(GET_X_LPARAM(lp), GET_Y_LPARAM(lp)); }

bool IsCtlColor(UINT msg) { return msg >= WM_CTLCOLORMSGBOX && msg <= WM_CTLCOLORSTATIC; }

}  // namespace

LRESULT CALLBACK AfxWndProc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
  auto* w = static_cast<CWnd*>(mirt_ui::GetWindowObject(h));
  if (!w) return ::DefWindowProc(h, msg, wp, lp);
  MSG saved = t_current;
  t_current = MSG{h, msg, wp, lp, 0, {0, 0}, 0};
  LRESULT r = w->WindowProc(msg, wp, lp);
  t_current = saved;
  if (msg == WM_NCDESTROY && mirt_ui::GetWindowObject(h) == w) {
    w->Detach();
    w->PostNcDestroy();
  }
  return r;
}

LPCSTR AfxRegisterWndClass(UINT style, HCURSOR cursor, HBRUSH bg, HICON icon) {
  static std::mutex m;
  static std::map<std::string, std::string>& names = *new std::map<std::string, std::string>;
  char buf[96];
  snprintf(buf, sizeof buf, "Afx:%x:%lx:%lx:%lx", style, static_cast<unsigned long>(reinterpret_cast<uintptr_t>(cursor)),
           static_cast<unsigned long>(reinterpret_cast<uintptr_t>(bg)), static_cast<unsigned long>(reinterpret_cast<uintptr_t>(icon)));
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
  std::lock_guard<std::recursive_mutex> lock(g_mutex);
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
  std::lock_guard<std::recursive_mutex> lock(g_mutex);
  auto it = g_permanent.find(h);
  return it == g_permanent.end() ? nullptr : it->second;
}

CWnd* PASCAL CWnd::FromHandle(HWND h) {
  if (!h) return nullptr;
  if (CWnd* w = FromHandlePermanent(h)) return w;
  std::lock_guard<std::recursive_mutex> lock(g_mutex);
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
  std::lock_guard<std::recursive_mutex> lock(g_mutex);
  m_hWnd = h;
  g_permanent[h] = this;
  mirt_ui::SetWindowObject(h, this);
  return TRUE;
}

HWND CWnd::Detach() {
  HWND h = m_hWnd;
  if (!h) return nullptr;
  std::lock_guard<std::recursive_mutex> lock(g_mutex);
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

BOOL CWnd::Create(LPCSTR cls, LPCSTR name, DWORD style, const RECT& r, CWnd* parent, UINT id, void*) {
  return CreateEx(0, cls, name, style | WS_CHILD, r, parent, id);
}

BOOL CWnd::CreateEx(DWORD ex, LPCSTR cls, LPCSTR name, DWORD style, const RECT& r, CWnd* parent, UINT id,
                    LPVOID param) {
  return CreateEx(ex, cls, name, style, r.left, r.top, r.right - r.left, r.bottom - r.top,
                  parent ? parent->m_hWnd : nullptr, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)), param);
}

BOOL CWnd::CreateEx(DWORD ex, LPCSTR cls, LPCSTR name, DWORD style, int x, int y, int w, int h,
                    HWND parent, HMENU menu, LPVOID param) {
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
  if (m_pfnSuper) return ::CallWindowProc(m_pfnSuper, m_hWnd, msg, wp, lp);
  return ::DefWindowProc(m_hWnd, msg, wp, lp);
}

LRESULT CWnd::Default() { return DefWindowProc(t_current.message, t_current.wParam, t_current.lParam); }

const MSG* PASCAL CWnd::GetCurrentMessage() { return &t_current; }

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
  return OnCmdMsg(static_cast<UINT>(n->idFrom), static_cast<int>(MAKELONG(n->code, WM_NOTIFY)), &notify, nullptr);
}

BOOL CWnd::OnWndMsg(UINT msg, WPARAM wp, LPARAM lp, LRESULT* pResult) {
  LRESULT r = 0;
  if (msg == WM_COMMAND) {
    if (!OnCommand(wp, lp)) return FALSE;
    if (pResult) *pResult = 1;
    return TRUE;
  }
  if (msg == WM_NOTIFY) {
    if (!OnNotify(wp, lp, &r)) return FALSE;
    if (pResult) *pResult = r;
    return TRUE;
  }
  UINT lookup = IsCtlColor(msg) ? WM_CTLCOLORSTATIC : msg;
  // Which entry of a class handles a message, remembered per thread.
  struct CacheSlot {
    const AFX_MSGMAP* map;
    UINT msg;
    const AFX_MSGMAP_ENTRY* entry;
  };
  MIRT_FAST_TLS static thread_local CacheSlot cache[256];
  const AFX_MSGMAP* top = GetMessageMap();
  CacheSlot& slot = cache[(lookup ^ (reinterpret_cast<uintptr_t>(top) >> 4)) & 255];
  const AFX_MSGMAP_ENTRY* e = nullptr;
  if (slot.map == top && slot.msg == lookup && lookup < 0xC000) {
    e = slot.entry;
  } else {
    for (const AFX_MSGMAP* map = top; map && !e; map = map->pfnGetBaseMap ? map->pfnGetBaseMap() : nullptr)
      e = FindMessageEntry(map->lpEntries, lookup, 0, 0);
    slot = CacheSlot{top, lookup, e};
  }
  if (!e) return FALSE;
  MsgFn f;
  f.pfn = e->pfn;
  UINT_PTR sig = e->nMessage == 0xC000 ? static_cast<UINT_PTR>(AfxSig_lwl) : e->nSig;
  switch (sig) {
    case AfxSig_vv: (this->*f.vv)(); break;
    case AfxSig_lwl: r = (this->*f.lwl)(wp, lp); break;
    case AfxSig_is: r = (this->*f.is)(reinterpret_cast<LPCREATESTRUCT>(lp)); break;
    case AfxSig_bs: r = (this->*f.bs)(reinterpret_cast<LPCREATESTRUCT>(lp)); break;
    case AfxSig_bD: r = (this->*f.bD)(CDC::FromHandle(reinterpret_cast<HDC>(wp))); break;
    case AfxSig_vwii: (this->*f.vwii)(static_cast<UINT>(wp), static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))); break;
    case AfxSig_vvii: (this->*f.vvii)(static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))); break;
    case AfxSig_vW:
      (this->*f.vW)(FromHandle(reinterpret_cast<HWND>(msg == WM_CAPTURECHANGED ? lp : static_cast<LPARAM>(wp))));
      break;
    case AfxSig_vwp: (this->*f.vwp)(static_cast<UINT>(wp), PointOf(lp)); break;
    case AfxSig_bwsp:
      r = (this->*f.bwsp)(LOWORD(wp), static_cast<short>(HIWORD(wp)), PointOf(lp));
      break;
    case AfxSig_vwww:
      (this->*f.vwww)(static_cast<UINT>(wp), LOWORD(lp), HIWORD(lp));
      break;
    case AfxSig_vwwx:
      (this->*f.vwwx)(LOWORD(wp), HIWORD(wp), reinterpret_cast<CScrollBar*>(FromHandle(reinterpret_cast<HWND>(lp))));
      break;
    case AfxSig_vt: (this->*f.vt)(static_cast<UINT_PTR>(wp)); break;
    case AfxSig_bWww: r = (this->*f.bWww)(FromHandle(reinterpret_cast<HWND>(wp)), LOWORD(lp), HIWORD(lp)); break;
    case AfxSig_vWp: (this->*f.vWp)(FromHandle(reinterpret_cast<HWND>(wp)), PointOf(lp)); break;
    case AfxSig_vbw: (this->*f.vbw)(static_cast<BOOL>(wp), static_cast<UINT>(lp)); break;
    case AfxSig_vb: (this->*f.vb)(static_cast<BOOL>(wp)); break;
    case AfxSig_lp: r = (this->*f.lp)(PointOf(lp)); break;
    case AfxSig_vbn: (this->*f.vbn)(static_cast<BOOL>(wp), reinterpret_cast<NCCALCSIZE_PARAMS*>(lp)); break;
    case AfxSig_vmm: (this->*f.vmm)(reinterpret_cast<MINMAXINFO*>(lp)); break;
    case AfxSig_vpos: (this->*f.vpos)(reinterpret_cast<WINDOWPOS*>(lp)); break;
    case AfxSig_vwWb:
      (this->*f.vwWb)(LOWORD(wp), FromHandle(reinterpret_cast<HWND>(lp)), static_cast<BOOL>(HIWORD(wp)));
      break;
    case AfxSig_iWww: r = (this->*f.iWww)(FromHandle(reinterpret_cast<HWND>(wp)), LOWORD(lp), HIWORD(lp)); break;
    case AfxSig_wv: r = (this->*f.wv)(); break;
    case AfxSig_vwl: (this->*f.vwl)(static_cast<UINT>(wp), lp); break;
    case AfxSig_bb: r = (this->*f.bb)(static_cast<BOOL>(wp)); break;
    case AfxSig_hDWw: {
      UINT type = msg - WM_CTLCOLORMSGBOX;
      r = reinterpret_cast<LRESULT>(
          (this->*f.hDWw)(CDC::FromHandle(reinterpret_cast<HDC>(wp)), FromHandle(reinterpret_cast<HWND>(lp)), type));
      break;
    }
    case AfxSig_vOWNER:
      (this->*f.vOWNER)(static_cast<int>(wp), reinterpret_cast<LPDRAWITEMSTRUCT>(lp));
      r = TRUE;
      break;
    case AfxSig_vMEASURE:
      (this->*f.vMEASURE)(static_cast<int>(wp), reinterpret_cast<LPMEASUREITEMSTRUCT>(lp));
      r = TRUE;
      break;
    case AfxSig_vwSTYLE: (this->*f.vwSTYLE)(static_cast<int>(wp), reinterpret_cast<LPSTYLESTRUCT>(lp)); break;
    case AfxSig_vws: (this->*f.vws)(static_cast<UINT>(wp), reinterpret_cast<LPCSTR>(lp)); break;
    case AfxSig_bHELPINFO: r = (this->*f.bHELPINFO)(reinterpret_cast<void*>(lp)); break;
    case AfxSig_vwL: (this->*f.vwl)(static_cast<UINT>(wp), lp); break;
    default: return FALSE;
  }
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
