// Child processes. CreateProcess takes a Windows command line: the
// program is its first word (found on PATH when it names no folder; a
// trailing ".exe" may be left off on disk) and the arguments are split as
// the Windows C run-time splits them. A child runs in its own process
// group; TerminateProcess ends the whole group. Process handles work with
// WaitForSingleObject and WaitForMultipleObjects (thread.h).
#pragma once

#include <string>
#include <vector>

#include "platform/base/windef.h"
#include "platform/base/winerror.h"
#include "platform/sys/security.h"
#include "platform/sys/thread.h"

#define STARTF_USESHOWWINDOW 0x00000001u
#define STARTF_USESTDHANDLES 0x00000100u

#define DEBUG_PROCESS 0x00000001u
#define DETACHED_PROCESS 0x00000008u
#define CREATE_NEW_CONSOLE 0x00000010u
#define NORMAL_PRIORITY_CLASS 0x00000020u
#define CREATE_NEW_PROCESS_GROUP 0x00000200u
#define CREATE_SEPARATE_WOW_VDM 0x00000800u
#define CREATE_NO_WINDOW 0x08000000u

typedef struct _STARTUPINFO {
  DWORD cb;
  LPSTR lpReserved;
  LPSTR lpDesktop;
  LPSTR lpTitle;
  DWORD dwX;
  DWORD dwY;
  DWORD dwXSize;
  DWORD dwYSize;
  DWORD dwXCountChars;
  DWORD dwYCountChars;
  DWORD dwFillAttribute;
  DWORD dwFlags;
  WORD wShowWindow;
  WORD cbReserved2;
  LPBYTE lpReserved2;
  HANDLE hStdInput;
  HANDLE hStdOutput;
  HANDLE hStdError;
} STARTUPINFO, *LPSTARTUPINFO;

typedef struct _PROCESS_INFORMATION {
  HANDLE hProcess;
  HANDLE hThread;  // signalled with the process; closing it changes nothing
  DWORD dwProcessId;
  DWORD dwThreadId;
} PROCESS_INFORMATION, *LPPROCESS_INFORMATION;

// lpApplicationName NULL: the program is the command line's first word.
// lpEnvironment: "NAME=value\0...\0\0" or NULL (this process's environment).
// lpCurrentDirectory NULL: this process's. With STARTF_USESTDHANDLES the
// child's standard input, output and error are the three handles (NULL:
// /dev/null); otherwise it shares this process's. Windows are never shown.
// Creation flags other than CREATE_SUSPENDED are accepted and change
// nothing; CREATE_SUSPENDED is refused (ERROR_NOT_SUPPORTED).
// Failures: ERROR_FILE_NOT_FOUND (no such program), ERROR_DIRECTORY,
// ERROR_ACCESS_DENIED, ERROR_BAD_EXE_FORMAT.
BOOL CreateProcess(LPCSTR lpApplicationName, LPSTR lpCommandLine, LPSECURITY_ATTRIBUTES lpProcessAttributes,
                   LPSECURITY_ATTRIBUTES lpThreadAttributes, BOOL bInheritHandles, DWORD dwCreationFlags,
                   LPVOID lpEnvironment, LPCSTR lpCurrentDirectory, LPSTARTUPINFO lpStartupInfo,
                   LPPROCESS_INFORMATION lpProcessInformation);
// STILL_ACTIVE (259) while the child runs; then its exit status, or the
// code given to TerminateProcess, or 128 + the signal that ended it.
BOOL GetExitCodeProcess(HANDLE hProcess, LPDWORD lpExitCode);
// Kills the child's whole process group; the exit code reads uExitCode.
// TRUE also when the child had already ended.
BOOL TerminateProcess(HANDLE hProcess, UINT uExitCode);
DWORD GetProcessId(HANDLE hProcess);
// A pseudo-handle for this process, for DuplicateHandle.
HANDLE GetCurrentProcess();
DWORD GetCurrentProcessId();

namespace plat {

// The words of a command line as the Windows C run-time splits them.
std::vector<std::string> SplitCommandLine(const std::string& commandLine);
// The file a program name runs: a name with a folder ("\" or "/") as given
// (relative to the current folder), else the first match in the folders
// of searchPath (":"-separated). "" when there is none.
std::string FindProgram(const std::string& name, const std::string& searchPath);

}  // namespace plat
