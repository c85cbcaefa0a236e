#include <cstring>
#include <deque>
#include <mutex>

#include "platform/ui/afxole.h"
#include "platform/ui/clipboard.h"
#include "platform/ui/modal.h"

IMPLEMENT_DYNAMIC(COleDataSource, CCmdTarget)
IMPLEMENT_DYNAMIC(COleDropTarget, CCmdTarget)

namespace {

std::mutex g_oleDragdropMutex;
std::map<HWND, COleDropTarget*>& Targets() {
  static auto* m = new std::map<HWND, COleDropTarget*>;
  return *m;
}
std::deque<plat::DropPlan>& Plans() {
  static auto* d = new std::deque<plat::DropPlan>;
  return *d;
}

COleDropTarget* TargetFor(HWND h, HWND* at) {
  std::lock_guard<std::mutex> lock(g_oleDragdropMutex);
  for (; h; h = GetParent(h)) {
    auto it = Targets().find(h);
    if (it != Targets().end() && IsWindow(h)) {
      *at = h;
      return it->second;
    }
  }
  return nullptr;
}

// Copy unless the keys ask otherwise, within what the source allows.
DROPEFFECT Filter(DROPEFFECT wanted, DWORD allowed) {
  if (wanted & allowed) return wanted & allowed & (DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK);
  return DROPEFFECT_NONE;
}

// One drag over a target: Enter (once), Over, then Drop or Leave.
struct DragSession {
  std::shared_ptr<const OleFormats> data;
  DWORD allowed;
  HWND current = nullptr;
  COleDropTarget* target = nullptr;
  DROPEFFECT effect = DROPEFFECT_NONE;
  COleDataObject object;

  void Move(HWND under, POINT screen, DWORD keys) {
    HWND at = nullptr;
    COleDropTarget* t = under ? TargetFor(under, &at) : nullptr;
    if (at != current) {
      Leave();
      current = at;
      target = t;
      if (!t) return;
      object.Attach(data);
      POINT p = screen;
      ScreenToClient(at, &p);
      effect = Filter(t->OnDragEnter(CWnd::FromHandle(at), &object, keys, CPoint(p)), allowed);
    }
    if (!target) return;
    POINT p = screen;
    ScreenToClient(current, &p);
    effect = Filter(target->OnDragOver(CWnd::FromHandle(current), &object, keys, CPoint(p)), allowed);
  }
  void Leave() {
    if (target && IsWindow(current)) target->OnDragLeave(CWnd::FromHandle(current));
    target = nullptr;
    current = nullptr;
    effect = DROPEFFECT_NONE;
  }
  DROPEFFECT Drop(POINT screen) {
    if (!target || effect == DROPEFFECT_NONE) {
      Leave();
      return DROPEFFECT_NONE;
    }
    POINT p = screen;
    ScreenToClient(current, &p);
    CWnd* w = CWnd::FromHandle(current);
    DROPEFFECT ex = target->OnDropEx(w, &object, effect, allowed, CPoint(p));
    DROPEFFECT result = ex;
    if (ex == static_cast<DROPEFFECT>(-1))
      result = target->OnDrop(w, &object, effect, CPoint(p)) ? effect : DROPEFFECT_NONE;
    target = nullptr;
    current = nullptr;
    return result;
  }
};

DWORD KeyStateNow() {
  DWORD k = 0;
  if (GetKeyState(VK_CONTROL) & 0x8000) k |= MK_CONTROL;
  if (GetKeyState(VK_SHIFT) & 0x8000) k |= MK_SHIFT;
  if (GetKeyState(VK_LBUTTON) & 0x8000) k |= MK_LBUTTON;
  if (GetKeyState(VK_RBUTTON) & 0x8000) k |= MK_RBUTTON;
  return k;
}

// The person's drag: mouse moves until the button is let go or Esc.
DROPEFFECT RunDragLoop(DragSession& s) {
  HWND capture = GetCapture();
  for (;;) {
    MSG m;
    if (!GetMessage(&m, nullptr, 0, 0)) {
      PostQuitMessage(static_cast<int>(m.wParam));
      s.Leave();
      return DROPEFFECT_NONE;
    }
    if (m.message == WM_MOUSEMOVE || m.message == WM_LBUTTONUP || m.message == WM_RBUTTONUP) {
      POINT screen{GET_X_LPARAM(m.lParam), GET_Y_LPARAM(m.lParam)};
      ClientToScreen(m.hwnd, &screen);
      if (m.message == WM_MOUSEMOVE) {
        s.Move(WindowFromPoint(screen), screen, static_cast<DWORD>(m.wParam));
        SetCursor(LoadCursor(nullptr, s.effect ? IDC_ARROW : IDC_NO));
        continue;
      }
      s.Move(WindowFromPoint(screen), screen, KeyStateNow());
      if (capture && GetCapture() == capture) ReleaseCapture();
      return s.Drop(screen);
    }
    if (m.message == WM_KEYDOWN && m.wParam == VK_ESCAPE) {
      s.Leave();
      return DROPEFFECT_NONE;
    }
    if (m.message == WM_KEYDOWN || m.message == WM_KEYUP) continue;
    TranslateMessage(&m);
    DispatchMessage(&m);
  }
}

}  // namespace

