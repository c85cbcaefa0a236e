#include "app/ext_console_process.h"

#include <cstring>
#include <string>

#include "app/api_error.h"
#include "platform/sys/file.h"
#include "platform/sys/msgbox.h"
#include "platform/sys/pipe.h"
#include "platform/sys/process.h"
#include "platform/sys/thread.h"
#include "platform/sys/time.h"

namespace {

const DWORD kChildFlags = CREATE_NEW_CONSOLE | CREATE_NEW_PROCESS_GROUP | CREATE_SEPARATE_WOW_VDM;

void ShowStartFailure(LPCSTR commandLine) {
  std::string line = commandLine ? commandLine : "";
  std::string program = line.substr(0, line.find(' '));
  std::string text = "Could not execute program " + program + ".\nPlease check your path settings.";
  MessageBox(nullptr, text.c_str(), "MIRT error", MB_OK | MB_ICONEXCLAMATION);
}

}  // namespace

CExtConsoleProcess::CExtConsoleProcess(LPCSTR commandLine, LPVOID environment, LPCSTR directory) {
  m_hStopEvent = CreateEvent(nullptr, TRUE, FALSE, nullptr);
  HANDLE outWrite = nullptr, errWrite = nullptr, inRead = nullptr;
  CreatePipes(outWrite, errWrite, inRead);
  StartChild(commandLine, environment, directory, outWrite, errWrite, inRead);
  // Only the child holds the writing side now: reads end once it is gone.
  CloseChecked(outWrite);
  CloseChecked(inRead);
  CloseChecked(errWrite);
  m_hReaderThread = CreateThread(nullptr, 0, ReaderEntry, this, CREATE_SUSPENDED, nullptr);
  if (!m_hReaderThread) DisplayApiError("CreateThread");
}

CExtConsoleProcess::~CExtConsoleProcess() {
  StopReader();
  CloseOutput();
  HANDLE* handles[] = {&m_hInputWrite, &m_hReaderThread, &m_hProcess, &m_hStopEvent};
  for (HANDLE* h : handles)
    if (*h) {
      CloseHandle(*h);
      *h = nullptr;
    }
}

void CExtConsoleProcess::CreatePipes(HANDLE& outWrite, HANDLE& errWrite, HANDLE& inRead) {
  SECURITY_ATTRIBUTES sa = {sizeof sa, nullptr, TRUE};
  HANDLE outRead = nullptr, inWrite = nullptr;
  HANDLE self = GetCurrentProcess();
  if (!CreatePipe(&outRead, &outWrite, &sa, 0)) DisplayApiError("CreatePipe");
  if (!DuplicateHandle(self, outWrite, self, &errWrite, 0, TRUE, DUPLICATE_SAME_ACCESS))
    DisplayApiError("DuplicateHandle");
  if (!CreatePipe(&inRead, &inWrite, &sa, 0)) DisplayApiError("CreatePipe");
  if (!DuplicateHandle(self, outRead, self, &m_hOutputRead, 0, FALSE, DUPLICATE_SAME_ACCESS))
    DisplayApiError("DupliateHandle");
  if (!DuplicateHandle(self, inWrite, self, &m_hInputWrite, 0, FALSE, DUPLICATE_SAME_ACCESS))
    DisplayApiError("DupliateHandle");
  CloseChecked(outRead);
  CloseChecked(inWrite);
}

void CExtConsoleProcess::StartChild(LPCSTR commandLine, LPVOID environment, LPCSTR directory, HANDLE outWrite,
                                    HANDLE errWrite, HANDLE inRead) {
  STARTUPINFO si;
  std::memset(&si, 0, sizeof si);
  si.cb = sizeof si;
  si.dwFlags = STARTF_USESTDHANDLES | STARTF_USESHOWWINDOW;
  si.wShowWindow = SW_HIDE;
  si.hStdOutput = outWrite;
  si.hStdInput = inRead;
  si.hStdError = errWrite;
  PROCESS_INFORMATION pi;
  std::memset(&pi, 0, sizeof pi);
  std::string line = commandLine ? commandLine : "";
  if (!CreateProcess(nullptr, line.data(), nullptr, nullptr, TRUE, kChildFlags, environment, directory, &si,
                     &pi)) {
    ShowStartFailure(commandLine);
    return;
  }
  m_hProcess = pi.hProcess;
  CloseHandle(pi.hThread);
}

void CExtConsoleProcess::CloseChecked(HANDLE& h) {
  if (!h) return;
  if (!CloseHandle(h)) DisplayApiError("CloseHandle");
  h = nullptr;
}

DWORD CExtConsoleProcess::ReaderEntry(LPVOID self) {
  auto* process = static_cast<CExtConsoleProcess*>(self);
  return process->IsStopping() ? 0 : process->Run(nullptr);
}

DWORD CExtConsoleProcess::ResumeReader() {
  return m_hReaderThread ? ResumeThread(m_hReaderThread) : (DWORD)-1;
}

void CExtConsoleProcess::WriteLine(LPCSTR text) {
  DWORD written = 0;
  WriteFile(m_hInputWrite, text, static_cast<DWORD>(std::strlen(text) + 1), &written, nullptr);
  Sleep(0);
}

BOOL CExtConsoleProcess::IsRunning() { return m_hProcess && ExitCode() == STILL_ACTIVE ? 1 : 0; }

DWORD CExtConsoleProcess::ExitCode() {
  DWORD code = kNeverStarted;
  if (m_hProcess && !GetExitCodeProcess(m_hProcess, &code)) code = kNeverStarted;
  return code;
}

BOOL CExtConsoleProcess::IsStopping() { return InterlockedCompareExchange(&m_stopping, 0, 0) != 0; }

BOOL CExtConsoleProcess::ReadOutput(LPVOID buffer, DWORD size, LPDWORD read) {
  if (read) *read = 0;
  BOOL ok = IsStopping() ? FALSE : ReadFile(m_hOutputRead, buffer, size, read, nullptr);
  if (!ok && !IsStopping() && GetLastError() == ERROR_BROKEN_PIPE && m_hProcess) {
    // The pipe is at its end but the child may still run: wait, don't spin.
    HANDLE both[2] = {m_hProcess, m_hStopEvent};
    WaitForMultipleObjects(2, both, FALSE, INFINITE);
    SetLastError(ERROR_BROKEN_PIPE);
  }
  if (!ok && IsStopping()) SetLastError(ERROR_OPERATION_ABORTED);
  return ok;
}

void CExtConsoleProcess::CloseOutput() {
  if (InterlockedExchange(&m_outputClosed, 1) == 0 && m_hOutputRead) CloseHandle(m_hOutputRead);
}

void CExtConsoleProcess::StopReader() {
  if (InterlockedExchange(&m_stopping, 1) != 0) return;
  if (m_hStopEvent) SetEvent(m_hStopEvent);
  CloseOutput();
  if (!m_hReaderThread) return;
  ResumeThread(m_hReaderThread);  // a reader never resumed ends at once
  WaitForSingleObject(m_hReaderThread, INFINITE);
}
