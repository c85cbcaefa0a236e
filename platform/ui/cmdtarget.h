// CCmdTarget and message maps: tables of handlers searched from a class
// up through its base classes.
#pragma once

#include "platform/ui/wintypes.h"

class CCmdTarget;
class CCmdUI;
class CWnd;
class CDC;
class CScrollBar;

typedef void (CCmdTarget::*AFX_PMSG)();

// Handler signatures; the dispatcher calls each kind with its parameters.
enum AfxSig : UINT_PTR {
  AfxSig_end = 0,
  AfxSig_vv,         // void ()
  AfxSig_vw,         // void (UINT)                 ON_COMMAND_RANGE, ON_CONTROL_RANGE
  AfxSig_lwl,        // LRESULT (WPARAM, LPARAM)    ON_MESSAGE
  AfxSig_cmdui,      // void (CCmdUI*)              ON_UPDATE_COMMAND_UI
  AfxSig_cmduiw,     // void (CCmdUI*, UINT)        ON_UPDATE_COMMAND_UI_RANGE
  AfxSig_bv,         // BOOL ()                     ON_COMMAND_EX-less commands returning handled
  AfxSig_bw,         // BOOL (UINT)                 ON_COMMAND_EX
  AfxSig_notify,     // void (NMHDR*, LRESULT*)     ON_NOTIFY
  AfxSig_notifyw,    // void (UINT, NMHDR*, LRESULT*) ON_NOTIFY_RANGE
  AfxSig_is,         // int (LPCREATESTRUCT)        WM_CREATE
  AfxSig_bs,         // BOOL (LPCREATESTRUCT)       WM_NCCREATE
  AfxSig_bD,         // BOOL (CDC*)                 WM_ERASEBKGND
  AfxSig_vwii,       // void (UINT, int, int)       WM_SIZE
  AfxSig_vvii,       // void (int, int)             WM_MOVE
  AfxSig_vW,         // void (CWnd*)                WM_SETFOCUS, WM_KILLFOCUS, WM_CAPTURECHANGED
  AfxSig_vwp,        // void (UINT, CPoint)         mouse buttons and moves
  AfxSig_bwsp,       // BOOL (UINT, short, CPoint)  WM_MOUSEWHEEL
  AfxSig_vwww,       // void (UINT, UINT, UINT)     keys and characters
  AfxSig_vwwx,       // void (UINT, UINT, CScrollBar*) WM_HSCROLL, WM_VSCROLL
  AfxSig_vt,         // void (UINT_PTR)             WM_TIMER
  AfxSig_bWww,       // BOOL (CWnd*, UINT, UINT)    WM_SETCURSOR
  AfxSig_vWp,        // void (CWnd*, CPoint)        WM_CONTEXTMENU
  AfxSig_vbw,        // void (BOOL, UINT)           WM_SHOWWINDOW
  AfxSig_vb,         // void (BOOL)                 WM_ENABLE
  AfxSig_lp,         // LRESULT (CPoint)            WM_NCHITTEST
  AfxSig_vbn,        // void (BOOL, NCCALCSIZE_PARAMS*) WM_NCCALCSIZE
  AfxSig_vmm,        // void (MINMAXINFO*)          WM_GETMINMAXINFO
  AfxSig_vpos,       // void (WINDOWPOS*)           WM_WINDOWPOSCHANGING/CHANGED
  AfxSig_vwWb,       // void (UINT, CWnd*, BOOL)    WM_ACTIVATE
  AfxSig_iWww,       // int (CWnd*, UINT, UINT)     WM_MOUSEACTIVATE
  AfxSig_wv,         // UINT ()                     WM_GETDLGCODE
  AfxSig_vwl,        // void (UINT, LPARAM)         WM_SYSCOMMAND
  AfxSig_bb,         // BOOL (BOOL)                 WM_NCACTIVATE
  AfxSig_hDWw,       // HBRUSH (CDC*, CWnd*, UINT)  WM_CTLCOLOR
  AfxSig_vOWNER,     // void (int, LPDRAWITEMSTRUCT) WM_DRAWITEM
  AfxSig_vMEASURE,   // void (int, LPMEASUREITEMSTRUCT) WM_MEASUREITEM
  AfxSig_vwSTYLE,    // void (int, LPSTYLESTRUCT)   WM_STYLECHANGED/CHANGING
  AfxSig_vws,        // void (UINT, LPCSTR)         WM_SETTINGCHANGE
  AfxSig_vwwW,       // void (UINT, UINT, CWnd*)    reserved
  AfxSig_bHELPINFO,  // BOOL (void*)                WM_HELP
  AfxSig_vwL,        // void (UINT, LPARAM)         WM_PARENTNOTIFY
  AfxSig_vDROP,      // void (HDROP)                WM_DROPFILES
};

