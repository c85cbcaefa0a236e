// CWinThread: a thread with its own message loop, idle processing and
// main window; AfxBeginThread for worker and window threads.
#pragma once

#include "platform/afx/afxdefs.h"

typedef UINT (*AFX_THREADPROC)(LPVOID);

class CWinThread : public CCmdTarget {
  DECLARE_DYNAMIC(CWinThread)
 public:
  CWinThread();
  CWinThread(AFX_THREADPROC pfnThreadProc, LPVOID pParam);
  ~CWinThread() override;

  CWnd* m_pMainWnd = nullptr;
  CWnd* m_pActiveWnd = nullptr;
  BOOL m_bAutoDelete = TRUE;
  HANDLE m_hThread = nullptr;
  DWORD m_nThreadID = 0;
  MSG m_msgCur{};

  virtual BOOL InitInstance();
  // The message loop: idle passes while the queue is empty, pre-translation
  // and dispatch of each message; WM_QUIT ends it with ExitInstance.
  virtual int Run();
  virtual int ExitInstance();
  // Pass 0 updates the command states of the frames; pass 1 frees
  // temporary window objects. TRUE while another pass is wanted.
  virtual BOOL OnIdle(LONG lCount);
  virtual BOOL PreTranslateMessage(MSG* pMsg);
  virtual BOOL PumpMessage();
  virtual BOOL IsIdleMessage(MSG* pMsg);
  virtual CWnd* GetMainWnd();
  virtual void Delete();

  BOOL CreateThread(DWORD dwCreateFlags = 0, UINT nStackSize = 0);
  DWORD ResumeThread();

  AFX_THREADPROC m_pfnThreadProc = nullptr;
  LPVOID m_pThreadParams = nullptr;

 private:
  POINT m_ptLastMouse{-1, -1};
  UINT m_nLastMouseMsg = 0;
};

// The CWinThread of the calling thread (the application on its thread).
CWinThread* AfxGetThread();
CWinThread* AfxBeginThread(AFX_THREADPROC pfnThreadProc, LPVOID pParam, int nPriority = 0,
                           UINT nStackSize = 0, DWORD dwCreateFlags = 0, void* lpSecurityAttrs = nullptr);
CWinThread* AfxBeginThread(CRuntimeClass* pThreadClass, int nPriority = 0, UINT nStackSize = 0,
                           DWORD dwCreateFlags = 0, void* lpSecurityAttrs = nullptr);
void AfxEndThread(UINT nExitCode, BOOL bDelete = TRUE);
// Offers a message to the windows from its target up to the main window.
BOOL AfxPreTranslateMessage(MSG* pMsg);
void AfxPostQuitMessage(int nExitCode);

class CFrameWnd;
class CView;
// Per-thread framework state: the frame and view a command is being routed through.
struct AFX_THREAD_STATE {
  CFrameWnd* m_pRoutingFrame = nullptr;
  CView* m_pRoutingView = nullptr;
};
AFX_THREAD_STATE* AfxGetThreadState();

// The OLE parts of the close sequence: no OLE server runs here, so the
// application may always exit.
inline BOOL AfxOleCanExitApp() { return TRUE; }
inline void AfxOleSetUserCtrl(BOOL) {}
inline BOOL AfxOleGetUserCtrl() { return TRUE; }

namespace afx {
// The calling thread's CWinThread (set by the thread object).
void SetCurrentThreadObject(CWinThread* thread);
}  // namespace afx
