// A console program run as a hidden child whose standard input, output and
// error are pipes owned by the IDE, with one reader thread. Derived classes
// supply the reader's body (Run); the owner resumes the reader once the
// derived object is complete.
#pragma once

#include "platform/base/windef.h"

class CExtConsoleProcess {
 public:
  // commandLine: program and arguments (no shell); environment: a block or
  // NULL (inherit); directory: the working directory or NULL.
  CExtConsoleProcess(LPCSTR commandLine, LPVOID environment, LPCSTR directory);
  // Ends the reader (see StopReader) and closes every handle; the child
  // goes on running. Not virtual: owners delete through the derived type.
  ~CExtConsoleProcess();

  // Body of the reader thread; the argument is always NULL.
  virtual DWORD Run(LPVOID param) = 0;

  // The reader's previous suspend count.
  DWORD ResumeReader();
  // Writes the text and its NUL in one write to the child's input.
  void WriteLine(LPCSTR text);
  // 1 while the child's exit code reads STILL_ACTIVE; 0 for a child that
  // never started.
  BOOL IsRunning();

 protected:
  // For Run: reads what the child wrote, as ReadFile on the output pipe.
  // When every writer has closed the pipe while the child still runs, the
  // call waits for the child to end instead of failing at once, so a
  // reader loop never spins; it then fails with ERROR_BROKEN_PIPE. After
  // StopReader it fails with ERROR_OPERATION_ABORTED.
  BOOL ReadOutput(LPVOID buffer, DWORD size, LPDWORD read);
  // The child's exit code: STILL_ACTIVE while it runs, kNeverStarted for
  // a child that could not be started.
  static const DWORD kNeverStarted = 0xFFFFFFFFu;
  DWORD ExitCode();
  // Closes the output pipe's read end (once; later calls do nothing).
  void CloseOutput();
  // True once the object is being deleted.
  BOOL IsStopping();
  // Ends the reader cooperatively: marks the object as stopping, closes the
  // output read end (which wakes a blocked read) and waits for the reader
  // thread. A derived destructor calls it first, while its own fields still
  // live; the base destructor calls it again (then it does nothing).
  void StopReader();

  HANDLE m_hOutputRead = nullptr;  // the child's standard output and error
  HANDLE m_hInputWrite = nullptr;  // the child's standard input
  HANDLE m_hReaderThread = nullptr;
  HANDLE m_hProcess = nullptr;  // NULL when the child did not start

 private:
  static DWORD ReaderEntry(LPVOID self);
  void CreatePipes(HANDLE& outWrite, HANDLE& errWrite, HANDLE& inRead);
  void StartChild(LPCSTR commandLine, LPVOID environment, LPCSTR directory, HANDLE outWrite, HANDLE errWrite,
                  HANDLE inRead);
  void CloseChecked(HANDLE& h);

  HANDLE m_hStopEvent = nullptr;
  LONG m_stopping = 0;
  LONG m_outputClosed = 0;
};