struct AFX_MSGMAP_ENTRY {
  UINT nMessage;  // window message, or 0xC000 for a registered message
  UINT nCode;     // control or WM_NOTIFY code
  UINT nID;       // control id (first)
  UINT nLastID;   // last id of a range
  UINT_PTR nSig;  // AfxSig, or the address of the registered message
  AFX_PMSG pfn;
};

struct AFX_MSGMAP {
  const AFX_MSGMAP* (*pfnGetBaseMap)();
  const AFX_MSGMAP_ENTRY* lpEntries;
};

// What OnCmdMsg gets as pExtra for WM_NOTIFY.
struct AFX_NOTIFY {
  LRESULT* pResult;
  NMHDR* pNMHDR;
};

struct AFX_CMDHANDLERINFO {
  CCmdTarget* pTarget;
  AFX_PMSG pmf;
};

// Codes for OnCmdMsg: WM_COMMAND with code 0 (menus, buttons), the
// command-state update, and WM_NOTIFY packed with its code.
#define CN_COMMAND 0
#define CN_UPDATE_COMMAND_UI ((UINT)(-1))
#define CN_NOTIFY_BASE 0x10000  // WM_NOTIFY codes travel as MAKELONG(code, WM_NOTIFY)

#define DECLARE_MESSAGE_MAP()                          \
 protected:                                            \
  static const AFX_MSGMAP* PASCAL GetThisMessageMap(); \
  const AFX_MSGMAP* GetMessageMap() const override;

// Handlers of every signature share one stored member-pointer type.
#define AFX_MSGMAP_PUSH \
  _Pragma("GCC diagnostic push") _Pragma("GCC diagnostic ignored \"-Wcast-function-type\"")
#define AFX_MSGMAP_POP _Pragma("GCC diagnostic pop")

#define BEGIN_MESSAGE_MAP(theClass, baseClass)                                      \
  AFX_MSGMAP_PUSH                                                                   \
  const AFX_MSGMAP* theClass::GetMessageMap() const { return GetThisMessageMap(); } \
  const AFX_MSGMAP* PASCAL theClass::GetThisMessageMap() {                          \
    typedef theClass ThisClass;                                                     \
    typedef baseClass TheBaseClass;                                                 \
    (void)sizeof(ThisClass);                                                        \
    static const AFX_MSGMAP_ENTRY _messageEntries[] = {
#define END_MESSAGE_MAP()                                                                       \
  { 0, 0, 0, 0, AfxSig_end, (AFX_PMSG)0 }                                                       \
  }                                                                                             \
  ;                                                                                             \
  static const AFX_MSGMAP messageMap = {&TheBaseClass::GetThisMessageMap, &_messageEntries[0]}; \
  return &messageMap;                                                                           \
  }                                                                                             \
  AFX_MSGMAP_POP

// A handler of the given exact type, stored as a generic member pointer.
#define AFX_MSG_CAST(type, fn) reinterpret_cast<AFX_PMSG>(static_cast<type>(fn))

#define ON_COMMAND(id, memberFxn)    \
  {WM_COMMAND, CN_COMMAND, (WORD)id, \
   (WORD)id,   AfxSig_vv,  AFX_MSG_CAST(void(CCmdTarget::*)(), &ThisClass::memberFxn)},
#define ON_COMMAND_EX(id, memberFxn) \
  {WM_COMMAND, CN_COMMAND, (WORD)id, \
   (WORD)id,   AfxSig_bw,  AFX_MSG_CAST(BOOL(CCmdTarget::*)(UINT), &ThisClass::memberFxn)},
