#include "platform/afx/winthread.h"

#include <algorithm>

#include "platform/afx/framelist.h"
#include "platform/afx/framewnd.h"
#include "platform/afx/winapp.h"
#include "platform/sys/file.h"
#include "platform/sys/thread.h"
#include "platform/ui/ui.h"

IMPLEMENT_DYNAMIC(CWinThread, CCmdTarget)

namespace {
thread_local CWinThread* t_thread = nullptr;
}

namespace afx {
void SetCurrentThreadObject(CWinThread* thread) { t_thread = thread; }
}  // namespace afx

AFX_THREAD_STATE* AfxGetThreadState() {
  thread_local AFX_THREAD_STATE state;
  return &state;
}

CWinThread* AfxGetThread() {
  if (t_thread) return t_thread;
  return nullptr;
}

CWinThread::CWinThread() = default;

CWinThread::CWinThread(AFX_THREADPROC pfnThreadProc, LPVOID pParam)
    : m_pfnThreadProc(pfnThreadProc), m_pThreadParams(pParam) {}

CWinThread::~CWinThread() {
  if (t_thread == this) t_thread = nullptr;
  if (m_hThread) ::CloseHandle(m_hThread);
}

BOOL CWinThread::InitInstance() { return FALSE; }

int CWinThread::ExitInstance() {
  int code = static_cast<int>(m_msgCur.wParam);
  return code;
}

CWnd* CWinThread::GetMainWnd() { return m_pMainWnd; }

void CWinThread::Delete() {
  if (m_bAutoDelete) delete this;
}

BOOL CWinThread::IsIdleMessage(MSG* pMsg) {
  // A mouse move to the same place and paint messages do not restart idle work.
  if (pMsg->message == WM_MOUSEMOVE || pMsg->message == WM_NCMOUSEMOVE) {
    if (m_nLastMouseMsg == pMsg->message && m_ptLastMouse.x == pMsg->pt.x && m_ptLastMouse.y == pMsg->pt.y)
      return FALSE;
    m_ptLastMouse = pMsg->pt;
    m_nLastMouseMsg = pMsg->message;
    return TRUE;
  }
  return pMsg->message != WM_PAINT && pMsg->message != 0x0118 /* WM_SYSTIMER */;
}

BOOL AfxPreTranslateMessage(MSG* pMsg) {
  CWinThread* thread = AfxGetThread();
  CWnd* main = thread ? thread->GetMainWnd() : nullptr;
  HWND stop = main ? main->m_hWnd : nullptr;
  for (HWND h = pMsg->hwnd; h; h = ::GetParent(h)) {
    if (CWnd* wnd = CWnd::FromHandlePermanent(h); wnd && wnd->PreTranslateMessage(pMsg)) return TRUE;
    if (h == stop) return FALSE;
  }
  // A window outside the main window's tree (a floating frame): the main window still sees it.
  if (main && main->m_hWnd && pMsg->hwnd && !::IsChild(main->m_hWnd, pMsg->hwnd) &&
      pMsg->hwnd != main->m_hWnd)
    return main->PreTranslateMessage(pMsg);
  return FALSE;
}

BOOL CWinThread::PreTranslateMessage(MSG* pMsg) { return AfxPreTranslateMessage(pMsg); }

BOOL CWinThread::PumpMessage() {
  if (!::GetMessage(&m_msgCur, nullptr, 0, 0)) return FALSE;
  if (m_msgCur.message != WM_KICKIDLE && !PreTranslateMessage(&m_msgCur)) {
    ::TranslateMessage(&m_msgCur);
    ::DispatchMessage(&m_msgCur);
  }
  return TRUE;
}

BOOL CWinThread::OnIdle(LONG lCount) {
  if (lCount <= 0) {
    CWnd* main = GetMainWnd();
    if (main && main->m_hWnd && main->IsWindowVisible()) {
      main->SendMessage(WM_IDLEUPDATECMDUI, TRUE, 0);
      main->SendMessageToDescendants(WM_IDLEUPDATECMDUI, TRUE, 0, TRUE);
    }
    // Other visible frames of this thread (floating frames, other top windows).
    std::vector<CFrameWnd*> frames = afx::FramesOfThread();
    for (CFrameWnd* frame : frames) {
      const auto& now = afx::FramesOfThread();
      if (std::find(now.begin(), now.end(), frame) == now.end()) continue;  // gone meanwhile
      CWnd* wnd = frame;
      if (wnd == main || !wnd->m_hWnd || !wnd->IsWindowVisible()) continue;
      if (main && main->m_hWnd && ::IsChild(main->m_hWnd, wnd->m_hWnd)) continue;
      wnd->SendMessage(WM_IDLEUPDATECMDUI, TRUE, 0);
      wnd->SendMessageToDescendants(WM_IDLEUPDATECMDUI, TRUE, 0, TRUE);
    }
  } else if (lCount == 1) {
    AfxDeleteTempWindows();
  }
  return lCount < 1;
}

int CWinThread::Run() {
  BOOL idle = TRUE;
  LONG idleCount = 0;
  MSG peek;
  for (;;) {
    while (idle && !::PeekMessage(&peek, nullptr, 0, 0, PM_NOREMOVE)) {
      if (!OnIdle(idleCount++)) idle = FALSE;
    }
    do {
      if (!PumpMessage()) return ExitInstance();
      if (IsIdleMessage(&m_msgCur)) {
        idle = TRUE;
        idleCount = 0;
      }
    } while (::PeekMessage(&peek, nullptr, 0, 0, PM_NOREMOVE));
  }
}

namespace {
DWORD WINAPI ThreadEntry(LPVOID param) {
  auto* thread = static_cast<CWinThread*>(param);
  t_thread = thread;
  UINT code = 0;
  if (thread->m_pfnThreadProc) {
    code = thread->m_pfnThreadProc(thread->m_pThreadParams);
  } else if (thread->InitInstance()) {
    code = static_cast<UINT>(thread->Run());
  } else {
    code = static_cast<UINT>(thread->ExitInstance());
  }
  t_thread = nullptr;
  thread->Delete();
  return code;
}
}  // namespace

BOOL CWinThread::CreateThread(DWORD dwCreateFlags, UINT nStackSize) {
  m_hThread = ::CreateThread(nullptr, nStackSize, ThreadEntry, this, dwCreateFlags, &m_nThreadID);
  return m_hThread != nullptr;
}

DWORD CWinThread::ResumeThread() { return ::ResumeThread(m_hThread); }

CWinThread* AfxBeginThread(AFX_THREADPROC pfn, LPVOID param, int, UINT stack, DWORD flags, void*) {
  auto* thread = new CWinThread(pfn, param);
  if (!thread->CreateThread(flags, stack)) {
    delete thread;
    return nullptr;
  }
  return thread;
}

CWinThread* AfxBeginThread(CRuntimeClass* cls, int, UINT stack, DWORD flags, void*) {
  auto* thread = cls ? static_cast<CWinThread*>(cls->CreateObject()) : nullptr;
  if (!thread) return nullptr;
  if (!thread->CreateThread(flags, stack)) {
    delete thread;
    return nullptr;
  }
  return thread;
}

void AfxEndThread(UINT nExitCode, BOOL bDelete) {
  CWinThread* thread = t_thread;
  if (thread && bDelete) {
    t_thread = nullptr;
    thread->Delete();
  }
  ::ExitThread(nExitCode);
}

void AfxPostQuitMessage(int nExitCode) { ::PostQuitMessage(nExitCode); }
