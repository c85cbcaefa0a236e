// Message boxes. Answered, in this order, by an answer a test scripted
// (plat::PushMessageBoxAnswer), by the installed handler (the window layer
// installs a real dialog there when a display exists), or else by the
// default button, with one line on standard error. The newest boxes are
// recorded.
// Thread-safe.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/base/windef.h"
#include "platform/base/winuser.h"

#ifndef MB_OK
#define MB_OK 0x00000000L
#define MB_OKCANCEL 0x00000001L
#define MB_ABORTRETRYIGNORE 0x00000002L
#define MB_YESNOCANCEL 0x00000003L
#define MB_YESNO 0x00000004L
#define MB_RETRYCANCEL 0x00000005L
#define MB_CANCELTRYCONTINUE 0x00000006L
#define MB_ICONHAND 0x00000010L
#define MB_ICONQUESTION 0x00000020L
#define MB_ICONEXCLAMATION 0x00000030L
#define MB_ICONASTERISK 0x00000040L
#define MB_USERICON 0x00000080L
#define MB_ICONWARNING MB_ICONEXCLAMATION
#define MB_ICONERROR MB_ICONHAND
#define MB_ICONINFORMATION MB_ICONASTERISK
#define MB_ICONSTOP MB_ICONHAND
#define MB_DEFBUTTON1 0x00000000L
#define MB_DEFBUTTON2 0x00000100L
#define MB_DEFBUTTON3 0x00000200L
#define MB_DEFBUTTON4 0x00000300L
#define MB_APPLMODAL 0x00000000L
#define MB_SYSTEMMODAL 0x00001000L
#define MB_TASKMODAL 0x00002000L
#define MB_HELP 0x00004000L
#define MB_NOFOCUS 0x00008000L
#define MB_SETFOREGROUND 0x00010000L
#define MB_DEFAULT_DESKTOP_ONLY 0x00020000L
#define MB_TOPMOST 0x00040000L
#define MB_RIGHT 0x00080000L
#define MB_TYPEMASK 0x0000000FL
#define MB_ICONMASK 0x000000F0L
#define MB_DEFMASK 0x00000F00L
#define MB_MODEMASK 0x00003000L
#define MB_MISCMASK 0x0000C000L
#endif
#ifndef IDTRYAGAIN
#define IDTRYAGAIN 10
#define IDCONTINUE 11
#endif

// caption NULL: "Error".
int MessageBox(HWND hWnd, LPCSTR lpText, LPCSTR lpCaption, UINT uType);
// The caption is the application's name. Without an icon in nType, OK and
// OK/Cancel boxes get the exclamation icon and Yes/No(/Cancel) boxes the
// question icon.
int AfxMessageBox(LPCSTR lpszText, UINT nType = MB_OK, UINT nIDHelp = 0);
// The text is the string resource nIDPrompt.
int AfxMessageBox(UINT nIDPrompt, UINT nType = MB_OK, UINT nIDHelp = (UINT)-1);

namespace plat {

struct MessageBoxRecord {
  std::string caption, text;
  UINT type;
  int answer;
};

// Records kept: a long-running program that shows boxes in a loop keeps
// only the newest ones.
constexpr size_t kMessageBoxRecordLimit = 1000;

// Scripted answers, used first in, first out.
void PushMessageBoxAnswer(int id);
// The records of the boxes shown, oldest first.
std::vector<MessageBoxRecord> MessageBoxRecords();
// Forgets the records and any answers still pending.
void ClearMessageBoxRecords();
// A callback that answers boxes without a scripted answer; an empty
// function removes it. The record's answer field is not yet set.
void SetMessageBoxHandler(std::function<int(const MessageBoxRecord&)> handler);

// The buttons of a box type, left to right, and the default one's answer.
std::vector<int> MessageBoxButtons(UINT type);
int MessageBoxDefaultAnswer(UINT type);

}  // namespace plat