#define ON_COMMAND_RANGE(id, idLast, memberFxn) \
  {WM_COMMAND,   CN_COMMAND, (WORD)id,          \
   (WORD)idLast, AfxSig_vw,  AFX_MSG_CAST(void(CCmdTarget::*)(UINT), &ThisClass::memberFxn)},
#define ON_UPDATE_COMMAND_UI(id, memberFxn)    \
  {WM_COMMAND, CN_UPDATE_COMMAND_UI, (WORD)id, \
   (WORD)id,   AfxSig_cmdui,         AFX_MSG_CAST(void(CCmdTarget::*)(CCmdUI*), &ThisClass::memberFxn)},
#define ON_UPDATE_COMMAND_UI_RANGE(id, idLast, memberFxn) \
  {WM_COMMAND,    CN_UPDATE_COMMAND_UI,                   \
   (WORD)id,      (WORD)idLast,                           \
   AfxSig_cmduiw, AFX_MSG_CAST(void(CCmdTarget::*)(CCmdUI*, UINT), &ThisClass::memberFxn)},
#define ON_CONTROL(wNotifyCode, id, memberFxn) \
  {WM_COMMAND, (WORD)wNotifyCode, (WORD)id,    \
   (WORD)id,   AfxSig_vv,         AFX_MSG_CAST(void(CCmdTarget::*)(), &ThisClass::memberFxn)},
#define ON_CONTROL_RANGE(wNotifyCode, id, idLast, memberFxn) \
  {WM_COMMAND,   (WORD)wNotifyCode, (WORD)id,                \
   (WORD)idLast, AfxSig_vw,         AFX_MSG_CAST(void(CCmdTarget::*)(UINT), &ThisClass::memberFxn)},
#define ON_NOTIFY(wNotifyCode, id, memberFxn) \
  {                                           \
      WM_NOTIFY,     (UINT)wNotifyCode,       \
      (WORD)id,      (WORD)id,                \
      AfxSig_notify, AFX_MSG_CAST(void(CCmdTarget::*)(NMHDR*, LRESULT*), &ThisClass::memberFxn)},
#define ON_NOTIFY_RANGE(wNotifyCode, id, idLast, memberFxn) \
  {WM_NOTIFY,      (UINT)wNotifyCode,                       \
   (WORD)id,       (WORD)idLast,                            \
   AfxSig_notifyw, AFX_MSG_CAST(void(CCmdTarget::*)(UINT, NMHDR*, LRESULT*), &ThisClass::memberFxn)},
#define ON_MESSAGE(message, memberFxn) \
  {(UINT)(message),                    \
   0,                                  \
   0,                                  \
   0,                                  \
   AfxSig_lwl,                         \
   AFX_MSG_CAST(LRESULT(CCmdTarget::*)(WPARAM, LPARAM), &ThisClass::memberFxn)},
#define ON_REGISTERED_MESSAGE(nMessageVariable, memberFxn) \
  {0xC000,                                                 \
   0,                                                      \
   0,                                                      \
   0,                                                      \
   (UINT_PTR)(UINT*)(&nMessageVariable),                   \
   AFX_MSG_CAST(LRESULT(CCmdTarget::*)(WPARAM, LPARAM), &ThisClass::memberFxn)},

class CCmdTarget : public CObject {
  DECLARE_DYNAMIC(CCmdTarget)
 public:
  CCmdTarget() = default;
  ~CCmdTarget() override = default;
  // Routes a command or command-state update through the message map.
  virtual BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo);
  void BeginWaitCursor();
  void EndWaitCursor();
  void RestoreWaitCursor();

 protected:
  static const AFX_MSGMAP* PASCAL GetThisMessageMap();
  virtual const AFX_MSGMAP* GetMessageMap() const;
  // The first entry of the class chain for a message, code and id.
  static const AFX_MSGMAP_ENTRY* FindMessageEntry(const AFX_MSGMAP_ENTRY* lpEntry, UINT nMsg, UINT nCode,
                                                  UINT nID);
};