BOOL AfxOleInit() { return TRUE; }

namespace plat {
void PushDropPlan(const DropPlan& plan) {
  std::lock_guard<std::mutex> lock(g_oleDragdropMutex);
  Plans().push_back(plan);
}
}  // namespace plat

namespace mirt_ui {
DROPEFFECT DropOn(HWND hwnd, std::shared_ptr<const OleFormats> data, POINT client, DWORD keys,
                  DWORD allowed) {
  DragSession s{std::move(data), allowed};
  POINT screen = client;
  ClientToScreen(hwnd, &screen);
  s.Move(hwnd, screen, keys);
  return s.Drop(screen);
}
}  // namespace mirt_ui

// ---- COleDataObject ----

BOOL COleDataObject::AttachClipboard() {
  auto f = std::make_shared<OleFormats>();
  if (!OpenClipboard(nullptr)) return FALSE;
  for (UINT fmt = EnumClipboardFormats(0); fmt; fmt = EnumClipboardFormats(fmt)) {
    HANDLE h = GetClipboardData(fmt);
    const auto* p = static_cast<const unsigned char*>(GlobalLock(h));
    if (p)
      f->items.emplace_back(static_cast<CLIPFORMAT>(fmt), std::vector<unsigned char>(p, p + GlobalSize(h)));
    GlobalUnlock(h);
  }
  CloseClipboard();
  m_formats = f;
  return TRUE;
}

BOOL COleDataObject::IsDataAvailable(CLIPFORMAT format) const {
  if (!m_formats) return FALSE;
  for (auto& [f, bytes] : m_formats->items)
    if (f == format) return TRUE;
  return FALSE;
}

HGLOBAL COleDataObject::GetGlobalData(CLIPFORMAT format) const {
  if (!m_formats) return nullptr;
  for (auto& [f, bytes] : m_formats->items) {
    if (f != format) continue;
    HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
    if (h && !bytes.empty()) memcpy(GlobalLock(h), bytes.data(), bytes.size()), GlobalUnlock(h);
    return h;
  }
  return nullptr;
}

BOOL COleDataObject::GetNextFormat(CLIPFORMAT* format) {
  if (!m_formats || m_next >= m_formats->items.size() || !format) return FALSE;
  *format = m_formats->items[m_next++].first;
  return TRUE;
}

// ---- COleDataSource ----

COleDataSource::COleDataSource() : m_formats(std::make_shared<OleFormats>()) {}
COleDataSource::~COleDataSource() = default;

void COleDataSource::CacheGlobalData(CLIPFORMAT format, HGLOBAL h, const void*) {
  if (!h) return;
  const auto* p = static_cast<const unsigned char*>(GlobalLock(h));
  std::vector<unsigned char> bytes(p, p + GlobalSize(h));
  GlobalUnlock(h);
  GlobalFree(h);
  for (auto& item : m_formats->items)
    if (item.first == format) {
      item.second = std::move(bytes);
      return;
    }
  m_formats->items.emplace_back(format, std::move(bytes));
}

void COleDataSource::Empty() { m_formats = std::make_shared<OleFormats>(); }

DROPEFFECT COleDataSource::DoDragDrop(DWORD effects, LPCRECT, void*) {
  DragSession s{m_formats, effects};
  plat::DropPlan plan;
  bool planned = false;
  {
    std::lock_guard<std::mutex> lock(g_oleDragdropMutex);
    if (!Plans().empty()) {
      plan = Plans().front();
      Plans().pop_front();
      planned = true;
    }
  }
  DROPEFFECT result = DROPEFFECT_NONE;
  if (planned) {
    if (plan.target) result = mirt_ui::DropOn(plan.target, m_formats, plan.point, plan.keyState, effects);
  } else if (!plat::IsHeadless()) {
    result = RunDragLoop(s);
  } else {
    mirt_ui::ReportHeadless("drag", "", "DROPEFFECT_NONE");
  }
  mirt_ui::RecordModal("drag", "", static_cast<INT_PTR>(result));
  return result;
}

void COleDataSource::SetClipboard() {
  if (!OpenClipboard(nullptr)) return;
  EmptyClipboard();
  for (auto& [f, bytes] : m_formats->items) {
    HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
    if (!h) continue;
    if (!bytes.empty()) memcpy(GlobalLock(h), bytes.data(), bytes.size()), GlobalUnlock(h);
    if (!SetClipboardData(f, h)) GlobalFree(h);
  }
  CloseClipboard();
}

// ---- COleDropTarget ----

COleDropTarget::~COleDropTarget() { Revoke(); }

BOOL COleDropTarget::Register(CWnd* w) {
  if (!w || !w->m_hWnd || m_hWnd) return FALSE;
  std::lock_guard<std::mutex> lock(g_oleDragdropMutex);
  m_hWnd = w->m_hWnd;
  Targets()[m_hWnd] = this;
  return TRUE;
}

void COleDropTarget::Revoke() {
  if (!m_hWnd) return;
  std::lock_guard<std::mutex> lock(g_oleDragdropMutex);
  auto it = Targets().find(m_hWnd);
  if (it != Targets().end() && it->second == this) Targets().erase(it);
  m_hWnd = nullptr;
}

DROPEFFECT COleDropTarget::OnDragEnter(CWnd* w, COleDataObject* d, DWORD keys, CPoint p) {
  auto* h = dynamic_cast<CDropHandler*>(w);
  return h ? h->OnDragEnter(d, keys, p) : DROPEFFECT_NONE;
}
DROPEFFECT COleDropTarget::OnDragOver(CWnd* w, COleDataObject* d, DWORD keys, CPoint p) {
  auto* h = dynamic_cast<CDropHandler*>(w);
  return h ? h->OnDragOver(d, keys, p) : DROPEFFECT_NONE;
}
void COleDropTarget::OnDragLeave(CWnd* w) {
  if (auto* h = dynamic_cast<CDropHandler*>(w)) h->OnDragLeave();
}
BOOL COleDropTarget::OnDrop(CWnd* w, COleDataObject* d, DROPEFFECT e, CPoint p) {
  auto* h = dynamic_cast<CDropHandler*>(w);
  return h ? h->OnDrop(d, e, p) : FALSE;
}
DROPEFFECT COleDropTarget::OnDropEx(CWnd*, COleDataObject*, DROPEFFECT, DROPEFFECT, CPoint) {
  return static_cast<DROPEFFECT>(-1);  // OnDrop decides
}
DROPEFFECT COleDropTarget::OnDragScroll(CWnd*, DWORD, CPoint) { return DROPEFFECT_NONE; }

DROPEFFECT CDropHandler::OnDragEnter(COleDataObject*, DWORD, CPoint) { return DROPEFFECT_NONE; }
DROPEFFECT CDropHandler::OnDragOver(COleDataObject*, DWORD, CPoint) { return DROPEFFECT_NONE; }
void CDropHandler::OnDragLeave() {}
BOOL CDropHandler::OnDrop(COleDataObject*, DROPEFFECT, CPoint) { return FALSE; }
